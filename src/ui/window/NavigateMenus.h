#pragma once

#include <QObject>

class DocumentHub;
class QMenu;
class QWidget;
class WindowActions;
struct MenuModel;

// The pop-up menus the toolbar and the "Navigate" menu share: Group, View Type, Columns, Labels,
// Sort Options and Contact. Each is one QMenu shown in both places, rebuilt from the hub's menu model
// each time it opens, so its check marks are the rules' of that moment; a choice goes to the hub.
class NavigateMenus : public QObject
{
    Q_OBJECT
public:
    NavigateMenus(DocumentHub &hub, WindowActions &actions, QWidget *window);

    QMenu *groupMenu() const { return m_group; }
    QMenu *viewTypeMenu() const { return m_viewType; }
    QMenu *columnsMenu() const { return m_columns; }
    QMenu *labelsMenu() const { return m_labels; }
    QMenu *sortOptionsMenu() const { return m_sortOptions; }
    QMenu *contactMenu() const { return m_contact; }

    // Builds every menu now (opening one does the same for that one).
    void rebuild();

private:
    QMenu *make(const QString &title, const QString &objectName, void (NavigateMenus::*fill)());
    void fillGroups();
    void fillViewTypes();
    void fillColumns();
    void fillLabels();
    void fillSortOptions();
    void fillContact();
    // The model's title item heads the menu; then one checkable entry per item.
    template <typename Choose> void fillFromModel(QMenu *menu, const MenuModel &model, Choose choose);

    DocumentHub &m_hub;
    WindowActions &m_actions;
    QMenu *m_group;
    QMenu *m_viewType;
    QMenu *m_columns;
    QMenu *m_labels;
    QMenu *m_sortOptions;
    QMenu *m_contact;
};
