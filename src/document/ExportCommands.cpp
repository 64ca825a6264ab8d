#include "document/ExportCommands.h"

#include "formats/CsvWriter.h"
#include "formats/VCardExport.h"
#include "formats/ZRvCard.h"
#include "model/ZRPerson.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

using namespace Qt::StringLiterals;

bool ExportCommands::begin()
{
    if (m_isExporting)
        return false;
    m_isExporting = true;
    return true;
}

ContactTable ExportCommands::entriesToExport(
    const ContactTable &contactTable, const ContactTable &selectedContacts)
{
    QHash<QString, ContactEntryPtr> byId;
    for (const ContactEntryPtr &entry : contactTable) {
        if (entry && !entry->deleted && !byId.contains(entry->uniqueId))
            byId.insert(entry->uniqueId, entry);
    }
    ContactTable entries;
    QSet<QString> taken;
    for (const ContactEntryPtr &selected : selectedContacts) {
        if (!selected || taken.contains(selected->uniqueId))
            continue;
        const auto found = byId.constFind(selected->uniqueId);
        if (found == byId.cend())
            continue;
        taken.insert(selected->uniqueId);
        entries.append(found.value());
    }
    return entries;
}

ContactTable ExportCommands::everyEntry(const ContactTable &contactTable)
{
    ContactTable entries;
    for (const ContactEntryPtr &entry : contactTable) {
        if (entry && entry->person && !entry->deleted)
            entries.append(entry);
    }
    return entries;
}

QString ExportCommands::defaultFileName(const ContactTable &selectedContacts, const QString &extension)
{
    QString name;
    if (!selectedContacts.isEmpty() && selectedContacts.first() && selectedContacts.first()->person)
        name = selectedContacts.first()->person->compositeName();
    // A name is not a path: a slash in it would point the save panel at another folder.
    name.replace(u'/', u'-');
    return name + extension;
}

std::optional<QString> ExportCommands::vCardText(const ContactTable &entries,
    const ContactContainer *container, const std::atomic_bool *cancel, const Progress &progress)
{
    int lastPercent = -1;
    const qsizetype count = entries.size();
    VCardExport::ProgressHandler handler;
    if (cancel || progress) {
        handler = [&](bool *stop, qsizetype index) {
            *stop = cancel && cancel->load(std::memory_order_relaxed);
            const int percent = count > 0 ? int(index * 100 / count) : 100;
            if (progress && percent != lastPercent)
                progress(lastPercent = percent);
        };
    }
    const std::optional<QByteArray> data
        = VCardExport::vCardsFromContacts(entries, VCardExport::fileExportOptions(), container, handler);
    if (!data)
        return std::nullopt;
    return QString::fromUtf8(*data);
}

QString ExportCommands::csvText(const ContactTable &entries)
{
    return CsvWriter::csvFromSubContacts(entries);
}

CommandAlert ExportCommands::writeUtf8Atomically(const QString &path, const QString &text, QString *detail)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (detail)
            *detail = file.errorString();
        return { ExportText::CannotSave, ExportText::SaveFailed };
    }
    return {};
}

ImportOffer ExportCommands::importFromVCard(const QString &path, TextEncoding::Number encoding,
    const std::atomic_bool *cancel, const DocumentReader::Progress &progress)
{
    ImportOffer offer;
    offer.filename = QFileInfo(path).fileName();
    DocumentReadResult read = DocumentReader::readFile(path, InputFormat::VCard, encoding, cancel, progress);
    if (read.status == DocumentReadResult::Status::ReadError) {
        offer.alert = { ExportText::CouldNotRead, read.readError };
        return offer;
    }
    if (read.status == DocumentReadResult::Status::Cancelled) {
        offer.cancelled = true;
        return offer;
    }
    offer.notices = read.notices;
    // Every card read, whatever its categories: the import adds to the selected group, it makes none.
    if (read.containers && !read.containers->isEmpty()) {
        const ContactContainer &container = *read.containers->first();
        if (const ContactTable *table = ZRvCard::contactsForGroup(*container.groups.first(), container))
            offer.nameTable = *table;
    }
    if (offer.nameTable.isEmpty())
        offer.alert = { ExportText::CouldNotRead, ExportText::InvalidVCard };
    return offer;
}

ImportOffer ExportCommands::importFromCSV(const QString &path, TextEncoding::Number encoding)
{
    ImportOffer offer;
    offer.filename = QFileInfo(path).fileName();
    DocumentReadResult read = DocumentReader::readFile(path, InputFormat::Csv, encoding);
    if (read.status != DocumentReadResult::Status::Read) {
        offer.alert = { ExportText::CouldNotRead, ExportText::InvalidCSV };
        return offer;
    }
    offer.notices = read.notices;
    offer.nameTable = read.contactTable;
    if (offer.nameTable.isEmpty())
        offer.alert = { ExportText::CouldNotRead, ExportText::InvalidCSV };
    return offer;
}

ContactTable ExportCommands::chosenForImport(
    const ContactTable &nameTable, const QList<qsizetype> &selectedRows)
{
    QList<qsizetype> rows = selectedRows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    ContactTable chosen;
    for (qsizetype row : rows) {
        if (row >= 0 && row < nameTable.size())
            chosen.append(nameTable.at(row));
    }
    return chosen;
}
