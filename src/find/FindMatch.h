#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QString>
#include <limits>
#include <optional>

// Ranges count UTF-16 code units; a location of NotFound means "no range".
struct FindRange
{
    static constexpr qsizetype NotFound = std::numeric_limits<qsizetype>::max();
    qsizetype location = NotFound;
    qsizetype length = 0;

    bool found() const { return location != NotFound; }
    qsizetype end() const { return location + length; }
    friend bool operator==(const FindRange &, const FindRange &) = default;
};

// The window's selected item and range: one match, or the place the next search starts from.
struct FindMatch
{
    ContactEntryPtr contact; // the table row (or the panel's contact) holding the match
    QString uniqueId;
    QString identifier; // the column / field
    QString subIdentifier; // the part of a composite cell; empty otherwise
    qsizetype labelIndex = FindRange::NotFound;
    FindRange range; // in the cell's displayed text
    std::optional<FindRange> itemRange; // inside the part named by subIdentifier
};

// The vocabulary between the find bar and the controller.
namespace FindAction {

inline const QString Previous = QStringLiteral("Previous");
inline const QString Next = QStringLiteral("Next");
inline const QString Replace = QStringLiteral("Replace");
inline const QString ReplaceAll = QStringLiteral("ReplaceAll");
inline const QString Done = QStringLiteral("Done");
inline const QString OptionChanged = QStringLiteral("OptionChanged");

} // namespace FindAction

namespace FindOption {

inline const QString CaseInsensitive = QStringLiteral("caseInsensitive");
inline const QString CaseSensitive = QStringLiteral("caseSensitive");
// The options pop-up item that keeps matching case-insensitive.
inline constexpr auto CaseInsensitiveTitle = TranslatableText("FindOption", "Case Insensitive");

} // namespace FindOption
