#include "model/Labels.h"

#include "model/Identifiers.h"
#include "model/StoreKeys.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class LabelsTest : public ::testing::Test
{
protected:
    void SetUp() override { Labels::resetCustomLabels(); }
    void TearDown() override { Labels::resetCustomLabels(); }
};

TEST_F(LabelsTest, StoreLabelsToSystemLabels)
{
    const std::pair<QString, QString> rows[] = {
        { CN::LabelContactRelationSon, u"son"_s },
        { CN::LabelContactRelationDaughter, u"daughter"_s },
        { CN::LabelHome, u"home"_s },
        { CN::LabelPhoneNumberiPhone, u"iPhone"_s },
        { CN::LabelPhoneNumberWorkFax, u"work fax"_s },
        { u"_$!<Cousin>!$_"_s, u"Cousin"_s }, // unknown wrapped label loses its wrapper
        { u"Cousin"_s, u"Cousin"_s }, // plain words come back unchanged
        { u"_$!<>!$_"_s, LabelText::NoLabel }, // wrapper around nothing
        { u"_$!<x"_s, u"_$!<x"_s }, // too short to unwrap
        { u""_s, LabelText::NoLabel },
        { QString(), LabelText::NoLabel },
        { LabelText::All, LabelText::All },
    };
    for (const auto &[store, label] : rows)
        EXPECT_EQ(Labels::labelFromCNLabel(store), label) << store.toStdString();
}

TEST_F(LabelsTest, SystemLabelsToStoreLabelsIsTheInverse)
{
    for (const QString &id : { Ident::Phone, Ident::URL, Ident::Relationship, Ident::Dates, Ident::Email }) {
        for (const QString &label : Labels::standardLabelsForIdentifier(id))
            EXPECT_EQ(Labels::labelFromCNLabel(Labels::CNLabelFromLabel(label)), label)
                << label.toStdString();
    }
    EXPECT_EQ(Labels::CNLabelFromLabel(u"partner"_s), CN::LabelContactRelationPartner);
    EXPECT_EQ(Labels::CNLabelFromLabel(u"assistant"_s), CN::LabelContactRelationAssistant);
    EXPECT_EQ(Labels::CNLabelFromLabel(u"anniversary"_s), CN::LabelDateAnniversary);
    EXPECT_EQ(Labels::CNLabelFromLabel(u"Cousin"_s), u"Cousin"_s);
    EXPECT_EQ(Labels::CNLabelFromLabel(u"Home"_s), u"Home"_s); // case matters
    EXPECT_TRUE(Labels::CNLabelFromLabel(QString()).isNull());
}

TEST_F(LabelsTest, StandardTables)
{
    EXPECT_EQ(Labels::labelsForIdentifier(Ident::Phone).size(), 10);
    EXPECT_EQ(Labels::labelsForIdentifier(Ident::Relationship).size(), 13);
    EXPECT_EQ(Labels::labelsForIdentifier(Ident::SocialNetwork).size(), 15);
    EXPECT_EQ(Labels::labelsForIdentifier(Ident::URL).first(), u"home page"_s);
    EXPECT_EQ(Labels::labelsForIdentifier(LabelIdent::NameOrdering).first(), u"System Default (LastName)"_s);
    EXPECT_TRUE(Labels::labelsForIdentifier(Ident::Company).isEmpty());
    EXPECT_EQ(Labels::labelTableDict().size(), 10);
}

TEST_F(LabelsTest, CustomLabelsAddRenameRemove)
{
    EXPECT_FALSE(Labels::setLabelToForIdentifier(u""_s, u"home"_s, Ident::Email)); // standard label
    EXPECT_TRUE(Labels::customLabelsForIdentifier(Ident::Email).isEmpty());
    EXPECT_TRUE(Labels::setLabelToForIdentifier(u""_s, u"Cottage"_s, Ident::Email));
    EXPECT_FALSE(Labels::setLabelToForIdentifier(u""_s, u"Cottage"_s, Ident::Email));
    EXPECT_FALSE(Labels::setLabelToForIdentifier(u"Nope"_s, u""_s, Ident::Email));
    EXPECT_EQ(Labels::labelsForIdentifier(Ident::Email).last(), u"Cottage"_s);
    EXPECT_EQ(Labels::labelTableDict().value(Ident::Email).size(), 4);

    EXPECT_TRUE(Labels::setLabelToForIdentifier(u"Cottage"_s, u"Chalet"_s, Ident::Email));
    EXPECT_EQ(Labels::customLabelsForIdentifier(Ident::Email), QStringList { u"Chalet"_s });
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Email).last(), u"Chalet"_s);

    EXPECT_TRUE(Labels::setLabelToForIdentifier(u"Chalet"_s, u""_s, Ident::Email));
    EXPECT_TRUE(Labels::customLabelsForIdentifier(Ident::Email).isEmpty());
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Email).size(), 3);

    // Display labels stay parallel to labels.
    Labels::setLabelToForIdentifier(u""_s, u"Car"_s, Ident::Phone);
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Phone).size(),
        Labels::labelsForIdentifier(Ident::Phone).size());
    // An identifier without standard labels keeps only its custom list.
    EXPECT_TRUE(Labels::setLabelToForIdentifier(u""_s, u"X"_s, u"Custom Field"_s));
    EXPECT_TRUE(Labels::labelsForIdentifier(u"Custom Field"_s).isEmpty());
    EXPECT_EQ(Labels::customLabelsForIdentifier(u"Custom Field"_s), QStringList { u"X"_s });
}

