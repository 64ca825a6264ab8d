#include "cli/DumpJson.h"

#include "cli/DumpCardJson.h"
#include "cli/JsonText.h"
#include "cli/VariantJson.h"
#include "model/Identifiers.h"
#include "model/VCardOtherProperties.h"
#include "model/ZRPerson.h"

#include <QHash>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

// Lines longer than this (a logo or a sound in base64) are shown by their start, size and checksum:
// enough to tell two apart, without pages of base64 in the dump.
constexpr qsizetype LongKeptLine = 512;

void addPersonFields(ZRPerson &person, DumpJson::Fields &fields)
{
    fields.append({ u"compositeName"_s, person.compositeName() });
    fields.append({ u"uniqueId"_s, person.uniqueId() });
    fields.append({ u"showAsPerson"_s, person.showAsPerson() });
    for (const QString &identifier : ZRPerson::allIdentifiers()) {
        if (identifier == Ident::Photo)
            continue;
        QVariant value = person.valueForIdentifier(identifier);
        if (!DumpJson::isEmptyValue(value))
            fields.append({ identifier, std::move(value) });
    }
    if (!person.imageData().isEmpty())
        fields.append({ u"photoBytes"_s, qint64(person.imageData().size()) });
    if (const QStringList kept = DumpJson::keptLines(person.otherProperties()); !kept.isEmpty())
        fields.append({ u"otherProperties"_s, kept });
}

// The layout string of each address, in address order, when any address has a layout.
QStringList layoutStrings(ZRPerson &person)
{
    QStringList layouts;
    bool any = false;
    for (const QVariant &address : person.addressValues()) {
        const QString layout = ZRPerson::layoutStringFromHagakiLayoutDict(address.toMap());
        any = any || !layout.isEmpty();
        layouts.append(layout);
    }
    return any ? layouts : QStringList();
}

// The names of the category groups that hold each contact, by unique id.
QHash<QString, QStringList> groupNamesByIdIn(const ContactContainer &container)
{
    QHash<QString, QStringList> names;
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

// In the order they are written back.
QStringList keptLines(const QByteArray &lines)
{
    QStringList kept;
    VCardOtherProperties::forEachLine(lines, [&](QByteArrayView line) {
        if (line.size() <= LongKeptLine) {
            kept.append(QString::fromUtf8(line));
            return;
        }
        QString start = QString::fromUtf8(line.first(LongKeptLine));
        start.truncate(start.at(63).isHighSurrogate() ? 63 : 64);
        kept.append(u"%1\u2026 (%2 bytes, checksum %3)"_s.arg(start)
                        .arg(line.size())
                        .arg(uint(qChecksum(line)), 4, 16, QChar(u'0')));
    });
    return kept;
}

Fields fields(const ContactEntry &entry, const QStringList &groups)
{
    ZRPerson &person = *entry.person;
    Fields fields;
    fields.reserve(24);
    addPersonFields(person, fields);
    const QString renmei = person.valueForIdentifier(Ident::Renmei).toString();
    if (!renmei.isEmpty())
        fields.append({ Ident::Renmei, renmei });
    const QStringList layouts = layoutStrings(person);
    if (!layouts.isEmpty())
        fields.append({ Ident::HagakiLayout, layouts });
    fields.append({ u"groups"_s, groups });
    return fields;
}

QJsonObject contact(const ContactEntry &entry, const QStringList &groups)
{
    QJsonObject object;
    for (const auto &[key, value] : fields(entry, groups))
        object.insert(key, VariantJson::toJson(value));
    return object;
}

QHash<QString, QStringList> groupNamesById(const DocumentReadResult &read)
{
    return read.containers && !read.containers->isEmpty() ? groupNamesByIdIn(*read.containers->first())
                                                          : QHash<QString, QStringList>();
}

QJsonArray contacts(const DocumentReadResult &read)
{
    QJsonArray array;
    const QHash<QString, QStringList> groups = groupNamesById(read);
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

QByteArray arrayStart()
{
    return "[\n"_ba;
}

QByteArray elementSeparator()
{
    return ",\n"_ba;
}

QByteArray element(const QJsonObject &contact)
{
    // An indented document indents every line of a nested value by one more step, and no string
    // holds a raw line break (JSON escapes it): the object on its own, each line one step in, is the
    // element exactly.
    constexpr QByteArrayView Step = "    ";
    const QByteArray alone = QJsonDocument(contact).toJson(QJsonDocument::Indented);
    QByteArray out;
    out.reserve(alone.size() + alone.size() / 8);
    qsizetype from = 0;
    const qsizetype end = alone.endsWith('\n') ? alone.size() - 1 : alone.size();
    while (from < end) {
        qsizetype lineEnd = alone.indexOf('\n', from);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        if (from > 0)
            out += '\n';
        out += Step;
        out += QByteArrayView(alone).sliced(from, lineEnd - from);
        from = lineEnd + 1;
    }
    return out;
}

QByteArray element(const ContactEntry &entry, const QStringList &groups)
{
    QByteArray out;
    out.reserve(4096);
    out += "    ";
    if (!DumpCardJson::append(out, *entry.person, groups, 1))
        JsonText::appendObject(out, fields(entry, groups), 1);
    return out;
}

QByteArray arrayEnd(bool anyElement)
{
    return anyElement ? "\n]\n"_ba : "]\n"_ba;
}

} // namespace DumpJson
