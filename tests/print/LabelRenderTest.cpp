#include "print/LabelRenderer.h"
#include "print/MailingLabelText.h"
#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRenderTestSupport.h"

#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

const QSizeF Letter(612, 792);

QVariantMap withLabelOption(QVariantMap options, const QString &key, const QVariant &value)
{
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(key, value);
    options.insert(PrintKey::MailingLabels, labels);
    return options;
}

} // namespace

class LabelRenderTest : public PrintRenderTest
{
};

TEST_F(LabelRenderTest, HonorificGoesBeforeWesternTitlesAndAfterEverythingElse)
{
    struct Row
    {
        QString keishou, expected;
    };
    const Row rows[] = {
        { u"Mr."_s, u"Mr. Taro Yamada"_s },
        { u"Dr."_s, u"Dr. Taro Yamada"_s },
        { u"様"_s, u"Taro Yamada 様"_s },
        { u"御中"_s, u"Taro Yamada 御中"_s },
        { u"None"_s, u"Taro Yamada"_s },
        { u""_s, u"Taro Yamada"_s },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.keishou.toStdString());
        EXPECT_EQ(MailingLabelText::nameWithKeishou(u"Taro Yamada"_s, row.keishou), row.expected);
    }
    // No lone honorific on a label without a name.
    EXPECT_EQ(MailingLabelText::nameWithKeishou(QString(), u"様"_s), QString());
}

