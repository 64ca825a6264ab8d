#include "cli/DumpJson.h"

#include "cli/VariantJson.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QHash>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

// Empty: no text, no entries, or a dictionary none of whose texts and lists hold anything.
bool isEmptyValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString().isEmpty();
    case QMetaType::QVariantList:
        return value.toList().isEmpty();
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const int id = it.value().metaType().id();
            const bool counts = id == QMetaType::QString || id == QMetaType::QVariantList
                || id == QMetaType::QVariantMap || id >= QMetaType::User;
            if (counts && !isEmptyValue(it.value()))
                return false;
        }
        return true;
    }
    default:
        return false;
    }
}

QJsonObject personObject(ZRPerson &person)
{
    QJsonObject object;
    object.insert(u"compositeName"_s, person.compositeName());
    object.insert(u"uniqueId"_s, person.uniqueId());
    object.insert(u"showAsPerson"_s, person.showAsPerson());
    for (const QString &identifier : ZRPerson::allIdentifiers()) {
        if (identifier == Ident::Photo)
            continue;
        const QVariant value = person.valueForIdentifier(identifier);
        if (!isEmptyValue(value))
            object.insert(identifier, VariantJson::toJson(value));
    }
    if (!person.imageData().isEmpty())
        object.insert(u"photoBytes"_s, qint64(person.imageData().size()));
    return object;
}

// The layout string of each address, in address order, when any address has a layout.
QJsonArray layoutStrings(ZRPerson &person)
{
    QJsonArray layouts;
    bool any = false;
    for (const QVariant &address : person.addressValues()) {
        const QString layout = ZRPerson::layoutStringFromHagakiLayoutDict(address.toMap());
        any = any || !layout.isEmpty();
        layouts.append(layout);
    }
    return any ? layouts : QJsonArray();
}

// The names of the category groups that hold each contact, by unique id.
QHash<QString, QJsonArray> groupNamesById(const ContactContainer &container)
{
    QHash<QString, QJsonArray> names;
    for (const ContactGroupPtr &group : container.groups) {
        if (group->top || !group->contactTable)
            continue;
        for (const ContactEntryPtr &entry : *group->contactTable)
            names[entry->uniqueId].append(group->name);
    }
    return names;
}

} // namespace

namespace DumpJson {

QJsonObject contact(const ContactEntry &entry, const QJsonArray &groups)
{
    ZRPerson &person = *entry.person;
    QJsonObject object = personObject(person);
    const QString renmei = person.valueForIdentifier(Ident::Renmei).toString();
    if (!renmei.isEmpty())
        object.insert(Ident::Renmei, renmei);
    const QJsonArray layouts = layoutStrings(person);
    if (!layouts.isEmpty())
        object.insert(Ident::HagakiLayout, layouts);
    object.insert(u"groups"_s, groups);
    return object;
}

QJsonArray contacts(const DocumentReadResult &read)
{
    QJsonArray array;
    const QHash<QString, QJsonArray> groups = read.containers && !read.containers->isEmpty()
        ? groupNamesById(*read.containers->first())
        : QHash<QString, QJsonArray>();
    for (const ContactEntryPtr &entry : read.contactTable) {
        if (entry && entry->person)
            array.append(contact(*entry, groups.value(entry->uniqueId)));
    }
    return array;
}

QByteArray text(const QJsonArray &contacts)
{
    return QJsonDocument(contacts).toJson(QJsonDocument::Indented);
}

} // namespace DumpJson
