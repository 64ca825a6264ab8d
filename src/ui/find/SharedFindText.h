#pragma once

#include <QString>

// The one find text of the whole program: what Use Selection for Find and a committed search set, what
// every window's Find menu and find panel start from. It lives in the application (and so in the user
// defaults, across restarts); without an application object (a test's lone window) it stays in memory.
namespace SharedFindText {

QString text();
void setText(const QString &text);

} // namespace SharedFindText
