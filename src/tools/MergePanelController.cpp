#include "tools/MergePanelController.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

// A working copy: the row with a copy of its record. The record's copy leaves out the joint names,
// which the sheet shows and the confirmation writes back, so they are carried over here.
ContactEntryPtr workingCopy(const ContactEntryPtr &row)
{
    auto copy = std::make_shared<ContactEntry>(*row);
    if (row->person) {
        copy->person = row->person->copy();
        copy->person->setValueForIdentifier(row->person->valueForIdentifier(Ident::Renmei), Ident::Renmei);
    }
    return copy;
}

} // namespace

MergePanelController::MergePanelController()
{
    // Every step the sheet's stack gains counts as a change, whether a drop or a cell edit made it,
    // so edits typed into the sheet are confirmed too; undo takes one away and redo gives it back.
    QObject::connect(&m_undo, &UndoManager::stateChanged, &m_undo, [this] { undoStackDidChange(); });
}

bool MergePanelController::setContextInfo(const MergeContext &context, bool editable)
{
    m_context = context;
    m_context.newContacts.clear();
    m_undo.removeAllActions();
    m_changeCount = 0;
    m_undoSteps = 0;
    m_dragSide.reset();
    m_left.reset();
    m_right.reset();
    if (context.contacts.size() >= 2 && context.contacts.at(0) && context.contacts.at(1)) {
        m_left = workingCopy(context.contacts.at(0));
        m_right = workingCopy(context.contacts.at(1));
    }
    m_nameOrderingLabels = m_left ? MergeTable::nameOrderingLabels(*m_left) : QStringList();
    setEditableLook(editable);
    reloadTables();
    return m_left != nullptr;
}

QString MergePanelController::textForRow(Side side, int row) const
{
    const MergeRows &rows = table(side);
    const ContactEntryPtr &entry = contact(side);
    if (!entry || row < 0 || row >= rows.size())
        return QString();
    return MergeTable::textForRow(*entry, rows.at(row));
}

void MergePanelController::setEditableLook(bool editable)
{
    MergeSheetLook look;
    look.editable = editable;
    if (editable) {
        look.editButtonTitle = MergeText::Lock;
        look.editButtonOn = true;
        look.confirmButtonTitle = MergeText::Change;
        look.confirmButtonEnabled = m_changeCount > 0;
        look.cancelHidden = false;
        look.separatorRed = true;
        look.separatorBorderWidth = 2.0;
    }
    m_look = look;
}

void MergePanelController::setEditButtonOn(bool on)
{
    if (m_changeCount >= 1) {
        m_look.editButtonOn = true;
        return;
    }
    setEditableLook(on);
    reloadTables();
}

void MergePanelController::reloadTables()
{
    m_tableLeft = m_left ? MergeTable::tableFromContact(*m_left) : MergeRows();
    m_tableRight = m_right ? MergeTable::tableFromContact(*m_right) : MergeRows();
}

void MergePanelController::undoStackDidChange()
{
    const int steps = m_undo.undoCount();
    m_changeCount = std::max(0, m_changeCount + steps - m_undoSteps);
    m_undoSteps = steps;
    if (m_look.editable)
        m_look.confirmButtonEnabled = m_changeCount > 0;
    reloadTables();
}

std::unique_ptr<QMimeData> MergePanelController::writeRowsWithIndexes(Side side, const QList<int> &rows)
{
    const MergeRows &table = this->table(side);
    const ContactEntryPtr &entry = contact(side);
    if (rows.isEmpty() || !entry || rows.first() < 0 || rows.first() >= table.size())
        return nullptr;
    m_dragSide = side;
    m_dragRow = rows.first();
    const MergeRow &row = table.at(m_dragRow);
    auto data = std::make_unique<QMimeData>();
    if (row.type == Ident::Photo) {
        const QImage photo = entry->person ? entry->person->photo() : QImage();
        if (!photo.isNull())
            data->setImageData(photo);
        return data;
    }
    const QString label = !row.part.isEmpty() ? row.part : row.labeled ? row.label : row.type;
    data->setText(MergeText::DragTextFormat.arg(label, MergeTable::textForRow(*entry, row)));
    return data;
}

