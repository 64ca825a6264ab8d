#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

// How the contact table is ordered: one key (a field identifier or one of SortKey's part keys) and a
// direction. Texts are always compared by the user's locale, ignoring case.
struct SortDescriptor
{
    QString key;
    bool ascending = true;

    friend bool operator==(const SortDescriptor &, const SortDescriptor &) = default;

    // The stored form: "key" and "ascending".
    QVariantMap toVariantMap() const;
    // Nothing when the value is not a dictionary with a non-empty text under "key".
    static std::optional<SortDescriptor> fromVariant(const QVariant &value);
};
