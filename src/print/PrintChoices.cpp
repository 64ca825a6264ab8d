#include "print/PrintChoices.h"

#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace PrintChoices {

namespace {

// A point string longer than this is not one we wrote; only its start is read.
constexpr qsizetype MaxPointStringLength = 200;

double bounded(double value, double limit)
{
    return std::clamp(value, -limit, limit);
}

} // namespace

QStringList keishouChoices()
{
    return { PrintValue::KeishouNone, PrintValue::KeishouSama, PrintValue::KeishouDono,
        PrintValue::KeishouOnchu, PrintValue::KeishouMr, PrintValue::KeishouMrs, PrintValue::KeishouMs,
        PrintValue::KeishouDr };
}

QStringList keishouChoiceTitles()
{
    QStringList titles = keishouChoices();
    titles[0] = PrintValue::KeishouNoneTitle;
    return titles;
}

QString keishouForChoice(const QString &title)
{
    return isNoKeishou(title) || title == PrintValue::KeishouNoneTitle ? QString() : title;
}

int keishouChoiceIndex(const QString &stored)
{
    if (isNoKeishou(stored))
        return 0;
    return int(keishouChoices().indexOf(stored));
}

bool isNoKeishou(const QString &keishou)
{
    return keishou.isEmpty() || keishou == PrintValue::KeishouNone;
}

QStringList hagakiTypeChoices()
{
    return { PrintValue::HagakiChoiceNone, PrintValue::HagakiChoiceNenga, PrintValue::HagakiChoiceGeneral };
}

bool applyHagakiTypeChoice(QVariantMap &hagaki, const QString &title)
{
    QString type;
    if (title == PrintValue::HagakiChoiceNone)
        type = PrintValue::HagakiTypeNone;
    else if (title == PrintValue::HagakiChoiceNenga)
        type = PrintValue::HagakiTypeNenga;
    else if (title == PrintValue::HagakiChoiceGeneral)
        type = PrintValue::HagakiTypeGeneral;
    else
        return false;
    hagaki.insert(PrintKey::ShowBackground, type != PrintValue::HagakiTypeNone);
    if (PrintOptions::text(hagaki.value(PrintKey::HagakiType)) != type)
        hagaki.insert(PrintKey::HagakiType, type);
    return true;
}

int hagakiTypeChoiceIndex(const QVariantMap &hagaki)
{
    const QString type = PrintOptions::text(hagaki.value(PrintKey::HagakiType));
    if (type == PrintValue::HagakiTypeNone)
        return 0;
    if (type == PrintValue::HagakiTypeGeneral)
        return 2;
    return 1;
}

std::optional<QPointF> parsePointString(const QString &text)
{
    static const QRegularExpression numberPattern(u"[+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?"_s);
    auto matches = numberPattern.globalMatch(text.left(MaxPointStringLength));
    double values[2] = { 0.0, 0.0 };
    for (double &value : values) {
        if (!matches.hasNext())
            return std::nullopt;
        bool ok = false;
        value = matches.next().captured(0).toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
    }
    return QPointF(values[0], values[1]);
}

QString pointString(const QPointF &point)
{
    return u"{%1, %2}"_s.arg(QString::number(point.x(), 'g', 12), QString::number(point.y(), 'g', 12));
}

QPointF senderZipDisplayPosition(QVariantMap &hagaki, PrintUnits::Unit unit)
{
    auto stored = parsePointString(PrintOptions::text(hagaki.value(PrintKey::SenderZIPPositionForNenga)));
    if (!stored) {
        hagaki.insert(PrintKey::SenderZIPPositionForNenga, PrintValue::DefaultSenderZIPPosition);
        stored = parsePointString(PrintValue::DefaultSenderZIPPosition);
    }
    QPointF points = *stored;
    if (PrintOptions::text(hagaki.value(PrintKey::HagakiType)) == PrintValue::HagakiTypeGeneral)
        points.ry() += GeneralCardZipOffset;
    return QPointF(PrintUnits::fromPoints(points.x(), unit), PrintUnits::fromPoints(points.y(), unit));
}

