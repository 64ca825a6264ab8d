#include "print/PrintOptionPaths.h"

#include "print/PrintChoices.h"
#include "print/PrintOptionEdits.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// What a value is, judged by its default (or, for a key the defaults lack, by what is stored).
enum class Kind { Flag, Integer, Number, Point, Text, TextList, ItemTable, Records, Dictionary, Unknown };

bool isDictionary(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QVariantMap || id == QMetaType::QVariantHash;
}

bool isList(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QVariantList || id == QMetaType::QStringList;
}

const QStringList &flagWordsOn()
{
    static const QStringList words { u"yes"_s, u"true"_s, u"on"_s, u"1"_s };
    return words;
}

const QStringList &flagWordsOff()
{
    static const QStringList words { u"no"_s, u"false"_s, u"off"_s, u"0"_s };
    return words;
}

bool isWholeNumberText(const QString &text)
{
    static const QRegularExpression number(u"^\\s*[+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?\\s*$"_s);
    return number.match(text).hasMatch();
}

bool isPointText(const QString &text)
{
    static const QRegularExpression point(u"^\\s*[({]\\s*[+-]?[\\d.]+\\s*,\\s*[+-]?[\\d.]+\\s*[)}]\\s*$"_s);
    return point.match(text).hasMatch();
}

Kind kindOf(const QString &key, const QVariant &model)
{
    if (key == PrintKey::ItemTable)
        return Kind::ItemTable;
    if (isDictionary(model))
        return Kind::Dictionary;
    if (isList(model)) {
        for (const QVariant &item : model.toList()) {
            if (item.metaType().id() != QMetaType::QString)
                return Kind::Records;
        }
        return Kind::TextList;
    }
    switch (model.metaType().id()) {
    case QMetaType::Bool:
        return Kind::Flag;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Number;
    case QMetaType::QString: {
        // Settings files keep every value as text; lengths are written as numbers in text.
        const QString text = model.toString().trimmed().toLower();
        if (text == u"true"_s || text == u"false"_s)
            return Kind::Flag;
        if (isWholeNumberText(text))
            return Kind::Number;
        // A position written as a point string, "(15.59, 348.66)".
        return isPointText(text) ? Kind::Point : Kind::Text;
    }
    default:
        return model.isValid() ? Kind::Text : Kind::Unknown;
    }
}

struct Choices
{
    QStringList values;
    bool open = false;
};

// The values of the keys that take one of a few words, by the key's own name: the same key means the
// same in every style.
Choices choicesFor(const QString &key, Kind kind, const QVariantMap &options)
{
    if (kind == Kind::Flag)
        return { { u"yes"_s, u"no"_s } };
    if (kind == Kind::ItemTable)
        return { PrintOptionEdits::addressListItemTitles(options), false };
    if (kind != Kind::Text)
        return {};
    if (key == PrintKey::HagakiType)
        return { { PrintValue::HagakiTypeNenga, PrintValue::HagakiTypeGeneral, PrintValue::HagakiTypeNone } };
    if (key == PrintKey::TextDirection)
        return { { PrintValue::DirectionLeftRight, PrintValue::DirectionUpDown } };
    if (key == PrintKey::KanjiNumerals)
        return { { PrintValue::Off, PrintValue::KanjiNumeralsDigits, PrintValue::KanjiNumeralsPositional } };
    if (key == PrintKey::NumberHyphen)
        return { { PrintValue::Off, PrintValue::HyphenChouon, PrintValue::HyphenNo } };
    if (key == PrintKey::UnitType)
        return { { PrintValue::UnitPoints } };
    if (key == PrintKey::PrintStyle)
        return { PrintOptionsStore::printStyles() };
    if (key == PrintKey::AddressFormat)
        return { { PrintValue::LanguageJapanese, PrintValue::LanguageEnglish } };
    if (key == PrintKey::SelectedPreset)
        return { PrintOptionEdits::labelPresetNames(options), true };
    if (key == PrintKey::Keishou)
        return { PrintChoices::keishouChoices(), true };
    return {};
}

