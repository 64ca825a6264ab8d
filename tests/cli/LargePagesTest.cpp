#include "cli/LargePages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The restart with large pages must ask for them once, keep the user's other allocator settings and
// never override what the user said of large pages (nor loop: the restarted process has the setting).
TEST(LargePages, AsksOnceAndKeepsTheUsersSettings)
{
    EXPECT_EQ(LargePages::tunablesWith(QByteArray()), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(LargePages::tunablesWith("glibc.malloc.arena_max=2"),
        "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1");
    EXPECT_FALSE(LargePages::tunablesWith("glibc.malloc.hugetlb=0"));
    EXPECT_FALSE(LargePages::tunablesWith("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"));
    const std::optional<QByteArray> once = LargePages::tunablesWith("glibc.malloc.tcache_count=0");
    ASSERT_TRUE(once);
    EXPECT_FALSE(LargePages::tunablesWith(*once));
}

TEST(LargePages, OnlyCommandsThatReadFilesWholeRestart)
{
    for (const QString &word : { u"convert"_s, u"dump"_s, u"find"_s })
        EXPECT_TRUE(LargePages::helps(word)) << word.toStdString();
    for (const QString &word : { u"help"_s, u"qr"_s, u"postal-data"_s, u"Convert"_s, QString() })
        EXPECT_FALSE(LargePages::helps(word)) << word.toStdString();
}
