#pragma once

#include "model/Identifiers.h"

#include <QString>

// Sort keys a column's sort descriptor may carry besides plain field identifiers. They are stored in
// the user defaults (sort options and the last sort), so their spelling is part of the settings format.
namespace SortKey {

inline const QString &CompositeName = Ident::CompositeName;
inline const QString AddressLabel = QStringLiteral("Address label");
inline const QString PhoneLabel = QStringLiteral("Phone label");
inline const QString EmailLabel = QStringLiteral("Email label");
inline const QString EmailDomain = QStringLiteral("Email domain");
inline const QString EmailUsername = QStringLiteral("Email username");
inline const QString URLLabel = QStringLiteral("URL label");
inline const QString InstantMessageLabel = QStringLiteral("Instant Message label");
inline const QString InstantMessageType = QStringLiteral("Instant Message type");
inline const QString InstantMessageServiceName = QStringLiteral("Instant Message service name");
inline const QString InstantMessageUsername = QStringLiteral("Instant Message username");
inline const QString SocialNetworkType = QStringLiteral("Social Network type");
inline const QString SocialNetworkServiceName = QStringLiteral("Social Network service name");
inline const QString SocialNetworkUsername = QStringLiteral("Social Network username");
inline const QString RelationshipLabel = QStringLiteral("Relationship label");
inline const QString DatesLabel = QStringLiteral("Dates label");

} // namespace SortKey
