#include "document/UserDefaults.h"

#include "document/DefaultsKeys.h"
#include "document/SortKeys.h"
#include "model/Identifiers.h"

#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class UserDefaultsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"defaults.ini"_s); }
    std::unique_ptr<QSettings> settings = std::make_unique<QSettings>(path(), QSettings::IniFormat);
    UserDefaults defaults { *settings };

    // A second reader of the same file, as the next start of the application would be.
    QVariant storedValue(const QString &key)
    {
        settings->sync();
        QSettings again(path(), QSettings::IniFormat);
        return again.value(key);
    }
};

} // namespace

TEST_F(UserDefaultsTest, FirstStartGivesAndWritesTheDefaults)
{
    EXPECT_EQ(defaults.selectedViewType(), u"Address"_s);
    EXPECT_EQ(storedValue(DefaultsKey::SelectedViewType).toString(), u"Address"_s);

    const ViewTypeDict types = defaults.viewTypeDict();
    EXPECT_EQ(types, ViewTypeTables::builtInViewTypes());
    EXPECT_EQ(types.value(u"Address"_s),
        (QStringList { u"Sender"_s, u"Name"_s, u"Renmei"_s, u"Company"_s, u"Address"_s }));
    EXPECT_EQ(storedValue(DefaultsKey::ViewTypeDict).toMap().size(), 3);

    EXPECT_EQ(defaults.selectedLabels(), QStringList { u"All"_s });
    EXPECT_TRUE(storedValue(DefaultsKey::SelectedLabels).isValid());

    const SortOptionsDict options = defaults.sortOptionsDict();
    EXPECT_EQ(options.value(u"Name"_s).selected, u"compositeName"_s);
    EXPECT_EQ(options.value(u"Address"_s).items.size(), 7);
    EXPECT_EQ(options.value(u"Phonetic Name"_s).selected, u"PhoneticLastName"_s);
    EXPECT_EQ(storedValue(DefaultsKey::SortOptionsDict).toMap().size(), 3);

    EXPECT_EQ(defaults.lastSortDesc(), (SortDescriptor { u"compositeName"_s, true }));
    EXPECT_FALSE(storedValue(DefaultsKey::LastSortDesc).isValid())
        << "the last sort is only written by a sort";
    EXPECT_TRUE(defaults.columnWidthDictionary().isEmpty());
    EXPECT_FALSE(defaults.showGroupView().has_value());
    EXPECT_EQ(defaults.lastContainerIdentifier(), QString());
    EXPECT_TRUE(defaults.addressBookFolders().isEmpty());
}

