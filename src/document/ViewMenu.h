#pragma once

#include <QList>
#include <QString>

// A toolbar popup's menu as plain data: the window builds widgets from it, tests read it.
struct MenuItem
{
    QString title;
    // The untranslated identifier, label or key the entry acts on; empty for the title item.
    QString representedObject;
    bool checked = false;
    // The popup's first item: it names the popup and does nothing.
    bool isTitleItem = false;
    QList<MenuItem> submenu;
};

struct MenuModel
{
    // The title of the same menu under the main menu's "Navigate" menu.
    QString navigateTitle;
    QList<MenuItem> items;

    // The first entry (title item excluded) acting on this object; nullptr when none.
    const MenuItem *find(const QString &representedObject) const
    {
        for (const MenuItem &item : items) {
            if (!item.isTitleItem && item.representedObject == representedObject)
                return &item;
        }
        return nullptr;
    }
};
