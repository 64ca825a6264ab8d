#include "QrTestContacts.h"
#include "tools/QRCodePanelController.h"
#include "tools/QrCodeImage.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace QrTestContacts;

namespace {

// Reads a drawn symbol back module by module, as a scanner would after finding it.
class SymbolReader
{
public:
    SymbolReader(const QImage &image, int modules, double scale)
        : m_image(image.convertToFormat(QImage::Format_Grayscale8))
        , m_n(modules)
        , m_scale(int(scale))
    {
    }

    // x is the column, y the row; -1 and n are the margin.
    bool dark(int x, int y) const
    {
        const int px = (x + 1) * m_scale + m_scale / 2;
        const int py = (y + 1) * m_scale + m_scale / 2;
        return qGray(m_image.pixel(px, py)) < 128;
    }

    bool finderAt(int left, int top) const
    {
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                const int ring = std::max(std::abs(x - 3), std::abs(y - 3));
                if (dark(left + x, top + y) != (ring != 2))
                    return false;
            }
        }
        return true;
    }

    bool marginIsLight() const
    {
        for (int i = -1; i <= m_n; ++i) {
            if (dark(i, -1) || dark(i, m_n) || dark(-1, i) || dark(m_n, i))
                return false;
        }
        return true;
    }

    // The two copies of the 15 format bits, unmasked.
    std::pair<int, int> formatBits() const
    {
        int first = 0, second = 0;
        auto put = [](int &bits, int i, bool on) { bits |= int(on) << i; };
        for (int i = 0; i <= 5; ++i)
            put(first, i, dark(8, i));
        put(first, 6, dark(8, 7));
        put(first, 7, dark(8, 8));
        put(first, 8, dark(7, 8));
        for (int i = 9; i < 15; ++i)
            put(first, i, dark(14 - i, 8));
        for (int i = 0; i < 8; ++i)
            put(second, i, dark(m_n - 1 - i, 8));
        for (int i = 8; i < 15; ++i)
            put(second, i, dark(8, m_n - 15 + i));
        return { first ^ 0x5412, second ^ 0x5412 };
    }

    static bool validFormat(int bits)
    {
        const int data = bits >> 10;
        int rem = data;
        for (int i = 0; i < 10; ++i)
            rem = (rem << 1) ^ ((rem >> 9) * 0x537);
        return ((data << 10) | (rem & 0x3FF)) == bits;
    }

    bool alwaysDarkModule() const { return dark(8, m_n - 8); }

private:
    QImage m_image;
    int m_n;
    int m_scale;
};

// The payload a scanner reads from the PNG, when zbarimg is installed.
std::optional<QByteArray> scan(const QByteArray &png)
{
    const QString zbarimg = QStandardPaths::findExecutable(u"zbarimg"_s);
    if (zbarimg.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    QFile file(dir.filePath(u"code.png"_s));
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
        return QByteArray();
    file.close();
    QProcess process;
    process.start(zbarimg, { u"--raw"_s, u"-q"_s, u"-Sbinary"_s, file.fileName() });
    if (!process.waitForFinished(30000))
        return QByteArray();
    // In binary mode the data comes out exactly as it was encoded, with no line end added.
    return process.readAllStandardOutput();
}

// Checks the symbol's structure and, when a scanner is installed, that it reads back as the payload.
void expectWellFormedSymbol(const QrCodeResult &result, const QString &payload)
{
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    const int n = result.modules;
    EXPECT_EQ((n - 17) % 4, 0) << "a symbol is 17 + 4 × version modules wide";
    EXPECT_GE(n, 21);
    EXPECT_LE(n, 177);
    EXPECT_DOUBLE_EQ(result.scale, QrCodeImage::scaleForModules(n));
    EXPECT_EQ(result.image.width(), int((n + 2) * result.scale));
    EXPECT_EQ(result.image.height(), result.image.width());
    SymbolReader read(result.image, n, result.scale);
    EXPECT_TRUE(read.marginIsLight());
    EXPECT_TRUE(read.finderAt(0, 0));
    EXPECT_TRUE(read.finderAt(n - 7, 0));
    EXPECT_TRUE(read.finderAt(0, n - 7));
    EXPECT_TRUE(read.alwaysDarkModule());
    const auto [first, second] = read.formatBits();
    EXPECT_EQ(first, second) << "both copies of the format information agree";
    EXPECT_TRUE(SymbolReader::validFormat(first));
    EXPECT_EQ(first >> 13, 1) << "error-correction level L";
    if (const std::optional<QByteArray> scanned = scan(QrCodeImage::pngData(result.image))) {
        EXPECT_EQ(*scanned, payload.toUtf8());
    }
}

} // namespace

