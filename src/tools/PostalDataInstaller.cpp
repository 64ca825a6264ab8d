#include "tools/PostalDataInstaller.h"

#include "tools/PostalArchive.h"
#include "tools/PostalCsv.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

bool isSevenDigits(QStringView code)
{
    if (code.size() != 7)
        return false;
    for (const QChar c : code)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

namespace PostalDataInstaller {

CsvCheck validateCsv(const QByteArray &csv, Kind kind)
{
    CsvCheck check;
    const qsizetype expectedFields = kind == Kind::General ? 15 : 13;
    const qsizetype codeColumn = kind == Kind::General ? 2 : 7;
    qsizetype invalid = 0;
    const QString text = PostalDataFile::decodeWindows31J(csv, &invalid);
    if (invalid > 0) {
        const qsizetype at = text.indexOf(QChar::ReplacementCharacter);
        check.error = QCoreApplication::translate(
            "PostalDataInstaller", "line %1: bytes that are not Shift_JIS (Windows-31J) text")
                          .arg(text.left(at).count(u'\n') + 1);
        return check;
    }
    PostalCsv::forEachRecord(text, [&](const QList<QStringView> &fields, qsizetype line, bool wellFormed) {
        if (!wellFormed || fields.size() != expectedFields) {
            check.error
                = QCoreApplication::translate("PostalDataInstaller", "line %1: expected %2 fields, found %3")
                      .arg(line)
                      .arg(expectedFields)
                      .arg(fields.size());
            return false;
        }
        if (!isSevenDigits(fields[codeColumn])) {
            check.error = QCoreApplication::translate(
                "PostalDataInstaller", "line %1: field %2 is not a 7-digit postal code")
                              .arg(line)
                              .arg(codeColumn + 1);
            return false;
        }
        ++check.records;
        return true;
    });
    if (check.error.isEmpty() && check.records == 0)
        check.error = QCoreApplication::translate("PostalDataInstaller", "no records");
    check.ok = check.error.isEmpty();
    return check;
}

std::optional<QByteArray> readPublishedFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"%1: %2"_s.arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > MaximumCsvSize) {
        *error = QCoreApplication::translate(
            "PostalDataInstaller", "%1: larger than %2 MB, not a postal-code file")
                     .arg(path)
                     .arg(MaximumCsvSize / (1024 * 1024));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (!PostalArchive::looksLikeZip(bytes))
        return bytes;
    QString reason;
    std::optional<QByteArray> csv = PostalArchive::extractCsv(bytes, nullptr, &reason);
    if (!csv)
        *error = u"%1: %2"_s.arg(path, reason);
    return csv;
}

bool install(const QString &generalPath, const QString &businessPath, const QString &directory,
    QString *error, QStringList *report)
{
    struct Job
    {
        QString source;
        Kind kind;
        QString target;
        QByteArray compressed;
    };
    QList<Job> jobs { { generalPath, Kind::General, PostalFile::General, {} } };
    if (!businessPath.isEmpty())
        jobs.append({ businessPath, Kind::Business, PostalFile::Business, {} });

    // Everything is checked before anything is written, so a bad second file leaves the data as it was.
    for (Job &job : jobs) {
        const std::optional<QByteArray> csv = readPublishedFile(job.source, error);
        if (!csv)
            return false;
        const CsvCheck check = validateCsv(*csv, job.kind);
        if (!check.ok) {
            const QString expected = job.kind == Kind::General
                ? QCoreApplication::translate("PostalDataInstaller", "the general address file")
                : QCoreApplication::translate("PostalDataInstaller", "the business address file");
            *error = QCoreApplication::translate("PostalDataInstaller", "%1: not %2: %3")
                         .arg(job.source, expected, check.error);
            return false;
        }
        job.compressed = PostalDataFile::gzipData(*csv);
        if (job.compressed.isEmpty()) {
            *error = QCoreApplication::translate("PostalDataInstaller", "%1: can't compress the data")
                         .arg(job.source);
            return false;
        }
        if (report)
            report->append(QCoreApplication::translate("PostalDataInstaller", "%1: %2 records")
                               .arg(job.source)
                               .arg(check.records));
    }
    if (!QDir().mkpath(directory)) {
        *error = QCoreApplication::translate("PostalDataInstaller", "%1: can't create the folder")
                     .arg(directory);
        return false;
    }
    for (const Job &job : jobs) {
        const QString target = QDir(directory).filePath(job.target);
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(job.compressed) != job.compressed.size()
            || !file.commit()) {
            *error = u"%1: %2"_s.arg(target, file.errorString());
            return false;
        }
        if (report)
            report->append(QCoreApplication::translate("PostalDataInstaller", "wrote %1").arg(target));
    }
    return true;
}

} // namespace PostalDataInstaller
