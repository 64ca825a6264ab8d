#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// An entry without a number counts as not numbered yet.
qsizetype labelIndexOf(const QVariantMap &entry)
{
    const auto it = entry.constFind(Key::LabelIndex);
    return it == entry.cend() ? -1 : qsizetype(it.value().toLongLong());
}

qsizetype positionOfLabelIndex(const QVariantList &list, qsizetype labelIndex)
{
    if (labelIndex == ZRPerson::NotFound)
        return -1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QVariant &v = list.at(i);
        if (v.typeId() == QMetaType::QVariantMap && labelIndexOf(v.toMap()) == labelIndex)
            return i;
    }
    return -1;
}

// One more than the largest number in the list, counting from 0; 0 for an empty list.
qsizetype nextLabelIndex(const QVariantList &list)
{
    if (list.isEmpty())
        return 0;
    qsizetype highest = 0;
    for (const QVariant &v : list)
        highest = std::max(highest, labelIndexOf(v.toMap()));
    return highest + 1;
}

bool isNamePart(const QString &id)
{
    return id == Ident::FirstName || id == Ident::MiddleName || id == Ident::LastName
        || id == Ident::PreviousFamilyName;
}

// The phonetic name's own key for a phonetic part identifier; empty for anything else.
QString phoneticKey(const QString &id)
{
    if (id == Ident::PhoneticFirstName)
        return Ident::FirstName;
    if (id == Ident::PhoneticMiddleName)
        return Ident::MiddleName;
    if (id == Ident::PhoneticLastName)
        return Ident::LastName;
    return QString();
}

bool isStringField(const QString &id)
{
    return id == Ident::Renmei || id == Ident::Company || id == Ident::JobTitle || id == Ident::Title
        || id == Ident::Suffix || id == Ident::Nickname || id == Ident::Department || id == Ident::Note;
}

bool isAddressPart(const QString &id)
{
    return id == Ident::ZIP || id == Ident::State || id == Ident::City || id == Ident::Street
        || id == Ident::Country || id == CN::PostalAddressISOCountryCodeKey;
}

} // namespace

QVariant ZRPerson::valueForIdentifier(const QString &identifier) const
{
    if (identifier == Ident::Name)
        return readNameValue();
    if (identifier == Ident::CompositeName)
        return m_compositeName;
    if (isNamePart(identifier))
        return readNameValue().value(identifier, u""_s);
    if (isStringField(identifier))
        return stringValues().value(identifier, u""_s);
    if (identifier == Ident::PhoneticName)
        return readPhoneticNameValue();
    const QString phonetic = phoneticKey(identifier);
    if (!phonetic.isEmpty())
        return readPhoneticNameValue().value(phonetic, u""_s);
    if (const QVariantList *list = labeledValues(identifier))
        return *list;
    if (identifier == Ident::Birthday)
        return birthdayValue();
    if (identifier == Ident::HagakiLayout)
        return hagakiLayouts();
    if (identifier == Ident::Photo) {
        const QImage image = m_imageData.isEmpty() ? QImage() : QImage::fromData(m_imageData);
        return image.isNull() ? QVariant() : QVariant(image);
    }
    return QVariant();
}

