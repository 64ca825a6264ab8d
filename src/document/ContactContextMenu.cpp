#include "document/ContactContextMenu.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

using ContactContextMenu::Action;
using ContactContextMenu::Entry;
namespace Title = ContactContextMenu::Title;

const QString WebMapSearch = u"https://www.openstreetmap.org/search?query="_s;

Entry separator()
{
    return { QString(), Action::Separator, true };
}

Entry edit(const QString &title, bool editState)
{
    return { title, Action::ItemOperation, editState };
}

Entry workspace(const QString &title, bool hasValue)
{
    return { title, Action::Workspace, hasValue };
}

Entry editor(const QString &title)
{
    return { title, Action::OpenEditor, true };
}

QList<Entry> labelledEditEntries(bool hasValue, bool editState)
{
    if (!hasValue)
        return { edit(Title::AddItem, editState) };
    return { edit(Title::AddItem, editState), edit(Title::ReplaceLabelAndText, editState),
        edit(Title::DeleteItem, editState), edit(Title::ReplaceText, editState),
        edit(Title::PrependText, editState), edit(Title::AppendText, editState) };
}

} // namespace

namespace ContactContextMenu {

QList<Entry> menuForCell(const QString &identifier, const ContactEntry &row, bool editState)
{
    if (!row.person)
        return {};
    ZRPerson &person = *row.person;
    const bool isPart = ZRPerson::addressIdentifiers().contains(identifier);
    const QString field = isPart ? Ident::Address : identifier;
    const bool labelled = ZRPerson::labeledIdentifiers().contains(field);
    const QVariantMap value
        = labelled ? person.labeledValueForIdentifierAtIndex(field, row.labelIndex).toMap() : QVariantMap();
    const bool hasValue = !value.isEmpty() && !value.value(Key::StringValue).toString().isEmpty();

    if (identifier == Ident::Name)
        return { editor(QCoreApplication::translate("ContactContextMenu", "Open Name Panel")),
            { QCoreApplication::translate("ContactContextMenu", "Show Contact Info"), Action::ShowContactInfo,
                true },
            { QCoreApplication::translate("ContactContextMenu", "Show QRCode"), Action::ShowQRCode, true },
            separator(),
            { QCoreApplication::translate("ContactContextMenu", "Delete Contact"), Action::DeleteContact,
                editState },
            { QCoreApplication::translate("ContactContextMenu", "Duplicate Contact"),
                Action::DuplicateContact, editState } };
    if (identifier == Ident::Phone || identifier == Ident::Email || identifier == Ident::URL) {
        const QString action = identifier == Ident::Phone
            ? QCoreApplication::translate("ContactContextMenu", "Call Phone")
            : identifier == Ident::Email ? QCoreApplication::translate("ContactContextMenu", "Send Email")
                                         : QCoreApplication::translate("ContactContextMenu", "Open URL");
        return QList<Entry> { workspace(action, hasValue),
            editor(QCoreApplication::translate("ContactContextMenu", "Open Edit Panel")), separator() }
        + labelledEditEntries(hasValue, editState);
    }
    if (identifier == Ident::Relationship)
        return QList<Entry> { editor(QCoreApplication::translate("ContactContextMenu", "Open Edit Panel")),
            separator() }
        + labelledEditEntries(hasValue, editState);
    if (identifier == Ident::Address) {
        QList<Entry> entries { workspace(Title::OpenAppleMap, hasValue),
            workspace(Title::OpenGoogleMap, hasValue), separator(),
            editor(QCoreApplication::translate("ContactContextMenu", "Open Address Panel")),
            editor(QCoreApplication::translate("ContactContextMenu", "Add/Delete Address Item")) };
        if (!value.isEmpty())
            entries << edit(Title::DeleteItem, editState);
        entries << edit(Title::AddItem, editState);
        return entries;
    }
    if (isPart) {
        QList<Entry> entries {
            editor(QCoreApplication::translate("ContactContextMenu", "Open Address Panel")), separator()
        };
        if (!value.isEmpty())
            entries << edit(Title::ReplaceText, editState) << edit(Title::PrependText, editState)
                    << edit(Title::AppendText, editState) << separator()
                    << edit(Title::DeleteItem, editState);
        return entries;
    }
    if (identifier == Ident::InstantMessage || identifier == Ident::SocialNetwork) {
        const bool ims = identifier == Ident::InstantMessage;
        QList<Entry> entries { editor(ims
                                       ? QCoreApplication::translate("ContactContextMenu", "Open IMS Panel")
                                       : QCoreApplication::translate("ContactContextMenu", "Open SNS Panel")),
            editor(ims ? QCoreApplication::translate("ContactContextMenu", "Add/Delete IMS Item")
                       : QCoreApplication::translate("ContactContextMenu", "Add/Delete SNS Item")) };
        if (!value.isEmpty())
            entries << edit(Title::DeleteItem, editState);
        entries << edit(Title::AddItem, editState);
        return entries;
    }
    if (identifier == Ident::Dates || identifier == Ident::Birthday) {
        const QString text = identifier == Ident::Dates
            ? value.value(Key::StringValue).toString()
            : person.stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0);
        QList<Entry> entries { workspace(QCoreApplication::translate("ContactContextMenu", "Open Calendar"),
                                   !text.isEmpty()),
            editor(identifier == Ident::Dates
                    ? QCoreApplication::translate("ContactContextMenu", "Open Dates Panel")
                    : QCoreApplication::translate("ContactContextMenu", "Open Birthday Panel")) };
        if (!text.isEmpty())
            entries << edit(Title::DeleteItem, editState);
        return entries;
    }
    if (identifier == Ident::PhoneticName) {
        QList<Entry> entries { editor(
            QCoreApplication::translate("ContactContextMenu", "Open Phonetic Name Panel")) };
        if (!person.stringValueForIdentifierAtLabelIndex(Ident::PhoneticName, 0).isEmpty())
            entries << separator() << edit(Title::DeleteItem, editState);
        return entries;
    }
    if (ZRPerson::stringIdentifiers().contains(identifier)) {
        if (person.valueForIdentifier(identifier).toString().isEmpty())
            return { edit(Title::ReplaceText, editState) };
        return { edit(Title::ClearText, editState), edit(Title::ReplaceText, editState),
            edit(Title::PrependText, editState), edit(Title::AppendText, editState) };
    }
    return {};
}

QUrl workspaceUrl(const QString &identifier, const QString &text, const QString &entryTitle)
{
    if (text.isEmpty())
        return {};
    const auto encoded = [](const QString &s) { return QString::fromLatin1(QUrl::toPercentEncoding(s)); };
    if (identifier == Ident::Email)
        return QUrl(u"mailto:"_s + QString::fromLatin1(QUrl::toPercentEncoding(text, "@")));
    if (identifier == Ident::Phone) {
        QString number = text;
        number.remove(QRegularExpression(u"[()\\s]"_s));
        return QUrl(u"tel://"_s + number);
    }
    if (identifier == Ident::URL)
        return QUrl::fromUserInput(text);
    if (identifier == Ident::Dates || identifier == Ident::Birthday)
        return QUrl(u"ical://"_s);
    if (identifier == Ident::Address) {
        if (entryTitle == Title::OpenGoogleMap)
            return QUrl(WebMapSearch + encoded(text));
        QString query = text;
        query.replace(u' ', u'+');
        return QUrl(u"maps://?q="_s + encoded(query));
    }
    return {};
}

} // namespace ContactContextMenu
