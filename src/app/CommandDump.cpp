// corvanthe dump FILE...: the parser seen from outside. Prints every contact of the files as one
// JSON array; its output is what other tools and tests compare, so it must stay stable.

#include "app/CommandLine.h"
#include "app/VariantJson.h"
#include "model/Identifiers.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
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

// The cards of a text: each BEGIN:VCARD up to its END:VCARD, letters in any case.
QList<QByteArray> cutIntoCards(const QByteArray &text)
{
    QList<QByteArray> cards;
    const QByteArray lower = text.toLower();
    qsizetype position = 0;
    while (true) {
        const qsizetype begin = lower.indexOf("begin:vcard", position);
        if (begin < 0)
            break;
        const qsizetype end = lower.indexOf("end:vcard", begin + 11);
        if (end < 0) {
            cards.append(text.mid(begin)); // unterminated: the parser says what is wrong with it
            break;
        }
        qsizetype stop = end + 9;
        while (stop < text.size() && (text.at(stop) == '\r' || text.at(stop) == '\n'))
            ++stop;
        cards.append(text.mid(begin, stop - begin));
        position = stop;
    }
    return cards;
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
        const QByteArray bytes = file.readAll();
        QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)strict.decode(bytes);
        if (strict.hasError()) {
            err << name << ": the file is not UTF-8 text\n";
            someFileFailed = true;
            continue;
        }
        const QList<QByteArray> cards = cutIntoCards(bytes);
        if (cards.isEmpty()) {
            err << name << ": no vCard found (no BEGIN:VCARD line)\n";
            someCardFailed = true;
            continue;
        }
        for (qsizetype i = 0; i < cards.size(); ++i) {
            QString error;
            const QList<StoreContact> parsed = VCardSerialization::contactsWithData(cards.at(i), &error);
            if (parsed.isEmpty()) {
                err << name << ": card " << (i + 1) << ": "
                    << (error.isEmpty() ? u"no contact in the card"_s : error) << "\n";
                someCardFailed = true;
                continue;
            }
            auto person = ZRPerson::fromStoreContact(parsed.first());
            person->setCreated(true);
            contacts.append(personObject(*person));
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