void ZRPerson::setValueForIdentifier(const QVariant &value, const QString &identifier)
{
    materialize();
    if (identifier == Ident::Name) {
        if (value.typeId() != QMetaType::QVariantMap)
            return;
        m_nameValue = value.toMap();
        nameValue();
        compositeName();
    } else if (isNamePart(identifier)) {
        if (!value.isNull() && value.typeId() != QMetaType::QString)
            return;
        nameValue().insert(identifier, value.toString());
        nameValue();
        compositeName();
    } else if (identifier == Ident::PhoneticName) {
        if (value.typeId() != QMetaType::QVariantMap)
            return;
        m_phoneticNameValue = value.toMap();
        phoneticNameValue();
    } else if (const QString phonetic = phoneticKey(identifier); !phonetic.isEmpty()) {
        if (!value.isNull() && value.typeId() != QMetaType::QString)
            return;
        phoneticNameValue().insert(phonetic, value.toString());
        phoneticNameValue();
    } else if (isStringField(identifier)) {
        setStringValue(value, identifier);
    } else if (identifier == Ident::HagakiLayout && value.typeId() == QMetaType::QVariantList) {
        m_hagakiLayouts = value.toList();
    } else if (identifier == Ident::HagakiLayout || labeledIdentifiers().contains(identifier)) {
        replaceLabeledValueAtIndex(value, identifier, 0);
    } else if (identifier == Ident::Birthday) {
        setBirthdayFromValue(value);
    } else if (identifier == Ident::Photo) {
        if (value.isNull())
            setPhoto(QImage());
        else if (value.typeId() == QMetaType::QImage)
            setPhoto(value.value<QImage>());
    }
}

void ZRPerson::setBirthdayFromValue(const QVariant &value)
{
    materialize();
    if (value.isNull()) {
        m_birthdayValue.reset();
        return;
    }
    QVariant date = value;
    if (date.typeId() == QMetaType::QVariantMap)
        date = date.toMap().value(Key::Value);
    std::optional<DateComponents> components;
    if (date.typeId() == QMetaType::QDate)
        components = DateComponents::fromDate(date.toDate());
    else if (date.typeId() == QMetaType::QDateTime)
        components = DateComponents::fromDate(date.toDateTime().date());
    else if (date.typeId() == qMetaTypeId<DateComponents>())
        components = date.value<DateComponents>();
    QVariantMap birthday;
    if (components) {
        birthday.insert(Key::Value, QVariant::fromValue(*components));
        birthday.insert(Key::StringValue, dateStringFromDateComponents(*components));
    } else {
        birthday.insert(Key::StringValue, u""_s);
    }
    m_birthdayValue = birthday;
}

void ZRPerson::setStringValue(const QVariant &value, const QString &identifier)
{
    if (value.isNull()) {
        stringValues().remove(identifier);
    } else if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.isEmpty())
            stringValues().remove(identifier);
        else
            stringValues().insert(identifier, text);
    } else {
        return;
    }
    if (identifier == Ident::Company)
        compositeName();
}

QString ZRPerson::stringValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex) const
{
    if (const QVariantList *list = labeledValues(identifier)) {
        const qsizetype at = positionOfLabelIndex(*list, labelIndex);
        return at < 0 ? u""_s : list->at(at).toMap().value(Key::StringValue).toString();
    }
    if (identifier == Ident::Birthday)
        return birthdayValue().value(Key::StringValue).toString();
    if (identifier == Ident::Name)
        return readNameValue().value(Key::StringValue).toString();
    if (identifier == Ident::PhoneticName)
        return readPhoneticNameValue().value(Key::StringValue).toString();
    auto partOf = [&](const QVariantList &list, const QString &key) {
        const qsizetype at = positionOfLabelIndex(list, labelIndex);
        return at < 0 ? u""_s : list.at(at).toMap().value(key).toString();
    };
    if (isAddressPart(identifier))
        return partOf(addressValues(), identifier);
    if (identifier == Ident::IMSusername)
        return partOf(imsValues(), CN::InstantMessageAddressUsernameKey);
    if (identifier == Ident::IMSservicename)
        return partOf(imsValues(), CN::InstantMessageAddressServiceKey);
    if (identifier == Ident::SNSusername)
        return partOf(snsValues(), CN::SocialProfileUsernameKey);
    if (identifier == Ident::HagakiLayout) {
        const QVariantList &addresses = addressValues();
        const qsizetype at = positionOfLabelIndex(addresses, labelIndex);
        return at < 0 ? u""_s : LayoutString::layoutStringFromHagakiLayoutDict(addresses.at(at).toMap());
    }
    return valueForIdentifier(identifier).toString();
}

