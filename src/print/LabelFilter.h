#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The address list's label filter: a menu of labels with marks. "All" stands alone; marking any other
// label unmarks it, and unmarking the last label brings it back.
class LabelFilter
{
public:
    struct Item
    {
        QString title;
        bool marked = false;
    };

    // The menu for the labels the contact model knows (every label of every labelled field, in order;
    // duplicates and the fixed items are skipped), with the marks of a stored "selectedLabels".
    explicit LabelFilter(const QStringList &modelLabels, const QStringList &selectedLabels = {});

    // The menu titles: "Label" (a heading), "All", "home", "work", "other", then the model's labels.
    QStringList titles() const;
    const QList<Item> &items() const { return m_items; }

    // Chooses a menu item: "All" marks it alone, any other label toggles. The heading does nothing.
    void choose(int index);
    void chooseTitle(const QString &title);

    // What "selectedLabels" stores: the marked labels, or ["All"].
    QStringList selectedLabels() const;

    // True when a value with this label prints under the stored filter (empty means "All").
    static bool passes(const QStringList &selectedLabels, const QString &label);

private:
    static constexpr int HeadingIndex = 0;
    static constexpr int AllIndex = 1;

    void markAllAlone();

    QList<Item> m_items;
};