TEST_F(LabelRenderTest, JapaneseLabelTextReadsAddressThenCompanyThenName)
{
    auto p = person(u"山田"_s, u"太郎"_s,
        { u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1"_s, u"日本"_s, u"JP"_s }, u"山田商事"_s);
    const ReceiverRecord r = receiver(p);
    const QString name = r.name.value(Key::StringValue).toString();
    ASSERT_FALSE(name.isEmpty());

    QVariantMap style;
    EXPECT_EQ(MailingLabelText::makeAdrsAndNameString(r, style, u"様"_s, false),
        u"100-0001 東京都千代田区\n千代田1-1\n"_s + name + u" 様"_s)
        << "the postal code prints unless turned off, the country only when asked";

    style.insert(PrintKey::PrintCountry, true);
    style.insert(PrintKey::PrintCompany, true);
    style.insert(PrintKey::PrintZIP, false);
    EXPECT_EQ(MailingLabelText::makeAdrsAndNameString(r, style, u"様"_s, false),
        u"日本 東京都千代田区\n千代田1-1\n山田商事\n"_s + name + u" 様"_s);
    // The sender's own label has no honorific.
    EXPECT_TRUE(MailingLabelText::makeAdrsAndNameString(r, style, u"様"_s, true).endsWith(name));
}

TEST_F(LabelRenderTest, CombinedPrefectureAndCityLineAndMissingAddress)
{
    ReceiverRecord r;
    r.name = { { Key::StringValue, u"佐藤花子"_s } };
    r.address = { { AddressKey::StateAndCity, u"大阪府大阪市"_s }, { Ident::State, u"ignored"_s },
        { Ident::ZIP, u"530-0001"_s } };
    EXPECT_EQ(MailingLabelText::makeAdrsAndNameString(r, {}, u"様"_s, false),
        u"530-0001 大阪府大阪市\n佐藤花子 様"_s);

    // Japanese script without a country reads the Japanese way even where the user's country is another.
    ContactDefaults::overrideForTesting(u"us"_s, ContactDefaults::SortOrder::GivenName);
    r.address
        = { { Ident::State, u"大阪府"_s }, { Ident::City, u"大阪市"_s }, { Ident::Street, u"梅田2-2"_s } };
    EXPECT_EQ(MailingLabelText::makeAdrsAndNameString(r, {}, u"様"_s, false),
        u"大阪府大阪市\n梅田2-2\n佐藤花子 様"_s);

    r.address.clear();
    EXPECT_EQ(MailingLabelText::makeAdrsAndNameString(r, {}, u"Mr."_s, false), u"Mr. 佐藤花子"_s);
}

TEST_F(LabelRenderTest, WesternAddressPutsNameFirstInTheCountrysOrder)
{
    auto p = person(u"Smith"_s, u"Jane"_s,
        { u"94105"_s, u"CA"_s, u"San Francisco"_s, u"1 Market St"_s, u"USA"_s, u"US"_s }, u"Acme"_s);
    QVariantMap style { { PrintKey::PrintCompany, true } };
    const QString text = MailingLabelText::makeAdrsAndNameString(receiver(p), style, u"Ms."_s, false);
    const QStringList lines = text.split(u'\n');
    ASSERT_GE(lines.size(), 4) << text.toStdString();
    EXPECT_EQ(lines.at(0), u"Ms. "_s + p->compositeName());
    EXPECT_EQ(lines.at(1), u"Acme"_s);
    EXPECT_EQ(lines.at(2), u"1 Market St"_s);
    EXPECT_TRUE(lines.at(3).contains(u"San Francisco"_s) && lines.at(3).contains(u"94105"_s))
        << text.toStdString();
    EXPECT_FALSE(text.contains(u"USA"_s)) << "the country line is off by default";
    EXPECT_FALSE(text.endsWith(u'\n'));
}

TEST_F(LabelRenderTest, StartSizeCountsAtLeastThreeLinesOfTenCharacters)
{
    const QSizeF label(130, 60);
    // Two lines are sized as three: b = 60 / 3 = 20, a = 130 / 10 = 13 -> 1.2 × 13.
    EXPECT_DOUBLE_EQ(LabelRenderer::startSize(2, 4, label), 1.2 * 13.0);
    // Many short lines: b = 60 / 6 = 10 < 1.2 × 13 -> 1.2 × 10.
    EXPECT_DOUBLE_EQ(LabelRenderer::startSize(6, 4, label), 12.0);
    EXPECT_DOUBLE_EQ(LabelRenderer::startSize(3, 26, label), 1.2 * 5.0);
}

TEST_F(LabelRenderTest, FittingStopsBetweenNinetyAndNinetyEightPercent)
{
    const QSizeF label(130, 60);
    // Text whose extent grows linearly with the size, as real text does.
    for (const double widthPerPoint : { 2.0, 5.0, 9.5, 20.0 }) {
        SCOPED_TRACE(widthPerPoint);
        const auto measure = [&](double size) { return QSizeF(size * widthPerPoint, size * 3.0); };
        for (const double start : { 2.0, 12.0, 40.0 }) {
            const double size = LabelRenderer::fitSize(start, label, measure);
            const QSizeF extent = measure(size);
            const double ratio = std::max(extent.width() / label.width(), extent.height() / label.height());
            EXPECT_LE(ratio, 0.98 + 1e-9) << "start " << start;
            EXPECT_GE(ratio, 0.85) << "start " << start;
        }
    }
    // A text that fits at no size ends at the smallest size, never at zero or below.
    const auto huge = [](double) { return QSizeF(1e6, 1e6); };
    EXPECT_DOUBLE_EQ(LabelRenderer::fitSize(10.0, label, huge), 1.0);
    EXPECT_GT(LabelRenderer::fitSize(0.3, label, huge), 0.0);
}

TEST_F(LabelRenderTest, FittedTextStaysInsideTheLabelForEveryPreset)
{
    auto p = person(u"山田"_s, u"太郎"_s,
        { u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1 ほげビル101"_s, {}, {} });
    const QList<ReceiverRecord> receivers { receiver(p) };
    for (const QSizeF &size : { QSizeF(130, 60), QSizeF(189, 72), QSizeF(157.32, 84.19), QSizeF(288, 144) }) {
        for (const bool vertical : { false, true }) {
            SCOPED_TRACE(QStringLiteral("%1x%2 vertical %3")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(vertical)
                             .toStdString());
            QVariantMap options = withLabelOption(englishOptions(), PrintKey::LabelWidth, size.width());
            options = withLabelOption(options, PrintKey::LabelHeight, size.height());
            options = withLabelOption(options, PrintKey::DrawTextInVertical, vertical);
            const LabelRenderer renderer(options, receivers, Letter);
            const LabelRenderer::FittedText fitted = renderer.fittedText(0);
            EXPECT_EQ(fitted.vertical, vertical);
            EXPECT_GT(fitted.fontSize, 3.0);
            EXPECT_LE(fitted.extent.width(), size.width() * 0.98 + 1e-6);
            EXPECT_LE(fitted.extent.height(), size.height() * 0.98 + 1e-6);
            EXPECT_GT(
                std::max(fitted.extent.width() / size.width(), fitted.extent.height() / size.height()), 0.6);
        }
    }
}

TEST_F(LabelRenderTest, CopiesAndPageBreaksFollowPrintOrder)
{
    QList<ReceiverRecord> receivers;
    for (int i = 0; i < 17; ++i)
        receivers.append(receiver(person(u"Person %1"_s.arg(i))));
    const QVariantMap options = withLabelOption(englishOptions(), PrintKey::RepeatCount, 3);
    const LabelRenderer renderer(options, receivers, Letter);
    ASSERT_EQ(renderer.sheet().labelsPerPage(), 48);
    EXPECT_EQ(renderer.pageCount(), 2); // 51 labels

    const QList<LabelRenderer::Label> first = renderer.labelsOnPage(0);
    ASSERT_EQ(first.size(), 48);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(first.at(k).receiver, k / 3);
        EXPECT_EQ(first.at(k).copy, k % 3);
    }
    // Text sits 3 right and 2 down in its label, the frame 1 up.
    EXPECT_EQ(first.at(0).textRect, QRectF(3, 2, 130, 60));
    EXPECT_EQ(first.at(0).frameRect, QRectF(0, -1, 130, 60));
    EXPECT_EQ(first.at(5).textRect.topLeft(), QPointF(1 * 135 + 3, 1 * 65 + 2));

    // The second page starts again at the top left, in the page's own coordinates.
    const QList<LabelRenderer::Label> second = renderer.labelsOnPage(1);
    ASSERT_EQ(second.size(), 3);
    EXPECT_EQ(second.first().index, 48);
    EXPECT_EQ(second.first().receiver, 16);
    EXPECT_EQ(second.first().textRect.topLeft(), QPointF(3, 2));
    EXPECT_TRUE(renderer.labelsOnPage(2).isEmpty());
}

TEST_F(LabelRenderTest, PaintsTextInsideItsLabelOnly)
{
    QList<ReceiverRecord> receivers { receiver(person(
        u"Yamada"_s, u"Taro"_s, { u"100-0001"_s, u"Tokyo"_s, u"Chiyoda"_s, u"1-1"_s, u""_s, u"JP"_s })) };
    const LabelRenderer renderer(
        withLabelOption(englishOptions(), PrintKey::PrintFrame, false), receivers, Letter);
    QImage image(612, 792, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    QPainter painter(&image);
    renderer.drawPage(&painter, 0);
    painter.end();

    const QRect first(3, 2, 130, 60);
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                (first.contains(x, y) ? inside : outside) += 1;
        }
    }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}
