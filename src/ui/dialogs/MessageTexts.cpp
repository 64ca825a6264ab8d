#include "ui/dialogs/MessageTexts.h"

#include "document/AddressBookLoader.h"
#include "document/Document.h"
#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "formats/CsvReader.h"
#include "formats/MailwickCsv.h"
#include "formats/TextCodec.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace MessageTexts {

namespace {

constexpr const char *Context = "Messages";

// The source texts are repeated here, marked, so that the translation tools find them; the test of
// this table keeps each one equal to the constant it stands for.
const Entry Table[] = {
    { &ExportText::CouldNotRead, QT_TRANSLATE_NOOP("Messages", "Couldn't read the file.") },
    { &ExportText::InvalidCSV,
        QT_TRANSLATE_NOOP("Messages", "Please make sure the file is a valid CSV file.") },
    { &ExportText::InvalidVCard,
        QT_TRANSLATE_NOOP("Messages", "Please make sure the file is vCard 2.1/3.0 file.") },
    { &ExportText::CannotSave, QT_TRANSLATE_NOOP("Messages", "Can't save the file") },
    { &ExportText::SaveFailed,
        QT_TRANSLATE_NOOP("Messages", "Something error happened in saving operation.") },
    { &ExportText::WritingMessage, QT_TRANSLATE_NOOP("Messages", "Writing the file: %1") },
    { &ReadNoticeText::ReadingMessage, QT_TRANSLATE_NOOP("Messages", "Reading the file: %1") },
    { &ReadNoticeText::SkippedCards,
        QT_TRANSLATE_NOOP("Messages", "%1 of the cards couldn't be read and were skipped.") },
    { &ReadNoticeText::SkippedCard, QT_TRANSLATE_NOOP("Messages", "Card %1: %2") },
    { &ReadNoticeText::MoreSkipped, QT_TRANSLATE_NOOP("Messages", "… and %1 more.") },
    { &ReadNoticeText::AtLine, QT_TRANSLATE_NOOP("Messages", "Line %1 of the file.") },
    { &ReadNoticeText::UnterminatedCard,
        QT_TRANSLATE_NOOP("Messages",
            "The file ends inside a card (BEGIN:VCARD without END:VCARD); that card was not read.") },
    { &DocumentText::VCardRecovery,
        QT_TRANSLATE_NOOP("Messages", "Please make sure the file is vCard 2.1/3.0 file, or text encoding.") },
    { &DocumentText::CSVRecovery,
        QT_TRANSLATE_NOOP("Messages", "Please make sure the file is a valid CSV file, or text encoding.") },
    { &DocumentText::CouldNotRead, QT_TRANSLATE_NOOP("Messages", "The file “%1” couldn't be opened.") },
    { &MailwickCsv::HeaderMissingMessage,
        QT_TRANSLATE_NOOP("Messages", "Can't find header line in the file.") },
    { &MailwickCsv::HeaderMissingInformative,
        QT_TRANSLATE_NOOP(
            "Messages", "Read as the following order: Name, Renmei, Company, ZIP, State&City and Street") },
    { &AddressBookText::GroupReadErrorFormat,
        QT_TRANSLATE_NOOP("Messages", "Error on reading a group in the '%1'.") },
    { &AddressBookText::CheckAccountSettings,
        QT_TRANSLATE_NOOP("Messages", "Please check the account settings.") },
    { &TextCodecMessage::TooLarge,
        QT_TRANSLATE_NOOP("Messages", "The file is too large to be read as text.") },
    { &TextCodecMessage::UnknownEncoding,
        QT_TRANSLATE_NOOP("Messages", "The text encoding %1 is not available.") },
    { &TextCodecMessage::Undetermined,
        QT_TRANSLATE_NOOP("Messages", "The text encoding of the file couldn't be determined.") },
    { &TextCodecMessage::InvalidBytes,
        QT_TRANSLATE_NOOP(
            "Messages", "The file isn't valid %1 text: the bytes at offset %2 can't be read.") },
    { &CsvReader::Message::NoLines, QT_TRANSLATE_NOOP("Messages", "The file holds no lines.") },
    { &CsvReader::Message::Binary,
        QT_TRANSLATE_NOOP("Messages", "The file is not text: line %1 holds a NUL character.") },
    { &CsvReader::Message::NoKnownColumn,
        QT_TRANSLATE_NOOP("Messages", "No column of the header line names a contact field.") },
};

QString translated(const Entry &entry)
{
    return QCoreApplication::translate(Context, entry.source);
}

// A format's %1, %2 ... become captures; everything else must match as it stands.
QRegularExpression patternOf(const QString &format)
{
    static const QRegularExpression marker(QStringLiteral("%[1-9]"));
    QString pattern;
    qsizetype at = 0;
    for (auto it = marker.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pattern += QRegularExpression::escape(format.mid(at, match.capturedStart() - at));
        pattern += QStringLiteral("(.*?)");
        at = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(format.mid(at));
    return QRegularExpression(
        QRegularExpression::anchoredPattern(pattern), QRegularExpression::DotMatchesEverythingOption);
}

QString translateLine(const QString &line)
{
    for (const Entry &entry : Table) {
        if (line == *entry.constant)
            return translated(entry);
    }
    for (const Entry &entry : Table) {
        if (!entry.constant->contains(QLatin1Char('%')))
            continue;
        const QRegularExpressionMatch match = patternOf(*entry.constant).match(line);
        if (!match.hasMatch())
            continue;
        QString result = translated(entry);
        // Arguments are put back in one pass, so an argument that itself holds "%2" stays as it is.
        QStringList arguments;
        for (int i = 1; i <= match.lastCapturedIndex(); ++i)
            arguments << match.captured(i);
        switch (arguments.size()) {
        case 1:
            return result.arg(arguments.at(0));
        case 2:
            return result.arg(arguments.at(0), arguments.at(1));
        default:
            return line;
        }
    }
    return line;
}

} // namespace

const Entry *entries(qsizetype *count)
{
    *count = std::size(Table);
    return Table;
}

QString translate(const QString &text)
{
    if (text.isEmpty())
        return text;
    for (const Entry &entry : Table) {
        if (text == *entry.constant)
            return translated(entry);
    }
    // Notices list one item a line ("Card 3: ..."); each line is a message of its own.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = translateLine(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace MessageTexts
