#pragma once

#include "document/Commands.h"
#include "document/DocumentHub.h"
#include "tools/NormalizePhoneNumber.h"

#include <QMenu>
#include <QPointer>
#include <functional>

class DocumentHub;

// The phone-number layouts menu: one action per layout, each titled with an example number. The
// window gives it its hub and a way to read the window's state; the actions follow the command's
// enabling rule whenever the hub tells of a change or the menu is about to show.
class PhoneNumberMenu : public QMenu
{
    Q_OBJECT

public:
    explicit PhoneNumberMenu(QWidget *parent = nullptr);

    void setHub(DocumentHub *hub);
    DocumentHub *hub() const { return m_hub; }
    // What only the window knows (key window, information pane, merge sheet); default: a plain window.
    void setWindowStateProvider(std::function<WindowState()> provider);

    QAction *actionFor(NormalizePhoneNumber::Layout layout) const;
    QList<QAction *> layoutActions() const { return m_actions; }

    // Rewrites the selected rows' numbers in the layout, as one undo step; the number changed.
    int normalize(NormalizePhoneNumber::Layout layout);
    void updateEnabled();

signals:
    void normalized(int changed);

private:
    QPointer<DocumentHub> m_hub;
    std::function<WindowState()> m_windowState;
    QList<QAction *> m_actions;
    QList<QMetaObject::Connection> m_hubConnections;
};