QString valueText(Kind kind, const QVariant &value)
{
    switch (kind) {
    case Kind::Flag:
        return PrintOptions::flag(value) ? u"yes"_s : u"no"_s;
    case Kind::Integer:
        return QString::number(PrintOptions::integer(value));
    case Kind::Number:
        return QString::number(PrintOptions::number(value));
    case Kind::TextList:
        return value.toStringList().join(u',');
    case Kind::Records: {
        QStringList names;
        for (const QVariant &record : value.toList()) {
            const QVariantMap map = record.toMap();
            names.append(PrintOptions::text(map.value(PrintKey::PresetName, map.value(PrintKey::ItemTitle))));
        }
        return names.join(u", "_s);
    }
    case Kind::Dictionary:
        return u"{}"_s;
    default:
        return PrintOptions::text(value);
    }
}

// The kinds of values merged from the defaults and the options, leaves only, in key order.
void collect(const QVariantMap &options, const QVariantMap &defaults, const QStringList &prefix,
    const QVariantMap &all, QList<PrintOptionPaths::Entry> &entries)
{
    QStringList keys = defaults.keys();
    for (const QString &key : options.keys()) {
        if (!defaults.contains(key))
            keys.append(key);
    }
    keys.sort();
    for (const QString &key : keys) {
        const QVariant stored = options.value(key);
        const QVariant model = defaults.contains(key) ? defaults.value(key) : stored;
        const QStringList path = prefix + QStringList { key };
        const Kind kind = kindOf(key, model);
        if (kind == Kind::Dictionary) {
            const QVariantMap storedMap = isDictionary(stored) ? stored.toMap() : QVariantMap();
            const QVariantMap defaultMap = model.toMap();
            if (storedMap.isEmpty() && defaultMap.isEmpty()) {
                entries.append(
                    { path.join(PrintOptionPaths::Separator), valueText(kind, stored), {}, false, false });
                continue;
            }
            collect(storedMap, defaultMap, path, all, entries);
            continue;
        }
        PrintOptionPaths::Entry entry;
        entry.path = path.join(PrintOptionPaths::Separator);
        const QVariant shown = options.contains(key) ? stored : model;
        entry.value = kind == Kind::ItemTable ? PrintOptionEdits::addressListItems(all).join(u',')
                                              : valueText(kind, shown);
        const Choices choices = choicesFor(key, kind, all);
        entry.choices = choices.values;
        entry.openChoices = choices.open;
        entry.settable = kind != Kind::Records;
        entries.append(entry);
    }
}

QString translated(const char *source)
{
    return QCoreApplication::translate("PrintOptions", source);
}

} // namespace

PrintOptionPaths::PrintOptionPaths(const QString &language, const PrintOptions::FontDefaults &fonts)
    : m_language(language)
    , m_fonts(fonts)
    , m_defaults(PrintOptions::initPrintOptions(language, fonts))
{
}

QList<PrintOptionPaths::Entry> PrintOptionPaths::entries(const QVariantMap &options) const
{
    QList<Entry> entries;
    collect(options, m_defaults, {}, options, entries);
    return entries;
}

QVariant PrintOptionPaths::valueAt(const QVariantMap &options, const QStringList &keys)
{
    QVariant value = options;
    for (const QString &key : keys) {
        if (!isDictionary(value))
            return QVariant();
        const QVariantMap map = value.toMap();
        if (!map.contains(key))
            return QVariant();
        value = map.value(key);
    }
    return value;
}

void PrintOptionPaths::setValueAt(QVariantMap &options, const QStringList &keys, const QVariant &value)
{
    if (keys.isEmpty())
        return;
    if (keys.size() == 1) {
        options.insert(keys.first(), value);
        return;
    }
    QVariantMap child = options.value(keys.first()).toMap();
    setValueAt(child, keys.mid(1), value);
    options.insert(keys.first(), child);
}