TEST(QrImage, SymbolIsLevelLWithSquareModulesAndTheScaleOfItsSize)
{
    bool seen3 = false, seen4 = false, seen5 = false;
    for (int length = 1; length <= 260; length += 5) {
        const QString payload = QString(length, u'x');
        const QrCodeResult result = QrCodeImage::createQRCodeFromString(payload);
        SCOPED_TRACE(length);
        expectWellFormedSymbol(result, payload);
        seen3 |= result.modules <= 48 && result.scale == 3.0;
        seen4 |= result.modules >= 49 && result.modules <= 56 && result.scale == 4.0;
        seen5 |= result.modules >= 57 && result.scale == 5.0;
        // Drawn without smoothing: nothing but black and white.
        const QImage gray = result.image.convertToFormat(QImage::Format_Grayscale8);
        bool flat = true;
        for (int y = 0; y < gray.height() && flat; ++y) {
            const uchar *line = gray.constScanLine(y);
            for (int x = 0; x < gray.width(); ++x)
                flat &= line[x] == 0 || line[x] == 255;
        }
        EXPECT_TRUE(flat);
    }
    EXPECT_TRUE(seen3 && seen4 && seen5);
    EXPECT_DOUBLE_EQ(QrCodeImage::scaleForModules(48), 3.0);
    EXPECT_DOUBLE_EQ(QrCodeImage::scaleForModules(49), 4.0);
    EXPECT_DOUBLE_EQ(QrCodeImage::scaleForModules(56), 4.0);
    EXPECT_DOUBLE_EQ(QrCodeImage::scaleForModules(57), 5.0);
}

TEST(QrImage, PayloadsThatDoNotFitAreReportedAndTheLargestThatFitsIsDrawn)
{
    const QString most(2953, u'a');
    const QrCodeResult largest = QrCodeImage::createQRCodeFromString(most);
    expectWellFormedSymbol(largest, most);
    EXPECT_EQ(largest.modules, 177);

    struct Case
    {
        QString payload;
        const char *why;
    };
    const Case cases[] = {
        { QString(2954, u'a'), "one byte past the largest symbol" },
        { QString(1000, u'漢'), "three UTF-8 bytes a character: 3000 bytes" },
    };
    for (const Case &c : cases) {
        const QrCodeResult result = QrCodeImage::createQRCodeFromString(c.payload);
        EXPECT_FALSE(result.ok()) << c.why;
        EXPECT_TRUE(result.image.isNull()) << c.why;
        EXPECT_EQ(result.error, QrMessage::TooLong.arg(c.payload.toUtf8().size()).arg(2953)) << c.why;
    }
    // A zero character does not cut the payload short.
    const QString withZero = u"a\u0000b"_s;
    expectWellFormedSymbol(QrCodeImage::createQRCodeFromString(withZero), withZero);
    EXPECT_TRUE(QrCodeImage::imageResize(QImage(), 10, 10).isNull());
    EXPECT_TRUE(QrCodeImage::pngData(QImage()).isEmpty());
}

TEST(QrImage, SheetCopiesThePngOfEveryFormat)
{
    QRCodePanelController panel;
    EXPECT_EQ(panel.mimeDataForCopy(), nullptr) << "nothing to copy before a contact is shown";
    panel.setContact(entryFor(japanese()));
    for (const QString &format : QrFormat::all()) {
        panel.formatPopupSelected(format);
        SCOPED_TRACE(qPrintable(format));
        expectWellFormedSymbol(panel.image(), panel.payload());
        const auto mime = panel.mimeDataForCopy();
        ASSERT_NE(mime, nullptr);
        const QByteArray png = mime->data(QRCodePanelController::PngMimeType);
        const QImage copied = QImage::fromData(png, "PNG");
        EXPECT_EQ(copied.size(), panel.image().image.size());
    }
}

TEST(QrImage, VCardTooLongBecauseOfItsAddressOffersToLeaveItOut)
{
    auto p = japanese();
    p->replaceLabeledValueAtLabelIndex(
        address(u"home"_s, QString(2900, u'x'), u"City"_s, u""_s, u""_s, u""_s, u"us"_s), Ident::Address, 0);
    QRCodePanelController panel;
    panel.setContact(entryFor(p));
    EXPECT_FALSE(panel.image().ok());
    EXPECT_TRUE(panel.image().error.contains(QrMessage::WithoutAddress)) << qPrintable(panel.image().error);
    EXPECT_TRUE(panel.canLeaveOutAddress());
    EXPECT_TRUE(panel.copy().isEmpty());

    panel.formatPopupSelected(QrFormat::Au);
    EXPECT_FALSE(panel.image().ok());
    EXPECT_FALSE(panel.canLeaveOutAddress()) << "offered for the vCard only";
    EXPECT_FALSE(panel.image().error.isEmpty());

    panel.formatPopupSelected(QrFormat::VCard);
    panel.leaveOutAddress();
    expectWellFormedSymbol(panel.image(), panel.payload());
    EXPECT_FALSE(panel.payload().contains(u"ADR"_s));
    EXPECT_FALSE(panel.canLeaveOutAddress());
}