void setSenderZipDisplayPosition(QVariantMap &hagaki, const QPointF &display, PrintUnits::Unit unit)
{
    QPointF points(PrintUnits::toPoints(display.x(), unit), PrintUnits::toPoints(display.y(), unit));
    if (PrintOptions::text(hagaki.value(PrintKey::HagakiType)) == PrintValue::HagakiTypeGeneral)
        points.ry() -= GeneralCardZipOffset;
    hagaki.insert(PrintKey::SenderZIPPositionForNenga, pointString(points));
}

QPointF senderZipOrigin(const QVariantMap &hagaki)
{
    const QString stored = PrintOptions::text(hagaki.value(PrintKey::SenderZIPPositionForNenga));
    auto point = parsePointString(stored);
    if (!point || *point == *parsePointString(PrintValue::LegacySenderZIPPosition))
        point = parsePointString(PrintValue::DefaultSenderZIPPosition);
    if (PrintOptions::text(hagaki.value(PrintKey::HagakiType)) == PrintValue::HagakiTypeGeneral)
        point->ry() += GeneralCardZipOffset;
    return *point;
}

KanjiNumerals kanjiNumerals(const QVariantMap &styleOptions)
{
    const QString value = PrintOptions::text(styleOptions.value(PrintKey::KanjiNumerals));
    if (value == PrintValue::KanjiNumeralsDigits)
        return KanjiNumerals::Digits;
    if (value == PrintValue::KanjiNumeralsPositional)
        return KanjiNumerals::Positional;
    return KanjiNumerals::Off;
}

void setKanjiNumerals(QVariantMap &styleOptions, KanjiNumerals choice)
{
    static const QString values[]
        = { PrintValue::Off, PrintValue::KanjiNumeralsDigits, PrintValue::KanjiNumeralsPositional };
    styleOptions.insert(PrintKey::KanjiNumerals, values[int(choice)]);
}

NumberHyphen numberHyphen(const QVariantMap &styleOptions)
{
    const QString value = PrintOptions::text(styleOptions.value(PrintKey::NumberHyphen));
    if (value == PrintValue::HyphenChouon)
        return NumberHyphen::Chouon;
    if (value == PrintValue::HyphenNo)
        return NumberHyphen::No;
    return NumberHyphen::Off;
}

void setNumberHyphen(QVariantMap &styleOptions, NumberHyphen choice)
{
    static const QString values[] = { PrintValue::Off, PrintValue::HyphenChouon, PrintValue::HyphenNo };
    styleOptions.insert(PrintKey::NumberHyphen, values[int(choice)]);
}

bool tateChuYoko(const QVariantMap &styleOptions)
{
    return PrintOptions::flag(styleOptions.value(PrintKey::TateChuYoko));
}

void setTateChuYoko(QVariantMap &styleOptions, bool on)
{
    styleOptions.insert(PrintKey::TateChuYoko, on);
}

QPointF printerOffset(const QVariantMap &styleOptions, const QString &paperName)
{
    const QVariantMap offsets = styleOptions.value(PrintKey::PrinterOffsets).toMap();
    const QVariantMap offset = offsets.value(paperName).toMap();
    return QPointF(bounded(PrintOptions::number(offset.value(PrintKey::OffsetX)), MaxPrinterOffset),
        bounded(PrintOptions::number(offset.value(PrintKey::OffsetY)), MaxPrinterOffset));
}

void setPrinterOffset(QVariantMap &styleOptions, const QString &paperName, const QPointF &millimeters)
{
    if (paperName.isEmpty())
        return;
    QVariantMap offsets = styleOptions.value(PrintKey::PrinterOffsets).toMap();
    const double x = std::isfinite(millimeters.x()) ? bounded(millimeters.x(), MaxPrinterOffset) : 0.0;
    const double y = std::isfinite(millimeters.y()) ? bounded(millimeters.y(), MaxPrinterOffset) : 0.0;
    if (x == 0.0 && y == 0.0)
        offsets.remove(paperName);
    else
        offsets.insert(paperName, QVariantMap { { PrintKey::OffsetX, x }, { PrintKey::OffsetY, y } });
    styleOptions.insert(PrintKey::PrinterOffsets, offsets);
}

QPointF printerOffsetInPoints(const QVariantMap &styleOptions, const QString &paperName)
{
    const QPointF mm = printerOffset(styleOptions, paperName);
    return QPointF(PrintUnits::millimetersToPoints(mm.x()), PrintUnits::millimetersToPoints(mm.y()));
}

} // namespace PrintChoices
