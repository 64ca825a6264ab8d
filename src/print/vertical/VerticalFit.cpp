#include "print/vertical/VerticalFit.h"

#include <algorithm>
#include <limits>

namespace VerticalFit {

namespace {

// The walk nets at least 0.1 point per two steps, so it ends; this only guards against NaN.
constexpr int maximumSteps = 4000;

qreal longest(
    const QStringList &lines, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    qreal result = 0;
    for (const QString &line : lines)
        result = std::max(result, VerticalTextLayout::measureLength(line, font, size, options));
    return result;
}

qsizetype longestCharacters(const QStringList &lines)
{
    qsizetype result = 0;
    for (const QString &line : lines)
        result = std::max(result, line.size());
    return result;
}

// h / n, or "no limit" for an empty text.
qreal perCharacter(qreal height, qsizetype characters)
{
    return characters > 0 ? height / qreal(characters) : std::numeric_limits<qreal>::max();
}

} // namespace

qreal fitSize(const QStringList &lines, const QFont &font, qreal startSize, qreal cap, qreal height,
    const VerticalTextLayout::Options &options)
{
    return fitSize([&](qreal size) { return longest(lines, font, size, options); }, startSize, cap, height);
}

qreal fitSize(const std::function<qreal(qreal size)> &longestAt, qreal startSize, qreal cap, qreal height)
{
    qreal size = startSize;
    if (!(size > 0) || !(height > 0))
        return std::max<qreal>(0, std::min(size, cap));
    for (int step = 0; step < maximumSteps; ++step) {
        const qreal length = longestAt(size);
        if (length >= height - fitBand && length <= height)
            break;
        size += length > height ? -shrinkStep : growStep;
        if (!(size > minimumSize && size < cap))
            break;
    }
    size = std::min(size, cap);
    // The walk may stop at its floor or right after a step up with the text still too long;
    // text that runs past its block would print over its neighbours.
    while (size > smallestSize && longestAt(size) > height)
        size = std::max(smallestSize, size - shrinkStep);
    return size;
}

QList<qreal> lengths(
    const QStringList &lines, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    QList<qreal> result;
    result.reserve(lines.size());
    for (const QString &line : lines)
        result.append(VerticalTextLayout::measureLength(line, font, size, options));
    return result;
}

AddressFit fitAddress(const QString &firstPart, const QString &street, const QRectF &rect, const QFont &font,
    const VerticalTextLayout::Options &options)
{
    const qreal w = rect.width();
    const qreal h = rect.height();
    QString text = firstPart + street;
    text.replace(QChar(0x2212), QChar(u'-'));

    AddressFit fit;
    fit.lines = text.split(u'\n');
    fit.lineHeight = w / qreal(fit.lines.size());
    qreal size = std::min(
        { fit.lineHeight * 0.9, maximumAddressSize, perCharacter(h, longestCharacters(fit.lines)) });

    if (size < minimumSize || size < fit.lineHeight * 0.5) {
        text = firstPart;
        if (!firstPart.isEmpty())
            text += u'\n';
        text += street;
        text.replace(QChar(0x2212), QChar(u'-'));
        fit.lines = text.split(u'\n');
        fit.lineHeight = w / qreal(fit.lines.size());
        size = std::min(fit.lineHeight * 0.9, perCharacter(h, longestCharacters(fit.lines)));
    }

    if (w > 1 || h > 1)
        size = fitSize(fit.lines, font, size, fit.lineHeight * 0.9, h, options);
    fit.fontSize = size;
    fit.widths = lengths(fit.lines, font, size, options);
    return fit;
}

NameFit fitName(const QStringList &nameLines, const QStringList &companyLines, const QRectF &rect,
    const QFont &font, const VerticalTextLayout::Options &options, const LengthsAt &nameLengths)
{
    const qreal w = rect.width();
    const qreal h = rect.height();
    NameFit fit;
    const qsizetype count = nameLines.size() + companyLines.size();
    fit.lineHeight = count > 0 ? w / qreal(count) : w;
    const qreal cap = fit.lineHeight * 0.9;
    const bool fitting = w > 1 || h > 1;

    if (!companyLines.isEmpty()) {
        qreal size = std::min(cap, perCharacter(h, longestCharacters(companyLines)));
        if (fitting)
            size = fitSize(companyLines, font, size, cap, h, options);
        fit.companyFontSize = std::min(size, cap);
        fit.companyWidths = lengths(companyLines, font, fit.companyFontSize, options);
    }

    const LengthsAt measureNames = nameLengths
        ? nameLengths
        : LengthsAt([&](qreal size) { return lengths(nameLines, font, size, options); });
    const auto longestName = [&](qreal size) {
        const QList<qreal> all = measureNames(size);
        return all.isEmpty() ? 0 : *std::max_element(all.begin(), all.end());
    };
    // The name text holds a blank after every character, so half its length counts the cells.
    qreal size = std::min(cap, perCharacter(h, longestCharacters(nameLines) / 2 + 1));
    if (fitting)
        size = fitSize(longestName, size, cap, h);
    fit.nameFontSize = std::min(size, cap);
    fit.nameWidths = measureNames(fit.nameFontSize);
    return fit;
}

} // namespace VerticalFit
