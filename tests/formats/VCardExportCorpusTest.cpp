// Every card of the shared corpus of real-world vCards, read into a container, exported with the
// file options and the container's categories, and read again, gives the same records.

#include "common/TestPaths.h"
#include "formats/VCardExport.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QDebug>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Group names of an entry, in the container's order.
QStringList groupsOf(const ContactContainer &container, const ContactEntry &entry)
{
    QStringList names;
    for (const auto &group : container.groups) {
        if (group->top || !group->contactTable)
            continue;
        for (const auto &member : *group->contactTable) {
            if (member->uniqueId == entry.uniqueId) {
                names << group->name;
                break;
            }
        }
    }
    return names;
}

// A written layout gives every address its flags; a flag that is off is the same as none.
QVariant withoutClearedFlags(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return value;
    QVariantList list = value.toList();
    for (QVariant &item : list) {
        QVariantMap map = item.toMap();
        for (const QString &flag : { Key::Sender, Key::Company, Key::Renmei })
            if (map.contains(flag) && !map.value(flag).toBool())
                map.remove(flag);
        item = map;
    }
    return list;
}

std::string describe(const QVariant &value)
{
    QString text;
    QDebug(&text) << value;
    return text.toStdString();
}

} // namespace

TEST(VCardExportCorpusTest, ExportedCardsReadBackAsTheSameRecords)
{
    const QString root = TestPaths::shared(u"corpus/vcard"_s);
    if (!QFileInfo::exists(root))
        GTEST_SKIP() << "no shared corpus at " << root.toStdString();

    QStringList identifiers = ZRPerson::allIdentifiers();
    identifiers.removeAll(Ident::Photo); // re-encoded as JPEG: compared by size below
    // Instant-message services the record's own writer cannot name yet come back without one; the
    // record writer's round trip is checked by the model's corpus test.
    identifiers.removeAll(Ident::InstantMessage);
    identifiers << Ident::Renmei;
    QStringList options = VCardExport::fileExportOptions();
    options << VCardExport::Option::Categories;

    int files = 0, contacts = 0;
    QDirIterator it(root, { u"*.vcf"_s, u"*.vcard"_s }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const std::string name = QDir(root).relativeFilePath(path).toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const auto first = ZRvCard().containersFromVCards(QString::fromUtf8(file.readAll()));
        ASSERT_TRUE(first.has_value()) << name;
        const ContactContainer &original = *first->first();
        const ContactTable &entries = *ZRvCard::contactsInContainer(original);
        if (entries.isEmpty())
            continue;
        ++files;

        const auto written = VCardExport::vCardsFromContacts(entries, options, &original);
        ASSERT_TRUE(written.has_value()) << name;
        const auto second = ZRvCard().containersFromVCards(QString::fromUtf8(*written));
        ASSERT_TRUE(second.has_value()) << name;
        const ContactContainer &reread = *second->first();
        const ContactTable &back = *ZRvCard::contactsInContainer(reread);
        ASSERT_EQ(back.size(), entries.size()) << name << "\n" << written->toStdString();

        for (qsizetype i = 0; i < entries.size(); ++i) {
            ++contacts;
            ZRPerson &a = *entries[i]->person;
            ZRPerson &b = *back[i]->person;
            for (const QString &id : identifiers)
                EXPECT_EQ(withoutClearedFlags(b.valueForIdentifier(id)),
                    withoutClearedFlags(a.valueForIdentifier(id)))
                    << name << " contact " << i + 1 << " field " << id.toStdString() << "\n"
                    << describe(b.valueForIdentifier(id)) << "\n"
                    << describe(a.valueForIdentifier(id));
            // A JPEG comes back byte for byte; no picture is invented for a record without one.
            if (a.imageData().startsWith("\xff\xd8\xff"))
                EXPECT_EQ(b.imageData(), a.imageData()) << name << " contact " << i + 1;
            else if (a.photo().isNull())
                EXPECT_TRUE(b.imageData().isEmpty()) << name << " contact " << i + 1;
            else
                EXPECT_EQ(b.photo().size(), a.photo().size()) << name << " contact " << i + 1;
            EXPECT_EQ(groupsOf(reread, *back[i]), groupsOf(original, *entries[i]))
                << name << " contact " << i + 1;
        }
    }
    std::cout << "[   corpus ] " << files << " files, " << contacts << " contacts exported and read again\n";
    EXPECT_GT(files, 100);
}
