// corvanthe dump FILE...: the parser seen from outside. Prints every contact of the files as one
// JSON array; its output is what other tools and tests compare, so it must stay stable.

#include "app/CommandLine.h"
#include "app/VariantJson.h"
#include "document/DocumentReader.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <cstdio>

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

int dump(const QStringList &arguments)
{
    QTextStream err(stderr);
    if (arguments.isEmpty()) {
        err << "usage: corvanthe dump FILE...\n";
        return 2;
    }
    QJsonArray contacts;
    bool someCardFailed = false;
    bool someFileFailed = false;
    for (const QString &path : arguments) {
        const QString name = QFileInfo(path).fileName();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << name << ": cannot read the file: " << file.errorString() << "\n";
            someFileFailed = true;
            continue;
        }
        file.close();
        // The window's own reading path: encoding detection, categories, joint names and layouts.
        const DocumentReadResult read
            = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
        if (read.status != DocumentReadResult::Status::Read) {
            err << name << ": cannot read the file: " << read.readError << "\n";
            someFileFailed = true;
            continue;
        }
        for (const ReadNotice &notice : read.notices) {
            err << name << ": " << notice.message << "\n";
            if (!notice.informativeText.isEmpty())
                err << "  " << QString(notice.informativeText).replace(u'\n', u"\n  "_s) << "\n";
            someCardFailed = true;
        }
        if (read.contactTable.isEmpty() && read.notices.isEmpty()) {
            err << name << ": no vCard found (no BEGIN:VCARD line)\n";
            someCardFailed = true;
            continue;
        }
        const QHash<QString, QJsonArray> groups
            = read.containers ? groupNamesById(*read.containers->first()) : QHash<QString, QJsonArray>();
        for (const ContactEntryPtr &entry : read.contactTable) {
            QJsonObject object = personObject(*entry->person);
            const QString renmei = entry->person->valueForIdentifier(Ident::Renmei).toString();
            if (!renmei.isEmpty())
                object.insert(Ident::Renmei, renmei);
            const QJsonArray layouts = layoutStrings(*entry->person);
            if (!layouts.isEmpty())
                object.insert(Ident::HagakiLayout, layouts);
            object.insert(u"groups"_s, groups.value(entry->uniqueId));
            contacts.append(object);
        }
    }
    QTextStream out(stdout);
    out << QString::fromUtf8(QJsonDocument(contacts).toJson(QJsonDocument::Indented));
    if (someFileFailed)
        return 2;
    return someCardFailed ? 1 : 0;
}

const CommandLine::RegisterCommand registration(
    u"dump"_s, u"dump FILE...               print the contacts of vCard files as JSON"_s, dump);

} // namespace
