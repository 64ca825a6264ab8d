#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class CommandIo;
class QIODevice;

// Where a subcommand writes its result: a file, written atomically (it is the whole result or stays as
// it was), or standard output for "-".
class OutputTarget
{
public:
    OutputTarget(const QString &path, CommandIo &io);

    bool isStandardOutput() const { return m_standard; }
    // The name messages give it: the file's name, or "standard output".
    QString displayName() const;

    // false: the file can't be written; errorString() says why.
    bool open();
    QIODevice *device();
    // Makes what was written the file's content; false when that failed.
    bool commit();
    // Leaves the file as it was.
    void cancel();
    QString errorString() const;

    // The message for a write that failed: "NAME: Can't save the file. ... (why)".
    QString failureMessage() const;

    // Opens, writes and commits; false after nothing was changed.
    bool write(const QByteArray &bytes);

private:
    CommandIo &m_io;
    QString m_path;
    bool m_standard;
    QSaveFile m_file;
};
