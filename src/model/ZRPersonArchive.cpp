#include "model/VariantCodec.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 ArchiveMagic = 0x5a525031; // "ZRP1"
constexpr quint32 ArchiveVersion = 1;

template <typename Optional> QVariant orNull(const Optional &value)
{
    return value ? QVariant(*value) : QVariant();
}

template <typename Optional> void restore(Optional &target, const QVariant &value)
{
    using T = typename Optional::value_type;
    if (value.typeId() == qMetaTypeId<T>())
        target = value.value<T>();
    else
        target.reset();
}

} // namespace

void ZRPerson::encode(QDataStream &out) const
{
    materialize(); // an archive carries values, not the card they came from
    namespace K = PersonArchiveKey;
    const QVariantMap archive {
        { K::DefaultNameOrdering, m_defaultNameOrdering },
        { K::DefaultCountryCode, m_defaultCountryCode },
        { K::ShowAsPerson, m_showAsPerson ? 1 : 0 },
        { K::CompositeName, m_compositeName },
        { K::NameValue, orNull(m_nameValue) },
        { K::PhoneticNameValue, orNull(m_phoneticNameValue) },
        { K::PhoneValues, orNull(m_phoneValues) },
        { K::EmailValues, orNull(m_emailValues) },
        { K::AddressValues, orNull(m_addressValues) },
        { K::UrlValues, orNull(m_urlValues) },
        { K::RelationshipValues, orNull(m_relationshipValues) },
        { K::SnsValues, orNull(m_snsValues) },
        { K::ImsValues, orNull(m_imsValues) },
        { K::BirthdayValue, orNull(m_birthdayValue) },
        { K::DatesValues, orNull(m_datesValues) },
        { K::StringValues, orNull(m_stringValues) },
        { K::ImageData, m_imageData.isNull() ? QVariant() : QVariant(m_imageData) },
        { K::ThumbnailImageData,
            m_thumbnailImageData.isNull() ? QVariant() : QVariant(m_thumbnailImageData) },
        { K::Created, m_created ? 1 : 0 },
        { K::Changed, m_changed ? 1 : 0 },
        { K::UniqueId, m_uniqueId.isEmpty() ? QVariant() : QVariant(m_uniqueId) },
        { K::UniqueId2, m_uniqueId2.isEmpty() ? QVariant() : QVariant(m_uniqueId2) },
        { K::HagakiLayouts, orNull(m_hagakiLayouts) },
        { K::OtherProperties, m_otherProperties.isEmpty() ? QVariant() : QVariant(m_otherProperties) },
    };
    out << ArchiveMagic << ArchiveVersion << VariantCodec::encode(archive);
}

bool ZRPerson::decode(QDataStream &in, QString *error)
{
    auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    quint32 magic = 0, version = 0;
    QByteArray payload;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != ArchiveMagic)
        return failed(u"not a contact archive"_s);
    if (version > ArchiveVersion)
        return failed(u"contact archive version %1 is newer than this program reads"_s.arg(version));
    in >> payload; // QDataStream reads byte arrays in bounded chunks
    if (in.status() != QDataStream::Ok)
        return failed(u"contact archive ends early"_s);
    QVariant decoded;
    QString why;
    if (!VariantCodec::decode(payload, decoded, &why))
        return failed(u"damaged contact archive: "_s + why);
    if (decoded.typeId() != QMetaType::QVariantMap)
        return failed(u"damaged contact archive: no record"_s);

    namespace K = PersonArchiveKey;
    const QVariantMap a = decoded.toMap();
    // Absent keys read as 0 or null, as in every earlier archive.
    // The archive replaces every value, so nothing is owed by a card read before.
    m_unbuilt = false;
    m_uniqueId2Owed = false;
    m_source = QByteArray();
    m_defaultNameOrdering = a.value(K::DefaultNameOrdering).toInt();
    m_defaultCountryCode = a.value(K::DefaultCountryCode).toString();
    m_showAsPerson = a.value(K::ShowAsPerson).toInt() != 0;
    m_compositeName = a.value(K::CompositeName).toString();
    restore(m_nameValue, a.value(K::NameValue));
    restore(m_phoneValues, a.value(K::PhoneValues));
    restore(m_phoneticNameValue, a.value(K::PhoneticNameValue));
    m_nameDirty = m_phoneticDirty = true;
    restore(m_emailValues, a.value(K::EmailValues));
    restore(m_addressValues, a.value(K::AddressValues));
    restore(m_urlValues, a.value(K::UrlValues));
    restore(m_relationshipValues, a.value(K::RelationshipValues));
    restore(m_snsValues, a.value(K::SnsValues));
    restore(m_imsValues, a.value(K::ImsValues));
    restore(m_birthdayValue, a.value(K::BirthdayValue));
    restore(m_datesValues, a.value(K::DatesValues));
    restore(m_stringValues, a.value(K::StringValues));
    m_imageData = a.value(K::ImageData).toByteArray();
    m_thumbnailImageData = a.value(K::ThumbnailImageData).toByteArray();
    m_otherProperties = a.value(K::OtherProperties).toByteArray();
    m_created = a.value(K::Created).toInt() != 0;
    m_changed = a.value(K::Changed).toInt() != 0;
    m_uniqueId = a.value(K::UniqueId).toString();
    m_uniqueId2 = a.value(K::UniqueId2).toString();
    if (a.contains(K::HagakiLayouts))
        restore(m_hagakiLayouts, a.value(K::HagakiLayouts));
    return true;
}

std::shared_ptr<ZRPerson> ZRPerson::fromArchive(QDataStream &in, QString *error)
{
    auto person = std::make_shared<ZRPerson>();
    if (!person->decode(in, error))
        return nullptr;
    return person;
}
