#include "print/PaperSizes.h"

#include <cmath>

namespace PaperSizes {

namespace {

struct Paper
{
    const QString *name;
    QPageSize::PageSizeId id; // QPageSize::Custom when no standard size matches
    QSizeF millimeters; // used for custom sizes
};

const QList<Paper> &papers()
{
    static const QList<Paper> table {
        { &Postcard, QPageSize::Postcard, { 100.0, 148.0 } },
        { &Letter, QPageSize::Letter, {} },
        { &A4, QPageSize::A4, {} },
        { &Naga3, QPageSize::EnvelopeChou3, { 120.0, 235.0 } },
        { &Naga4, QPageSize::EnvelopeChou4, { 90.0, 205.0 } },
        { &You2, QPageSize::Custom, { 114.0, 162.0 } },
        { &Us10, QPageSize::Envelope10, {} },
        { &DL, QPageSize::EnvelopeDL, {} },
        { &C5, QPageSize::EnvelopeC5, {} },
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
    if (paper->id == QPageSize::Custom)
        return QPageSize(paper->millimeters, QPageSize::Millimeter, name, QPageSize::ExactMatch);
    // The standard size keeps its identity (printers know it), under our name.
    const QSizeF size = QPageSize::size(paper->id, QPageSize::Millimeter);
    return QPageSize(size, QPageSize::Millimeter, name, QPageSize::FuzzyMatch);
}

QSizeF sizeInPoints(const QString &name)
{
    const auto size = pageSize(name);
    if (!size)
        return QSizeF();
    // Page sizes answer points rounded to whole numbers; layout needs A4's 595.28, not 595.
    const QSizeF defined = size->definitionSize();
    switch (size->definitionUnits()) {
    case QPageSize::Millimeter:
        return defined * (72.0 / 25.4);
    case QPageSize::Inch:
        return defined * 72.0;
    case QPageSize::Point:
        return defined;
    default:
        return size->size(QPageSize::Point);
    }
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
