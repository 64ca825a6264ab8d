#include "document/editors/RenmeiList.h"

namespace {
const QString NewName = QStringLiteral("new");
}

RenmeiList::RenmeiList(const QString &storedText)
{
    if (!storedText.isEmpty())
        m_names = storedText.split(u'\n');
}

int RenmeiList::add(int selectedRow)
{
    const int row = selectedRow >= 0 && selectedRow < count() ? selectedRow + 1 : count();
    m_names.insert(row, NewName);
    m_changed = true;
    return row;
}

bool RenmeiList::remove(int row)
{
    if (row < 0 || row >= count())
        return false;
    m_names.removeAt(row);
    m_changed = true;
    return true;
}

bool RenmeiList::setName(int row, const QString &name)
{
    if (row < 0 || row >= count() || m_names.at(row) == name)
        return false;
    // A name is one line: a pasted line break would split it into two names once stored.
    QString oneLine = name;
    oneLine.replace(u'\n', u' ').replace(u'\r', u' ');
    m_names[row] = oneLine;
    m_changed = true;
    return true;
}

QVariantList RenmeiList::values() const
{
    QVariantList out;
    for (const QString &name : m_names)
        out << name;
    return out;
}

QString RenmeiList::joined(const QVariantList &values)
{
    QStringList names;
    for (const QVariant &value : values)
        names << value.toString();
    return names.join(u'\n');
}
