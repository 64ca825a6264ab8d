#include "document/ContactTransfer.h"

#include "document/ViewController.h"
#include "formats/CsvWriter.h"
#include "formats/EncodingDetector.h"
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

// Files dropped in are read whole; a contact file larger than this is not a contact file.
constexpr qint64 MaxDroppedFileSize = 256LL * 1024 * 1024;

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
    if (!validateDrop(data, target))
        return false;
    if (data.hasFormat(VCardMimeType))
        return controller.addContactByVCardString(QString::fromUtf8(data.data(VCardMimeType)));
    bool added = false;
    UndoManager::Group step(controller.undoManager());
    for (const QUrl &url : data.urls()) {
        if (!isVCardFile(url))
            continue;
        QFile file(url.toLocalFile());
        if (file.size() > MaxDroppedFileSize || !file.open(QIODevice::ReadOnly)) {
            qWarning("ContactTransfer::acceptDrop: cannot read %s", qUtf8Printable(url.toLocalFile()));
            continue;
        }
        // Files from phones are often not UTF-8: their encoding is detected as when opening them.
        const DecodedText text = EncodingDetector::detectAndDecode(file.readAll());
        if (!text.error.isEmpty()) {
            qWarning("ContactTransfer::acceptDrop: %s: %s", qUtf8Printable(url.toLocalFile()),
                qUtf8Printable(text.error));
            continue;
        }
        added |= controller.addContactByVCardString(text.text);
    }
    return added;
}

} // namespace ContactTransfer
