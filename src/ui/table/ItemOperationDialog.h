#pragma once

#include "find/CellCommands.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// The sheet of the context menu's replace, prepend, append and add entries: the message, the label
// (when the mode changes it) and the text. A plain stand-in until the find window's replace sheet
// takes its place; it answers the same request.
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
