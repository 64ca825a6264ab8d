#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

struct VCardCard;

// The properties of a card that the document's reader reads itself rather than the vCard parser:
// CATEGORIES (the card's groups), X-RENMEI (joint names) and X-HAGAKILAYOUTS (postcard layouts).
struct VCardOwnProperties
{
    // The kinds a card may hold, as flags.
    enum Kind : unsigned { None = 0, Categories = 1, Renmei = 2, Layouts = 4 };

    QStringList categories; // names unescaped and trimmed, empty ones left out, in card order
    std::optional<QString> renmei; // the first X-RENMEI, unescaped; unset when it is empty
    QStringList layouts; // the layout strings: each non-empty line of the first X-HAGAKILAYOUTS

    // The kind of property the line starting at line names (in any case, after any group, with any
    // parameters); None for any other line. Looks at the property's name only, so that the reader
    // can ask it of every line it walks over while it looks for the card's end.
    static Kind kindOfLine(QByteArrayView line);
    // Reads the kinds asked for (flags) from the UTF-8 bytes of one card.
    static VCardOwnProperties read(QByteArrayView card, unsigned kinds);
    // The categories and joint names (as kinds asks) of one card the card reader has cut out, added
    // to what the cards before it gave; *renmeiSeen tells whether one of them had joint names. What
    // read() gives for the card's text, for a caller that has its cards from the reader already.
    void addFromCard(const VCardCard &card, unsigned kinds, bool *renmeiSeen);
};
