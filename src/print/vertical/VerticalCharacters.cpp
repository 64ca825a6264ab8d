#include "print/vertical/VerticalCharacters.h"

#include <algorithm>
#include <array>

namespace VerticalCharacters {

bool isJapanese(char32_t c)
{
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3200 && c <= 0x32FF)
        || (c >= 0x3300 && c <= 0x34FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2F7FF);
}

bool isSmallKana(char32_t c)
{
    static constexpr std::array<char16_t, 18> smallKana { u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ッ', u'ャ',
        u'ュ', u'ョ', u'ぁ', u'ぃ', u'ぅ', u'ぇ', u'ぉ', u'っ', u'ゃ', u'ゅ', u'ょ' };
    return c <= 0xFFFF && std::find(smallKana.begin(), smallKana.end(), char16_t(c)) != smallKana.end();
}

bool isDash(char32_t c)
{
    return c == 0x2010 || c == 0x2011 || c == 0x2015 || c == 0x30FC;
}

bool isHalfWidthKatakana(char32_t c)
{
    return c >= 0xFF61 && c <= 0xFFD1;
}

bool isFullWidthForm(char32_t c)
{
    return c >= 0xFF02 && c <= 0xFF5F;
}

bool isCornerPunctuation(char32_t c)
{
    return c == 0x3001 || c == 0x3002 || c == 0xFF0C || c == 0xFF0E;
}

bool isTurnedPunctuation(char32_t c)
{
    if (c >= 0x3008 && c <= 0x3011) // 〈〉《》「」『』【】
        return true;
    if (c >= 0x3014 && c <= 0x301B) // 〔〕〖〗〘〙〚〛
        return true;
    switch (c) {
    case 0x2025: // ‥
    case 0x2026: // …
    case 0x301C: // 〜
    case 0xFF08: // （
    case 0xFF09: // ）
    case 0xFF0D: // －
    case 0xFF1A: // ：
    case 0xFF1B: // ；
    case 0xFF1C: // ＜
    case 0xFF1D: // ＝
    case 0xFF1E: // ＞
    case 0xFF3B: // ［
    case 0xFF3D: // ］
    case 0xFF5B: // ｛
    case 0xFF5D: // ｝
    case 0xFF5E: // ～
        return true;
    default:
        return false;
    }
}

bool isDigit(char32_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= 0xFF10 && c <= 0xFF19);
}

VerticalGlyphKind classify(char32_t c)
{
    // A long mark drawn upright would lie across the column; it turns like Latin text but keeps
    // its full em.
    if (isDash(c))
        return VerticalGlyphKind::LongMark;
    if (isSmallKana(c))
        return VerticalGlyphKind::SmallKana;
    if (c < 256 || c == 0xFF70)
        return VerticalGlyphKind::Sideways;
    if (isHalfWidthKatakana(c))
        return VerticalGlyphKind::HalfWidth;
    if (isCornerPunctuation(c))
        return VerticalGlyphKind::Punctuation;
    if (isTurnedPunctuation(c))
        return VerticalGlyphKind::Bracket;
    if (isFullWidthForm(c) || isJapanese(c))
        return VerticalGlyphKind::Upright;
    return VerticalGlyphKind::Sideways;
}

char32_t firstCodePoint(QStringView text)
{
    if (text.isEmpty())
        return 0;
    if (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[0], text[1]);
    return text[0].unicode();
}

} // namespace VerticalCharacters
