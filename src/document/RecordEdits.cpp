#include "document/RecordEdits.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace {

bool isNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

bool isNamePart(const QString &identifier)
{
    return identifier == Ident::FirstName || identifier == Ident::LastName || identifier == Ident::MiddleName
        || identifier == Ident::PreviousFamilyName || identifier == Ident::PhoneticFirstName
        || identifier == Ident::PhoneticLastName || identifier == Ident::PhoneticMiddleName;
}

// The number a labelled value carries; nothing when it carries none (then it names no entry).
std::optional<qsizetype> labelIndexOf(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    const auto it = map.constFind(Key::LabelIndex);
    if (it == map.cend())
        return std::nullopt;
    bool ok = false;
    const qsizetype index = it.value().toLongLong(&ok);
    return ok ? std::optional(index) : std::nullopt;
}

} // namespace

RecordEdits::RecordEdits(UndoManager &undo, Observer observer)
    : m_undo(undo)
    , m_observer(std::move(observer))
{
}

void RecordEdits::changed(const std::shared_ptr<ZRPerson> &person, const QString &field)
{
    person->setChanged(true);
    if (m_observer)
        m_observer(person, field);
}

void RecordEdits::registerReplace(
    const QVariant &oldValue, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    m_undo.registerUndo([this, oldValue, identifier, person] { replaceValue(oldValue, identifier, person); });
}

bool RecordEdits::replaceValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person)
        return false;
    return replace(value, identifier, person);
}

bool RecordEdits::replace(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    ZRPerson &record = *person;
    const bool labelled = ZRPerson::labeledIdentifiers().contains(identifier);
    const bool addressPart = ZRPerson::addressIdentifiers().contains(identifier);

    if (labelled || addressPart) {
        const QString field = addressPart ? Ident::Address : identifier;
        if (isNull(value)) {
            qWarning().noquote() << u" Error %1: %2, %3"_s.arg(
                u"undoReplaceValue"_s, identifier, u"(null)"_s);
            return false;
        }
        if (labelled && value.typeId() == QMetaType::QVariantList) {
            registerReplace(record.valueForIdentifier(field), field, person);
            record.setValueForIdentifier(value, field);
            changed(person, field);
            return true;
        }
        const std::optional<qsizetype> labelIndex = labelIndexOf(value);
        if (!labelIndex)
            return false;
        const QVariant old = record.labeledValueForIdentifierAtLabelIndex(field, *labelIndex);
        if (isNull(old))
            return false; // nothing carries that number: nothing to replace, nothing to undo
        registerReplace(old, field, person);
        record.replaceLabeledValueAtLabelIndex(value, field, *labelIndex);
        changed(person, field);
        return true;
    }

    if (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Birthday) {
        if (!isNull(value) && value.typeId() != QMetaType::QVariantMap)
            return false;
        registerReplace(record.valueForIdentifier(identifier), identifier, person);
        if (isNull(value))
            record.deleteValueForIdentifier(identifier);
        else
            record.setValueForIdentifier(value, identifier);
        changed(person, identifier);
        return true;
    }

    if (isNamePart(identifier)) {
        if (value.typeId() != QMetaType::QString)
            return false;
        const QString old = record.valueForIdentifier(identifier).toString();
        if (old == value.toString())
            return false;
        registerReplace(old, identifier, person);
        record.setValueForIdentifier(value, identifier);
        changed(person, identifier);
        return true;
    }

    if (identifier == Ident::Photo)
        return replacePhoto(value, person);

    if (identifier == Ident::HagakiLayout) {
        // The inverse is the whole list: a layout made for an address that had none must go again.
        if (value.typeId() == QMetaType::QVariantList) {
            registerReplace(record.hagakiLayouts(), identifier, person);
            record.setValueForIdentifier(value, identifier);
            changed(person, identifier);
            return true;
        }
        const std::optional<qsizetype> labelIndex = labelIndexOf(value);
        if (!labelIndex)
            return false;
        registerReplace(record.hagakiLayouts(), identifier, person);
        record.replaceLabeledValueAtLabelIndex(value, identifier, *labelIndex);
        changed(person, identifier);
        return true;
    }

    if (ZRPerson::stringIdentifiers().contains(identifier)) {
        registerReplace(record.valueForIdentifier(identifier), identifier, person);
        record.setValueForIdentifier(value, identifier);
        changed(person, identifier);
        return true;
    }
    return false;
}

bool RecordEdits::replacePhoto(const QVariant &value, const std::shared_ptr<ZRPerson> &person)
{
    if (isNull(value)) {
        setPhotoData(QByteArray(), QByteArray(), person);
        return true;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        // A thumbnail made from the old photo would show the wrong face; the new one derives from the image.
        setPhotoData(value.toByteArray(), QByteArray(), person);
        return true;
    }
    if (value.typeId() != QMetaType::QImage)
        return false;
    // Stored through the record, so that the image is encoded as every photo is.
    const QByteArray oldImage = person->imageData();
    const QByteArray oldThumbnail = person->thumbnailImageData();
    person->setPhoto(value.value<QImage>());
    person->setThumbnailImageData(QByteArray());
    m_undo.registerUndo(
        [this, oldImage, oldThumbnail, person] { setPhotoData(oldImage, oldThumbnail, person); });
    changed(person, Ident::Photo);
    return true;
}

void RecordEdits::setPhotoData(
    const QByteArray &image, const QByteArray &thumbnail, const std::shared_ptr<ZRPerson> &person)
{
    // The bytes themselves go back and forth, so undo gives back the very photo, not a re-encoding.
    const QByteArray oldImage = person->imageData();
    const QByteArray oldThumbnail = person->thumbnailImageData();
    person->setImageData(image);
    person->setThumbnailImageData(thumbnail);
    m_undo.registerUndo(
        [this, oldImage, oldThumbnail, person] { setPhotoData(oldImage, oldThumbnail, person); });
    changed(person, Ident::Photo);
}

bool RecordEdits::addLabeledValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person || value.typeId() != QMetaType::QVariantMap)
        return false;
    // A contact has one birthday: adding one sets it.
    if (identifier == Ident::Birthday)
        return replace(value, identifier, person);
    if (!ZRPerson::labeledIdentifiers().contains(identifier))
        return false;
    registerReplace(person->valueForIdentifier(identifier), identifier, person);
    person->addLabeledValue(value, identifier);
    changed(person, identifier);
    return true;
}

bool RecordEdits::deleteLabeledValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person)
        return false;
    if (!ZRPerson::labeledIdentifiers().contains(identifier)) {
        qWarning("RecordEdits::deleteLabeledValue: ERROR %s", qUtf8Printable(identifier));
        return false;
    }
    const std::optional<qsizetype> labelIndex = labelIndexOf(value);
    if (!labelIndex || isNull(person->labeledValueForIdentifierAtLabelIndex(identifier, *labelIndex)))
        return false;
    registerReplace(person->valueForIdentifier(identifier), identifier, person);
    person->deleteLabeledValueForIdentifierAtLabelIndex(identifier, *labelIndex);
    changed(person, identifier);
    return true;
}
