#include "cli/DumpCardJson.h"

#include "cli/DumpJson.h"
#include "cli/JsonText.h"
#include "cli/VariantJson.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

using JsonText::Writer;

// An object's members, written in the order given: the caller gives them in a JSON object's key
// order (UTF-16 order, capitals first), which is the order the record's dictionaries come out in.
class Object
{
public:
    Object(Writer &out, int depth)
        : m_out(out)
        , m_depth(depth)
    {
        m_out.put('{');
    }
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;

    // Starts a member; its value is written next, as it stands inner() steps in.
    void key(QByteArrayView name)
    {
        m_out.put(m_empty ? QByteArrayView("\n") : QByteArrayView(",\n"));
        m_empty = false;
        m_out.indent(m_depth + 1);
        m_out.put('"');
        m_out.put(name);
        m_out.put("\": ");
    }
    void string(QByteArrayView name, QStringView text)
    {
        key(name);
        m_out.string(text);
    }
    void integer(QByteArrayView name, qint64 number)
    {
        key(name);
        m_out.integer(number);
    }
    int inner() const { return m_depth + 1; }
    void end()
    {
        m_out.put('\n');
        m_out.indent(m_depth);
        m_out.put('}');
    }

private:
    Writer &m_out;
    int m_depth;
    bool m_empty = true;
};

// An array of count items as it stands depth steps in; item(i, depth) writes the i-th.
template <typename Item> void putArray(Writer &out, qsizetype count, int depth, Item item)
{
    out.put("[\n");
    for (qsizetype i = 0; i < count; ++i) {
        out.indent(depth + 1);
        item(i, depth + 1);
        out.put(i + 1 < count ? QByteArrayView(",\n") : QByteArrayView("\n"));
    }
    out.indent(depth);
    out.put(']');
}

// A labelled field's entries, each an object of its own, as the member named name.
template <typename List, typename Entry>
void putEntries(Object &object, Writer &out, QByteArrayView name, const List &list, Entry entry)
{
    if (list.isEmpty())
        return;
    object.key(name);
    putArray(out, list.size(), object.inner(), [&](qsizetype i, int depth) {
        Object member(out, depth);
        entry(member, list.at(i), i);
        member.end();
    });
}

QString labelOrNoLabel(const QString &storeLabel)
{
    QString label = Labels::labelFromCNLabel(storeLabel);
    return label.isEmpty() ? LabelText::NoLabel : label;
}

void putPostalAddress(Writer &out, const StorePostalAddress &a, int depth)
{
    Object object(out, depth);
    object.string("ISOCountryCode", a.isoCountryCode);
    object.string("city", a.city);
    object.string("country", a.country);
    object.string("postalCode", a.postalCode);
    object.string("state", a.state);
    object.string("street", a.street);
    object.end();
}

void putAddresses(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Address", c.postalAddresses,
        [&](Object &entry, const StoreLabeledValue<StorePostalAddress> &lv, qsizetype i) {
            const StorePostalAddress &a = lv.value;
            QString formatted;
            const QString text
                = AddressFormats::shared().addressTexts(a, ZRPerson::AddressOption, &formatted);
            entry.string("City", a.city);
            entry.string("Country", a.country);
            entry.string("ISOCountryCode", a.isoCountryCode);
            entry.string("State", a.state);
            entry.string("Street", a.street);
            entry.string("ZIP", a.postalCode);
            entry.string("formattedString", formatted);
            entry.string("label", labelOrNoLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.key("postalAddress");
            putPostalAddress(out, a, entry.inner());
            entry.string("stringValue", text);
        });
}

void putDate(Object &object, const DateComponents &date)
{
    object.string("stringValue", ZRPerson::dateStringFromDateComponents(date));
    object.string("value", VariantJson::dateText(date));
}

void putDates(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Dates", c.extras().dates,
        [&](Object &entry, const StoreLabeledValue<DateComponents> &lv, qsizetype i) {
            entry.string("label", Labels::labelFromCNLabel(lv.label));
            entry.integer("labelIndex", i);
            putDate(entry, lv.value);
        });
}

