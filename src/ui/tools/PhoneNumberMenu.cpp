#include "ui/tools/PhoneNumberMenu.h"

#include "document/DocumentHub.h"
#include "tools/PhoneNormalizeCommand.h"

PhoneNumberMenu::PhoneNumberMenu(QWidget *parent)
    : QMenu(tr("Normalize Phone Numbers"), parent)
{
    using Layout = NormalizePhoneNumber::Layout;
    // The titles are example numbers, the same in every language.
    const QList<std::pair<Layout, QString>> layouts { { Layout::FourPlusFour,
                                                          NormalizePhoneNumber::FourPlusFourTitle },
        { Layout::ThreePlusFour, NormalizePhoneNumber::ThreePlusFourTitle },
        { Layout::TwoPlusFour, NormalizePhoneNumber::TwoPlusFourTitle },
        { Layout::QuadTwo, NormalizePhoneNumber::QuadTwoTitle } };
    for (const auto &[layout, title] : layouts) {
        QAction *action = addAction(title);
        action->setData(int(layout));
        action->setStatusTip(tr("Rewrite the selected phone numbers like %1").arg(title));
        // A structured binding cannot be captured by every compiler we build with.
        const Layout chosen = layout;
        connect(action, &QAction::triggered, this, [this, chosen] { normalize(chosen); });
        m_actions.append(action);
    }
    connect(this, &QMenu::aboutToShow, this, &PhoneNumberMenu::updateEnabled);
    updateEnabled();
}

void PhoneNumberMenu::setHub(DocumentHub *hub)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_hubConnections))
        disconnect(connection);
    m_hubConnections.clear();
    m_hub = hub;
    if (hub) {
        m_hubConnections.append(
            connect(hub, &DocumentHub::contactsChanged, this, &PhoneNumberMenu::updateEnabled));
        m_hubConnections.append(connect(
            &hub->table(), &ContactsViewController::tableReloaded, this, &PhoneNumberMenu::updateEnabled));
        m_hubConnections.append(
            connect(hub, &DocumentHub::columnsChanged, this, &PhoneNumberMenu::updateEnabled));
        m_hubConnections.append(connect(hub, &DocumentHub::closed, this, &PhoneNumberMenu::updateEnabled));
    }
    updateEnabled();
}

void PhoneNumberMenu::setWindowStateProvider(std::function<WindowState()> provider)
{
    m_windowState = std::move(provider);
    updateEnabled();
}

QAction *PhoneNumberMenu::actionFor(NormalizePhoneNumber::Layout layout) const
{
    for (QAction *action : m_actions) {
        if (action->data().toInt() == int(layout))
            return action;
    }
    return nullptr;
}

void PhoneNumberMenu::updateEnabled()
{
    bool enabled = false;
    if (m_hub && m_hub->isOpen()) {
        const WindowState window = m_windowState ? m_windowState() : WindowState {};
        enabled = m_hub->validateCommand({ Command::NormalizePhoneNumber, {}, {} }, window).enabled;
    }
    for (QAction *action : std::as_const(m_actions))
        action->setEnabled(enabled);
    setEnabled(enabled);
}

int PhoneNumberMenu::normalize(NormalizePhoneNumber::Layout layout)
{
    if (!m_hub || !m_hub->isOpen())
        return 0;
    // Each selected row stands for the phone number it shows; rows of other fields have none there and
    // are skipped by the command.
    const int changed = PhoneNormalizeCommand::normalizePhoneNumber(
        m_hub->viewController(), m_hub->table().selectedSubContacts(), layout);
    emit normalized(changed);
    return changed;
}
