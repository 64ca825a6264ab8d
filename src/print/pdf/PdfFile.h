#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The objects of a PDF as a PDF writer lays them out: a header, numbered objects one after another, one
// cross-reference table and its trailer. Objects can be read and replaced; the file is written out again
// with a fresh cross-reference table. Only such simple files are taken: a file with object streams,
// incremental updates or a damaged table is refused, so that rewriting never corrupts one.
class PdfFile
{
public:
    // Nothing, with the reason in *error, for a file this class does not take.
    static std::optional<PdfFile> parse(const QByteArray &data, QString *error = nullptr);

    QList<int> objectNumbers() const;
    bool contains(int number) const { return m_objects.contains(number); }
    // The object's text from "N 0 obj" up to and including "endobj".
    QByteArray object(int number) const;
    // The object's dictionary (the text between its outermost "<<" and ">>"), or "" when it has none.
    QByteArray dictionary(int number) const;
    // The stream's bytes as stored (still filtered), or nothing when the object has no stream.
    std::optional<QByteArray> streamData(int number) const;

    // Replaces an object by a dictionary with a stream of `data`; /Length is set here.
    void replaceStream(int number, const QByteArray &dictionaryEntries, const QByteArray &data);

    // The whole file with every replacement in place.
    QByteArray write() const;

    // The value after `/key` in a dictionary: a name, a number, a reference "n 0 R", an array, as text.
    static QByteArray value(const QByteArray &dictionary, const QByteArray &key);
    // The object number of a reference value "n 0 R", or -1.
    static int reference(const QByteArray &value);

private:
    struct Span
    {
        qsizetype start = 0;
        qsizetype end = 0; // one past "endobj" and the line end after it
    };

    QByteArray m_data;
    QHash<int, Span> m_objects;
    QHash<int, QByteArray> m_replaced;
    qsizetype m_xrefStart = 0;
    QByteArray m_trailer; // "trailer" ... up to "startxref", as it was
};
