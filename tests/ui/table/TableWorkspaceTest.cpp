#include "ui/table/TableWorkspace.h"

#include "document/ContactContextMenu.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace Title = ContactContextMenu::Title;

TEST(TableWorkspaceTest, MailPhoneWebAndMapSearchesAreBuiltFromTheCellsText)
{
    EXPECT_EQ(TableWorkspace::urlFor(u"Email"_s, u"taro yamada@example.jp"_s, u"Send Email"_s)
                  .toString(QUrl::FullyEncoded),
        u"mailto:taro%20yamada@example.jp"_s);
    // Parentheses and blanks go; the number is the address's path, so a leading "+" survives.
    EXPECT_EQ(TableWorkspace::urlFor(u"Phone"_s, u"+81 (3) 1234 5678"_s, u"Call Phone"_s).toString(),
        u"tel:+81312345678"_s);
    EXPECT_EQ(TableWorkspace::urlFor(u"URL"_s, u"example.com/page"_s, u"Open URL"_s).toString(),
        u"https://example.com/page"_s);
    EXPECT_EQ(TableWorkspace::urlFor(u"URL"_s, u"http://example.com"_s, u"Open URL"_s).toString(),
        u"http://example.com"_s);
    const QUrl map = TableWorkspace::urlFor(u"Address"_s, u"東京都 千代田区"_s, Title::OpenAppleMap.text());
    EXPECT_EQ(map.scheme(), u"https"_s) << "both map entries search the web";
    EXPECT_TRUE(map.toString().contains(u"東京都"_s));
}

TEST(TableWorkspaceTest, NothingElseIsEverOpened)
{
    for (const QString &text : { u"file:///etc/passwd"_s, u"javascript:alert(1)"_s, u"smb://server/share"_s,
             u"data:text/html,<b>x</b>"_s, u"ftp://example.com"_s })
        EXPECT_FALSE(TableWorkspace::urlFor(u"URL"_s, text, u"Open URL"_s).isValid()) << text.toStdString();
    EXPECT_FALSE(TableWorkspace::urlFor(u"Phone"_s, u"  "_s, u"Call Phone"_s).isValid()) << "an empty cell";
    EXPECT_FALSE(TableWorkspace::urlFor(u"Phone"_s, u"()"_s, u"Call Phone"_s).isValid());
    EXPECT_FALSE(TableWorkspace::urlFor(u"Birthday"_s, u"1980-01-01"_s, u"Open Calendar"_s).isValid())
        << "no calendar program is opened";
    EXPECT_FALSE(TableWorkspace::urlFor(u"Note"_s, u"https://example.com"_s, QString()).isValid());
}
