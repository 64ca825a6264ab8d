#include "document/DocumentReader.h"

#include "formats/CsvReader.h"
#include "formats/EncodingDetector.h"
#include "formats/MailwickCsv.h"
#include "formats/VCardFileText.h"
#include "formats/ZRvCard.h"

#include <QFile>
#include <QIODevice>

using namespace Qt::StringLiterals;

namespace {

// A long list of skipped cards would bury the message; the first ones show what went wrong.
constexpr qsizetype MaxListedProblems = 10;

ReadNotice skippedCardsNotice(const QList<ZRvCard::CardProblem> &problems)
{
    QStringList lines;
    for (qsizetype i = 0; i < problems.size() && i < MaxListedProblems; ++i)
        lines << ReadNoticeText::SkippedCard.arg(problems.at(i).cardNumber).arg(problems.at(i).reason);
    if (problems.size() > MaxListedProblems)
        lines << ReadNoticeText::MoreSkipped.arg(problems.size() - MaxListedProblems);
    return { ReadNoticeText::SkippedCards.arg(problems.size()), lines.join(u'\n') };
}

// The last occurrence of an ASCII marker in any case, -1 when there is none.
qsizetype lastIndexIgnoringCase(const QByteArray &text, QByteArrayView marker)
{
    for (qsizetype at = text.size() - marker.size(); at >= 0; --at) {
        if ((text.at(at) | 0x20) == (marker.front() | 0x20)
            && qstrnicmp(text.constData() + at, marker.data(), marker.size()) == 0)
            return at;
    }
    return -1;
}

// The card reader stops quietly at a BEGIN:VCARD that no END:VCARD follows; the user hears of it.
bool endsInsideCard(const QByteArray &text)
{
    constexpr QByteArrayView Begin = "BEGIN:VCARD";
    constexpr QByteArrayView End = "END:VCARD";
    const qsizetype lastBegin = lastIndexIgnoringCase(text, Begin);
    if (lastBegin < 0)
        return false;
    return lastIndexIgnoringCase(text, End) < lastBegin;
}

// Cards are read from UTF-8 text, which the records then share: the file's own bytes when it is UTF-8.
DocumentReadResult readVCards(const QByteArray &text, const std::atomic_bool *cancel,
    const DocumentReader::Progress &progress, const ObservedVCardRead::Observer &observer)
{
    DocumentReadResult result;
    int lastPercent = -1;
    auto report = [&](int percent) {
        if (progress && percent != lastPercent) {
            lastPercent = percent;
            progress(percent);
        }
    };
    report(0);
    const qsizetype length = text.size();
    ZRvCard::ProgressHandler handler;
    if (cancel || progress) {
        handler = [&](bool *stop, qsizetype position) {
            *stop = cancel && cancel->load(std::memory_order_relaxed);
            if (length > 0)
                report(int(position * 100 / length));
        };
    }
    QList<ZRvCard::CardProblem> problems;
    result.containers = ObservedVCardRead::containersFromVCards(text, handler, &problems, observer);
    if (!result.containers) {
        result.status = DocumentReadResult::Status::Cancelled;
        return result;
    }
    if (ContactTable *table = ZRvCard::contactsInContainer(*result.containers->first()))
        result.contactTable = *table;
    if (!problems.isEmpty())
        result.notices << skippedCardsNotice(problems);
    if (endsInsideCard(text))
        result.notices << ReadNotice { ReadNoticeText::UnterminatedCard, QString() };
    report(100);
    return result;
}

DocumentReadResult readMailwick(const QString &text)
{
    DocumentReadResult result;
    const std::optional<MailwickCsv::Result> read = MailwickCsv::contactsFromMailwickCSV(text);
    if (!read)
        return result;
    result.contactTable = read->entries;
    if (read->headerMissing)
        result.notices << ReadNotice { MailwickCsv::HeaderMissingMessage,
            MailwickCsv::HeaderMissingInformative };
    return result;
}

// Columns recognised by their headers. Text that isn't CSV gives no entries, and says why.
DocumentReadResult readCsv(const QString &text)
{
    DocumentReadResult result;
    const CsvReader::Result read = CsvReader::contactsFromCSV(text);
    result.contactTable = read.entries;
    if (!read.ok()) {
        const QString where = read.errorLine > 0 ? ReadNoticeText::AtLine.arg(read.errorLine) : QString();
        result.notices << ReadNotice { read.error, where };
    }
    return result;
}

} // namespace

namespace {

// The file's bytes, or an empty array and the reason in *error.
QByteArray readBytes(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return QByteArray();
    }
    // Refuse before reading: a file past the limit would be read whole only to be rejected.
    if (file.size() > DocumentReader::MaxInputBytes) {
        *error = TextCodecMessage::TooLarge;
        return QByteArray();
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return QByteArray();
    }
    return bytes;
}

