#include "ui/table/TableWorkspace.h"

#include "document/ContactContextMenu.h"
#include "model/Identifiers.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace TableWorkspace {

bool mayOpen(const QUrl &url)
{
    if (!url.isValid() || url.isLocalFile())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"mailto"_s || scheme == u"tel"_s)
        return !url.path().isEmpty() || !url.host().isEmpty();
    return (scheme == u"http"_s || scheme == u"https"_s) && !url.host().isEmpty();
}

QUrl urlFor(const QString &identifier, const QString &text, const QString &entryTitle)
{
    if (text.trimmed().isEmpty())
        return {};
    QUrl url;
    if (identifier == Ident::Address) {
        // Both map entries search the web: no desktop map program can be counted on.
        url = ContactContextMenu::workspaceUrl(identifier, text, ContactContextMenu::Title::OpenGoogleMap);
    } else if (identifier == Ident::Phone) {
        // Written "tel:" with the number as its path: after "tel://" a number that starts with "+" would
        // be taken for a host name, and the address would not be valid at all.
        QString number = text;
        number.remove(QRegularExpression(u"[()\\s]"_s));
        if (number.contains(QRegularExpression(u"\\d"_s)))
            url = QUrl(u"tel:"_s + number);
    } else if (identifier == Ident::URL) {
        // A text without a scheme is a web address; one with a scheme must be a web one.
        url = QUrl(text.trimmed());
        if (url.scheme().isEmpty())
            url = QUrl(u"https://"_s + text.trimmed());
    } else {
        url = ContactContextMenu::workspaceUrl(identifier, text, entryTitle);
    }
    return mayOpen(url) ? url : QUrl();
}

} // namespace TableWorkspace
