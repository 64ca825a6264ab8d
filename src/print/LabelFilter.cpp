#include "print/LabelFilter.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "print/PrintOptionKeys.h"

LabelFilter::LabelFilter(const QStringList &modelLabels, const QStringList &selectedLabels)
{
    const QStringList fixed { PrintValue::FilterTitle, LabelText::All, LabelName::Home, LabelName::Work,
        LabelName::Other };
    for (const QString &title : fixed)
        m_items.append(Item { title, false });
    QStringList seen = fixed.mid(AllIndex);
    for (const QString &label : modelLabels) {
        if (label.isEmpty() || seen.contains(label))
            continue;
        seen.append(label);
        m_items.append(Item { label, false });
    }

    bool any = false;
    if (!selectedLabels.contains(LabelText::All)) {
        for (qsizetype i = AllIndex + 1; i < m_items.size(); ++i) {
            m_items[i].marked = selectedLabels.contains(m_items.at(i).title);
            any = any || m_items.at(i).marked;
        }
    }
    if (!any)
        markAllAlone();
}

QStringList LabelFilter::titles() const
{
    QStringList result;
    for (const Item &item : m_items)
        result.append(item.title);
    return result;
}

void LabelFilter::choose(int index)
{
    if (index <= HeadingIndex || index >= m_items.size())
        return;
    if (index == AllIndex) {
        markAllAlone();
        return;
    }
    m_items[index].marked = !m_items.at(index).marked;
    m_items[AllIndex].marked = false;
    for (qsizetype i = AllIndex + 1; i < m_items.size(); ++i) {
        if (m_items.at(i).marked)
            return;
    }
    markAllAlone();
}

void LabelFilter::chooseTitle(const QString &title)
{
    for (qsizetype i = AllIndex; i < m_items.size(); ++i) {
        if (m_items.at(i).title == title) {
            choose(int(i));
            return;
        }
    }
}

QStringList LabelFilter::selectedLabels() const
{
    QStringList labels;
    for (qsizetype i = AllIndex + 1; i < m_items.size(); ++i) {
        if (m_items.at(i).marked)
            labels.append(m_items.at(i).title);
    }
    return labels.isEmpty() ? QStringList { LabelText::All } : labels;
}

bool LabelFilter::passes(const QStringList &selectedLabels, const QString &label)
{
    return selectedLabels.isEmpty() || selectedLabels.contains(LabelText::All)
        || selectedLabels.contains(label);
}

void LabelFilter::markAllAlone()
{
    for (Item &item : m_items)
        item.marked = false;
    m_items[AllIndex].marked = true;
}
