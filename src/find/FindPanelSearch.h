#pragma once

#include "find/FindPanel.h"
#include "model/Identifiers.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>

class ZRPerson;

// One search of the find panel made ready once for every contact it runs over: the pattern
// compiled and the item, sub-item and label filters resolved to the fields and parts they reach.
class FindPanelSearch
{
public:
    FindPanelSearch(const QString &search, FindPanel::Mode mode,
        const QStringList &items = { LabelText::All }, const QStringList &subItems = { LabelText::All },
        const QStringList &labels = { LabelText::All });

    // Empty unless the pattern is an invalid regular expression.
    const QString &errorString() const { return m_error; }
    // Every range of the search in text; none for an empty search or an invalid pattern.
    QList<FindRange> ranges(const QString &text) const;
    // Appends one row per field value of the contact that holds the search.
    void searchContact(const ContactEntryPtr &contact, QList<FindResultRowPtr> &rows) const;

    // A noncharacter, so that no text searched for runs from one value into the next.
    static constexpr char16_t TextSeparator = 0xFFFF;
    // Appends every value searchContact looks in, each followed by TextSeparator, whatever the search
    // text: a contact whose texts do not hold a plain search cannot give a row.
    void appendTexts(const ContactEntry &contact, std::u16string &out) const;

private:
    enum class Kind { Name, PhoneticName, Address, AddressPart, InstantMessage, Labeled, Dictionary, String };
    struct Field
    {
        QString item;
        Kind kind;
        QStringList parts; // the name or address parts the sub-item filter lets through
        qsizetype slot = -1; // a string field's place in m_stringKeys
    };

    template <typename Visit> void visitValues(ZRPerson &person, Visit &&visit) const;
    bool allowsLabel(const QString &label) const { return m_allLabels || m_labels.contains(label); }
    bool allowsSubItem(const QString &subItem) const { return m_allSubItems || m_subItems.contains(subItem); }

    QString m_search;
    FindPanel::Mode m_mode;
    Qt::CaseSensitivity m_cs;
    QRegularExpression m_regex;
    QString m_error;
    QStringList m_subItems;
    QStringList m_labels;
    bool m_allSubItems;
    bool m_allLabels;
    QList<Field> m_fields;
    QList<const QString *> m_stringKeys; // every string field, read in one walk per contact
};
