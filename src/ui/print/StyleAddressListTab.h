#pragma once

#include "ui/print/StyleTab.h"

#include <QStringList>

class QCheckBox;
class QListView;
class QMenu;
class QToolButton;
class StyleItemTableModel;

// The address list tab: which fields print and in which order (drag a row to move it), frames,
// alternating rows and the label filter, a menu of labels with marks.
class StyleAddressListTab : public StyleTab
{
    Q_OBJECT

public:
    explicit StyleAddressListTab(QWidget *parent = nullptr);

    void load(const QVariantMap &options) override;
    void store(QVariantMap &options) const override;

    void setColumnsInMainView(const QStringList &columns) { m_columnsInMainView = columns; }
    StyleItemTableModel *itemModel() const { return m_model; }
    QMenu *labelMenu() const { return m_labelMenu; }
    // Chooses an entry of the label filter as a click in its menu does.
    void chooseLabel(int index);
    QStringList selectedLabels() const { return m_selectedLabels; }

private:
    void rebuildLabelMenu();

    StyleItemTableModel *m_model = nullptr;
    QListView *m_items = nullptr;
    QCheckBox *m_frame = nullptr;
    QCheckBox *m_alternating = nullptr;
    QToolButton *m_labelButton = nullptr;
    QMenu *m_labelMenu = nullptr;
    QStringList m_columnsInMainView;
    QStringList m_selectedLabels;
};
