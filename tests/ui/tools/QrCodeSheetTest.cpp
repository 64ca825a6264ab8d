#include "ui/tools/QrCodeSheet.h"

#include "document/HubTestSupport.h"
#include "tools/QrTestContacts.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What a phone's camera reads from the image: the decoder's bytes, or nothing when it found no code.
std::optional<QByteArray> decode(const QImage &image)
{
    const QString zbar = QStandardPaths::findExecutable(u"zbarimg"_s);
    if (zbar.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"code.png"_s);
    if (!image.save(path))
        return std::nullopt;
    QProcess process;
    process.start(zbar, { u"--quiet"_s, u"--raw"_s, u"-Sbinary"_s, path });
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

int rowOfType(const QRCodePanelController &controller, const QString &type)
{
    for (int row = 0; row < controller.numberOfRows(); ++row) {
        if (controller.table().at(row).type == type)
            return row;
    }
    return -1;
}

} // namespace

TEST(QrCodeSheetTest, EveryFormatOfAJapaneseContactDecodesToItsPayload)
{
    if (QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty())
        GTEST_SKIP() << "zbarimg is not installed";
    QrCodeSheet sheet;
    sheet.setContact(QrTestContacts::entryFor(QrTestContacts::japanese()));
    for (const QString &format : QrFormat::all()) {
        SCOPED_TRACE(format.toStdString());
        sheet.selectFormat(format);
        EXPECT_EQ(sheet.controller().format(), format);
        const QString payload = sheet.controller().payload();
        ASSERT_FALSE(payload.isEmpty());
        const QImage image = sheet.shownImage();
        ASSERT_FALSE(image.isNull());
        // Drawn without smoothing: only black and white, with a white margin.
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        bool onlyBlackAndWhite = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xffffff;
                onlyBlackAndWhite = onlyBlackAndWhite && (pixel == 0 || pixel == 0xffffff);
            }
        }
        EXPECT_TRUE(onlyBlackAndWhite);
        const std::optional<QByteArray> read = decode(image);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(QString::fromUtf8(*read).trimmed(), payload.trimmed());
    }
}

TEST(QrCodeSheetTest, CheckBoxesFollowTheFormatAndChangeThePayload)
{
    QrCodeSheet sheet;
    sheet.setContact(QrTestContacts::entryFor(QrTestContacts::japanese()));
    auto *table = sheet.findChild<QTableWidget *>();
    ASSERT_NE(table, nullptr);
    const QRCodePanelController &controller = sheet.controller();
    const int company = rowOfType(controller, u"Company"_s);
    const int email = rowOfType(controller, u"Email"_s);
    ASSERT_GE(company, 0);
    ASSERT_GE(email, 0);

    sheet.selectFormat(QrFormat::VCard);
    EXPECT_TRUE(table->item(company, 1)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_FALSE(controller.payload().contains(u"ORG:"_s));
    // Ticking the box as a user does puts the company in.
    table->item(company, 1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(controller.payload().contains(u"ORG:山田商事;\r\n"_s));

    sheet.selectFormat(QrFormat::Phone);
    EXPECT_FALSE(table->item(company, 1)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_FALSE(table->item(email, 1)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_EQ(controller.payload(), u"tel:090-1234-5678"_s);
}

TEST(QrCodeSheetTest, CopyPutsThePngOnTheClipboardAndOpenNeedsASelection)
{
    TestHub hub;
    hub.open(TestHub::card(u"山田"_s, u"TEL:03-1234-5678\r\n"_s));
    QWidget window;
    hub.hub.setSelectedRows({});
    EXPECT_EQ(QrCodeSheet::open(&window, hub.hub), nullptr);

    hub.hub.setSelectedRows({ 0 });
    QrCodeSheet *sheet = QrCodeSheet::open(&window, hub.hub);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(QrCodeSheet::open(&window, hub.hub), sheet); // one per window

    QApplication::clipboard()->clear();
    sheet->copyAction()->trigger();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    QImage copied;
    ASSERT_TRUE(copied.loadFromData(data->data(u"image/png"_s), "PNG"));
    EXPECT_EQ(copied.size(), sheet->shownImage().size());
    sheet->close();
}

TEST(QrCodeSheetTest, APayloadTooLongOffersToLeaveOutTheAddress)
{
    auto person = QrTestContacts::japanese();
    // Addresses long enough that the card only fits without them.
    for (int i = 0; i < 3; ++i) {
        person->addLabeledValue(QrTestContacts::address(u"work"_s, QString(400, u'丁'), u"港区"_s,
                                    u"東京都"_s, u"105-0001"_s, u"日本"_s, u"jp"_s),
            Ident::Address);
    }
    QrCodeSheet sheet;
    sheet.setContact(QrTestContacts::entryFor(person));
    for (int row = 0; row < sheet.controller().numberOfRows(); ++row)
        sheet.setRowSelected(row, true);
    ASSERT_FALSE(sheet.controller().image().ok());
    QPushButton *button = nullptr;
    for (QPushButton *candidate : sheet.findChildren<QPushButton *>()) {
        if (candidate->text() == QrCodeSheet::tr("Leave Out Address"))
            button = candidate;
    }
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isHidden());
    button->click();
    EXPECT_TRUE(sheet.controller().image().ok());
    EXPECT_TRUE(button->isHidden());
}
