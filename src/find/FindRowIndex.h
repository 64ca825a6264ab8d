#pragma once

#include "find/FindEngine.h"
#include "find/SearchedTexts.h"

#include <QDeadlineTimer>
#include <memory>
#include <string>
#include <vector>

// One text per table row holding everything the table search could find in that row, laid end to
// end: a find that wraps through a large table without a match then reads one contiguous text
// instead of every record's scattered dictionaries, and searches cell by cell only the rows that
// hold the text somewhere. Rows are only ever ruled out, never found, so matches are the plain
// search's own. The index describes one table, one set of columns and one state of the document;
// isBuiltFor tells when any of them may have changed since it was built.
class FindRowIndex
{
public:
    // changeCount is the document's count of registered edits, undos and redos.
    bool isBuiltFor(const ContactTable &rows, const QStringList &columns, quint64 changeCount) const;
    void build(const ContactTable &rows, const QStringList &columns, quint64 changeCount);
    // The same build in steps, so that a window can go on answering while a large table's records
    // are read: startBuild, then buildSome until it returns true. A build that was started for
    // other rows, columns or changes is not finished; start it again.
    void startBuild(const ContactTable &rows, const QStringList &columns, quint64 changeCount);
    bool isBuildingFor(const ContactTable &rows, const QStringList &columns, quint64 changeCount) const;
    bool buildSome(const QDeadlineTimer &deadline);
    void clear();

    // Whether the index can stand in for a search of this text: not when the text holds the
    // separator, nor when it is matched without case and holds characters beyond the Basic
    // Multilingual Plane, whose case folding is not the same in each of Qt's search algorithms.
    static bool canFilter(const QString &needle, Qt::CaseSensitivity cs);
    // The rows that may hold the needle, for one search of the rows the index was built for; it
    // must not outlive the index.
    FindEngine::RowFilter filter(
        const QString &needle, Qt::CaseSensitivity cs, FindEngine::Direction direction) const;

    // The heap memory the index holds (its text and row starts; the shared row list not counted).
    qsizetype memoryBytes() const;

private:
    class Probe;
    qsizetype rowAt(qsizetype position) const;

    std::u16string m_text;
    std::vector<qsizetype> m_starts; // where each row's texts begin, and the end of the last
    size_t m_lastLength = 0;
    // What the index was built from. The row list is a shared copy: the table's list detaches from
    // it on any change (rebuilt, re-sorted, relabelled), so the check needs no signal.
    ContactTable m_rows;
    QStringList m_columns;
    quint64 m_changeCount = 0;
    int m_addressGeneration = 0;
    bool m_built = false;
    std::unique_ptr<const FindEngine::SearchedTexts> m_building; // set while a build is under way
};
