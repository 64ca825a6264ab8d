#pragma once

#include "formats/ContactContainer.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ZRPerson;

// Writing records as vCard 3.0 for export, dragging and the pasteboard. The record's own vCard
// data carries the standard properties; the properties it leaves out (note, joint names, postcard
// layouts, photo, categories) are added here, each only when the caller's options ask for it.
// Every result is UTF-8 with CR LF line ends.
namespace VCardExport {

// Option names. Those that add a field are named like the field's identifier.
namespace Option {
inline const QString &Note = Ident::Note;
inline const QString &Renmei = Ident::Renmei;
inline const QString &HagakiLayout = Ident::HagakiLayout;
inline const QString &Photo = Ident::Photo;
inline const QString Categories = QStringLiteral("Categories");
} // namespace Option

// Called after each contact with its index (from 0); setting *stop abandons the whole write.
using ProgressHandler = ZRvCard::ProgressHandler;

// The options of an export to a file: photo, note, joint names and layouts.
QStringList fileExportOptions();

// The cards of every entry that has a record, concatenated; empty for no entries; nullopt when
// the handler asked to stop. Each contact gets a CATEGORIES line naming the container's groups
// (top group excepted) that hold it; without a container no card gets one. Deleted entries and
// deleted groups do not count as membership.
std::optional<QByteArray> vCardsFromContacts(const ContactTable &entries, const QStringList &options,
    const ContactContainer *container = nullptr, const ProgressHandler &handler = {});

// The same cards handed to sink a batch at a time, in order, so that a large export is never held
// whole; false when the handler asked to stop or sink returned false (a write failed).
using Sink = std::function<bool(const QByteArray &piece)>;
bool writeVCards(const ContactTable &entries, const QStringList &options, const ContactContainer *container,
    const ProgressHandler &handler, const Sink &sink);

// One card; empty when the record gives no vCard data. With "Photo", the record's picture (a stored
// JPEG unchanged); a record without one gets no PHOTO.
QByteArray vCardFromPerson(ZRPerson &person, const QStringList &options, const QStringList &groupNames = {});

// One card of the entry's record, for dragging out of a table: a record without an image gets no
// photo, and no categories are written. Empty when the entry has no record.
QByteArray vCardFromContact(const ContactEntry &entry, const QStringList &options);
// vCardFromContact of every entry, concatenated.
QByteArray vCardsFromContactsWithoutGroups(const ContactTable &entries, const QStringList &options);

// The PHOTO property, folded with a space at the start of every continuation line; empty when the
// image gives no JPEG data.
QByteArray encodeVCardPhoto(const QImage &image);
// The same for JPEG data that is written as it is.
QByteArray encodeVCardPhotoData(const QByteArray &jpeg);
// JPEG at quality 90, unscaled; transparent parts are laid on white. Empty for a null image.
QByteArray jpegDataFromImage(const QImage &image);
// Group names for cards written from entries alone: entries carry no membership, so always "".
QString categoriesString(const QList<ContactGroupPtr> &groups);

} // namespace VCardExport
