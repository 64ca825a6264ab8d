#include "document/editors/EditorApply.h"

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSet>

namespace {

bool addsOrReplacesOneEntry(const QString &field)
{
    // Dates are among them: a date editor opened for a new date would otherwise replace nothing and
    // the typed date would be lost.
    return field == Ident::Address || field == Ident::SocialNetwork || field == Ident::InstantMessage
        || field == Ident::Dates;
}

} // namespace

namespace EditorApply {

bool applyToRow(ViewController &controller, const EditorContext &context, const ContactEntryPtr &row)
{
    if (!context.dirty || !row || !row->person)
        return false;
    const QString field = EditorRoster::fieldOfType(context.type);
    if (EditorRoster::editorForField(field) == EditorKind::None)
        return false;
    if (field == Ident::Renmei) {
        QStringList names;
        for (const QVariant &name : context.values)
            names << name.toString();
        return controller.undoReplaceValue(names.join(u'\n'), Ident::Renmei, row);
    }
    if (addsOrReplacesOneEntry(field) && context.value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap entry = context.value.toMap();
        const qsizetype labelIndex = entry.value(Key::LabelIndex, context.labelIndex).toLongLong();
        if (labelIndex == EditorContext::NewEntry) {
            QVariantMap added = entry;
            added.remove(Key::LabelIndex); // the record numbers it
            return controller.undoAddLabeledValue(added, field, row);
        }
        QVariantMap replaced = entry;
        replaced.insert(Key::LabelIndex, labelIndex);
        return controller.undoReplaceValue(replaced, field, row);
    }
    return controller.undoReplaceValue(context.value, field, row);
}

bool apply(ViewController &controller, const EditorContext &context, const ContactTable &rows)
{
    if (!context.dirty)
        return false;
    bool changed = false;
    QSet<const ZRPerson *> done;
    UndoManager::Group step(controller.undoManager());
    for (const ContactEntryPtr &row : rows) {
        if (!row || !row->person || done.contains(row->person.get()))
            continue;
        done.insert(row->person.get());
        changed |= applyToRow(controller, context, row);
    }
    return changed;
}

} // namespace EditorApply
