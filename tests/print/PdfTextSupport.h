#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// Reads a PDF's text back the way a reader would, with poppler's pdftotext; tests that need it skip
// when it is not installed.
namespace PdfTextSupport {

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of `pdf`, or nothing when pdftotext fails. `arguments` go before the file names ("-raw",
// "-bbox" ...).
inline std::optional<QString> pdfToText(const QByteArray &pdf, const QStringList &arguments = {})
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return std::nullopt;
    const QString in = dir.filePath(QStringLiteral("in.pdf"));
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return std::nullopt;
    file.close();
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
        arguments + QStringList { QStringLiteral("-enc"), QStringLiteral("UTF-8"), in, QStringLiteral("-") });
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word
{
    QString text;
    QRectF box; // points, origin top left
};

// The words of a page with their boxes (pdftotext -bbox), every page in order.
inline QList<Word> words(const QByteArray &pdf)
{
    QList<Word> result;
    const std::optional<QString> html = pdfToText(pdf, { QStringLiteral("-bbox") });
    if (!html)
        return result;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(*html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        result.append({ text,
            QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())) });
    }
    return result;
}

// Characters from the blocks of radicals that stand in for common ideographs when a PDF's text map
// is built from a font's character map: ⼀ for 一, ⼭ for 山, ⻄ for 西 ...
inline QString radicalsIn(const QString &text)
{
    QString found;
    for (QChar c : text) {
        if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
            found += c;
    }
    return found;
}

} // namespace PdfTextSupport
