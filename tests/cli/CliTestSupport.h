#pragma once

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Runs subcommands as functions over in-memory streams, with settings of their own.
namespace CliTestSupport {

struct Run
{
    int status = -1;
    QString out;
    QString err;
    QByteArray outBytes;

    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

// arguments[0] is the subcommand; input is what standard input gives.
inline Run run(const QStringList &arguments, const QByteArray &input = QByteArray())
{
    BufferIo io(input);
    Run result;
    result.status = CommandLine::run(arguments, io);
    result.outBytes = io.outBytes();
    result.out = QString::fromUtf8(result.outBytes);
    result.err = io.errText();
    return result;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return file.fileName();
}

// A file past the reader's size limit, without writing it: only its size is looked at.
inline QString sparseFile(const QTemporaryDir &dir, const QString &name, qint64 size)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        return QString();
    return file.fileName();
}

} // namespace CliTestSupport
