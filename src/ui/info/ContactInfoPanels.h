#pragma once

#include "formats/ContactContainer.h"

#include <QRect>

class ContactInfoView;
class DocumentHub;
class EditorPopover;
class QWidget;

// The information panel in its three places, wired to a document's hub the same way: it edits through
// the hub's controller, follows the edit state, shows the contact's groups, and follows its contact.
namespace ContactInfoPanels {

// A panel for the hub's contacts (not yet shown anywhere).
ContactInfoView *makePanel(DocumentHub &hub, QWidget *parent = nullptr);
// The window's third pane: it shows the row the table selects.
ContactInfoView *makePane(DocumentHub &hub, QWidget *parent);
// The popover from the table, anchored at the cell (global coordinates); it can be torn off into a
// window of its own, titled with the contact's name, which closes when the contact is deleted.
EditorPopover *openPopover(
    DocumentHub &hub, const ContactEntryPtr &contact, const QRect &anchor, QWidget *parent);
// The panel a popover or a torn-off window holds.
ContactInfoView *panelOf(QWidget *popoverOrWindow);
// A read-only panel for a contact outside any document (the import sheet).
ContactInfoView *makeReadOnlyPanel(QWidget *parent);

} // namespace ContactInfoPanels
