#include "ui/tools/FieldIcons.h"

#include "model/Identifiers.h"
#include "tools/MergeRows.h"
#include "ui/window/WindowIcons.h"

#include <QHash>

namespace FieldIcons {

QString iconName(const QString &type)
{
    static const QHash<QString, QString> names {
        { Ident::Photo, QStringLiteral("photo") },
        { Ident::Name, QStringLiteral("person") },
        { Ident::Nickname, QStringLiteral("person") },
        { Ident::Suffix, QStringLiteral("person") },
        { Ident::Title, QStringLiteral("person") },
        { MergeText::NameOrdering, QStringLiteral("order") },
        { MergeText::NameDisplay, QStringLiteral("order") },
        { Ident::Company, QStringLiteral("company") },
        { Ident::Department, QStringLiteral("company") },
        { Ident::JobTitle, QStringLiteral("company") },
        { Ident::Renmei, QStringLiteral("people") },
        { Ident::Relationship, QStringLiteral("people") },
        { Ident::Address, QStringLiteral("address") },
        { Ident::PhoneticName, QStringLiteral("phonetic") },
        { Ident::Email, QStringLiteral("email") },
        { Ident::InstantMessage, QStringLiteral("chat") },
        { Ident::SocialNetwork, QStringLiteral("social") },
        { Ident::URL, QStringLiteral("url") },
        { Ident::Phone, QStringLiteral("phone") },
        { Ident::Birthday, QStringLiteral("birthday") },
        { Ident::Dates, QStringLiteral("date") },
        { Ident::Note, QStringLiteral("note") },
    };
    return names.value(type, QStringLiteral("text"));
}

QIcon icon(const QString &type)
{
    static QHash<QString, QIcon> made;
    const QString name = iconName(type);
    auto found = made.find(name);
    if (found == made.end())
        found = made.insert(name, WindowIcons::icon(QStringLiteral("field-") + name));
    return *found;
}

} // namespace FieldIcons
