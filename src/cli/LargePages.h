#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A command that reads a large contact file makes millions of small allocations, and the pages the
// allocator takes fresh from the system cost it more in faults than the reading itself. The C
// library backs its heap with large pages when asked before the process starts, which cuts those
// faults to a third; that request is a setting of the environment, so the command is started again
// with it, once.
namespace LargePages {

// Whether the subcommand reads contact files whole (convert, dump, find...): those gain; a quick
// command does not pay for starting twice.
bool helps(const QString &subcommand);

// The environment's allocator settings with large pages asked for; nothing when they already say
// something of large pages (the user's own choice, or this process after its restart).
std::optional<QByteArray> tunablesWith(const QByteArray &current);

// Starts this program again with argv and large pages; returns only when it could not, the
// environment then as it was.
void restart(char **argv);

} // namespace LargePages
