#include "cli/VariantJson.h"

#include "model/DateComponents.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QJsonArray>
#include <QJsonObject>

namespace VariantJson {

QString dateText(const DateComponents &date)
{
    const QString monthDay = QStringLiteral("%1-%2")
                                 .arg(date.month, 2, 10, QLatin1Char('0'))
                                 .arg(date.day, 2, 10, QLatin1Char('0'));
    if (!date.hasYear())
        return QStringLiteral("--") + monthDay;
    return QStringLiteral("%1-").arg(date.year, 4, 10, QLatin1Char('0')) + monthDay;
}

QJsonValue toJson(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QJsonValue::Null;
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<DateComponents>())
        return dateText(value.value<DateComponents>());
    if (type == QMetaType::fromType<StorePostalAddress>()) {
        const auto a = value.value<StorePostalAddress>();
        return QJsonObject { { CN::PostalAddressStreetKey, a.street }, { CN::PostalAddressCityKey, a.city },
            { CN::PostalAddressStateKey, a.state }, { CN::PostalAddressPostalCodeKey, a.postalCode },
            { CN::PostalAddressCountryKey, a.country },
            { CN::PostalAddressISOCountryCodeKey, a.isoCountryCode } };
    }
    if (type == QMetaType::fromType<StoreSocialProfile>()) {
        const auto p = value.value<StoreSocialProfile>();
        return QJsonObject { { CN::SocialProfileServiceKey, p.service },
            { CN::SocialProfileUsernameKey, p.username }, { CN::SocialProfileURLStringKey, p.urlString },
            { CN::SocialProfileUserIdentifierKey, p.userIdentifier } };
    }
    if (type == QMetaType::fromType<StoreInstantMessageAddress>()) {
        const auto m = value.value<StoreInstantMessageAddress>();
        return QJsonObject { { CN::InstantMessageAddressServiceKey, m.service },
            { CN::InstantMessageAddressUsernameKey, m.username } };
    }
    if (type == QMetaType::fromType<StoreContactRelation>())
        return value.value<StoreContactRelation>().name;
    switch (type.id()) {
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), toJson(it.value()));
        return object;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray array;
        for (const QVariant &item : value.toList())
            array.append(toJson(item));
        return array;
    }
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QByteArray:
        return qint64(value.toByteArray().size());
    case QMetaType::QDate:
        return dateText(DateComponents::fromDate(value.toDate()));
    default:
        return value.toString();
    }
}

} // namespace VariantJson
