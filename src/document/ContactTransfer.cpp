#include "document/ContactTransfer.h"

#include "document/DocumentReader.h"
#include "document/ViewController.h"
#include "formats/CsvWriter.h"
#include "formats/VCardExport.h"
#include "model/Identifiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>
#include <QSet>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QStringList &dragTextIdentifiers()
{
    static const QStringList ids { Ident::Name, Ident::Email, Ident::Phone, Ident::Address,
        Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::PhoneticName, Ident::Nickname,
        Ident::Birthday, Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Company, Ident::Department,
        Ident::JobTitle, Ident::Dates, Ident::Note };
    return ids;
}

QStringList dragOptions()
{
    return { VCardExport::Option::Note, VCardExport::Option::Photo, VCardExport::Option::Renmei,
        VCardExport::Option::HagakiLayout };
}

QByteArray dragVCards(const ContactTable &contacts)
{
    QByteArray data;
    for (const ContactEntryPtr &contact : contacts) {
        data += VCardExport::vCardFromContact(*contact, dragOptions());
        data += "\r\n";
    }
    return data;
}

bool isVCardFile(const QUrl &url)
{
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return url.isLocalFile() && (suffix == u"vcf"_s || suffix == u"vcard"_s);
}

} // namespace

namespace ContactTransfer {

QString copyText(const ContactTable &subRows, const QStringList &identifiers, const QString &separator)
{
    QStringList lines;
    for (const ContactEntryPtr &row : subRows)
        lines << CsvWriter::csvStringFromContact(*row, identifiers, separator);
    const QString text = lines.join(u'\n');
    return text.size() < 2 ? QString() : text;
}

ContactTable distinctContacts(const ContactTable &subRows)
{
    ContactTable contacts;
    QSet<QString> seen;
    for (const ContactEntryPtr &row : subRows) {
        if (seen.contains(row->uniqueId))
            continue;
        seen.insert(row->uniqueId);
        auto contact = std::make_shared<ContactEntry>(*row);
        contact->labelIndex = 0;
        contacts.append(contact);
    }
    return contacts;
}

QMimeData *dragData(const ContactTable &subRows, const QList<int> &rowIndexes, const QString &tempFolder)
{
    auto *data = new QMimeData;
    const ContactTable contacts = distinctContacts(subRows);
    QStringList lines;
    for (const ContactEntryPtr &contact : contacts)
        lines << CsvWriter::csvStringFromContact(*contact, dragTextIdentifiers(), TabSeparator);
    data->setText(lines.join(u'\n'));
    data->setData(VCardMimeType, dragVCards(contacts));
    QStringList indexes;
    for (int index : rowIndexes)
        indexes << QString::number(index);
    data->setData(RowIndexesMimeType, indexes.join(u',').toLatin1());
    if (!subRows.isEmpty())
        data->setData(LabelIndexMimeType, QByteArray::number(subRows.first()->labelIndex));
    const QString file = writePromisedFile(subRows, tempFolder);
    if (!file.isEmpty())
        data->setUrls({ QUrl::fromLocalFile(file) });
    return data;
}

QString writePromisedFile(const ContactTable &subRows, const QString &folder, QString *error)
{
    const QString path = QDir(folder).filePath(DraggingFileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    file.write(dragVCards(distinctContacts(subRows)));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return path;
}

bool validateDrop(const QMimeData &data, const DropTarget &target)
{
    if (target.fromThisTable || target.onRow || target.row > target.subRowCount)
        return false;
    if (!target.editState)
        return false;
    if (data.hasFormat(VCardMimeType))
        return true;
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        return std::any_of(urls.cbegin(), urls.cend(), isVCardFile);
    }
    return false;
}

bool acceptDrop(const QMimeData &data, const DropTarget &target, ViewController &controller)
{
    if (!validateDrop(data, target) || !controller.selectedGroupDict())
        return false;
    // Dropped data and dropped files are read as opening them would read them: the same size limit,
    // encoding detection (files from phones are often not UTF-8) and skipped-card handling.
    QList<DocumentReadResult> reads;
    if (data.hasFormat(VCardMimeType)) {
        reads << DocumentReader::readData(
            data.data(VCardMimeType), InputFormat::VCard, TextEncoding::Automatic);
    } else {
        for (const QUrl &url : data.urls()) {
            if (isVCardFile(url))
                reads << DocumentReader::readFile(
                    url.toLocalFile(), InputFormat::VCard, TextEncoding::Automatic);
        }
    }
    ContactTable added;
    for (const DocumentReadResult &read : reads) {
        if (!read.ok()) {
            qWarning("ContactTransfer::acceptDrop: %s", qUtf8Printable(read.readError));
            continue;
        }
        added << read.contactTable;
    }
    if (added.isEmpty())
        return false;
    controller.undoAddContacts(added, controller.selectedGroupDict());
    controller.setDocumentEdited(true);
    return true;
}

} // namespace ContactTransfer
