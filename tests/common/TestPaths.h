#pragma once

#include <QDir>
#include <QString>

// Where the fixtures of the tests live; the shared corpus may be absent, and tests that need it skip.
namespace TestPaths {

inline QString data(const QString &name = QString())
{
    return QDir(QStringLiteral(CORVANTHE_TEST_DATA)).filePath(name);
}

inline QString shared(const QString &name = QString())
{
    return QDir::cleanPath(QDir(QStringLiteral(CORVANTHE_SHARED_DIR)).filePath(name));
}

inline bool haveShared(const QString &name)
{
    return QFileInfo::exists(shared(name));
}

} // namespace TestPaths
