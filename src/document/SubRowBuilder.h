#pragma once

#include "formats/ContactContainer.h"

#include <QSet>
#include <QStringList>
#include <vector>

// Makes the sub-rows of contacts for one choice of columns and labels. Which labelled fields the
// columns spread into rows and which labels count are settled once per table build, so that each
// contact only walks its stored values.
class SubRowBuilder
{
public:
    SubRowBuilder(const QStringList &identifiers, const QStringList &labels);

    // Appends the contact's sub-rows to rows: its first row, then, field by field, a row for each shown
    // value whose position lies past the contact's rows so far. Rows whose address is marked as the
    // sender's go into senders too, when given: the records are at hand here, and seldom after sorting.
    void append(const ContactEntryPtr &contact, ContactTable &rows,
        QSet<const ContactEntry *> *senders = nullptr) const;

private:
    struct Field
    {
        QString identifier;
        QSet<QString> *registeredLabels; // the labels already offered for the field
    };
    std::vector<Field> m_fields; // the labelled fields behind the columns, each once, in column order
    QSet<QString> m_labels;
    bool m_allLabels = false;
    mutable QStringList m_entryLabels; // room for one field's labels, kept from contact to contact
};