void putEmails(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Email", c.emailAddresses,
        [&](Object &entry, const StoreLabeledValue<QString> &lv, qsizetype i) {
            const QString &address = lv.value;
            const qsizetype at = address.indexOf(u'@');
            const bool split = at >= 0 && at != address.size() - 1;
            if (split)
                entry.string("domain", QStringView(address).sliced(at + 1));
            entry.string("label", labelOrNoLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.string("stringValue", address);
            if (split && at > 0)
                entry.string("username", QStringView(address).first(at));
            entry.string("value", address);
        });
}

void putInstantMessages(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Instant Message", c.extras().instantMessageAddresses,
        [&](Object &entry, const StoreLabeledValue<StoreInstantMessageAddress> &lv, qsizetype i) {
            const StoreInstantMessageAddress &m = lv.value;
            entry.key("instantMessageAddress");
            Object address(out, entry.inner());
            address.string("service", m.service);
            address.string("username", m.username);
            address.end();
            // The label stays as the card gives it, even empty.
            entry.string("label", Labels::labelFromCNLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.string("service", m.service);
            const QString text = m.service + u':' + m.username;
            entry.string("stringValue", text.size() < 2 ? QString() : text);
            entry.string("username", m.username);
            entry.string("value", m.username);
        });
}

// The dictionary is the record's own: a record's name is built when it is read.
void putName(Object &object, Writer &out, ZRPerson &person)
{
    const QVariant name = person.readNameValue();
    if (DumpJson::isEmptyValue(name))
        return;
    object.key("Name");
    out.value(name, object.inner());
}

void putPhones(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Phone", c.phoneNumbers,
        [&](Object &entry, const StoreLabeledValue<QString> &lv, qsizetype i) {
            entry.string("label", Labels::labelFromCNLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.string("phoneNumber", lv.value);
            entry.string("stringValue", lv.value);
            entry.string("value", lv.value);
        });
}

// The reading's display text follows the name's order, as the record derives it.
void putPhoneticName(Object &object, Writer &out, const StoreContact &c, int nameOrdering)
{
    const QString &first = c.phoneticGivenName;
    const QString &middle = c.extras().phoneticMiddleName;
    const QString &last = c.phoneticFamilyName;
    if (first.isEmpty() && middle.isEmpty() && last.isEmpty())
        return;
    QString text;
    if (!first.isEmpty() && !last.isEmpty())
        text = nameOrdering == 2 ? last + u' ' + first : first + u' ' + last;
    else
        text = first.isEmpty() ? last : first;
    object.key("Phonetic Name");
    Object name(out, object.inner());
    if (!first.isEmpty())
        name.string("FirstName", first);
    if (!last.isEmpty())
        name.string("LastName", last);
    if (!middle.isEmpty())
        name.string("MiddleName", middle);
    name.string("stringValue", text);
    name.end();
}

void putRelations(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Relationship", c.extras().contactRelations,
        [&](Object &entry, const StoreLabeledValue<StoreContactRelation> &lv, qsizetype i) {
            entry.string("contactRelation", lv.value.name);
            entry.string("label", Labels::labelFromCNLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.string("stringValue", lv.value.name);
            entry.string("value", lv.value.name);
        });
}

void putSocialProfiles(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "Social Network", c.extras().socialProfiles,
        [&](Object &entry, const StoreLabeledValue<StoreSocialProfile> &lv, qsizetype i) {
            const StoreSocialProfile &p = lv.value;
            const QString service = CN::socialProfileService(p.service);
            entry.string("label", service);
            entry.integer("labelIndex", i);
            entry.string("service", service);
            entry.key("socialProfile");
            Object profile(out, entry.inner());
            profile.string("service", p.service);
            profile.string("urlString", p.urlString);
            profile.string("userIdentifier", p.userIdentifier);
            profile.string("username", p.username);
            profile.end();
            entry.string("stringValue", p.username);
            entry.string("urlString", p.urlString);
            entry.string("userIdentifier", p.userIdentifier);
            entry.string("username", p.username);
            entry.string("value", p.username);
        });
}

