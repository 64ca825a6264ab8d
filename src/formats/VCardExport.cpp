#include "formats/VCardExport.h"

#include "formats/ChunkedWork.h"
#include "model/DictionaryKeys.h"
#include "model/VCardWriter.h"
#include "model/ZRPerson.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int JpegQuality = 90;
// The first PHOTO line holds 48 Base64 characters after its 27-character name, 75 in all;
// continuation lines hold a space and 74.
constexpr qsizetype FirstPhotoChunk = 48;
constexpr qsizetype PhotoChunk = 74;
const QByteArray PhotoPrefix = "PHOTO;ENCODING=b;TYPE=JPEG:"_ba;
const QByteArray LineBreak = "\r\n"_ba;

void appendTextProperty(QByteArray &out, QByteArrayView name, const QString &value)
{
    // Room for the longest escaped value at once, rather than growing the line piece by piece.
    QByteArray line;
    line.reserve(name.size() + 1 + value.size() * 3);
    line += name;
    line += ':';
    VCardWriter::appendEscaped(line, value);
    VCardWriter::appendFolded(out, line);
}

// Layout strings are ASCII; they are copied as they are rather than converted through a new array.
void appendUtf8(QByteArray &out, QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            out += text.toUtf8();
            return;
        }
    }
    const qsizetype at = out.size();
    out.resize(at + text.size());
    char *w = out.data() + at;
    for (QChar c : text)
        *w++ = char(c.unicode());
}

