#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextPainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Ink found in the image, as a bounding rectangle in image pixels.
QRect inkBounds(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

// A painted column puts its ink inside the column it was laid out in, through both the
// vertical-forms route and the per-character one, also on a scaled painter.
TEST(VerticalTextPaintTest, PaintsTheColumnWhereItWasLaidOut)
{
    const QFont font(u"Noto Serif CJK JP"_s);
    const QString text = u"東京都「港区」芝公園、ちょっとabc12番"_s;
    for (bool verticalForms : { true, false }) {
        SCOPED_TRACE(verticalForms ? "vertical forms" : "per character");
        VerticalTextLayout::Options options;
        options.useVerticalForms = verticalForms;
        options.uprightNumbers = true;
        const VerticalLineLayout line
            = VerticalTextLayout::layoutLine({ { text, font, 12 } }, { 100, 10 }, options);
        ASSERT_FALSE(line.glyphs.isEmpty());

        QImage image(240, 640, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(2, 2);
            painter.setPen(Qt::black);
            VerticalTextPainter::draw(&painter, line);
        }
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty());
        const QRectF column(
            line.bounds.x() * 2, line.bounds.y() * 2, line.bounds.width() * 2, line.bounds.height() * 2);
        // A pixel of slack for anti-aliasing and a little for the Latin run's overhang.
        EXPECT_TRUE(column.adjusted(-2, -2, 2, 12).contains(QRectF(ink)))
            << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x' << ink.height();
        EXPECT_GT(ink.height(), column.height() * 0.8);
    }
    // Nothing to draw and no painter are not errors.
    VerticalTextPainter::draw(nullptr, VerticalLineLayout {});
}
