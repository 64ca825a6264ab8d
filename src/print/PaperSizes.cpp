#include "print/PaperSizes.h"

#include <cmath>

namespace PaperSizes {

namespace {

struct Paper
{
    const QString *name;
    QSizeF size; // portrait, exact
    QPageSize::Unit unit;
};

const QList<Paper> &papers()
{
    static const QList<Paper> table {
        { &Postcard, { 100.0, 148.0 }, QPageSize::Millimeter },
        { &Letter, { 8.5, 11.0 }, QPageSize::Inch },
        { &A4, { 210.0, 297.0 }, QPageSize::Millimeter },
        { &Naga3, { 120.0, 235.0 }, QPageSize::Millimeter },
        { &Naga4, { 90.0, 205.0 }, QPageSize::Millimeter },
        { &You2, { 114.0, 162.0 }, QPageSize::Millimeter },
        { &Us10, { 4.125, 9.5 }, QPageSize::Inch },
        { &DL, { 110.0, 220.0 }, QPageSize::Millimeter },
        { &C5, { 162.0, 229.0 }, QPageSize::Millimeter },
    };
    return table;
}

const Paper *find(const QString &name)
{
    for (const Paper &paper : papers()) {
        if (*paper.name == name)
            return &paper;
    }
    return nullptr;
}

} // namespace

QStringList names()
{
    QStringList result;
    for (const Paper &paper : papers())
        result.append(*paper.name);
    return result;
}

std::optional<QPageSize> pageSize(const QString &name)
{
    const Paper *paper = find(name);
    if (!paper)
        return std::nullopt;
    // A size close to a standard one takes its identity, so printers recognise it; it keeps our name.
    return QPageSize(paper->size, paper->unit, name, QPageSize::FuzzyMatch);
}

QSizeF sizeInPoints(const QString &name)
{
    // Page sizes answer points rounded to whole numbers (and some standard sizes are defined in rounded
    // millimetres); layout needs A4's 595.28 and the US #10's exact 297 × 684.
    const Paper *paper = find(name);
    if (!paper)
        return QSizeF();
    return paper->unit == QPageSize::Inch ? paper->size * 72.0 : paper->size * (72.0 / 25.4);
}

QString nameForSize(const QSizeF &points)
{
    const auto close = [](const QSizeF &a, const QSizeF &b) {
        return std::abs(a.width() - b.width()) < 0.5 && std::abs(a.height() - b.height()) < 0.5;
    };
    for (const Paper &paper : papers()) {
        const QSizeF size = sizeInPoints(*paper.name);
        if (close(size, points) || close(size.transposed(), points))
            return *paper.name;
    }
    return QString();
}

} // namespace PaperSizes
