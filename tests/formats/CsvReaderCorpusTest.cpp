// Every contact of the shared corpus of real-world vCards, written by the CSV writer and read by
// the CSV reader, keeps what the file's columns carry: names, the first phone, e-mail and address,
// birthday, organisation and note.

#include "common/TestPaths.h"
#include "formats/CsvReader.h"
#include "formats/CsvWriter.h"
#include "formats/ZRvCard.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The label a column gives back: home and work stay, anything else is written as other.
QString columnLabel(const QString &label)
{
    const QString lower = label.toLower();
    return lower == u"home"_s || lower == u"work"_s ? lower : u"other"_s;
}

// "label|text" of the first labelled value, as the CSV file carries it.
QString firstLabeled(ZRPerson &p, const QString &identifier, bool written)
{
    const QVariantMap m = p.labeledValueForIdentifierAtIndex(identifier, 0).toMap();
    if (m.isEmpty())
        return {};
    const QString label
        = written ? columnLabel(m.value(Key::Label).toString()) : m.value(Key::Label).toString();
    if (identifier != Ident::Address)
        return label + u'|' + m.value(written ? Key::StringValue : Key::Value).toString();
    QStringList parts { label };
    for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Street })
        parts << m.value(part).toString();
    return parts.join(u'|');
}

} // namespace

TEST(CsvReaderCorpusTest, CorpusContactsReadBackFromTheirCsv)
{
    const QString root = TestPaths::shared(u"corpus/vcard"_s);
    if (!QFileInfo::exists(root))
        GTEST_SKIP() << "no shared corpus at " << root.toStdString();

    const QStringList texts { Ident::FirstName, Ident::LastName, Ident::Company, Ident::Department,
        Ident::JobTitle, Ident::Title, Ident::Nickname, Ident::Note };
    int contacts = 0;
    QDirIterator it(root, { u"*.vcf"_s, u"*.vcard"_s }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const std::string name = QDir(root).relativeFilePath(path).toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const auto read = ZRvCard().containersFromVCards(QString::fromUtf8(file.readAll()));
        ASSERT_TRUE(read.has_value());
        const ContactTable &entries = *ZRvCard::contactsInContainer(*read->first());
        if (entries.isEmpty())
            continue;

        const QString csv = CsvWriter::csvFromSubContacts(entries);
        const CsvReader::Result result = CsvReader::contactsFromCSV(csv);
        ASSERT_TRUE(result.ok()) << name << ": " << result.error.toStdString();
        ASSERT_EQ(result.entries.size(), entries.size()) << name << "\n" << csv.toStdString();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            ++contacts;
            ZRPerson &a = *entries[i]->person;
            ZRPerson &b = *result.entries[i]->person;
            const std::string where = name + " contact " + std::to_string(i + 1);
            for (const QString &id : texts) {
                // The CSV file keeps a value's text; only CR LF inside it becomes LF.
                QString expected = a.valueForIdentifier(id).toString();
                expected.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
                EXPECT_EQ(b.valueForIdentifier(id).toString(), expected) << where << " " << id.toStdString();
            }
            for (const QString &id : { Ident::Phone, Ident::Email, Ident::Address }) {
                const QString original = firstLabeled(a, id, true);
                // Only values with a label the columns know travel; the others are dropped.
                const QString label
                    = a.labeledValueForIdentifierAtIndex(id, 0).toMap().value(Key::Label).toString();
                const bool travels = id == Ident::Phone || columnLabel(label) == label.toLower();
                if (original.isEmpty() || !travels || original.endsWith(u'|'))
                    continue;
                EXPECT_EQ(firstLabeled(b, id, false), original) << where << " " << id.toStdString();
            }
            const QVariant birthday = a.valueForIdentifier(Ident::Birthday).toMap().value(Key::Value);
            if (birthday.isValid()) {
                EXPECT_EQ(
                    b.valueForIdentifier(Ident::Birthday).toMap().value(Key::Value).value<DateComponents>(),
                    birthday.value<DateComponents>())
                    << where;
            }
        }
    }
    std::cout << "[   corpus ] " << contacts << " contacts written as CSV and read again\n";
    EXPECT_GT(contacts, 500);
}
