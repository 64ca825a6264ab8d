#include "ui/table/CellDelegate.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Whether anything but the background was drawn inside the rectangle.
bool inkIn(const QImage &image, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
        }
    }
    return false;
}

// A view paints all its cells with one painter: a cell's text must leave it as it found it, or the
// cells after it are clipped away or drawn in its font and colour.
TEST(CellDelegateTest, TwoCellsPaintedWithOnePainterBothShowTheirText)
{
    QImage image(240, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPen pen(Qt::blue);
    painter.setPen(pen);
    const QFont font = QApplication::font();
    const QRect first(0, 0, 120, 30);
    const QRect second(120, 30, 120, 30);

    CellHighlights marks;
    marks.occurrences.append({ 0, 3 });
    marks.current = TextSpan { 4, 3 };
    CellDelegate::drawText(&painter, first, u"abc def"_s, font, Qt::black, marks, 30);
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_EQ(painter.pen(), pen);

    CellDelegate::drawText(&painter, second, u"xyz\nsecond line"_s, font, Qt::black, {}, 15);
    painter.end();
    EXPECT_TRUE(inkIn(image, first));
    EXPECT_TRUE(inkIn(image, second));
    // Each text stays in its own cell.
    EXPECT_FALSE(inkIn(image, QRect(0, 30, 120, 30)));
    EXPECT_FALSE(inkIn(image, QRect(120, 0, 120, 30)));
}

} // namespace