QString PrintOptionPaths::set(QVariantMap &options, const QString &path, const QString &text) const
{
    const QString name = path.trimmed();
    const QStringList keys = name.split(Separator);
    const QVariant fromDefaults = valueAt(m_defaults, keys);
    const QVariant model = fromDefaults.isValid() ? fromDefaults : valueAt(options, keys);
    const Kind kind = name.isEmpty() ? Kind::Unknown : kindOf(keys.last(), model);
    if (kind == Kind::Unknown)
        return QCoreApplication::translate("PrintOptions", "unknown print option “%1”").arg(name);
    if (kind == Kind::Dictionary) {
        const QStringList inside = model.toMap().keys();
        return QCoreApplication::translate(
            "PrintOptions", "%1 is a group of print options; name one of them, such as %1.%2")
            .arg(name, inside.value(0, u"…"_s));
    }
    if (kind == Kind::Records)
        return QCoreApplication::translate("PrintOptions", "%1 is a table that can't be set as one value")
            .arg(name);

    QVariantMap edited = options;
    const QString value = text.trimmed();
    const auto badValue = [&](const QString &expected) {
        return QCoreApplication::translate("PrintOptions", "“%1” is not a value of %2; it takes %3")
            .arg(text, name, expected);
    };
    const Choices choices = choicesFor(keys.last(), kind, options);
    switch (kind) {
    case Kind::Flag:
        if (flagWordsOn().contains(value, Qt::CaseInsensitive))
            setValueAt(edited, keys, true);
        else if (flagWordsOff().contains(value, Qt::CaseInsensitive))
            setValueAt(edited, keys, false);
        else
            return badValue(translated(QT_TRANSLATE_NOOP("PrintOptions", "yes or no")));
        break;
    case Kind::Integer: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return badValue(translated(QT_TRANSLATE_NOOP("PrintOptions", "a whole number")));
        setValueAt(edited, keys, int(number));
        break;
    }
    case Kind::Number: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return badValue(translated(QT_TRANSLATE_NOOP("PrintOptions", "a number")));
        setValueAt(edited, keys, number);
        break;
    }
    case Kind::Point: {
        // Either notation reads alike; the text is kept as given.
        if (!isPointText(value) || !PrintChoices::parsePointString(value))
            return badValue(translated(QT_TRANSLATE_NOOP("PrintOptions", "a point, e.g. {15.59, 348.66}")));
        setValueAt(edited, keys, value);
        break;
    }
    case Kind::Text: {
        QString chosen = value;
        if (!choices.values.isEmpty()) {
            qsizetype match = choices.values.indexOf(value);
            for (qsizetype i = 0; i < choices.values.size() && match < 0; ++i) {
                if (choices.values.at(i).compare(value, Qt::CaseInsensitive) == 0)
                    match = i;
            }
            if (match >= 0)
                chosen = choices.values.at(match);
            else if (!choices.open)
                return badValue(translated(QT_TRANSLATE_NOOP("PrintOptions", "one of: %1"))
                                    .arg(choices.values.join(u", "_s)));
        }
        setValueAt(edited, keys, chosen);
        break;
    }
    case Kind::TextList: {
        QVariantList items;
        for (const QString &item : value.split(u',', Qt::SkipEmptyParts)) {
            if (!item.trimmed().isEmpty())
                items.append(item.trimmed());
        }
        setValueAt(edited, keys, items);
        break;
    }
    case Kind::ItemTable: {
        const QString error = PrintOptionEdits::setAddressListItems(edited, value.split(u','));
        if (!error.isEmpty())
            return error;
        break;
    }
    default:
        break;
    }

    // The value must survive what loading stored options does to them, or it would not be the value
    // printed with.
    bool replaced = false;
    bool repaired = false;
    const QVariantMap checked
        = PrintOptions::repairedPrintOptions(edited, m_language, m_fonts, &replaced, &repaired);
    if (replaced || (repaired && valueAt(checked, keys) != valueAt(edited, keys)))
        return QCoreApplication::translate("PrintOptions", "“%1” is not a value %2 can keep").arg(text, name);
    options = edited;
    return QString();
}

QString PrintOptionPaths::assign(QVariantMap &options, const QString &assignment) const
{
    const qsizetype equals = assignment.indexOf(u'=');
    if (equals <= 0)
        return QCoreApplication::translate("PrintOptions", "“%1” is not KEY=VALUE").arg(assignment);
    return set(options, assignment.left(equals), assignment.mid(equals + 1));
}
