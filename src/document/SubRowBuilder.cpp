#include "document/SubRowBuilder.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <algorithm>
#include <map>

namespace {

// Labels already registered, by field: a rebuild meets the same few labels over and over. A node map,
// so that a builder may keep its fields' sets for the whole build. One per thread: a window's first rows
// are built on the worker that read its file while other windows rebuild theirs.
QSet<QString> &registeredLabels(const QString &field)
{
    thread_local std::map<QString, QSet<QString>> known;
    return known[field];
}

} // namespace

SubRowBuilder::SubRowBuilder(const QStringList &identifiers, const QStringList &labels)
    : m_labels(labels.cbegin(), labels.cend())
    , m_allLabels(labels.isEmpty() || labels.contains(LabelText::All))
{
    const QStringList &addressParts = ZRPerson::addressIdentifiers();
    const QStringList &labelled = ZRPerson::labeledIdentifiers();
    for (const QString &identifier : identifiers) {
        // Address parts are columns of one field: its values spread rows once.
        const QString &field = addressParts.contains(identifier) ? Ident::Address : identifier;
        if (identifier == Ident::Name || !labelled.contains(field))
            continue;
        const auto done = [&](const Field &f) { return f.identifier == field; };
        if (std::none_of(m_fields.cbegin(), m_fields.cend(), done))
            m_fields.push_back({ field, &registeredLabels(field) });
    }
}

void SubRowBuilder::append(
    const ContactEntryPtr &contact, ContactTable &rows, QSet<const ContactEntry *> *senders) const
{
    const qsizetype start = rows.size();
    auto first = std::make_shared<ContactEntry>();
    first->person = contact->person;
    first->uniqueId = contact->uniqueId;
    first->labelIndex = 0;
    rows.append(first);
    qsizetype count = 1;
    for (const Field &field : m_fields) {
        // Only the labels are needed here, and a record just read gives them without building its values.
        contact->person->entryLabels(field.identifier, m_entryLabels);
        for (qsizetype i = 0; i < m_entryLabels.size(); ++i) {
            const QString &label = m_entryLabels.at(i);
            // Labels met in the data are offered in the label popups from now on.
            if (!field.registeredLabels->contains(label)) {
                field.registeredLabels->insert(label);
                Labels::setLabelToForIdentifier(QString(), label, field.identifier);
            }
            if ((m_allLabels || m_labels.contains(label)) && i >= count) {
                auto row = std::make_shared<ContactEntry>(*first);
                row->labelIndex = i;
                rows.append(std::move(row));
                ++count;
            }
        }
    }
    // Sender marks are set on built records only (reading a card with layouts builds it).
    if (!senders || contact->person->hasUnbuiltValues())
        return;
    const QVariantList &addresses = contact->person->addressValues();
    for (qsizetype r = start; r < rows.size(); ++r) {
        const ContactEntry &row = *rows.at(r);
        if (row.labelIndex < addresses.size()
            && ZRPerson::entryValue(addresses.at(row.labelIndex), Key::Sender).toBool())
            senders->insert(&row);
    }
}
