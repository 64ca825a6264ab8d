#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// The joint names (printed beside the main name) as the joint-names editor edits them: one name a row.
// The record keeps them as one text, one name a line.
class RenmeiList
{
public:
    RenmeiList() = default;
    explicit RenmeiList(const QString &storedText);

    const QStringList &names() const { return m_names; }
    int count() const { return int(m_names.size()); }
    // Adds "new" after the selected row, or at the end when no row is selected; returns its row.
    int add(int selectedRow = -1);
    bool remove(int row);
    bool setName(int row, const QString &name);
    bool changed() const { return m_changed; }

    // What the editor hands back under "values".
    QVariantList values() const;
    // The stored text the values become.
    static QString joined(const QVariantList &values);

private:
    QStringList m_names;
    bool m_changed = false;
};
