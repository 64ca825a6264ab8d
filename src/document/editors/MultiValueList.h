#pragma once

#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class ZRPerson;

// One column of the list editor: the entry key it edits and its title.
struct MultiValueColumn
{
    QString key;
    const char *title; // English source, translated in the "MultiValueList" context where shown
    bool isLabel = false; // a pop-up of the field's labels (for social profiles: the service)
};

// The list a multi-value editor edits: a copy of a labelled field's entries, changed row by row and
// handed back whole. Rows are entries (dictionaries keyed as in the record); new rows are numbered by
// the record when the list replaces the field.
class MultiValueList
{
public:
    MultiValueList(const QString &identifier, const QVariantList &entries);
    static MultiValueList fromRecord(ZRPerson &person, const QString &identifier);

    const QString &identifier() const { return m_identifier; }
    int count() const { return int(m_entries.size()); }
    const QVariantMap &entry(int row) const { return m_entries.at(row); }
    QString text(int row, const QString &key) const;

    // The columns the field shows, label first.
    static QList<MultiValueColumn> columnsForIdentifier(const QString &identifier);
    QList<MultiValueColumn> columns() const { return columnsForIdentifier(m_identifier); }
    // The labels the label column offers: the field's labels, then custom ones added here.
    const QStringList &labels() const { return m_labels; }
    // The chat services offered in the service column, as stored.
    static QStringList instantMessageServices();
    // The key a service name is translated by ("AIMInstant" for "AIM").
    static QString instantMessageServiceTitleKey(const QString &service);

    // Appends a row with the field's first label and an empty value; returns its row.
    int add();
    // Removes the rows (any order, duplicates ignored); true when one was removed.
    bool remove(QList<int> rows);
    bool canDelete() const { return !m_entries.isEmpty(); }
    // Sets one key of a row; true when it changed.
    bool setText(int row, const QString &key, const QString &text);
    bool setLabel(int row, const QString &label);
    // A label typed by the user: appended to the offered labels (and the field's custom labels) and
    // given to the row; for social profiles it is the profile's service name.
    bool setCustomLabel(int row, const QString &label);

    bool changed() const { return m_changed; }
    // The edited entries, each derived again from what was typed.
    QVariantList result() const;

private:
    QString labelKey() const;

    QString m_identifier;
    QList<QVariantMap> m_entries;
    QStringList m_labels;
    bool m_changed = false;
};
