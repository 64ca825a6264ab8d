#pragma once

#include "print/PrintOptions.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Print options named by a dotted path of their keys ("keishou", "Hagaki.hagakiType",
// "Mailing Labels.labelWidth"), listed with their values and choices, and set from text the way the
// command line sets them. The keys are those of the options and of their defaults, and a value is
// taken only when the repair rules for stored options would keep it: a key added to the defaults is
// reachable here without a line of its own.
class PrintOptionPaths
{
public:
    inline static const QChar Separator = u'.';

    struct Entry
    {
        QString path;
        QString value; // as text, in the form set() takes
        QStringList choices; // the values it takes; empty when any text or number does
        bool openChoices = false; // the choices are suggestions: other text is taken too
        bool settable = true; // false: a table only its own editor changes (the label presets)
    };

    // language and fonts: what defaults are built for, as when stored options are repaired.
    PrintOptionPaths(const QString &language, const PrintOptions::FontDefaults &fonts);

    // Every value of the options and of the defaults, in key order; a sub-dictionary's values under
    // its path.
    QList<Entry> entries(const QVariantMap &options) const;

    // Sets the value at the path from text. Returns "" when it was set, else an error that names the
    // key (an unknown key, a group of keys) or the value (not of the key's kind, not one of its choices,
    // refused by the repair rules); the options are then unchanged.
    QString set(QVariantMap &options, const QString &path, const QString &text) const;
    // The same for "KEY=VALUE".
    QString assign(QVariantMap &options, const QString &assignment) const;

    static QVariant valueAt(const QVariantMap &options, const QStringList &keys);
    // Makes the sub-dictionaries on the way when they are missing.
    static void setValueAt(QVariantMap &options, const QStringList &keys, const QVariant &value);

private:
    QString m_language;
    PrintOptions::FontDefaults m_fonts;
    QVariantMap m_defaults;
};
