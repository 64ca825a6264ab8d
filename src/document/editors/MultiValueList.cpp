#include "document/editors/MultiValueList.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <algorithm>

namespace {

struct ServiceTitle
{
    const QString &service;
    const char *key;
};

const QList<ServiceTitle> &serviceTitles()
{
    static const QList<ServiceTitle> table {
        { CN::InstantMessageServiceAIM, "AIMInstant" },
        { CN::InstantMessageServiceFacebook, "FacebookInstant" },
        { CN::InstantMessageServiceGaduGadu, "GaduGaduInstant" },
        { CN::InstantMessageServiceGoogleTalk, "GoogleTalkInstant" },
        { CN::InstantMessageServiceICQ, "ICQInstant" },
        { CN::InstantMessageServiceJabber, "JabberInstant" },
        { CN::InstantMessageServiceMSN, "MSNInstant" },
        { CN::InstantMessageServiceQQ, "QQInstant" },
        { CN::InstantMessageServiceSkype, "SkypeInstant" },
        { CN::InstantMessageServiceYahoo, "YahooInstant" },
    };
    return table;
}

} // namespace

MultiValueList::MultiValueList(const QString &identifier, const QVariantList &entries)
    : m_identifier(identifier)
    , m_labels(Labels::labelsForIdentifier(identifier))
{
    m_entries.reserve(entries.size());
    for (const QVariant &entry : entries) {
        QVariantMap map = entry.toMap();
        const QString label = map.value(labelKey()).toString();
        if (!label.isEmpty() && !m_labels.contains(label))
            m_labels << label;
        m_entries << map;
    }
}

MultiValueList MultiValueList::fromRecord(ZRPerson &person, const QString &identifier)
{
    const QVariantList *entries = person.labeledValues(identifier);
    return MultiValueList(identifier, entries ? *entries : QVariantList());
}

QString MultiValueList::labelKey() const
{
    return Key::Label;
}

QString MultiValueList::text(int row, const QString &key) const
{
    if (row < 0 || row >= count())
        return QString();
    return m_entries.at(row).value(key).toString();
}

QList<MultiValueColumn> MultiValueList::columnsForIdentifier(const QString &identifier)
{
    if (identifier == Ident::Address) {
        return {
            { Key::Label, QT_TRANSLATE_NOOP("MultiValueList", "Label"), true },
            { Ident::ZIP, QT_TRANSLATE_NOOP("MultiValueList", "ZIP") },
            { Ident::State, QT_TRANSLATE_NOOP("MultiValueList", "State") },
            { Ident::City, QT_TRANSLATE_NOOP("MultiValueList", "City") },
            { Ident::Street, QT_TRANSLATE_NOOP("MultiValueList", "Street") },
            { Ident::Country, QT_TRANSLATE_NOOP("MultiValueList", "Country") },
            { CN::PostalAddressISOCountryCodeKey, QT_TRANSLATE_NOOP("MultiValueList", "Country Code") },
        };
    }
    if (identifier == Ident::InstantMessage) {
        return {
            { Key::Label, QT_TRANSLATE_NOOP("MultiValueList", "Label"), true },
            { CN::InstantMessageAddressServiceKey, QT_TRANSLATE_NOOP("MultiValueList", "Service Type") },
            { Key::Value, QT_TRANSLATE_NOOP("MultiValueList", "Username") },
        };
    }
    if (identifier == Ident::SocialNetwork) {
        return {
            { Key::Label, QT_TRANSLATE_NOOP("MultiValueList", "Service Type"), true },
            { Key::Value, QT_TRANSLATE_NOOP("MultiValueList", "Username") },
            { CN::SocialProfileUserIdentifierKey, QT_TRANSLATE_NOOP("MultiValueList", "User Identifier") },
            { CN::SocialProfileURLStringKey, QT_TRANSLATE_NOOP("MultiValueList", "URL String") },
        };
    }
    return {
        { Key::Label, QT_TRANSLATE_NOOP("MultiValueList", "Label"), true },
        { Key::Value, QT_TRANSLATE_NOOP("MultiValueList", "Value") },
    };
}

QStringList MultiValueList::instantMessageServices()
{
    QStringList services;
    for (const ServiceTitle &s : serviceTitles())
        services << s.service;
    return services;
}

QString MultiValueList::instantMessageServiceTitleKey(const QString &service)
{
    for (const ServiceTitle &s : serviceTitles()) {
        if (s.service == service)
            return QString::fromLatin1(s.key);
    }
    return service;
}

int MultiValueList::add()
{
    QVariantMap entry { { Key::Label, m_labels.value(0) }, { Key::Value, QString() },
        { Key::LabelIndex, qsizetype(-1) } };
    if (m_identifier == Ident::InstantMessage)
        entry.insert(CN::InstantMessageAddressServiceKey, instantMessageServices().first());
    if (m_identifier == Ident::Address) {
        for (const QString &part : ZRPerson::addressIdentifiers())
            entry.insert(part, QString());
    }
    m_entries << entry;
    m_changed = true;
    return count() - 1;
}

bool MultiValueList::remove(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool removed = false;
    for (int row : rows) {
        if (row < 0 || row >= count())
            continue;
        m_entries.removeAt(row);
        removed = true;
    }
    m_changed |= removed;
    return removed;
}

bool MultiValueList::setText(int row, const QString &key, const QString &text)
{
    if (row < 0 || row >= count() || key.isEmpty())
        return false;
    QVariantMap &entry = m_entries[row];
    if (entry.value(key).toString() == text && entry.contains(key))
        return false;
    entry.insert(key, text);
    if (key == Key::Value && m_identifier == Ident::InstantMessage)
        entry.insert(CN::InstantMessageAddressUsernameKey, text);
    m_changed = true;
    return true;
}

bool MultiValueList::setLabel(int row, const QString &label)
{
    return setText(row, Key::Label, label);
}

bool MultiValueList::setCustomLabel(int row, const QString &label)
{
    const QString trimmed = label.trimmed();
    if (trimmed.isEmpty() || row < 0 || row >= count())
        return false;
    if (!m_labels.contains(trimmed)) {
        m_labels << trimmed;
        Labels::setLabelToForIdentifier(QString(), trimmed, m_identifier);
    }
    // A profile's label is its service, so the typed name names the service.
    return setLabel(row, trimmed);
}

QVariantList MultiValueList::result() const
{
    QVariantList out;
    out.reserve(m_entries.size());
    for (QVariantMap entry : m_entries) {
        if (m_identifier == Ident::SocialNetwork)
            entry.insert(CN::SocialProfileServiceKey, entry.value(Key::Label));
        ZRPerson::deriveEntry(entry, m_identifier);
        out << entry;
    }
    return out;
}
