#pragma once

#include "find/CellCommands.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// The sheet of the context menu's replace, prepend, append and add entries: the message of its mode,
// the column it acts on, the label pop-up (enabled when the mode changes the label, empty otherwise)
// and the text. The answer carries the stored label, never its display text.
class ItemOperationDialog : public QDialog
{
    Q_OBJECT

public:
    ItemOperationDialog(const ReplacePanelRequest &request, QWidget *parent = nullptr);

    ReplacePanelAnswer answer() const;

private:
    QComboBox *m_label = nullptr;
    QLineEdit *m_text = nullptr;
};
