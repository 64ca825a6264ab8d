#include "cli/LargePages.h"

#include <QtGlobal>
#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace LargePages {

namespace {

constexpr const char *Variable = "GLIBC_TUNABLES";
constexpr QByteArrayView Setting = "glibc.malloc.hugetlb";

} // namespace

bool helps(const QString &subcommand)
{
    for (const QString &word : { u"convert"_s, u"dump"_s, u"find"_s, u"replace"_s, u"table"_s, u"print"_s }) {
        if (subcommand == word)
            return true;
    }
    return false;
}

std::optional<QByteArray> tunablesWith(const QByteArray &current)
{
    if (current.contains(Setting))
        return std::nullopt;
    const QByteArray setting = Setting.toByteArray() + "=1";
    return current.isEmpty() ? setting : current + ':' + setting;
}

void restart(char **argv)
{
    const bool had = qEnvironmentVariableIsSet(Variable);
    const QByteArray current = qgetenv(Variable);
    const std::optional<QByteArray> tunables = tunablesWith(current);
    if (!tunables || !argv || !argv[0])
        return;
    // The program's file by its path: under a tool that runs it (a profiler), /proc/self/exe itself
    // may be the tool, while reading the link gives the program.
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0 || length >= ssize_t(sizeof path - 1))
        return;
    path[length] = '\0';
    if (::setenv(Variable, tunables->constData(), 1) != 0)
        return;
    ::execv(path, argv);
    // Not restarted: run as it is, in the environment it was given.
    if (had)
        ::setenv(Variable, current.constData(), 1);
    else
        ::unsetenv(Variable);
}

} // namespace LargePages