QVariant ZRPerson::labeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex)
{
    QVariantList *list = identifier == Ident::HagakiLayout ? &hagakiLayouts() : labeledValues(identifier);
    if (!list)
        return QVariant();
    const qsizetype at = positionOfLabelIndex(*list, labelIndex);
    if (at < 0)
        return QVariant();
    QVariantMap entry = list->at(at).toMap();
    if (identifier == Ident::Phone) {
        updatePhoneValue(entry);
        (*list)[at] = entry;
    }
    return entry;
}

QVariant ZRPerson::labeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index)
{
    QVariantList *list = identifier == Ident::HagakiLayout ? &hagakiLayouts() : labeledValues(identifier);
    if (!list || index < 0 || index >= list->size() || list->at(index).typeId() != QMetaType::QVariantMap)
        return QVariant();
    QVariantMap entry = list->at(index).toMap();
    if (identifier == Ident::Phone) {
        updatePhoneValue(entry);
        (*list)[index] = entry;
    }
    return entry;
}

void ZRPerson::replaceLabeledValueAtLabelIndex(
    const QVariant &value, const QString &identifier, qsizetype labelIndex)
{
    if (identifier == Ident::HagakiLayout) {
        replaceHagakiLayout(value, labelIndex);
        return;
    }
    QVariantList *list = labeledValues(identifier);
    if (!list)
        return;
    if (value.typeId() == QMetaType::QVariantList) {
        replaceWholeField(value.toList(), identifier);
        return;
    }
    if (value.typeId() != QMetaType::QVariantMap)
        return;
    const qsizetype at = positionOfLabelIndex(*list, labelIndex);
    if (at < 0)
        return;
    QVariantMap entry = value.toMap();
    deriveEntry(entry, identifier);
    (*list)[at] = entry;
}

void ZRPerson::replaceLabeledValueAtIndex(const QVariant &value, const QString &identifier, qsizetype index)
{
    if (identifier == Ident::HagakiLayout) {
        replaceHagakiLayout(value, index);
        return;
    }
    QVariantList *list = labeledValues(identifier);
    if (!list)
        return;
    if (value.typeId() == QMetaType::QVariantList) {
        replaceWholeField(value.toList(), identifier);
        return;
    }
    if (value.typeId() != QMetaType::QVariantMap || index < 0 || index >= list->size())
        return;
    QVariantMap entry = value.toMap();
    deriveEntry(entry, identifier);
    (*list)[index] = entry;
}

void ZRPerson::replaceWholeField(const QVariantList &entries, const QString &identifier)
{
    QVariantList *list = labeledValues(identifier);
    if (!list)
        return;
    const bool addresses = identifier == Ident::Address;
    QSet<qsizetype> layoutNumbers;
    if (addresses) {
        for (const QVariant &v : hagakiLayouts())
            layoutNumbers.insert(labelIndexOf(v.toMap()));
    }
    QVariantList result;
    result.reserve(entries.size());
    for (const QVariant &v : entries) {
        if (v.typeId() == QMetaType::QVariantMap)
            result.append(v);
    }
    qsizetype next = nextLabelIndex(result);
    for (QVariant &v : result) {
        QVariantMap entry = v.toMap();
        if (labelIndexOf(entry) == -1)
            entry.insert(Key::LabelIndex, next++);
        deriveEntry(entry, identifier);
        // A new address gets a layout entry under the number it has now, so the two stay paired.
        if (addresses && !layoutNumbers.contains(labelIndexOf(entry))) {
            layoutNumbers.insert(labelIndexOf(entry));
            hagakiLayouts().append(QVariantMap {
                { Key::LabelIndex, labelIndexOf(entry) }, { Key::Label, entry.value(Key::Label) } });
        }
        v = entry;
    }
    *list = result;
}

