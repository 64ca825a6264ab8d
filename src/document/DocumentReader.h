#pragma once

#include "formats/ContactContainer.h"
#include "formats/ObservedVCardRead.h"
#include "formats/TextCodec.h"
#include "formats/TextEncodings.h"
#include "model/TranslatableText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

// What a read tells the user besides its result: cards that were skipped, a CSV read without a header.
struct ReadNotice
{
    QString message;
    QString informativeText;
};

namespace ReadNoticeText {
inline constexpr auto ReadingMessage
    = TranslatableText("ReadNoticeText", "Reading the file: %1"); // the progress window
inline constexpr auto SkippedCards
    = TranslatableText("ReadNoticeText", "%1 of the cards couldn't be read and were skipped.");
inline constexpr auto SkippedCard = TranslatableText("ReadNoticeText", "Card %1: %2");
inline constexpr auto MoreSkipped = TranslatableText("ReadNoticeText", "… and %1 more.");
inline constexpr auto AtLine = TranslatableText("ReadNoticeText", "Line %1 of the file.");
inline constexpr auto UnterminatedCard = TranslatableText(
    "ReadNoticeText", "The file ends inside a card (BEGIN:VCARD without END:VCARD); that card was not read.");
} // namespace ReadNoticeText

// The kinds of contact file a document or an import reads.
enum class InputFormat {
    VCard,
    MailwickCsv, // the envelope product's layout: what a "CSV" document holds
    Csv, // any CSV, its columns recognised by their headers
};

struct DocumentReadResult
{
    enum class Status { Read, ReadError, Cancelled };
    Status status = Status::Read;
    QString readError; // why the file couldn't be read as text
    TextEncoding::Number encoding = TextEncoding::Automatic; // the encoding the text was read in
    // vCard only: the one "vCard" container with its category groups.
    std::optional<ContainerTable> containers;
    // vCard: the top group's table; CSV: the entries read, which belong to no group.
    ContactTable contactTable;
    QList<ReadNotice> notices;

    bool ok() const { return status == Status::Read; }
};

class QIODevice;

// Reading contact files to contact entries: bytes, text in the chosen encoding (or the detected one),
// then cards or CSV lines. The one road from a file to contacts: opening a document, importing, dropped
// and pasted data and every command-line subcommand read through here, so they share its size limit,
// encoding detection, notices, progress and cancel. Safe to call off the GUI thread; it touches nothing
// shared.
class DocumentReader
{
public:
    using Progress = std::function<void(int percent)>;

    // Input past this size is refused before it is read whole.
    static constexpr qsizetype MaxInputBytes = TextCodec::MaxInputBytes;

    // cancel, when given, is polled after each card; progress gets whole percents, each once.
    // observer, when given, hears of every contact of a vCard read as its record is made (on the
    // reading threads, several at once); a CSV read tells it nothing.
    static DocumentReadResult readFile(const QString &path, InputFormat format, TextEncoding::Number encoding,
        const std::atomic_bool *cancel = nullptr, const Progress &progress = {},
        const ObservedVCardRead::Observer &observer = {});
    // Everything the device gives until its end (standard input, a pipe), within the size limit.
    static DocumentReadResult readDevice(QIODevice &device, InputFormat format, TextEncoding::Number encoding,
        const std::atomic_bool *cancel = nullptr, const Progress &progress = {},
        const ObservedVCardRead::Observer &observer = {});
    // Bytes already in memory (dropped or pasted data), read as a file holding them would be.
    static DocumentReadResult readData(QByteArray bytes, InputFormat format, TextEncoding::Number encoding,
        const std::atomic_bool *cancel = nullptr, const Progress &progress = {},
        const ObservedVCardRead::Observer &observer = {});
    static DocumentReadResult readText(const QString &text, InputFormat format,
        const std::atomic_bool *cancel = nullptr, const Progress &progress = {},
        const ObservedVCardRead::Observer &observer = {});

    // The live entries of the category group of that name, or of the top group (every contact read)
    // for an empty name; nothing when the read has no such group (a CSV file has none).
    static std::optional<ContactTable> groupEntries(const DocumentReadResult &read, const QString &groupName);
    // The names of the read's category groups, in file order: what a wrong group name is told.
    static QStringList groupNames(const DocumentReadResult &read);
};