void putUrls(Object &object, Writer &out, const StoreContact &c)
{
    putEntries(object, out, "URL", c.urlAddresses,
        [&](Object &entry, const StoreLabeledValue<QString> &lv, qsizetype i) {
            entry.string("label", Labels::labelFromCNLabel(lv.label));
            entry.integer("labelIndex", i);
            entry.string("stringValue", lv.value);
            entry.string("value", lv.value);
        });
}

void putText(Object &object, QByteArrayView name, const QString &text)
{
    if (!text.isEmpty())
        object.string(name, text);
}

void putStrings(Object &object, Writer &out, QByteArrayView name, const QStringList &strings)
{
    object.key(name);
    putArray(out, strings.size(), object.inner(), [&](qsizetype i, int) { out.string(strings.at(i)); });
}

void putContact(Writer &out, ZRPerson &person, const StoreContact &c, const QStringList &groups, int depth)
{
    const StoreContactExtras &extras = c.extras();
    Object object(out, depth);
    putAddresses(object, out, c);
    if (c.birthday) {
        object.key("Birthday");
        Object birthday(out, object.inner());
        putDate(birthday, *c.birthday);
        birthday.end();
    }
    putText(object, "Company", c.organizationName);
    putDates(object, out, c);
    putText(object, "Department", c.departmentName);
    putEmails(object, out, c);
    if (!c.postalAddresses.isEmpty()) {
        // Addresses read from a card carry no layout of their own: each has the layout string of a
        // dictionary without layout keys.
        static const QString unplaced
            = ZRPerson::layoutStringFromHagakiLayoutDict(QVariantMap { { Key::LabelIndex, 0 } });
        object.key("HagakiLayout");
        putArray(
            out, c.postalAddresses.size(), object.inner(), [&](qsizetype, int) { out.string(unplaced); });
    }
    putInstantMessages(object, out, c);
    putText(object, "Job Title", c.jobTitle);
    putName(object, out, person);
    putText(object, "Nickname", extras.nickname);
    putText(object, "Note", c.note);
    putPhones(object, out, c);
    putPhoneticName(object, out, c, person.nameOrdering());
    putRelations(object, out, c);
    putSocialProfiles(object, out, c);
    putText(object, "Suffix", extras.nameSuffix);
    putText(object, "Title", extras.namePrefix);
    putUrls(object, out, c);
    // A company's display name is its company's name, which the record took from the card.
    object.string(
        "compositeName", person.showAsPerson() ? person.compositeName() : person.storedCompositeName());
    putStrings(object, out, "groups", groups);
    if (const QStringList kept = DumpJson::keptLines(person.otherProperties()); !kept.isEmpty())
        putStrings(object, out, "otherProperties", kept);
    if (!person.imageData().isEmpty())
        object.integer("photoBytes", person.imageData().size());
    object.key("showAsPerson");
    out.put(person.showAsPerson() ? QByteArrayView("true") : QByteArrayView("false"));
    object.string("uniqueId", person.uniqueId());
    object.end();
}

} // namespace

namespace DumpCardJson {

bool append(QByteArray &out, ZRPerson &person, const QStringList &groups, int depth)
{
    if (!person.hasUnbuiltValues())
        return false;
    const QByteArrayView card = person.unbuiltCard();
    // The record keeps the picture it was read with; the card is read again as the record would.
    const QList<StoreContact> read = VCardSerialization::contactsWithData(
        QByteArray::fromRawData(card.data(), card.size()), nullptr, VCardSerialization::Images::Skip);
    if (read.isEmpty())
        return false;
    Writer writer(out);
    putContact(writer, person, read.first(), groups, depth);
    return true;
}

} // namespace DumpCardJson
