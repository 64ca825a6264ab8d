#include "ui/editors/FieldEditors.h"

#include "document/DocumentHub.h"
#include "document/editors/EditorApply.h"
#include "model/Identifiers.h"
#include "ui/editors/AccountEditors.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/DateEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/MultiValueEditor.h"
#include "ui/editors/NameEditor.h"
#include "ui/editors/RenmeiEditor.h"

#include <QPointer>
#include <QSet>

namespace {

// The records the document still holds: in a group's table and not deleted there. A table's rows are
// built for the view and carry no deleted mark of their own, so rows are looked up by their record.
QSet<const ZRPerson *> recordsInDocument(const ViewController &controller)
{
    QSet<const ZRPerson *> records;
    for (const ContactContainerPtr &container : controller.containerTable()) {
        if (!container)
            continue;
        for (const ContactGroupPtr &group : container->groups) {
            if (!group || group->deleted || !group->contactTable)
                continue;
            for (const ContactEntryPtr &entry : *group->contactTable) {
                if (entry && entry->person && !entry->deleted)
                    records.insert(entry->person.get());
            }
        }
    }
    return records;
}

// The rows whose contacts the document still holds.
ContactTable rowsInDocument(const ViewController &controller, const ContactTable &rows)
{
    const QSet<const ZRPerson *> records = recordsInDocument(controller);
    ContactTable remaining;
    for (const ContactEntryPtr &row : rows) {
        if (row && row->person && !row->deleted && records.contains(row->person.get()))
            remaining << row;
    }
    return remaining;
}

// An editor whose every contact was deleted has nothing left to edit: it closes, in its pop-up or in
// the window it was torn off into, as the information panels do. Closing the torn-off window is a
// Cancel; the pop-up's close applies the result, which leaves the deleted contacts out.
void closeWhenContactsDeleted(ViewController &controller, FieldEditor *editor, const ContactTable &rows)
{
    QObject::connect(&controller, &ViewController::contactsChanged, editor,
        [&controller, editor, rows](const ChangeNotice &notice) {
            if (!FieldEditors::rowsGone(controller, notice, rows))
                return;
            if (QWidget *window = editor->window(); window && window != editor && window->isVisible())
                window->close();
        });
}

} // namespace

namespace FieldEditors {

bool rowsGone(const ViewController &controller, const ChangeNotice &notice, const ContactTable &rows)
{
    using S = ChangeNotice::Structure;
    if (!(notice.structure & (ChangeNotice::StructureChanges(S::RowsRemoved) | S::GroupContents)))
        return false;
    return rowsInDocument(controller, rows).isEmpty();
}

FieldEditor *createEditor(EditorKind kind, QWidget *parent)
{
    switch (kind) {
    case EditorKind::Name:
        return new NameEditor(parent);
    case EditorKind::PhoneticName:
        return new PhoneticNameEditor(parent);
    case EditorKind::MultiValue:
        return new MultiValueEditor(parent);
    case EditorKind::Address:
        return new AddressEditor(parent);
    case EditorKind::InstantMessage:
        return new InstantMessageEditor(parent);
    case EditorKind::SocialNetwork:
        return new SocialNetworkEditor(parent);
    case EditorKind::Dates:
    case EditorKind::Birthday:
        return new DateEditor(parent);
    case EditorKind::Renmei:
        return new RenmeiEditor(parent);
    case EditorKind::None:
        break;
    }
    return nullptr;
}

EditorPopover *showEditor(FieldEditor *editor, const QRect &anchor, const QSize &size, QWidget *parent,
    const std::function<void()> &whenDone)
{
    auto *popover = new EditorPopover(editor, parent);
    QObject::connect(editor, &FieldEditor::finished, popover, &QWidget::close);
    QObject::connect(popover, &EditorPopover::closed, popover, whenDone);
    // Torn off (the address editor does so before its postal-code search opens), the editor goes on in
    // a window of its own: its Done or Cancel there ends it as in the pop-up, and closing the window
    // is a Cancel.
    QObject::connect(popover, &EditorPopover::detached, editor, [editor, whenDone](QWidget *window) {
        QObject::connect(editor, &FieldEditor::finished, window, [window, whenDone] {
            whenDone();
            window->close();
        });
    });
    popover->showAt(anchor, size);
    return popover;
}

EditorPopover *openEditor(ViewController &controller, const EditorContext &context, const ContactTable &rows,
    const QRect &anchor, QWidget *parent, bool wholeList, std::function<void(bool)> done)
{
    FieldEditor *editor = createEditor(EditorRoster::editorForField(context.type, wholeList));
    if (!editor)
        return nullptr;
    editor->setContextInfo(context);
    QPointer<ViewController> guard(&controller);
    closeWhenContactsDeleted(controller, editor, rows);
    return showEditor(
        editor, anchor, EditorRoster::popoverContentSize(context.type), parent, [editor, guard, rows, done] {
            bool changed = false;
            if (guard)
                changed = EditorApply::apply(*guard, editor->contextInfo(), rowsInDocument(*guard, rows));
            if (done)
                done(changed);
        });
}

EditorPopover *openEditorForRow(DocumentHub &hub, int row, const QString &identifier, qsizetype position,
    const QRect &anchor, QWidget *parent, bool wholeList)
{
    const ContactsViewController &table = hub.table();
    if (row < 0 || row >= table.subRows().size())
        return nullptr;
    const ContactEntryPtr contact = table.subRows().row(row);
    const qsizetype labelIndex = position < 0
        ? EditorContext::NewEntry
        : (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Renmei
                    || identifier == Ident::Birthday
                ? 0
                : EditorRoster::labelIndexAtPosition(contact, identifier, position));
    const EditorContext context = EditorRoster::contextFor(contact, identifier, labelIndex, hub.editState());
    ContactTable rows;
    if (table.selectedRows().contains(row)) {
        for (int selected : table.selectedRows()) {
            if (selected >= 0 && selected < table.subRows().size())
                rows << table.subRows().row(selected);
        }
    } else {
        rows << contact;
    }
    return openEditor(hub.viewController(), context, rows, anchor, parent, wholeList);
}

EditorPopover *openDateEditor(const EditorContext &context, const QRect &anchor, QWidget *parent,
    std::function<void(const EditorContext &)> confirmed)
{
    auto *editor = new DateEditor;
    editor->setContextInfo(context);
    return showEditor(editor, anchor, EditorRoster::datePopoverContentSize(), parent, [editor, confirmed] {
        if (editor->contextInfo().dirty && confirmed)
            confirmed(editor->contextInfo());
    });
}

} // namespace FieldEditors
