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

namespace {

// The one rule of every opener; replace and add are its undoable edits of one record.
template <typename Replace, typename Add>
bool applyWith(const EditorContext &context, const Replace &replace, const Add &add)
{
    if (!context.dirty)
        return false;
    const QString field = EditorRoster::fieldOfType(context.type);
    if (EditorRoster::editorForField(field) == EditorKind::None)
        return false;
    if (field == Ident::Renmei) {
        QStringList names;
        for (const QVariant &name : context.values)
            names << name.toString();
        return replace(names.join(u'\n'), Ident::Renmei);
    }
    if (addsOrReplacesOneEntry(field) && context.value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap entry = context.value.toMap();
        const qsizetype labelIndex = entry.value(Key::LabelIndex, context.labelIndex).toLongLong();
        if (labelIndex == EditorContext::NewEntry) {
            QVariantMap added = entry;
            added.remove(Key::LabelIndex); // the record numbers it
            return add(added, field);
        }
        QVariantMap replaced = entry;
        replaced.insert(Key::LabelIndex, labelIndex);
        return replace(replaced, field);
    }
    return replace(context.value, field);
}

} // namespace

bool applyToRow(ViewController &controller, const EditorContext &context, const ContactEntryPtr &row)
{
    if (!row || !row->person)
        return false;
    return applyWith(
        context,
        [&](const QVariant &value, const QString &field) {
            return controller.undoReplaceValue(value, field, row);
        },
        [&](const QVariant &value, const QString &field) {
            return controller.undoAddLabeledValue(value, field, row);
        });
}

bool applyToRecord(RecordEdits &edits, const EditorContext &context, const std::shared_ptr<ZRPerson> &person)
{
    if (!person || !context.dirty)
        return false;
    UndoManager::Group step(edits.undoManager());
    return applyWith(
        context,
        [&](const QVariant &value, const QString &field) { return edits.replaceValue(value, field, person); },
        [&](const QVariant &value, const QString &field) {
            return edits.addLabeledValue(value, field, person);
        });
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
