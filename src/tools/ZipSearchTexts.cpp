#include "tools/ZipSearchTexts.h"

#include "document/WorkerPool.h"
#include "tools/PostalCsv.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"

#include <QFuture>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>
#include <array>

namespace {

// Appends one field as the compact text holds it: quoted, followed by a comma. A quote inside a
// value would end the field early for every later reader, and a line feed would split the line,
// so both are dropped.
void appendField(QString &out, QStringView value)
{
    out += u'"';
    for (const QChar c : value)
        if (c != u'"' && c != u'\n' && c != u'\r')
            out += c;
    out += u'"';
    out += u',';
}

// The general file's columns, in the order the compact line holds them.
constexpr std::array<int, 7> GeneralColumns { 2, 3, 4, 5, 6, 7, 8 };
constexpr int GeneralTownReading = 3; // positions within GeneralColumns
constexpr int GeneralTown = 6;
constexpr std::array<int, 7> BusinessColumns { 1, 2, 3, 4, 5, 6, 7 };

bool hasOpenBracket(const QString &town)
{
    return town.count(u'（') > town.count(u'）');
}

struct GeneralRecord
{
    std::array<QString, 7> values;
    int parts = 0;
};

void appendLine(QString &out, QChar kind, const std::array<QString, 7> &values)
{
    out += kind;
    out += u',';
    for (const QString &value : values)
        appendField(out, value);
    out += u'\n';
}

} // namespace

namespace ZipSearchTextBuilder {

QString compactGeneralText(QStringView csv)
{
    QString out;
    out.reserve(csv.size() * 3 / 4);
    GeneralRecord pending;
    bool havePending = false;
    PostalCsv::forEachRecord(csv, [&](const QList<QStringView> &fields, qsizetype, bool) {
        GeneralRecord record;
        for (size_t i = 0; i < GeneralColumns.size(); ++i)
            record.values[i] = fields.value(GeneralColumns[i]).toString();
        const bool continues = havePending && hasOpenBracket(pending.values[GeneralTown])
            && pending.parts < ZipSearchTextBuilder::MaximumJoinedRecords
            && record.values[0] == pending.values[0];
        if (continues) {
            pending.values[GeneralTownReading] += record.values[GeneralTownReading];
            pending.values[GeneralTown] += record.values[GeneralTown];
            ++pending.parts;
            return true;
        }
        if (havePending)
            appendLine(out, u'K', pending.values);
        pending = std::move(record);
        pending.parts = 1;
        havePending = true;
        return true;
    });
    if (havePending)
        appendLine(out, u'K', pending.values);
    out.squeeze();
    return out;
}

QString compactBusinessText(QStringView csv)
{
    QString out;
    out.reserve(csv.size() * 3 / 4);
    PostalCsv::forEachRecord(csv, [&](const QList<QStringView> &fields, qsizetype, bool) {
        out += u"J,";
        for (const int column : BusinessColumns)
            appendField(out, fields.value(column));
        out += u'\n';
        return true;
    });
    out.squeeze();
    return out;
}

ZipSearchTexts build(const QString &directory)
{
    ZipSearchTexts texts;
    const QByteArray general
        = PostalDataFile::readInflated(PostalDataFile::locate(PostalFile::General, directory));
    texts.general = compactGeneralText(PostalDataFile::decodeWindows31J(general));
    const QByteArray business
        = PostalDataFile::readInflated(PostalDataFile::locate(PostalFile::Business, directory));
    texts.business = compactBusinessText(PostalDataFile::decodeWindows31J(business));
    return texts;
}

} // namespace ZipSearchTextBuilder

namespace ZipSearchTextStore {

namespace {

struct Store
{
    QMutex mutex;
    QString directory;
    bool started = false;
    QFuture<std::shared_ptr<const ZipSearchTexts>> future;
};

Store &store()
{
    static Store instance;
    return instance;
}

} // namespace

void setDataDirectory(const QString &directory)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    if (!s.started)
        s.directory = directory;
}

void startBuilding()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    if (s.started)
        return;
    s.started = true;
    // The finished pair is handed over in one step: the future holds nothing until the build ends.
    s.future = QtConcurrent::run(WorkerPool::instance(), [directory = s.directory]() {
        return std::shared_ptr<const ZipSearchTexts>(
            std::make_shared<ZipSearchTexts>(ZipSearchTextBuilder::build(directory)));
    });
}

bool isBuilt()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    return s.started && s.future.isResultReadyAt(0);
}

std::shared_ptr<const ZipSearchTexts> zipdb()
{
    startBuilding();
    QFuture<std::shared_ptr<const ZipSearchTexts>> future;
    {
        Store &s = store();
        QMutexLocker lock(&s.mutex);
        future = s.future;
    }
    // A reader that finds the build in progress waits for it.
    return future.result();
}

} // namespace ZipSearchTextStore