void ZRPerson::replaceHagakiLayout(const QVariant &value, qsizetype labelIndex)
{
    // Layouts are numbered like addresses; an absurd number must not make the list grow without end.
    constexpr qsizetype MaxLayouts = 10000;
    if (labelIndex < 0 || labelIndex >= MaxLayouts) {
        qWarning(
            "ZRPerson::replaceHagakiLayout: ERROR layout number %lld out of range", qlonglong(labelIndex));
        return;
    }
    QVariantList &layouts = hagakiLayouts();
    while (layouts.size() < labelIndex + 1)
        layouts.append(QVariantMap { { Key::LabelIndex, layouts.size() } });
    const qsizetype at = positionOfLabelIndex(layouts, labelIndex);
    if (at < 0)
        return;
    if (value.isNull()) {
        qWarning("ERROR");
        return;
    }
    if (value.typeId() == QMetaType::QString) {
        QVariantMap entry = layouts.at(at).toMap();
        entry.insert(Key::StringValue, value.toString());
        LayoutString::hagakiLayoutFromLayoutString(entry, value.toString());
        layouts[at] = entry;
    } else if (value.typeId() == QMetaType::QVariantMap) {
        layouts[labelIndex] = value;
    }
}

void ZRPerson::addLabeledValue(const QVariant &value, const QString &identifier)
{
    QVariantList *list = labeledValues(identifier);
    if (!list || value.typeId() != QMetaType::QVariantMap)
        return;
    QVariantMap entry = value.toMap();
    entry.insert(Key::LabelIndex, nextLabelIndex(*list));
    deriveEntry(entry, identifier);
    list->append(entry);
}

void ZRPerson::deleteLabeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex)
{
    QVariantList *list = labeledValues(identifier);
    if (!list)
        return;
    const qsizetype at = positionOfLabelIndex(*list, labelIndex);
    if (at >= 0)
        list->removeAt(at);
}

void ZRPerson::deleteLabeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index)
{
    QVariantList *list = labeledValues(identifier);
    if (list && index != NotFound && index >= 0 && index < list->size())
        list->removeAt(index);
}

void ZRPerson::deleteValueForIdentifier(const QString &identifier)
{
    materialize();
    if (identifier == Ident::Name) {
        QVariantMap &name = nameValue();
        for (const QString &key : { Ident::FirstName, Ident::MiddleName, Ident::LastName,
                 Ident::PreviousFamilyName, Key::StringValue })
            name.insert(key, u""_s);
        name.insert(Key::ShowAsPerson, true);
        nameValue();
        compositeName();
    } else if (isNamePart(identifier)) {
        QVariantMap &name = nameValue();
        name.insert(identifier, u""_s);
        name.insert(Key::StringValue, u""_s);
        nameValue();
        compositeName();
    } else if (identifier == Ident::PhoneticName) {
        m_phoneticNameValue = QVariantMap { { Ident::FirstName, u""_s }, { Ident::MiddleName, u""_s },
            { Ident::LastName, u""_s }, { Key::StringValue, u""_s } };
        m_phoneticDirty = true;
    } else if (const QString phonetic = phoneticKey(identifier); !phonetic.isEmpty()) {
        QVariantMap &p = phoneticNameValue();
        p.insert(phonetic, u""_s);
        p.insert(Key::StringValue, u""_s);
    } else if (identifier == Ident::Birthday) {
        m_birthdayValue = QVariantMap { { Key::StringValue, u""_s } };
    } else if (identifier == Ident::Photo) {
        m_imageData.clear();
        m_thumbnailImageData.clear();
    }
}

void ZRPerson::sortLabeledValueForSortDescriptor(const QString &key, bool ascending)
{
    QVariantList *list = labeledValues(key);
    if (!list)
        return;
    auto text = [](const QVariant &v) { return v.toMap().value(Key::StringValue).toString(); };
    std::stable_sort(list->begin(), list->end(), [&](const QVariant &a, const QVariant &b) {
        const int c = text(a).compare(text(b), Qt::CaseSensitive);
        return ascending ? c < 0 : c > 0;
    });
}
