#include "PersonTestSupport.h"
#include "model/StoreKeys.h"
#include "model/VariantCodec.h"

#include <QBuffer>

using namespace Qt::StringLiterals;

class ZRPersonArchiveTest : public PersonTest
{
protected:
    static QByteArray archive(ZRPerson &p)
    {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        p.encode(out);
        return bytes;
    }
    static std::shared_ptr<ZRPerson> restore(const QByteArray &bytes, QString *error = nullptr)
    {
        QDataStream in(bytes);
        return ZRPerson::fromArchive(in, error);
    }
};

TEST_F(ZRPersonArchiveTest, RoundTripKeepsEveryValue)
{
    StoreContact c;
    c.identifier = u"A-1"_s;
    c.givenName = u"Hana"_s;
    c.familyName = u"Mori"_s;
    c.postalAddresses = { { CN::LabelHome,
        StorePostalAddress { u"s"_s, u"c"_s, u"st"_s, u"z"_s, u"JP"_s, u"jp"_s, {}, {} } } };
    c.editExtras().socialProfiles = { { u""_s, StoreSocialProfile { u"u"_s, u"n"_s, u"i"_s, u"Flickr"_s } } };
    c.editExtras().instantMessageAddresses
        = { { CN::LabelHome, StoreInstantMessageAddress { u"n"_s, u"ICQ"_s } } };
    c.editExtras().contactRelations
        = { { CN::LabelContactRelationMother, StoreContactRelation { u"Mom"_s } } };
    c.editExtras().dates = { { CN::LabelDateAnniversary, DateComponents { 1999, 9, 9 } } };
    c.birthday = DateComponents { 1970, 1, 1 };
    c.editExtras().imageData = QByteArray("\x00\x01\x02", 3);
    const auto p = ZRPerson::fromStoreContact(c);
    p->setValueForIdentifier(u"Ken"_s, Ident::Renmei);
    p->replaceLabeledValueAtLabelIndex(u"5;sa:{{1,2},{3,4}};"_s, Ident::HagakiLayout, 0);
    p->setChanged(true);
    p->setUniqueId2(u"fp"_s);

    QString error;
    const auto q = restore(archive(*p), &error);
    ASSERT_TRUE(q) << error.toStdString();
    for (const QString &id : ZRPerson::allIdentifiers())
        EXPECT_EQ(q->valueForIdentifier(id), p->valueForIdentifier(id)) << id.toStdString();
    EXPECT_EQ(q->valueForIdentifier(Ident::Renmei), u"Ken"_s);
    EXPECT_EQ(q->hagakiLayouts(), p->hagakiLayouts());
    EXPECT_EQ(q->uniqueId(), u"A-1"_s);
    EXPECT_EQ(q->uniqueId2(), u"fp"_s);
    EXPECT_TRUE(q->changed());
    EXPECT_FALSE(q->created());
    EXPECT_EQ(q->imageData(), c.extras().imageData);
    EXPECT_TRUE(q->contactFromCache() == p->contactFromCache());
}

TEST_F(ZRPersonArchiveTest, ArchiveWithoutIdGetsAMadeUpOne)
{
    ZRPerson p;
    p.setValueForIdentifier(u"Sora"_s, Ident::FirstName);
    p.setUniqueId(QString());
    const auto q = restore(archive(p));
    ASSERT_TRUE(q);
    const QString id = q->uniqueId();
    EXPECT_TRUE(id.startsWith(u"Sora+"_s)) << id.toStdString();
    EXPECT_EQ(q->uniqueId(), id);
}

TEST_F(ZRPersonArchiveTest, DamagedArchivesAreRejectedWithAReason)
{
    ZRPerson p;
    p.addLabeledValue(QVariantMap { { Key::Value, u"1"_s } }, Ident::Phone);
    const QByteArray good = archive(p);
    // Every truncation fails cleanly; flipping bytes never crashes (it may still decode).
    for (qsizetype n = 0; n < good.size(); ++n) {
        QString error;
        EXPECT_FALSE(restore(good.left(n), &error)) << n;
        EXPECT_FALSE(error.isEmpty()) << n;
    }
    for (qsizetype i = 0; i < good.size(); ++i) {
        QByteArray bad = good;
        bad[i] = char(bad[i] ^ 0xff);
        (void)restore(bad);
    }
    // A huge count or length must not be trusted.
    QByteArray lie;
    lie.append(char(6)).append("\xff\xff\xff\xff", 4);
    QVariant v;
    QString error;
    EXPECT_FALSE(VariantCodec::decode(lie, v, &error));
    EXPECT_FALSE(error.isEmpty());
    // Nesting is bounded.
    QByteArray deep;
    for (int i = 0; i < 10000; ++i)
        deep.append(char(6)).append("\x00\x00\x00\x01", 4);
    deep.append(char(0));
    EXPECT_FALSE(VariantCodec::decode(deep, v, &error));
}
