#include "find/SearchedTexts.h"

#include "find/FindMatch.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QVarLengthArray>

namespace FindEngine {

namespace {

constexpr qsizetype NotFound = FindRange::NotFound;

// Texts are laid end to end in a plain buffer: appending to it is a copy, with no checks for sharing.
void appendText(std::u16string &out, const QString &text)
{
    out.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
}

// A found value's text, read without a copy of the string when it holds one.
void appendFound(std::u16string &out, const QVariant *value)
{
    if (value && value->metaType() == QMetaType::fromType<QString>())
        appendText(out, *static_cast<const QString *>(value->constData()));
    else if (value)
        appendText(out, value->toString());
}

} // namespace

SearchedTexts::SearchedTexts(const QStringList &columns)
    : m_columns(columns)
{
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        const QString &id = m_columns.at(c);
        const CellKind kind = tableCellKind(id);
        m_kinds.push_back(kind);
        m_everyRow.push_back(searchedInEveryRow(id));
        qsizetype slot = -1;
        if (kind == CellKind::String || kind == CellKind::Name) {
            slot = qsizetype(m_stringKeys.size());
            m_stringKeys.push_back(kind == CellKind::Name ? &Ident::Company : &id);
            // A company column beside the name holds the same text already.
            m_nameHasCompany
                = m_nameHasCompany || (kind == CellKind::Name && !columns.contains(Ident::Company));
        } else if (kind == CellKind::AddressPart) {
            slot = qsizetype(m_addressKeys.size());
            m_addressKeys.push_back(&id);
        }
        m_slots.push_back(slot);
    }
    if (!m_addressKeys.empty())
        m_addressKeys.push_back(&Key::LabelIndex);
}

// Each read below gives the very strings the cell search of the same kind of cell looks in (the
// plain columns' texts read together, as the table search reads them).
void SearchedTexts::append(const ContactEntry &row, std::u16string &out) const
{
    if (!row.person)
        return;
    ZRPerson &person = *row.person;
    const bool firstRow = row.labelIndex == 0;
    const qsizetype L = row.labelIndex == NotFound ? 0 : row.labelIndex;
    const char16_t separator = Separator;
    const auto add = [&](const QString &text) {
        appendText(out, text);
        out.push_back(separator);
    };
    // "first last first" holds the name as the cell shows it in either order.
    const auto addBothOrders = [&](const QVariantMap &name) {
        const QString *const keys[] { &Ident::FirstName, &Ident::LastName };
        const QVariant *parts[std::size(keys)];
        findKeys(name, keys, parts);
        appendFound(out, parts[0]);
        out.push_back(u' ');
        appendFound(out, parts[1]);
        out.push_back(u' ');
        appendFound(out, parts[0]);
        out.push_back(separator);
    };

    QVarLengthArray<const QVariant *, 8> strings(qsizetype(m_stringKeys.size()));
    if (firstRow && !m_stringKeys.empty())
        findKeys(person.stringValues(), m_stringKeys, strings);
    QVarLengthArray<const QVariant *, 8> address(qsizetype(m_addressKeys.size()));
    QVariantMap entry;
    bool direct = false;
    if (!m_addressKeys.empty()) {
        const QVariantList &addresses = person.addressValues();
        if (L < addresses.size() && addresses.at(L).typeId() == QMetaType::QVariantMap) {
            entry = addresses.at(L).toMap(); // shared, not copied
            findKeys(entry, m_addressKeys, address);
            direct = !address.last() || address.last()->toLongLong() == L;
        }
    }

    for (size_t c = 0; c < m_kinds.size(); ++c) {
        if (!m_everyRow[c] && !firstRow)
            continue;
        const QString &id = m_columns.at(qsizetype(c));
        const qsizetype slot = m_slots[c];
        switch (m_kinds[c]) {
        case CellKind::Skipped:
        case CellKind::Date:
            break;
        case CellKind::Name:
            if (m_nameHasCompany) { // the company, shown for an organisation
                appendFound(out, strings[slot]);
                out.push_back(separator);
            }
            addBothOrders(person.readNameValue());
            break;
        case CellKind::PhoneticName:
            person.readNameValue();
            addBothOrders(person.readPhoneticNameValue());
            break;
        case CellKind::String:
            appendFound(out, strings[slot]);
            out.push_back(separator);
            break;
        case CellKind::AddressPart:
            if (direct) {
                appendFound(out, address[slot]);
                out.push_back(separator);
            } else {
                add(person.stringValueForIdentifierAtLabelIndex(id, L));
            }
            break;
        case CellKind::Address: {
            const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(Ident::Address, L);
            if (labeled.typeId() != QMetaType::QVariantMap)
                break;
            const QVariantMap parts = labeled.toMap();
            for (const QString &part : ZRPerson::addressIdentifiers())
                add(textForKey(parts, part));
            break;
        }
        case CellKind::InstantMessage: {
            const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(id, L);
            if (labeled.typeId() != QMetaType::QVariantMap)
                break;
            const QVariantMap im = labeled.toMap();
            add(textForKey(im, CN::InstantMessageAddressServiceKey) + u':');
            add(textForKey(im, CN::InstantMessageAddressUsernameKey));
            break;
        }
        case CellKind::Labeled:
            add(person.stringValueForIdentifierAtLabelIndex(id, L));
            break;
        case CellKind::Other:
            add(person.stringValueForIdentifierAtLabelIndex(id, row.labelIndex));
            break;
        }
    }
}

} // namespace FindEngine
