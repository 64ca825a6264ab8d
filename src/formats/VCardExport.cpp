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
qsizetype endLinePosition(QByteArrayView card)
{
    const qsizetype at = card.indexOf("\nEND:VCARD");
    return at < 0 ? -1 : at + 1;
}

// Which of the properties an export may add the card has already: a name at a line start,
// followed by ":" or ";". One pass over the card's lines, rather than one search per name.
struct PresentProperties
{
    bool note = false;
    bool renmei = false;
    bool layouts = false;
    bool photo = false;
    bool categories = false;
};

PresentProperties presentProperties(QByteArrayView card)
{
    PresentProperties present;
    qsizetype at = 0;
    while (at < card.size()) {
        qsizetype end = card.indexOf('\n', at);
        if (end < 0)
            end = card.size();
        const QByteArrayView line = card.sliced(at, end - at);
        const auto is = [&line](QByteArrayView name) {
            return line.size() > name.size() && line.startsWith(name)
                && (line[name.size()] == ':' || line[name.size()] == ';');
        };
        switch (line.isEmpty() ? '\0' : line.front()) {
        case 'N':
            present.note = present.note || is("NOTE");
            break;
        case 'X':
            present.renmei = present.renmei || is("X-RENMEI");
            present.layouts = present.layouts || is("X-HAGAKILAYOUTS");
            break;
        case 'P':
            present.photo = present.photo || is("PHOTO");
            break;
        case 'C':
            present.categories = present.categories || is("CATEGORIES");
            break;
        default:
            break;
        }
        at = end + 1;
    }
    return present;
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
QByteArray layoutsProperty(const QStringList &layouts)
{
    QByteArray property = "X-HAGAKILAYOUTS:"_ba;
    const qsizetype nameLength = property.size();
    for (const QString &layout : layouts) {
        if (layout.isEmpty())
            continue;
        if (property.size() > nameLength)
            property += ' ';
        property += layout.toUtf8();
        property += LineBreak;
    }
    return property.size() > nameLength ? property : QByteArray();
}

QStringList layoutStrings(ZRPerson &person, const StoreContact &contact)
{
    QStringList layouts;
    if (person.hasUnbuiltValues()) {
        // Addresses read from a card carry no layout of their own yet: each has the layout string of
        // a dictionary without layout keys.
        static const QString unplaced
            = ZRPerson::layoutStringFromHagakiLayoutDict(QVariantMap { { Key::LabelIndex, 0 } });
        for (qsizetype i = 0; i < contact.postalAddresses.size(); ++i)
            layouts << unplaced;
        return layouts;
    }
    for (const QVariant &address : person.valueForIdentifier(Ident::Address).toList())
        layouts << ZRPerson::layoutStringFromHagakiLayoutDict(address.toMap());
    return layouts;
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

void appendNote(
    QByteArray &out, const QString &note, const QStringList &options, const PresentProperties &present)
{
    if (options.contains(VCardExport::Option::Note) && !present.note) {
        if (!note.isEmpty())
            appendTextProperty(out, "NOTE", note);
    }
}

void appendRenmei(
    QByteArray &out, ZRPerson &person, const QStringList &options, const PresentProperties &present)
{
    if (options.contains(VCardExport::Option::Renmei) && !present.renmei) {
        const QString renmei = textValue(person, Ident::Renmei);
        if (!renmei.isEmpty())
            appendTextProperty(out, "X-RENMEI", renmei);
    }
}

void appendLayouts(QByteArray &out, ZRPerson &person, const StoreContact &contact, const QStringList &options,
    const PresentProperties &present)
{
    if (options.contains(VCardExport::Option::HagakiLayout) && !present.layouts)
        out += layoutsProperty(layoutStrings(person, contact));
}

void appendPhoto(
    QByteArray &out, ZRPerson &person, const QStringList &options, const PresentProperties &present)
{
    if (options.contains(VCardExport::Option::Photo) && !present.photo)
        out += photoProperty(person);
}

// Appends the record's card to out, with what the options add just before its END:VCARD line.
// The card is written straight into out, and the additions gathered in a buffer kept from card to
// card: a large export makes no copy of any card.
void appendPersonCard(QByteArray &out, ZRPerson &person, const QStringList &options,
    const QStringList &groupNames, bool fileOrder)
{
    const qsizetype start = out.size();
    // The contact carries the note too, so a record whose values are not built yet (a file just
    // read) is written without building them.
    const StoreContact contact = person.contactFromCache(nullptr);
    VCardWriter::appendCard(out, contact);
    const QByteArrayView card = QByteArrayView(out).sliced(start);
    const qsizetype end = endLinePosition(card);
    if (end <= 0)
        return;
    const PresentProperties present = presentProperties(card.first(end));
    thread_local QByteArray added;
    added.truncate(0);
    appendNote(added, contact.note, options, present);
    // Joint names are only ever set on built records: reading a card that has them builds its
    // record, so one still unbuilt has none.
    const bool mayHaveRenmei = !person.hasUnbuiltValues();
    if (fileOrder) {
        if (mayHaveRenmei)
            appendRenmei(added, person, options, present);
        appendLayouts(added, person, contact, options, present);
        appendPhoto(added, person, options, present);
        if (!groupNames.isEmpty() && !present.categories)
            added += categoriesProperty(groupNames);
    } else {
        appendPhoto(added, person, options, present);
        if (mayHaveRenmei)
            appendRenmei(added, person, options, present);
        appendLayouts(added, person, contact, options, present);
    }
    if (!added.isEmpty()) {
        // The additions go before the END line: the line is cut off and written again after them,
        // which moves a few bytes instead of reallocating the whole export for an insertion.
        const QByteArray endLine = card.sliced(end).toByteArray();
        out.truncate(start + end);
        out += added;
        out += endLine;
    }
    if (added.capacity() > 1024 * 1024)
        added = QByteArray(); // a photo's room is not kept for the thread's lifetime
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
    appendPersonCard(out, person, options, groupNames, true);
    return out;
}

QByteArray vCardFromContact(const ContactEntry &entry, const QStringList &options)
{
    if (!entry.person)
        return {};
    // Entries carry no group membership, so "Categories" has nothing to write here.
    QByteArray out;
    appendPersonCard(out, *entry.person, options, {}, false);
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
            appendPersonCard(result, *entry->person, options, groupsOf.value(entry->uniqueId), true);
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
