#include "formats/VCardExport.h"

#include "model/VCardWriter.h"
#include "model/ZRPerson.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int JpegQuality = 90;
// The first PHOTO line holds 48 Base64 characters after its 27-character name, 75 in all;
// continuation lines hold a space and 74.
constexpr qsizetype FirstPhotoChunk = 48;
constexpr qsizetype PhotoChunk = 74;
const QByteArray PhotoPrefix = "PHOTO;ENCODING=b;TYPE=JPEG:"_ba;
const QByteArray LineBreak = "\r\n"_ba;

// Where the added properties go: at the start of the END:VCARD line. A match inside a value
// (the text can occur in any field) is not the card's end, so only a line start counts.
qsizetype endLinePosition(const QByteArray &card)
{
    const qsizetype at = card.indexOf("\nEND:VCARD");
    return at < 0 ? -1 : at + 1;
}

// Whether the card already has the property: its name at a line start, followed by ":" or ";".
bool hasProperty(const QByteArray &card, QByteArrayView name)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype at = card.indexOf(name, from);
        if (at < 0)
            return false;
        const qsizetype after = at + name.size();
        const bool lineStart = at == 0 || card.at(at - 1) == '\n';
        if (lineStart && after < card.size() && (card.at(after) == ':' || card.at(after) == ';'))
            return true;
        from = at + 1;
    }
}

void appendTextProperty(QByteArray &out, QByteArrayView name, const QString &value)
{
    QByteArray line(name.data(), name.size());
    line += ':';
    VCardWriter::appendEscaped(line, value);
    VCardWriter::appendFolded(out, line);
}

QString textValue(ZRPerson &person, const QString &identifier)
{
    return person.valueForIdentifier(identifier).toString();
}

// One layout string per address that has one, each on its own physical line: the reader matches
// them to the addresses by line, so they are never folded inside.
QByteArray layoutsProperty(ZRPerson &person)
{
    const QVariantList addresses = person.valueForIdentifier(Ident::Address).toList();
    if (addresses.isEmpty())
        return {};
    QByteArray property = "X-HAGAKILAYOUTS:"_ba;
    const qsizetype nameLength = property.size();
    for (const QVariant &address : addresses) {
        const QString layout = ZRPerson::layoutStringFromHagakiLayoutDict(address.toMap());
        if (layout.isEmpty())
            continue;
        if (property.size() > nameLength)
            property += ' ';
        property += layout.toUtf8();
        property += LineBreak;
    }
    return property.size() > nameLength ? property : QByteArray();
}

// A photo stored as JPEG is written as it is: encoding it again would lose quality on every export.
// A record without a picture gets none: an export never invents one.
QByteArray photoProperty(ZRPerson &person)
{
    const QByteArray stored = person.imageData().isEmpty() ? person.thumbnailImageData() : person.imageData();
    if (stored.startsWith("\xff\xd8\xff"))
        return VCardExport::encodeVCardPhotoData(stored);
    const QImage image = person.photo();
    return image.isNull() ? QByteArray() : VCardExport::encodeVCardPhoto(image);
}

QByteArray categoriesProperty(const QStringList &groupNames)
{
    QString joined;
    for (const QString &name : groupNames) {
        if (name.isEmpty())
            continue;
        if (!joined.isEmpty())
            joined += u',';
        // A comma inside a name would split it into two categories on reading.
        QByteArray escaped;
        VCardWriter::appendEscaped(escaped, name);
        joined += QString::fromUtf8(escaped);
    }
    if (joined.isEmpty())
        return {};
    QByteArray out;
    VCardWriter::appendFolded(out, "CATEGORIES:"_ba + joined.toUtf8());
    return out;
}

struct Additions
{
    QByteArray note, renmei, layouts, photo, categories;
};

Additions commonAdditions(ZRPerson &person, const QByteArray &card, const QStringList &options);

// Appends the card to out with the added properties just before its END:VCARD line, without
// building the card a second time.
void appendWithAdditions(
    QByteArray &out, const QByteArray &card, std::initializer_list<const QByteArray *> added)
{
    const qsizetype end = endLinePosition(card);
    if (end <= 0) {
        out += card;
        return;
    }
    out += QByteArrayView(card).first(end);
    for (const QByteArray *piece : added)
        out += *piece;
    out += QByteArrayView(card).sliced(end);
}

void appendPersonCard(
    QByteArray &out, ZRPerson &person, const QStringList &options, const QStringList &groupNames)
{
    const QByteArray card = person.vCardData();
    if (card.isEmpty() || endLinePosition(card) <= 0) {
        out += card;
        return;
    }
    Additions a = commonAdditions(person, card, options);
    if (options.contains(VCardExport::Option::Photo) && !hasProperty(card, "PHOTO"))
        a.photo = photoProperty(person);
    if (!groupNames.isEmpty() && !hasProperty(card, "CATEGORIES"))
        a.categories = categoriesProperty(groupNames);
    appendWithAdditions(out, card, { &a.note, &a.renmei, &a.layouts, &a.photo, &a.categories });
}

