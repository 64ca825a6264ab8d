#include "ui/info/ContactInfoPanels.h"

#include "document/DocumentHub.h"
#include "document/editors/EditorLockState.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/info/ContactInfoView.h"

#include <QPointer>

namespace {

// The content size of the information popover (the field editors' sizes are for the editors).
const QSize PopoverSize(380, 520);

QString windowTitleFor(const ContactEntryPtr &contact)
{
    QString name = contact && contact->person ? contact->person->compositeName() : QString();
    if (name.isEmpty() || name == LabelText::NoName)
        name = EditorText::NoName.text();
    return name;
}

} // namespace

namespace ContactInfoPanels {

ContactInfoView *makePanel(DocumentHub &hub, QWidget *parent)
{
    auto *panel = new ContactInfoView(&hub.viewController(), &hub.defaults(), parent);
    panel->setEditable(hub.editState());
    ViewController *controller = &hub.viewController();
    panel->setGroupNamesProvider([controller](const ContactEntryPtr &contact) {
        QStringList names = controller->groupNamesOfContact(contact);
        names.removeAll(ContainerText::AllContacts); // every contact is in it
        return names;
    });
    QObject::connect(&hub, &DocumentHub::editStateChanged, panel, &ContactInfoView::setEditable);
    return panel;
}

ContactInfoView *makePane(DocumentHub &hub, QWidget *parent)
{
    ContactInfoView *panel = makePanel(hub, parent);
    QObject::connect(&hub.viewController(), &ViewController::informationPaneNeedsReload, panel,
        &ContactInfoView::setContact);
    const ContactTable selected = hub.selectedContacts();
    if (!selected.isEmpty())
        panel->setContact(selected.first());
    return panel;
}

EditorPopover *openPopover(
    DocumentHub &hub, const ContactEntryPtr &contact, const QRect &anchor, QWidget *parent)
{
    ContactInfoView *panel = makePanel(hub);
    panel->setContact(contact);
    auto *popover = new EditorPopover(panel, parent);
    popover->setDetachable(true);
    QObject::connect(popover, &EditorPopover::detached, panel, [panel, contact](QWidget *window) {
        window->setWindowTitle(windowTitleFor(contact));
        QPointer<QWidget> guard(window);
        QObject::connect(panel, &ContactInfoView::contactDeleted, window, [guard] {
            if (guard)
                guard->close();
        });
        QObject::connect(panel, &ContactInfoView::contactDidUpdate, window,
            [window](const ContactEntryPtr &shown) { window->setWindowTitle(windowTitleFor(shown)); });
    });
    // A popover whose contact is deleted has nothing left to show.
    QObject::connect(panel, &ContactInfoView::contactDeleted, popover, [popover] {
        if (!popover->isHidden())
            popover->close();
    });
    popover->showAt(anchor, PopoverSize);
    return popover;
}

ContactInfoView *panelOf(QWidget *popoverOrWindow)
{
    return popoverOrWindow ? popoverOrWindow->findChild<ContactInfoView *>() : nullptr;
}

ContactInfoView *makeReadOnlyPanel(QWidget *parent)
{
    return new ContactInfoView(nullptr, nullptr, parent);
}

} // namespace ContactInfoPanels