TEST_F(UserDefaultsTest, RepairsWhatOlderOrDamagedSettingsHold)
{
    // A view type saved under its old name.
    settings->setValue(DefaultsKey::SelectedViewType, u"Name"_s);
    EXPECT_EQ(defaults.selectedViewType(), u"Address"_s);
    EXPECT_EQ(storedValue(DefaultsKey::SelectedViewType).toString(), u"Address"_s);

    // Sort options from before the phonetic column had one: the user's choice stays, the entry is added.
    settings->setValue(DefaultsKey::SortOptionsDict,
        QVariantMap {
            { u"Name"_s, SortOption { { u"compositeName"_s, u"LastName"_s }, u"LastName"_s }.toVariantMap() },
            { u"Address"_s, u"not an option"_s } });
    const SortOptionsDict options = defaults.sortOptionsDict();
    EXPECT_EQ(options.value(u"Name"_s).selected, u"LastName"_s);
    EXPECT_EQ(options.value(u"Name"_s).items.size(), 2);
    EXPECT_EQ(options.value(u"Phonetic Name"_s).selected, u"PhoneticLastName"_s);
    EXPECT_EQ(options.value(u"Address"_s).selected, u"Address"_s) << "a damaged entry is replaced";
    EXPECT_TRUE(storedValue(DefaultsKey::SortOptionsDict).toMap().contains(u"Phonetic Name"_s));

    // A selected key that is not among the items falls back to the first item.
    EXPECT_EQ(SortOption::fromVariant(
                  QVariantMap { { u"items"_s, QStringList { u"a"_s, u"b"_s } }, { u"selected"_s, u"zzz"_s } })
                  ->selected,
        u"a"_s);

    // View type lists: the fixed columns first, repeats and non-texts dropped.
    settings->setValue(DefaultsKey::ViewTypeDict,
        QVariantMap { { u"Mine"_s, QVariantList { u"Phone"_s, u"Name"_s, u"Phone"_s, 7, u""_s, u"Email"_s } },
            { u"Broken"_s, 12 } });
    const ViewTypeDict types = defaults.viewTypeDict();
    EXPECT_EQ(types.value(u"Mine"_s), (QStringList { u"Sender"_s, u"Name"_s, u"Phone"_s, u"Email"_s }));
    EXPECT_FALSE(types.contains(u"Broken"_s));
    EXPECT_EQ(storedValue(DefaultsKey::ViewTypeDict).toMap().value(u"Mine"_s).toStringList().size(), 4);

    // An empty dictionary is as good as none.
    settings->setValue(DefaultsKey::ViewTypeDict, QVariantMap());
    EXPECT_EQ(defaults.viewTypeDict(), ViewTypeTables::builtInViewTypes());

    // Labels: an empty list, or "All" beside other labels, means "All".
    settings->setValue(DefaultsKey::SelectedLabels, QStringList());
    EXPECT_EQ(defaults.selectedLabels(), QStringList { u"All"_s });
    settings->setValue(DefaultsKey::SelectedLabels, QStringList { u"home"_s, u"All"_s });
    EXPECT_EQ(defaults.selectedLabels(), QStringList { u"All"_s });
    settings->setValue(DefaultsKey::SelectedLabels, QStringList { u"home"_s, u"home"_s, u"work"_s });
    EXPECT_EQ(defaults.selectedLabels(), (QStringList { u"home"_s, u"work"_s }));

    // Sort descriptor and widths that no window could have written.
    settings->setValue(DefaultsKey::LastSortDesc, u"compositeName"_s);
    EXPECT_EQ(defaults.lastSortDesc(), (SortDescriptor { u"compositeName"_s, true }));
    settings->setValue(DefaultsKey::LastSortDesc, QVariantMap { { u"key"_s, u""_s } });
    EXPECT_EQ(defaults.lastSortDesc().key, u"compositeName"_s);
    settings->setValue(DefaultsKey::ColumnWidthDictionary,
        QVariantMap { { u"Name"_s, 150.5 }, { u"Phone"_s, -3 }, { u"Email"_s, std::nan("") },
            { u"Note"_s, 1e12 }, { u"URL"_s, u"wide"_s } });
    const QMap<QString, double> widths = defaults.columnWidthDictionary();
    EXPECT_EQ(widths.keys(), (QStringList { u"Name"_s, u"Note"_s }));
    EXPECT_DOUBLE_EQ(widths.value(u"Name"_s), 150.5);
    EXPECT_DOUBLE_EQ(widths.value(u"Note"_s), UserDefaults::MaximumColumnWidth);
}

TEST_F(UserDefaultsTest, ValuesSurviveTheSettingsFile)
{
    defaults.setSelectedLabels({ u"mobile"_s });
    defaults.setSelectedViewType(u"Address Detail"_s);
    defaults.setLastSortDesc({ u"Email domain"_s, false });
    defaults.setColumnWidthDictionary({ { u"Name"_s, 201.25 }, { u"Phone"_s, 90 } });
    defaults.setShowGroupView(false);
    defaults.setLastContainerIdentifier(u"abc"_s);
    defaults.setAddressBookFolders({ u"/home/u/contacts"_s });
    settings->sync();

    // A new reader sees what the INI file holds (one-element lists and booleans come back as text).
    QSettings again(path(), QSettings::IniFormat);
    UserDefaults reread(again);
    EXPECT_EQ(reread.selectedLabels(), QStringList { u"mobile"_s });
    EXPECT_EQ(reread.selectedViewType(), u"Address Detail"_s);
    EXPECT_EQ(reread.lastSortDesc(), (SortDescriptor { u"Email domain"_s, false }));
    EXPECT_DOUBLE_EQ(reread.columnWidthDictionary().value(u"Name"_s), 201.25);
    EXPECT_EQ(reread.showGroupView(), std::optional<bool>(false));
    EXPECT_EQ(reread.lastContainerIdentifier(), u"abc"_s);
    EXPECT_EQ(reread.addressBookFolders(), QStringList { u"/home/u/contacts"_s });
}