Additions commonAdditions(ZRPerson &person, const QByteArray &card, const QStringList &options)
{
    Additions a;
    if (options.contains(VCardExport::Option::Note) && !hasProperty(card, "NOTE")) {
        const QString note = textValue(person, Ident::Note);
        if (!note.isEmpty())
            appendTextProperty(a.note, "NOTE", note);
    }
    if (options.contains(VCardExport::Option::Renmei) && !hasProperty(card, "X-RENMEI")) {
        const QString renmei = textValue(person, Ident::Renmei);
        if (!renmei.isEmpty())
            appendTextProperty(a.renmei, "X-RENMEI", renmei);
    }
    if (options.contains(VCardExport::Option::HagakiLayout) && !hasProperty(card, "X-HAGAKILAYOUTS"))
        a.layouts = layoutsProperty(person);
    return a;
}

} // namespace

namespace VCardExport {

QStringList fileExportOptions()
{
    return { Option::Photo, Option::Note, Option::Renmei, Option::HagakiLayout };
}

QByteArray vCardFromPerson(ZRPerson &person, const QStringList &options, const QStringList &groupNames)
{
    QByteArray out;
    appendPersonCard(out, person, options, groupNames);
    return out;
}

QByteArray vCardFromContact(const ContactEntry &entry, const QStringList &options)
{
    if (!entry.person)
        return {};
    ZRPerson &person = *entry.person;
    QByteArray card = person.vCardData();
    if (card.isEmpty() || endLinePosition(card) <= 0)
        return card;
    Additions a = commonAdditions(person, card, options);
    if (options.contains(Option::Photo) && !hasProperty(card, "PHOTO"))
        a.photo = photoProperty(person);
    // Entries carry no group membership, so "Categories" has nothing to write here.
    QByteArray out;
    out.reserve(card.size() + a.note.size() + a.photo.size() + a.renmei.size() + a.layouts.size());
    appendWithAdditions(out, card, { &a.note, &a.photo, &a.renmei, &a.layouts });
    return out;
}

std::optional<QByteArray> vCardsFromContacts(const ContactTable &entries, const QStringList &options,
    const ContactContainer *container, const ProgressHandler &handler)
{
    // Membership by unique id, gathered once: looking through every group for every contact
    // would cost contacts x members.
    QHash<QString, QStringList> groupsOf;
    if (container) {
        for (const ContactGroupPtr &group : container->groups) {
            if (!group || group->top || group->deleted || !group->contactTable)
                continue;
            for (const ContactEntryPtr &member : *group->contactTable) {
                if (!member || member->deleted)
                    continue;
                QStringList &names = groupsOf[member->uniqueId];
                if (names.isEmpty() || names.last() != group->name)
                    names.append(group->name);
            }
        }
    }

    QByteArray result;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const ContactEntryPtr &entry = entries.at(i);
        if (entry && entry->person) {
            appendPersonCard(result, *entry->person, options, groupsOf.value(entry->uniqueId));
            // Room for the rest at the size of the cards so far, so that a large export is not
            // copied over and over as it grows.
            if (i == 15 && entries.size() > 32)
                result.reserve(result.size() / 16 * entries.size() * 11 / 10);
        }
        if (handler) {
            bool stop = false;
            handler(&stop, i);
            if (stop)
                return std::nullopt;
        }
    }
    return result;
}

QByteArray vCardsFromContactsWithoutGroups(const ContactTable &entries, const QStringList &options)
{
    QByteArray result;
    for (const ContactEntryPtr &entry : entries) {
        if (entry)
            result += vCardFromContact(*entry, options);
    }
    return result;
}

QByteArray jpegDataFromImage(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        // JPEG has no transparency; without a background the clear parts would turn black.
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.setDevicePixelRatio(image.devicePixelRatio());
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(JpegQuality);
    if (!writer.write(opaque))
        return {};
    return data;
}

QByteArray encodeVCardPhoto(const QImage &image)
{
    return encodeVCardPhotoData(jpegDataFromImage(image));
}

QByteArray encodeVCardPhotoData(const QByteArray &jpeg)
{
    if (jpeg.isEmpty())
        return {};
    const QByteArray base64 = jpeg.toBase64();
    const qsizetype n = base64.size();
    QByteArray out;
    out.reserve(PhotoPrefix.size() + n + (n / PhotoChunk + 2) * 3);
    out += PhotoPrefix;
    out += QByteArrayView(base64).first(std::min(n, FirstPhotoChunk));
    out += LineBreak;
    for (qsizetype at = FirstPhotoChunk; at < n; at += PhotoChunk) {
        out += ' ';
        out += QByteArrayView(base64).sliced(at, std::min(PhotoChunk, n - at));
        out += LineBreak;
    }
    return out;
}

QString categoriesString(const QList<ContactGroupPtr> &groups)
{
    Q_UNUSED(groups);
    return u""_s;
}

} // namespace VCardExport
