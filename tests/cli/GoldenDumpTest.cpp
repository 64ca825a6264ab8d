// Real files from many clients, each read as "corvanthe dump" reads it and compared, exactly, with the
// dump kept beside the test: tests/data/golden/<client>/<file>.json for corpus/vcard/<client>/<file>.
// Each kept dump was checked by hand against its card. A change in what any field reads as fails here.

#include "cli/DumpJson.h"
#include "common/TestPaths.h"
#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The kept dumps, as paths relative to the golden folder ("gammu/se-1.vcf.json").
std::vector<std::string> goldenFiles()
{
    const QDir folder(TestPaths::data(u"golden"_s));
    std::vector<std::string> files;
    QDirIterator it(folder.path(), { u"*.json"_s }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.push_back(folder.relativeFilePath(it.next()).toStdString());
    std::sort(files.begin(), files.end());
    return files;
}

// A card without a UID gets a new identifier each time it is read: the dump holds a placeholder for
// every identifier the card itself does not carry.
const QString MadeUpId = u"<made up: the card has no UID>"_s;

QJsonArray withStableIds(QJsonArray contacts, const QByteArray &card)
{
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        QJsonObject contact = contacts.at(i).toObject();
        const QString id = contact.value(u"uniqueId"_s).toString();
        if (!card.contains(id.toUtf8()))
            contact.insert(u"uniqueId"_s, MadeUpId);
        contacts[i] = contact;
    }
    return contacts;
}

// Name order, weekday names, the user's country and the country names known by the address formats
// are the machine's; the dumps are made with English ones, whatever the machine running the test.
class GoldenDumpTest : public ::testing::TestWithParam<std::string>
{
protected:
    static void SetUpTestSuite()
    {
        QLocale::setDefault(QLocale::c());
        ContactDefaults::overrideForTesting(u"us"_s, ContactDefaults::SortOrder::GivenName, u"en"_s);
        QFile formats(u":/AddressFormat.json"_s);
        ASSERT_TRUE(formats.open(QIODevice::ReadOnly));
        AddressFormats::shared().load(formats.readAll(), u"en"_s);
        AddressFormats::shared().setRegion(u"US"_s);
    }
    static void TearDownTestSuite()
    {
        ContactDefaults::overrideForTesting(QString(), ContactDefaults::SortOrder::None);
        QLocale::setDefault(QLocale::system());
    }
};

} // namespace

TEST_P(GoldenDumpTest, DumpIsTheOneCheckedByHand)
{
    const QString golden = QString::fromStdString(GetParam());
    const QString source
        = TestPaths::shared(u"corpus/vcard/"_s + golden.chopped(QStringView(u".json").size()));
    if (!QFileInfo::exists(source))
        GTEST_SKIP() << "no shared corpus file " << source.toStdString();

    QFile expectedFile(TestPaths::data(u"golden/"_s + golden));
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    QJsonParseError parseError;
    const QJsonDocument expected = QJsonDocument::fromJson(expectedFile.readAll(), &parseError);
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();

    const DocumentReadResult read
        = DocumentReader::readFile(source, InputFormat::VCard, TextEncoding::Automatic);
    ASSERT_TRUE(read.ok()) << read.readError.toStdString();
    QFile card(source);
    ASSERT_TRUE(card.open(QIODevice::ReadOnly));
    const QJsonArray actual = withStableIds(DumpJson::contacts(read), card.readAll());

    // A dump to be kept is written in place of the kept one, to be checked by hand against its card.
    if (qEnvironmentVariableIsSet("CORVANTHE_WRITE_GOLDEN")) {
        expectedFile.close();
        ASSERT_TRUE(expectedFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
        expectedFile.write(QJsonDocument(actual).toJson(QJsonDocument::Indented));
        return;
    }
    if (actual != expected.array()) {
        // The whole dump, to compare line by line and to keep once it has been checked by hand.
        ADD_FAILURE() << "the dump of " << source.toStdString() << " differs from the one kept:\n"
                      << QJsonDocument(actual).toJson(QJsonDocument::Indented).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoldenDumpTest, ::testing::ValuesIn(goldenFiles()),
    [](const ::testing::TestParamInfo<std::string> &info) {
        std::string name = info.param;
        for (char &c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });
