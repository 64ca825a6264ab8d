#pragma once

#include "model/VCardLineReader.h"

#include <QString>
#include <QStringView>

// What the words of a card mean to a store contact: the TYPE values that stand for labels, the URI
// schemes and property names that stand for messaging services, and the properties other clients
// write for fields vCard has no property of its own for (a spouse, an anniversary, a blog).
namespace VCardVocabulary {

// The store label a TEL's TYPE values stand for (mobile, home fax ...); empty when none does.
QString phoneLabel(const VCardProperty &property);
// The same for the other labelled properties: home, work or other; empty when none.
QString placeLabel(const VCardProperty &property);
// The same for URL, which also knows its home page (TYPE=homepage).
QString urlLabel(const VCardProperty &property);
// The relation or date kind a TYPE value names (TYPE=spouse); empty when none does.
QString labelFromTypeWord(const VCardProperty &property);
// The messaging service a URI scheme stands for (xmpp, skype ...); empty when none.
QString serviceFromScheme(QStringView scheme);
// "scheme:rest" when the text before the first colon looks like a URI scheme.
bool splitScheme(QStringView text, QStringView *scheme, QStringView *rest);

// What a property other clients write stands for, when it stands for a field of the contact.
struct Extension
{
    enum class Kind { None, Relation, Date, InstantMessage, SocialProfile, Url, Phone, Department };
    Kind kind = Kind::None;
    QString label; // the entry's store label, when the property names one
    QString service; // the messaging or social service
};
Extension extension(const VCardProperty &property);

// The store labels of the type numbers a phone system writes in its own rows (X-ANDROID-CUSTOM):
// a related name's kind and a date's; type 0 is the row's own label, given as custom.
QString androidRelationLabel(int type, const QString &custom);
QString androidEventLabel(int type, const QString &custom);
// The type number of a date that is a birthday.
inline constexpr int AndroidBirthdayType = 3;

} // namespace VCardVocabulary
