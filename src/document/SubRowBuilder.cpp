#include "document/SubRowBuilder.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QHash>

namespace {

// Labels already registered, by field: a rebuild meets the same few labels over and over.
void registerLabel(const QString &label, const QString &field)
{
    static QHash<QString, QSet<QString>> known;
    QSet<QString> &labels = known[field];
    if (labels.contains(label))
        return;
    labels.insert(label);
    ZRPerson::setLabelToForIdentifier(QString(), label, field);
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
        if (identifier != Ident::Name && labelled.contains(field) && !m_fields.contains(field))
            m_fields.append(field);
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
    for (const QString &field : m_fields) {
        const QVariantList *values = contact->person->labeledValues(field);
        if (!values)
            continue;
        for (qsizetype i = 0; i < values->size(); ++i) {
            const QString label = ZRPerson::entryValue(values->at(i), Key::Label).toString();
            // Labels met in the data are offered in the label popups from now on.
            registerLabel(label, field);
            if ((m_allLabels || m_labels.contains(label)) && i >= count) {
                auto row = std::make_shared<ContactEntry>(*first);
                row->labelIndex = i;
                rows.append(std::move(row));
                ++count;
            }
        }
    }
    if (!senders)
        return;
    const QVariantList &addresses = contact->person->addressValues();
    for (qsizetype r = start; r < rows.size(); ++r) {
        const ContactEntry &row = *rows.at(r);
        if (row.labelIndex < addresses.size()
            && ZRPerson::entryValue(addresses.at(row.labelIndex), Key::Sender).toBool())
            senders->insert(&row);
    }
}
