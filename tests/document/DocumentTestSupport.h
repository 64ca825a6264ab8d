#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Small vCard files written on the spot, so each test shows the bytes it reads.
namespace DocumentTestSupport {

inline QString card(const QString &name, const QString &extra = QString())
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n").arg(name) + extra
        + QStringLiteral("END:VCARD\r\n");
}

// A card the parser rejects: more properties than one card may hold.
inline QString oversizedCard()
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Too Long\r\n")
        + QStringLiteral("NOTE:x\r\n").repeated(20001) + QStringLiteral("END:VCARD\r\n");
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace DocumentTestSupport