MergePanelController::DropOperation MergePanelController::validateDrop(
    Side target, int row, DropPosition position, bool optionHeld) const
{
    // A locked sheet shows the two contacts; it takes no changes until it is unlocked.
    if (!m_look.editable || !m_dragSide || *m_dragSide == target)
        return DropOperation::None;
    const MergeRows &source = table(*m_dragSide);
    const MergeRows &rows = table(target);
    if (m_dragRow < 0 || m_dragRow >= source.size() || row < 0 || row >= rows.size())
        return DropOperation::None;
    const MergeRow &dragged = source.at(m_dragRow);
    const MergeRow &onto = rows.at(row);
    if (onto.type != dragged.type || !MergeTable::isDraggableType(dragged.type))
        return DropOperation::None;
    if (dragged.labeled ? onto.valueCount < 0 : position != DropPosition::On)
        return DropOperation::None;
    return optionHeld ? DropOperation::Copy : DropOperation::Move;
}

bool MergePanelController::acceptDrop(Side target, int row, DropPosition position, bool optionHeld)
{
    const DropOperation operation = validateDrop(target, row, position, optionHeld);
    if (operation == DropOperation::None)
        return false;
    const bool move = operation == DropOperation::Move;
    const MergeRow dragged = table(*m_dragSide).at(m_dragRow);
    const MergeRow onto = table(target).at(row);
    const std::shared_ptr<ZRPerson> s = contact(*m_dragSide)->person;
    const std::shared_ptr<ZRPerson> t = contact(target)->person;
    if (!s || !t)
        return false;

    bool changed = false;
    {
        UndoManager::Group group(m_undo);
        if (!dragged.part.isEmpty()) {
            const QString identifier = MergeTable::partIdentifier(dragged);
            changed |= m_edits.replaceValue(s->valueForIdentifier(identifier).toString(), identifier, t);
            if (move)
                changed |= m_edits.replaceValue(u""_s, identifier, s);
        } else if (dragged.type == Ident::Photo) {
            const QByteArray photo = s->imageData();
            changed |= m_edits.replaceValue(photo.isEmpty() ? QVariant() : QVariant(photo), Ident::Photo, t);
            if (move)
                changed |= m_edits.replaceValue(QVariant(), Ident::Photo, s);
        } else if (dragged.labeled) {
            const QVariant value = dragged.labelIndex < 0
                ? QVariant()
                : s->labeledValueForIdentifierAtLabelIndex(dragged.type, dragged.labelIndex);
            if (value.typeId() == QMetaType::QVariantMap) {
                QVariantMap entry = value.toMap();
                if (move)
                    changed |= m_edits.deleteLabeledValue(entry, dragged.type, s);
                if (position == DropPosition::On && onto.labelIndex >= 0) {
                    entry.insert(Key::LabelIndex, onto.labelIndex);
                    changed |= m_edits.replaceValue(entry, dragged.type, t);
                } else {
                    entry.remove(Key::LabelIndex);
                    changed |= m_edits.addLabeledValue(entry, dragged.type, t);
                }
            }
        } else {
            changed |= m_edits.replaceValue(s->valueForIdentifier(dragged.type), dragged.type, t);
            if (move) {
                const QVariant emptied = dragged.type == Ident::Birthday ? QVariant() : QVariant(u""_s);
                changed |= m_edits.replaceValue(emptied, dragged.type, s);
            }
        }
    }
    m_dragSide.reset();
    reloadTables();
    return changed;
}

int MergePanelController::confirm()
{
    const bool changes = m_changeCount >= 1;
    if (changes)
        m_context.newContacts = ContactTable { m_left, m_right };
    setEditableLook(false);
    return changes ? 1 : 0;
}

int MergePanelController::cancel()
{
    m_left.reset();
    m_right.reset();
    m_undo.removeAllActions();
    m_changeCount = 0;
    m_undoSteps = 0;
    reloadTables();
    return 0;
}
