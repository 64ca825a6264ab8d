#pragma once

#include <QIcon>
#include <QString>

// The toolbar's line icons (resources/icons/<name>.svg), drawn in the palette's text colour so they
// read on light and dark backgrounds alike.
namespace WindowIcons {

// The drawings use this colour for every line; it is replaced when the icon is made.
inline const QString InkColour = QStringLiteral("#202020");

QIcon icon(const QString &name);

} // namespace WindowIcons
