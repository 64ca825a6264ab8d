#pragma once

#include <QtGlobal>

// Line breaks of vCard text in UTF-8 bytes, as the reader counts them when it finds cards and the
// properties it reads itself: LF, VT, FF, CR, NEL, LS and PS; CR LF is one break, a lone CR another.
namespace VCardLineBreaks {

// The length of the line break at position in UTF-8 text (LF, VT, FF, CR, NEL, LS, PS, as the
// text's own line breaks are counted), 0 when there is none; CR LF counts as one break.
inline qsizetype breakLength(const char *bytes, qsizetype size, qsizetype position)
{
    const auto c = static_cast<unsigned char>(bytes[position]);
    if (c >= 0x0A && c <= 0x0D)
        return c == 0x0D && position + 1 < size && bytes[position + 1] == '\n' ? 2 : 1;
    if (c == 0xC2)
        return position + 1 < size && static_cast<unsigned char>(bytes[position + 1]) == 0x85 ? 2 : 0;
    if (c == 0xE2 && position + 2 < size && static_cast<unsigned char>(bytes[position + 1]) == 0x80) {
        const auto d = static_cast<unsigned char>(bytes[position + 2]);
        return d == 0xA8 || d == 0xA9 ? 3 : 0;
    }
    return 0;
}

// The start of the line after the one position lies in (the text's end when there is none).
inline qsizetype nextLineStart(const char *bytes, qsizetype size, qsizetype position)
{
    while (position < size) {
        const auto c = static_cast<unsigned char>(bytes[position]);
        // Every break begins with one of these bytes; the others are skipped without a closer look.
        if ((c >= 0x0A && c <= 0x0D) || c == 0xC2 || c == 0xE2) {
            if (const qsizetype length = breakLength(bytes, size, position)) {
                // A lone CR ends a line on its own; CR LF is one break.
                return position + (c == 0x0D ? (length == 2 ? 2 : 1) : length);
            }
        }
        ++position;
    }
    return size;
}

inline bool atLineStart(const char *bytes, qsizetype position)
{
    if (position == 0)
        return true;
    const auto c = static_cast<unsigned char>(bytes[position - 1]);
    if (c >= 0x0A && c <= 0x0D)
        return true;
    if (c == 0x85 && position >= 2 && static_cast<unsigned char>(bytes[position - 2]) == 0xC2)
        return true;
    return (c == 0xA8 || c == 0xA9) && position >= 3
        && static_cast<unsigned char>(bytes[position - 3]) == 0xE2
        && static_cast<unsigned char>(bytes[position - 2]) == 0x80;
}

} // namespace VCardLineBreaks
