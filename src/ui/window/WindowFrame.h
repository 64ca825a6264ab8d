#pragma once

#include <QString>

class QWidget;
class UserDefaults;

// Where a document window sits, kept per document name so that each file reopens where it was left.
namespace WindowFrame {

inline constexpr int FirstRunWidth = 900;
inline constexpr int FirstRunHeight = 500;
// A window opened for the first time stands this far from the left and the top of the screen.
inline constexpr int FirstRunOffset = 100;

// "NSWindow Frame <name>"; an unnamed document uses "AddressBook".
QString frameKey(const QString &documentName);
bool hasSavedFrame(UserDefaults &defaults, const QString &documentName);
// The saved frame, or the first-run frame; false when the first-run frame was given.
bool restore(QWidget *window, UserDefaults &defaults, const QString &documentName);
void save(const QWidget *window, UserDefaults &defaults, const QString &documentName);

} // namespace WindowFrame
