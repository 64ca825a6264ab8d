#include "tools/MergeSheetEdits.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>

namespace {

bool isNullValue(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

bool isNameOrPhoneticPart(const QString &id)
{
    return id == Ident::FirstName || id == Ident::LastName || id == Ident::MiddleName
        || id == Ident::PreviousFamilyName || id == Ident::PhoneticFirstName || id == Ident::PhoneticLastName
        || id == Ident::PhoneticMiddleName;
}

qsizetype labelIndexOf(const QVariant &value, bool *ok)
{
    const QVariantMap map = value.toMap();
    const auto it = map.constFind(Key::LabelIndex);
    *ok = value.typeId() == QMetaType::QVariantMap && it != map.cend();
    return *ok ? qsizetype(it.value().toLongLong(ok)) : -1;
}

} // namespace

bool MergeSheetEdits::undoReplaceValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person)
        return false;
    const bool changed = replaceValue(value, identifier, person);
    if (changed)
        person->setChanged(true);
    return changed;
}

bool MergeSheetEdits::replaceValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    const bool labeled = ZRPerson::labeledIdentifiers().contains(identifier);
    const bool addressPart = ZRPerson::addressIdentifiers().contains(identifier);
    if (labeled || addressPart) {
        if (isNullValue(value)) {
            qWarning(" Error %s: %s, %s", "MergeSheetEdits::undoReplaceValue", qUtf8Printable(identifier),
                "(null)");
            return false;
        }
        const QString field = addressPart ? Ident::Address : identifier;
        if (labeled && value.typeId() == QMetaType::QVariantList) {
            const QVariant old = person->valueForIdentifier(field);
            person->setValueForIdentifier(value, field);
            registerReplace(old, field, person);
            return true;
        }
        bool ok = false;
        const qsizetype labelIndex = labelIndexOf(value, &ok);
        if (!ok)
            return false;
        const QVariant old = person->labeledValueForIdentifierAtLabelIndex(field, labelIndex);
        if (!old.isValid())
            return false;
        person->replaceLabeledValueAtLabelIndex(value, field, labelIndex);
        registerReplace(old, field, person);
        return true;
    }
    if (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Birthday) {
        if (!isNullValue(value) && value.typeId() != QMetaType::QVariantMap)
            return false;
        const QVariant old = person->valueForIdentifier(identifier);
        if (isNullValue(value))
            person->deleteValueForIdentifier(identifier);
        else
            person->setValueForIdentifier(value, identifier);
        registerReplace(old, identifier, person);
        return true;
    }
    if (isNameOrPhoneticPart(identifier)) {
        if (value.typeId() != QMetaType::QString)
            return false;
        const QString old = person->valueForIdentifier(identifier).toString();
        if (old == value.toString())
            return false;
        person->setValueForIdentifier(value, identifier);
        registerReplace(old, identifier, person);
        return true;
    }
    if (identifier == Ident::Photo) {
        if (isNullValue(value))
            return replacePhotoData(QByteArray(), QByteArray(), person);
        if (value.typeId() == QMetaType::QByteArray)
            return replacePhotoData(value.toByteArray(), QByteArray(), person);
        if (value.typeId() != QMetaType::QImage)
            return false;
        // Stored through the record so that the image is encoded as every photo is.
        const QByteArray oldImage = person->imageData();
        const QByteArray oldThumbnail = person->thumbnailImageData();
        person->setPhoto(value.value<QImage>());
        m_undo.registerUndo([this, oldImage, oldThumbnail, person] {
            if (replacePhotoData(oldImage, oldThumbnail, person))
                person->setChanged(true);
        });
        return true;
    }
    if (identifier == Ident::HagakiLayout) {
        bool ok = false;
        const qsizetype labelIndex = labelIndexOf(value, &ok);
        if (!ok)
            return false;
        const QVariant old = person->labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
        person->replaceLabeledValueAtLabelIndex(value, identifier, labelIndex);
        if (old.isValid())
            registerReplace(old, identifier, person);
        return true;
    }
    if (ZRPerson::stringIdentifiers().contains(identifier)) {
        const QVariant old = person->valueForIdentifier(identifier);
        person->setValueForIdentifier(value, identifier);
        registerReplace(old, identifier, person);
        return true;
    }
    return false;
}

bool MergeSheetEdits::replacePhotoData(
    const QByteArray &image, const QByteArray &thumbnail, const std::shared_ptr<ZRPerson> &person)
{
    // The bytes themselves go back and forth, so undo gives back the very photo, not a re-encoding.
    const QByteArray oldImage = person->imageData();
    const QByteArray oldThumbnail = person->thumbnailImageData();
    person->setImageData(image);
    person->setThumbnailImageData(thumbnail);
    m_undo.registerUndo([this, oldImage, oldThumbnail, person] {
        if (replacePhotoData(oldImage, oldThumbnail, person))
            person->setChanged(true);
    });
    return true;
}

void MergeSheetEdits::registerReplace(
    const QVariant &oldValue, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    m_undo.registerUndo(
        [this, oldValue, identifier, person] { undoReplaceValue(oldValue, identifier, person); });
}

bool MergeSheetEdits::undoAddLabeledValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person || !ZRPerson::labeledIdentifiers().contains(identifier)
        || value.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariant old = person->valueForIdentifier(identifier);
    person->addLabeledValue(value, identifier);
    registerReplace(old, identifier, person);
    person->setChanged(true);
    return true;
}

bool MergeSheetEdits::undoDeleteLabeledValue(
    const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person)
{
    if (!person || !ZRPerson::labeledIdentifiers().contains(identifier)) {
        qWarning("MergeSheetEdits::undoDeleteLabeledValue: ERROR %s", qUtf8Printable(identifier));
        return false;
    }
    bool ok = false;
    const qsizetype labelIndex = labelIndexOf(value, &ok);
    if (!ok || !person->labeledValueForIdentifierAtLabelIndex(identifier, labelIndex).isValid())
        return false;
    const QVariant old = person->valueForIdentifier(identifier);
    person->deleteLabeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
    registerReplace(old, identifier, person);
    person->setChanged(true);
    return true;
}
