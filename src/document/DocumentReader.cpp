#include "document/DocumentReader.h"

#include "formats/CsvReader.h"
#include "formats/MailwickCsv.h"
#include "formats/ZRvCard.h"

#include <QFile>

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

// The card reader stops quietly at a BEGIN:VCARD that no END:VCARD follows; the user hears of it.
bool endsInsideCard(const QString &text)
{
    const qsizetype lastBegin = text.lastIndexOf(u"BEGIN:VCARD"_s, -1, Qt::CaseInsensitive);
    if (lastBegin < 0)
        return false;
    return text.indexOf(u"END:VCARD"_s, lastBegin, Qt::CaseInsensitive) < 0;
}

DocumentReadResult readVCards(
    const QString &text, const std::atomic_bool *cancel, const DocumentReader::Progress &progress)
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
    result.containers = ZRvCard().containersFromVCards(text, handler, &problems);
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

DecodedText DocumentReader::readTextFile(const QString &path, TextEncoding::Number encoding)
{
    DecodedText failed;
    failed.encoding = encoding;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = file.errorString();
        return failed;
    }
    // Refuse before reading: a file past the limit would be read whole only to be rejected.
    if (file.size() > TextCodec::MaxInputBytes) {
        failed.error = TextCodecMessage::TooLarge;
        return failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        failed.error = file.errorString();
        return failed;
    }
    return TextCodec::decode(bytes, encoding);
}

DocumentReadResult DocumentReader::readText(
    const QString &text, InputFormat format, const std::atomic_bool *cancel, const Progress &progress)
{
    switch (format) {
    case InputFormat::VCard:
        return readVCards(text, cancel, progress);
    case InputFormat::MailwickCsv:
        return readMailwick(text);
    case InputFormat::Csv:
        break;
    }
    return readCsv(text);
}

DocumentReadResult DocumentReader::readFile(const QString &path, InputFormat format,
    TextEncoding::Number encoding, const std::atomic_bool *cancel, const Progress &progress)
{
    const DecodedText decoded = readTextFile(path, encoding);
    if (!decoded.ok()) {
        DocumentReadResult result;
        result.status = DocumentReadResult::Status::ReadError;
        result.readError = decoded.error;
        result.encoding = decoded.encoding;
        return result;
    }
    DocumentReadResult result = readText(decoded.text, format, cancel, progress);
    result.encoding = decoded.encoding;
    return result;
}
