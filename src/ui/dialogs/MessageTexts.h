#pragma once

#include <QString>

// The libraries below the window keep their messages in English, as plain constants, so that the
// command line and the logs read the same everywhere. What reaches a person through a window is
// translated here: a known message, or one made from a known format (its arguments kept as they
// are), comes back in the user's language; anything else is shown as it came.
namespace MessageTexts {

QString translate(const QString &text);

// Every message this knows, with the source text its translation is looked up by. The two must
// stay equal: a message reworded below would silently lose its translation.
struct Entry
{
    const QString *constant;
    const char *source;
};
const Entry *entries(qsizetype *count);

} // namespace MessageTexts