TEST_F(UserDefaultsTest, TableFontFollowsTheStoredNameAndSize)
{
    struct Case
    {
        QVariant name;
        QVariant size;
        TableFontSpec expected;
        const char *why;
    };
    const Case cases[] = {
        { {}, 30, { QString(), 12 }, "no name: the system font at 12" },
        { u".AppleSystemUIFont"_s, 30, { QString(), 12 }, "the system font's name ignores the size" },
        { u"Serif"_s, 5, { u"Serif"_s, 7 }, "sizes below 7 become 7" },
        { u"Serif"_s, 14.5, { u"Serif"_s, 14.5 }, "a named font keeps its size" },
        { u"Serif"_s, u"big"_s, { u"Serif"_s, 12 }, "an unreadable size is the default size" },
        { u"Serif"_s, 1e9, { u"Serif"_s, UserDefaults::MaximumFontSize }, "absurd sizes are capped" },
        { 42, 14, { QString(), 12 }, "a name that is not text counts as none" },
    };
    for (const Case &c : cases) {
        settings->clear();
        if (c.name.isValid())
            settings->setValue(DefaultsKey::DefaultFontName, c.name);
        settings->setValue(DefaultsKey::DefaultFontSize, c.size);
        EXPECT_EQ(defaults.defaultFont(), c.expected) << c.why;
    }
}

TEST_F(UserDefaultsTest, DocumentFontsUseTheirOwnKeysExceptTheAddressBook)
{
    EXPECT_EQ(UserDefaults::perDocumentKey(u"ZRFontName"_s, u"friends.vcf"_s), u"ZRFontName friends.vcf"_s);

    defaults.setTableFont(u"friends.vcf"_s, { u"Serif"_s, 16 });
    EXPECT_EQ(storedValue(u"ZRFontName friends.vcf"_s).toString(), u"Serif"_s);
    EXPECT_EQ(storedValue(u"ZRFontName"_s).toString(), u"Serif"_s) << "the plain keys are written too";

    defaults.setTableFont(u"work.vcf"_s, { QString(), 12 });
    EXPECT_EQ(storedValue(u"ZRFontName work.vcf"_s).toString(), u".AppleSystemUIFont"_s);
    EXPECT_EQ(defaults.tableFont(u"friends.vcf"_s), (TableFontSpec { u"Serif"_s, 16 }));
    EXPECT_TRUE(defaults.tableFont(u"work.vcf"_s).isSystemFont());
    // The last one written is what the address book and unnamed documents read.
    EXPECT_TRUE(defaults.tableFont(u"AddressBook"_s).isSystemFont());
    EXPECT_TRUE(defaults.tableFont(QString()).isSystemFont());
    EXPECT_FALSE(storedValue(u"ZRFontName AddressBook"_s).isValid());
    // A document never opened before falls back to the system font, not to another document's.
    EXPECT_TRUE(defaults.tableFont(u"new.vcf"_s).isSystemFont());
}

TEST_F(UserDefaultsTest, RowOrderKeepsTheJointNamesRow)
{
    const QStringList order = defaults.lastRowOrder();
    ASSERT_EQ(order.size(), 23);
    EXPECT_EQ(order.first(), u"Name"_s);
    EXPECT_EQ(order.at(2), u"Renmei"_s);
    EXPECT_EQ(order.last(), u"Note"_s);

    defaults.setLastRowOrder({ u"Name"_s, u"Photo"_s, u"Company"_s, u"Note"_s });
    EXPECT_EQ(defaults.lastRowOrder(),
        (QStringList { u"Name"_s, u"Photo"_s, u"Renmei"_s, u"Company"_s, u"Note"_s }));
    defaults.setLastRowOrder({ u"Note"_s });
    EXPECT_EQ(defaults.lastRowOrder(), (QStringList { u"Note"_s, u"Renmei"_s }));
}

TEST_F(UserDefaultsTest, RestoringDefaultsForgetsEverySetting)
{
    defaults.setSelectedViewType(u"Name Only"_s);
    defaults.setSelectedLabels({ u"work"_s });
    defaults.setShowGroupView(true);
    defaults.setTableFont(u"a.vcf"_s, { u"Serif"_s, 20 });
    settings->setValue(u"ZR1DprintStyle"_s, u"Envelope"_s);
    settings->setValue(u"Encodings"_s, QVariantList { 4 });

    defaults.restoreDefaults();
    EXPECT_TRUE(settings->allKeys().isEmpty());
    EXPECT_TRUE(storedValue(u"Encodings"_s).isNull());
    EXPECT_EQ(defaults.selectedViewType(), u"Address"_s);
    EXPECT_EQ(defaults.selectedLabels(), QStringList { u"All"_s });
    EXPECT_FALSE(defaults.showGroupView().has_value());
    EXPECT_TRUE(defaults.tableFont(u"a.vcf"_s).isSystemFont());
}
