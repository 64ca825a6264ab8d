#include "print/PrintOptionEdits.h"

#include "model/Identifiers.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const PrintOptions::FontDefaults TestFonts { u"Test Sans"_s, 14, u"Noto Sans CJK JP"_s };

QVariantMap freshOptions()
{
    return PrintOptions::initPrintOptions(PrintValue::LanguageEnglish, TestFonts);
}

QVariantMap style(const QVariantMap &options, const QString &key)
{
    return options.value(key).toMap();
}

} // namespace

TEST(PrintOptionEditsTest, AddressListItemsPrintInTheOrderGiven)
{
    QVariantMap options = freshOptions();
    EXPECT_EQ(PrintOptionEdits::addressListItems(options), QStringList { Ident::Name });
    ASSERT_EQ(
        PrintOptionEdits::setAddressListItems(options, { u"phone"_s, u" Address"_s, u"Phone"_s, u""_s }),
        QString());
    // "Name" heads every entry whatever is asked; a repeated or empty title counts once or not at all.
    EXPECT_EQ(PrintOptionEdits::addressListItems(options),
        (QStringList { Ident::Name, Ident::Phone, Ident::Address }));
    const QVariantList table = style(options, PrintKey::AddressList).value(PrintKey::ItemTable).toList();
    EXPECT_EQ(table.size(), PrintOptions::defaultItemTable().size());
    EXPECT_EQ(table.at(1).toMap().value(PrintKey::ItemTitle), Ident::Phone);

    // Choosing again switches the earlier choice off.
    ASSERT_EQ(PrintOptionEdits::setAddressListItems(options, { u"Note"_s }), QString());
    EXPECT_EQ(PrintOptionEdits::addressListItems(options), (QStringList { Ident::Name, Ident::Note }));

    const QVariantMap before = options;
    const QString error = PrintOptionEdits::setAddressListItems(options, { u"Note"_s, u"Fax"_s });
    EXPECT_TRUE(error.contains(u"Fax"_s) && error.contains(Ident::PhoneticName)) << error.toStdString();
    EXPECT_EQ(options, before);
}

TEST(PrintOptionEditsTest, CardTypeSetsTheImageAndItsSwitch)
{
    QVariantMap options = freshOptions();
    ASSERT_EQ(PrintOptionEdits::setCardType(options, u"General"_s), QString());
    EXPECT_EQ(style(options, PrintKey::Hagaki).value(PrintKey::HagakiType), PrintValue::HagakiTypeGeneral);
    EXPECT_EQ(style(options, PrintKey::Hagaki).value(PrintKey::ShowBackground), true);
    ASSERT_EQ(PrintOptionEdits::setCardType(options, u"none"_s), QString());
    EXPECT_EQ(style(options, PrintKey::Hagaki).value(PrintKey::HagakiType), PrintValue::HagakiTypeNone);
    EXPECT_EQ(style(options, PrintKey::Hagaki).value(PrintKey::ShowBackground), false);
    const QString error = PrintOptionEdits::setCardType(options, u"christmas"_s);
    EXPECT_TRUE(error.contains(u"christmas"_s) && error.contains(u"nenga"_s)) << error.toStdString();
}

TEST(PrintOptionEditsTest, PresetsFontsAndHonorifics)
{
    QVariantMap options = freshOptions();
    ASSERT_EQ(PrintOptionEdits::applyLabelPreset(options, u"4x2\" gap 1/8\""_s), QString());
    EXPECT_NEAR(PrintOptions::number(style(options, PrintKey::MailingLabels).value(PrintKey::LabelWidth)),
        288.0, 0.01);
    EXPECT_EQ(style(options, PrintKey::MailingLabels).value(PrintKey::SelectedPreset), u"4x2\" gap 1/8\""_s);
    const QString error = PrintOptionEdits::applyLabelPreset(options, u"A0 poster"_s);
    EXPECT_TRUE(error.contains(u"A0 poster"_s) && error.contains(u"4x2"_s)) << error.toStdString();

    PrintOptionEdits::setFont(options, u"IPAexMincho"_s);
    EXPECT_EQ(options.value(PrintKey::FontName), u"IPAexMincho"_s);
    EXPECT_EQ(style(options, PrintKey::Hagaki).value(PrintKey::FontName), u"IPAexMincho"_s);
    EXPECT_EQ(style(options, PrintKey::Envelope).value(PrintKey::VerticalFontName), u"IPAexMincho"_s);
    EXPECT_EQ(style(options, PrintKey::MailingLabels).value(PrintKey::VerticalFontName), u"IPAexMincho"_s);

    PrintOptionEdits::setHonorific(options, PrintValue::KeishouDono);
    EXPECT_EQ(options.value(PrintKey::Keishou), PrintValue::KeishouDono);
    PrintOptionEdits::setHonorific(options, PrintValue::KeishouNone);
    EXPECT_EQ(options.value(PrintKey::Keishou), QString());
}