// A pipe does not say how much is coming: read in pieces, and stop one byte past the limit.
QByteArray readAllBounded(QIODevice &device, QString *error)
{
    if (!device.isSequential() && device.size() > DocumentReader::MaxInputBytes) {
        *error = TextCodecMessage::TooLarge;
        return QByteArray();
    }
    constexpr qint64 Piece = 1 << 20;
    QByteArray bytes;
    for (;;) {
        const QByteArray piece = device.read(Piece);
        if (piece.isEmpty()) {
            // A file or a pipe blocks in read() and gives nothing only at its end; a socket-like
            // device may have nothing yet.
            if (!device.atEnd() && device.waitForReadyRead(-1))
                continue;
            break;
        }
        if (bytes.size() + piece.size() > DocumentReader::MaxInputBytes) {
            *error = TextCodecMessage::TooLarge;
            return QByteArray();
        }
        bytes += piece;
    }
    return bytes;
}

DocumentReadResult readFailure(const QString &error, TextEncoding::Number encoding)
{
    DocumentReadResult failed;
    failed.status = DocumentReadResult::Status::ReadError;
    failed.readError = error;
    failed.encoding = encoding;
    return failed;
}

} // namespace

DocumentReadResult DocumentReader::readText(const QString &text, InputFormat format,
    const std::atomic_bool *cancel, const Progress &progress, const ObservedVCardRead::Observer &observer)
{
    switch (format) {
    case InputFormat::VCard:
        return readVCards(text.toUtf8(), cancel, progress, observer);
    case InputFormat::MailwickCsv:
        return readMailwick(text);
    case InputFormat::Csv:
        break;
    }
    return readCsv(text);
}

DocumentReadResult DocumentReader::readFile(const QString &path, InputFormat format,
    TextEncoding::Number encoding, const std::atomic_bool *cancel, const Progress &progress,
    const ObservedVCardRead::Observer &observer)
{
    QString error;
    QByteArray bytes = readBytes(path, &error);
    if (!error.isEmpty())
        return readFailure(error, encoding);
    return readData(std::move(bytes), format, encoding, cancel, progress, observer);
}

DocumentReadResult DocumentReader::readDevice(QIODevice &device, InputFormat format,
    TextEncoding::Number encoding, const std::atomic_bool *cancel, const Progress &progress,
    const ObservedVCardRead::Observer &observer)
{
    QString error;
    QByteArray bytes = readAllBounded(device, &error);
    if (!error.isEmpty())
        return readFailure(error, encoding);
    return readData(std::move(bytes), format, encoding, cancel, progress, observer);
}

DocumentReadResult DocumentReader::readData(QByteArray bytes, InputFormat format,
    TextEncoding::Number encoding, const std::atomic_bool *cancel, const Progress &progress,
    const ObservedVCardRead::Observer &observer)
{
    if (bytes.size() > DocumentReader::MaxInputBytes)
        return readFailure(TextCodecMessage::TooLarge, encoding);

    // A UTF-8 vCard file is read as it lies: no string of the whole file is made, and the records
    // share the file's bytes instead of a copy. A fold that cuts a character does not decide the
    // encoding.
    if (format == InputFormat::VCard) {
        VCardFileText text = VCardFileText::fromBytes(bytes, encoding);
        bytes = QByteArray();
        if (!text.ok())
            return readFailure(text.error, text.encoding);
        DocumentReadResult result = readVCards(text.utf8, cancel, progress, observer);
        result.encoding = text.encoding;
        return result;
    }

    DecodedText decoded = EncodingDetector::decode(bytes, encoding);
    bytes = QByteArray();
    if (!decoded.ok())
        return readFailure(decoded.error, decoded.encoding);
    // Only CSV comes here: a vCard file of any encoding was read above.
    DocumentReadResult result = readText(decoded.text, format, cancel, progress, observer);
    result.encoding = decoded.encoding;
    return result;
}

std::optional<ContactTable> DocumentReader::groupEntries(
    const DocumentReadResult &read, const QString &groupName)
{
    const ContactTable *table = nullptr;
    if (groupName.isEmpty()) {
        table = &read.contactTable;
    } else if (read.containers) {
        for (const ContactContainerPtr &container : *read.containers) {
            for (const ContactGroupPtr &group : container->groups) {
                if (!group->top && !group->deleted && group->name == groupName && group->contactTable) {
                    table = &*group->contactTable;
                    break;
                }
            }
            if (table)
                break;
        }
    }
    if (!table)
        return std::nullopt;
    ContactTable live;
    live.reserve(table->size());
    for (const ContactEntryPtr &entry : *table) {
        if (entry && entry->person && !entry->deleted)
            live.append(entry);
    }
    return live;
}

QStringList DocumentReader::groupNames(const DocumentReadResult &read)
{
    QStringList names;
    if (!read.containers)
        return names;
    for (const ContactContainerPtr &container : *read.containers) {
        for (const ContactGroupPtr &group : container->groups) {
            if (!group->top && !group->deleted)
                names.append(group->name);
        }
    }
    return names;
}
