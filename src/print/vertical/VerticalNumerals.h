#pragma once

#include <QString>
#include <QStringView>

// Optional rewriting of numbers for vertical addresses, applied to the text before layout:
// digits as kanji numerals, hyphens between numbers as a long mark or "の", Latin letters as their
// full-width forms so that they stand upright. Setting short numbers upright in one cell
// (tate-chu-yoko) is a layout rule; this file only says where such a number is.
namespace VerticalNumerals {

enum class NumeralStyle {
    Arabic, // leave digits alone
    KanjiDigits, // one kanji per digit: 103 -> 一〇三
    KanjiPositional // with place words: 103 -> 百三
};

enum class NumberHyphen {
    Keep,
    LongMark, // 1-2 -> 1ー2
    No // 1-2 -> 1の2
};

struct Options
{
    NumeralStyle numerals = NumeralStyle::Arabic;
    NumberHyphen hyphen = NumberHyphen::Keep;
    bool uprightLetters = false; // 25F -> 25Ｆ
};

// Numbers of at most this many digits are set upright in one cell.
inline constexpr qsizetype MaxUprightDigits = 3;

// `digits` holds ASCII or full-width digits only.
QString kanjiDigits(QStringView digits);
// Falls back to one kanji per digit for a number with a leading zero or of more than 12 digits,
// where place words would change what the number says.
QString kanjiPositional(QStringView digits);

QString transform(const QString &text, const Options &options);

// The length of the number starting at `pos` when it has at most MaxUprightDigits digits and no digit
// before it; 0 otherwise.
qsizetype uprightNumberAt(QStringView text, qsizetype pos);

} // namespace VerticalNumerals