TEST_F(LabelsTest, DisplayTexts)
{
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelPhoneNumberMobile), u"mobile"_s);
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(u"_$!<Cousin>!$_"_s), u"Cousin"_s);
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(u"Twitter"_s), u"Twitter"_s);
    EXPECT_EQ(Labels::localizedStoreKey(CN::PostalAddressPostalCodeKey), u"ZIP"_s);
    EXPECT_TRUE(Labels::localizedStoreKey(u"nothing"_s).isEmpty());
}

// Labels whose characters are the tables' own are answered without hashing; the answer must be
// the one the same text held anywhere else gets, including strings that merely start where a
// table label starts, and custom labels spelled like table labels.
TEST_F(LabelsTest, SharedLabelsMapLikeTheirCopies)
{
    QStringList labels;
    for (const QString &id : { Ident::Phone, Ident::URL, Ident::Relationship, Ident::Dates, Ident::Email })
        labels << Labels::standardLabelsForIdentifier(id);
    labels << LabelName::Home << LabelName::HomeFax << LabelName::IPhone << LabelName::HomePage
           << LabelName::Person << LabelText::NoLabel << LabelText::All;
    QStringList storeLabels { CN::LabelHome, CN::LabelWork, CN::LabelPhoneNumberiPhone,
        CN::LabelPhoneNumberHomeFax, CN::LabelURLAddressHomePage, CN::LabelContactRelationDaughter,
        CN::LabelDateAnniversary };
    for (const QString &label : labels)
        storeLabels << Labels::CNLabelFromLabel(label);

    // The same characters elsewhere, and views of the same characters cut short ("home" inside
    // "home fax", "_$!<Home" inside "_$!<HomeFAX>!$_").
    auto variants = [](const QString &text) {
        QList<std::pair<QString, QString>> out; // (as given, an unshared copy)
        out.append({ text, QString(text.constData(), text.size()) });
        for (qsizetype n = 1; n < text.size(); ++n)
            out.append({ QString::fromRawData(text.constData(), n), QString(text.constData(), n) });
        return out;
    };
    for (const QString &label : labels) {
        for (const auto &[given, copy] : variants(label)) {
            EXPECT_EQ(Labels::CNLabelFromLabel(given), Labels::CNLabelFromLabel(copy)) << copy.toStdString();
            EXPECT_EQ(Labels::labelFromCNLabel(given), Labels::labelFromCNLabel(copy)) << copy.toStdString();
        }
    }
    for (const QString &storeLabel : storeLabels) {
        for (const auto &[given, copy] : variants(storeLabel)) {
            EXPECT_EQ(Labels::labelFromCNLabel(given), Labels::labelFromCNLabel(copy)) << copy.toStdString();
            EXPECT_EQ(Labels::CNLabelFromLabel(given), Labels::CNLabelFromLabel(copy)) << copy.toStdString();
        }
    }
    EXPECT_EQ(
        Labels::CNLabelFromLabel(QString::fromRawData(LabelName::HomeFax.constData(), 4)), CN::LabelHome);
    EXPECT_TRUE(Labels::isSharedTableString(CN::LabelHome));
    EXPECT_TRUE(Labels::isSharedTableString(Labels::labelFromCNLabel(CN::LabelContactRelationSon)));
    EXPECT_FALSE(Labels::isSharedTableString(QString(CN::LabelHome.constData(), CN::LabelHome.size())));
    EXPECT_FALSE(Labels::isSharedTableString(QString::fromRawData(LabelName::HomeFax.constData(), 4)));
    EXPECT_FALSE(Labels::isSharedTableString(QString()));
    EXPECT_EQ(Labels::CNLabelFromLabel(QString(LabelName::HomeFax.constData(), LabelName::HomeFax.size())),
        CN::LabelPhoneNumberHomeFax);

    // Custom labels that look like table labels map as plain words, whether or not they were added.
    ASSERT_TRUE(Labels::setLabelToForIdentifier(u""_s, u"Home"_s, Ident::Phone));
    ASSERT_TRUE(Labels::setLabelToForIdentifier(u""_s, CN::LabelWork, Ident::Phone));
    for (const QString &custom : { u"Home"_s, u"home "_s, u"HOME"_s, CN::LabelWork, u"_$!<home>!$_"_s }) {
        EXPECT_EQ(Labels::CNLabelFromLabel(custom), custom) << custom.toStdString();
    }
    EXPECT_EQ(Labels::labelFromCNLabel(u"_$!<home>!$_"_s), u"home"_s);
    EXPECT_EQ(Labels::labelFromCNLabel(CN::LabelWork), LabelName::Work);
    EXPECT_EQ(
        Labels::labelFromCNLabel(QString(CN::LabelWork.constData(), CN::LabelWork.size())), LabelName::Work);
}