// One layout string per address that has one, each on its own physical line: the reader matches
// them to the addresses by line, so they are never folded inside.
void appendLayoutsProperty(QByteArray &out, ZRPerson &person, const StoreContact &contact)
{
    const qsizetype start = out.size();
    out += "X-HAGAKILAYOUTS:";
    const qsizetype nameEnd = out.size();
    auto add = [&](const QString &layout) {
        if (layout.isEmpty())
            return;
        if (out.size() > nameEnd)
            out += ' ';
        appendUtf8(out, layout);
        out += LineBreak;
    };
    if (person.hasUnbuiltValues()) {
        // Addresses read from a card carry no layout of their own yet: each has the layout string of
        // a dictionary without layout keys.
        static const QString unplaced
            = ZRPerson::layoutStringFromHagakiLayoutDict(QVariantMap { { Key::LabelIndex, 0 } });
        for (qsizetype i = 0; i < contact.postalAddresses.size(); ++i)
            add(unplaced);
    } else {
        QVariantMap converted;
        for (const QVariant &address : std::as_const(person.addressValues())) {
            // Read in place; an entry of another kind reads as its toMap() conversion.
            const bool map = address.typeId() == QMetaType::QVariantMap;
            if (!map)
                converted = address.toMap();
            add(ZRPerson::layoutStringFromHagakiLayoutDict(
                map ? *static_cast<const QVariantMap *>(address.constData()) : converted));
        }
    }
    if (out.size() == nameEnd)
        out.truncate(start);
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

// The options that add properties, looked up once for an export rather than for every card.
struct Additions
{
    explicit Additions(const QStringList &options)
        : note(options.contains(VCardExport::Option::Note))
        , renmei(options.contains(VCardExport::Option::Renmei))
        , layouts(options.contains(VCardExport::Option::HagakiLayout))
        , photo(options.contains(VCardExport::Option::Photo))
    {
    }

    bool note;
    bool renmei;
    bool layouts;
    bool photo;
};

void appendRenmei(QByteArray &out, ZRPerson &person)
{
    const QString renmei = textForKey(person.stringValues(), Ident::Renmei);
    if (!renmei.isEmpty())
        appendTextProperty(out, "X-RENMEI", renmei);
}

// Appends the record's card to out, with what the options add just before its END:VCARD line. The
// store writer never writes any of those properties itself, so none is there twice. The additions
// are gathered in a buffer kept from card to card and handed to the writer, which puts them in
// place: a large export makes no copy of any card.
void appendPersonCard(QByteArray &out, ZRPerson &person, const Additions &options,
    const QStringList &groupNames, bool fileOrder)
{
    // The contact carries the note too, so a record whose values are not built yet (a file just
    // read) is written without building them.
    const StoreContact contact = person.contactFromCache(nullptr);
    thread_local QByteArray added;
    added.truncate(0);
    if (options.note && !contact.note.isEmpty())
        appendTextProperty(added, "NOTE", contact.note);
    // Joint names are only ever set on built records: reading a card that has them builds its
    // record, so one still unbuilt has none.
    const bool renmei = options.renmei && !person.hasUnbuiltValues();
    if (fileOrder) {
        if (renmei)
            appendRenmei(added, person);
        if (options.layouts)
            appendLayoutsProperty(added, person, contact);
        if (options.photo)
            added += photoProperty(person);
        if (!groupNames.isEmpty())
            added += categoriesProperty(groupNames);
    } else {
        if (options.photo)
            added += photoProperty(person);
        if (renmei)
            appendRenmei(added, person);
        if (options.layouts)
            appendLayoutsProperty(added, person, contact);
    }
    VCardWriter::appendCard(out, contact, added);
    if (added.capacity() > 1024 * 1024)
        added = QByteArray(); // a photo's room is not kept for the thread's lifetime
}

// Below this many contacts an export is quick enough on one thread.
constexpr qsizetype ParallelFrom = 4096;

// Records are written on several threads only when no two entries share one: a record builds its
// values as it is written, and two threads must not do that to the same record at once.
bool eachRecordOnce(const ContactTable &entries)
{
    std::vector<const ZRPerson *> people;
    people.reserve(size_t(entries.size()));
    for (const ContactEntryPtr &entry : entries) {
        if (entry && entry->person)
            people.push_back(entry->person.get());
    }
    std::sort(people.begin(), people.end());
    return std::adjacent_find(people.begin(), people.end()) == people.end();
}

// Cards are handed on this many at a time when they are written piece by piece.
constexpr qsizetype WriteBatch = 4096;

// Membership by unique id, gathered once: looking through every group for every contact would cost
// contacts x members. Most contacts of a large file are in one of a few combinations of groups: each
// contact holds the number of its combination, and each combination's names are kept once, instead
// of a list of names for every contact.
class GroupMembership
{
public:
    explicit GroupMembership(const ContactContainer *container)
    {
        m_combinations.append(QStringList());
        if (!container)
            return;
        for (const ContactGroupPtr &group : container->groups) {
            if (!group || group->top || group->deleted || !group->contactTable)
                continue;
            for (const ContactEntryPtr &member : *group->contactTable) {
                if (!member || member->deleted)
                    continue;
                int &combination = m_ofMember[member->uniqueId];
                const QStringList &names = m_combinations.at(combination);
                if (names.isEmpty() || names.last() != group->name)
                    combination = with(combination, group->name);
            }
        }
    }

    const QStringList &namesOf(const QString &uniqueId) const
    {
        return m_combinations.at(m_ofMember.value(uniqueId, 0));
    }

private:
    // The combination of the given one's names and one more after them.
    int with(int combination, const QString &name)
    {
        const std::pair<int, QString> step { combination, name };
        const auto found = m_steps.constFind(step);
        if (found != m_steps.cend())
            return found.value();
        QStringList names = m_combinations.at(combination);
        names.append(name);
        m_combinations.append(names);
        const int added = int(m_combinations.size() - 1);
        m_steps.insert(step, added);
        return added;
    }

    QList<QStringList> m_combinations; // the first one is no group at all
    QHash<std::pair<int, QString>, int> m_steps;
    QHash<QString, int> m_ofMember;
};

// The cards of the entries, batch entries at a time, handed to take in order: each batch's cards in
// as many pieces as threads wrote them; false when the handler asked to stop or take refused.
bool writeInBatches(const ContactTable &entries, const QStringList &options,
    const ContactContainer *container, const VCardExport::ProgressHandler &handler, qsizetype batch,
    const std::function<bool(QByteArray &&)> &take)
{
    const GroupMembership groupsOf(container);
    const Additions additions(options);
    const qsizetype total = entries.size();
    const bool parallel = total >= ParallelFrom && eachRecordOnce(entries);
    qsizetype first = 0;
    do {
        const qsizetype count = std::min(std::max(batch, qsizetype(1)), total - first);
        const int chunks
            = parallel && count >= ParallelFrom ? ChunkedWork::chunksFor(count, ParallelFrom / 2) : 1;
        // Cards are written side by side, each chunk into its own text, handed on in order; a small
        // export is one chunk written on the calling thread.
        std::vector<QByteArray> parts(static_cast<size_t>(chunks));
        const auto item = [&](qsizetype i, int chunk) {
            const ContactEntryPtr &entry = entries.at(first + i);
            if (!entry || !entry->person)
                return;
            QByteArray &part = parts[size_t(chunk)];
            appendPersonCard(part, *entry->person, additions, groupsOf.namesOf(entry->uniqueId), true);
            // Room for the rest at the size of the cards so far, so that a large export is not copied
            // over and over as it grows.
            const qsizetype start = ChunkedWork::chunkStart(count, chunks, chunk);
            const qsizetype length = ChunkedWork::chunkStart(count, chunks, chunk + 1) - start;
            if (i - start == 15 && length > 32)
                part.reserve(part.size() / 16 * length * 11 / 10);
        };
        const auto progress = [&](qsizetype done) {
            bool stop = false;
            if (handler)
                handler(&stop, first + done - 1);
            return !stop;
        };
        if (!ChunkedWork::run(count, chunks, item, progress))
            return false;
        for (QByteArray &part : parts) {
            if (!take(std::move(part)))
                return false;
        }
        first += count;
    } while (first < total);
    return true;
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
    appendPersonCard(out, person, Additions(options), groupNames, true);
    return out;
}

QByteArray vCardFromContact(const ContactEntry &entry, const QStringList &options)
{
    if (!entry.person)
        return {};
    // Entries carry no group membership, so "Categories" has nothing to write here.
    QByteArray out;
    appendPersonCard(out, *entry.person, Additions(options), {}, false);
    return out;
}

std::optional<QByteArray> vCardsFromContacts(const ContactTable &entries, const QStringList &options,
    const ContactContainer *container, const ProgressHandler &handler)
{
    QByteArray result;
    const auto keep = [&](QByteArray &&piece) {
        if (result.isEmpty())
            result = std::move(piece);
        else
            result += piece;
        return true;
    };
    if (!writeInBatches(entries, options, container, handler, entries.size(), keep))
        return std::nullopt;
    return result;
}

bool writeVCards(const ContactTable &entries, const QStringList &options, const ContactContainer *container,
    const ProgressHandler &handler, const Sink &sink)
{
    return writeInBatches(
        entries, options, container, handler, WriteBatch, [&](QByteArray &&piece) { return sink(piece); });
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
