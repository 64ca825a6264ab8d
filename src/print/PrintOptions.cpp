#include "print/PrintOptions.h"

#include "model/Identifiers.h"
#include "print/LabelPreset.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace PrintOptions {

namespace {

bool isDictionary(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QVariantMap || id == QMetaType::QVariantHash;
}

bool isArray(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QVariantList || id == QMetaType::QStringList;
}

QVariantMap addressListDefaults()
{
    return QVariantMap { { PrintKey::PrintFrame, false }, { PrintKey::AlternatingRow, true },
        { PrintKey::ItemTable, defaultItemTable() },
        { PrintKey::SelectedLabels, QVariantList { LabelText::All } } };
}

// Labels and envelopes print the company line of a contact that has one: mail to a firm without its
// name goes astray.
constexpr bool PrintCompanyDefault = true;

QVariantMap mailingLabelDefaults(const QString &verticalFont)
{
    return QVariantMap { { PrintKey::LabelWidth, u"130"_s }, { PrintKey::LabelHeight, u"60"_s },
        { PrintKey::HGap, u"5"_s }, { PrintKey::VGap, u"5"_s }, { PrintKey::PrintCounty, false },
        { PrintKey::PrintFrame, true }, { PrintKey::DrawTextInVertical, false },
        { PrintKey::VerticalFontName, verticalFont }, { PrintKey::RepeatCount, 1 },
        { PrintKey::PresetArray, LabelPresets::defaultPresetArray() },
        { PrintKey::SelectedPreset, PrintValue::DefaultSelectedPreset },
        { PrintKey::PrintCompany, PrintCompanyDefault } };
}

// The address typesetting keys both vertical styles carry. In Japanese, numbers in vertical addresses are
// set as postcards are written by hand: kanji digits, a long bar for the hyphen, Latin letters upright,
// short numbers upright where digits stay; elsewhere addresses are set as typed.
void addTypesettingDefaults(QVariantMap &style, bool japanese)
{
    style.insert(PrintKey::KanjiNumerals, japanese ? PrintValue::KanjiNumeralsDigits : PrintValue::Off);
    style.insert(PrintKey::NumberHyphen, japanese ? PrintValue::HyphenChouon : PrintValue::Off);
    style.insert(PrintKey::TateChuYoko, japanese);
    style.insert(PrintKey::UprightLetters, japanese);
    style.insert(PrintKey::PrinterOffsets, QVariantMap());
}

QVariantMap envelopeDefaults(const QString &verticalFont, bool japanese)
{
    QVariantMap style { { PrintKey::PrintBorder, false }, { PrintKey::PrintCountry, false },
        { PrintKey::PrintZIP, false }, { PrintKey::DrawTextInVertical, false },
        { PrintKey::TextDirection, PrintValue::DirectionUpDown },
        { PrintKey::VerticalFontName, verticalFont }, { PrintKey::PrintCompany, PrintCompanyDefault } };
    addTypesettingDefaults(style, japanese);
    return style;
}

QVariantMap hagakiDefaults(const QString &verticalFont, bool japanese)
{
    QVariantMap style { { PrintKey::ShowBackground, true },
        { PrintKey::HagakiType, PrintValue::HagakiTypeNenga }, { PrintKey::PrintChildren, false },
        { PrintKey::HagakiAutoSenderPosition, false },
        { PrintKey::SenderZIPPositionForNenga, PrintValue::DefaultSenderZIPPosition },
        { PrintKey::FontName, verticalFont } };
    addTypesettingDefaults(style, japanese);
    return style;
}

// A flag as the settings or a hand-edited file may store it: a boolean, a number, or a word.
bool isFlag(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    case QMetaType::QString: {
        static const QStringList words { u"0"_s, u"1"_s, u"yes"_s, u"no"_s, u"true"_s, u"false"_s };
        return words.contains(value.toString().trimmed(), Qt::CaseInsensitive);
    }
    default:
        return false;
    }
}

// Keys whose stored value must be one of a few: anything else takes the default. Returns true when a value
// was replaced.
bool repairChoices(QVariantMap &style, const QVariantMap &defaults)
{
    bool changed = false;
    const auto replaceUnless = [&](const QString &key, bool acceptable) {
        if (defaults.contains(key) && !acceptable) {
            style.insert(key, defaults.value(key));
            changed = true;
        }
    };
    if (style.contains(PrintKey::KanjiNumerals))
        replaceUnless(PrintKey::KanjiNumerals,
            PrintChoices::kanjiNumeralsChoices().contains(text(style.value(PrintKey::KanjiNumerals))));
    if (style.contains(PrintKey::NumberHyphen))
        replaceUnless(PrintKey::NumberHyphen,
            PrintChoices::numberHyphenChoices().contains(text(style.value(PrintKey::NumberHyphen))));
    for (const QString &key : { PrintKey::TateChuYoko, PrintKey::UprightLetters, PrintKey::PrintCompany }) {
        if (style.contains(key))
            replaceUnless(key, isFlag(style.value(key)));
    }
    if (style.contains(PrintKey::PrinterOffsets))
        replaceUnless(PrintKey::PrinterOffsets, isDictionary(style.value(PrintKey::PrinterOffsets)));
    return changed;
}

bool isItemRecord(const QVariant &value)
{
    return isDictionary(value) && !text(value.toMap().value(PrintKey::ItemTitle)).isEmpty();
}

bool isReadableItemTable(const QVariant &value)
{
    if (!isArray(value))
        return false;
    const QVariantList items = value.toList();
    return !items.isEmpty() && std::all_of(items.begin(), items.end(), isItemRecord);
}

bool isStringArray(const QVariant &value)
{
    if (!isArray(value))
        return false;
    const QVariantList items = value.toList();
    return std::all_of(items.begin(), items.end(),
        [](const QVariant &item) { return item.metaType().id() == QMetaType::QString; });
}

// Fills the keys a stored style dictionary lacks; returns true when anything was added.
bool fillMissing(QVariantMap &style, const QVariantMap &defaults)
{
    bool changed = false;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        if (!style.contains(it.key())) {
            style.insert(it.key(), it.value());
            changed = true;
        }
    }
    return changed;
}

} // namespace

FontDefaults FontDefaults::fromSystem()
{
    FontDefaults fonts;
    QFont userFont = QGuiApplication::font();
    userFont.setPointSize(14);
    fonts.userFontName = QFontInfo(userFont).family();
    fonts.userFontSize = QFontInfo(userFont).pointSize();
    if (fonts.userFontSize <= 0)
        fonts.userFontSize = 14;
    const QStringList families = QFontDatabase::families();
    if (families.contains(PrintFont::DefaultVerticalFamily))
        fonts.verticalFamily = PrintFont::DefaultVerticalFamily;
    else if (families.contains(PrintFont::DefaultSerifVerticalFamily))
        fonts.verticalFamily = PrintFont::DefaultSerifVerticalFamily;
    return fonts;
}

QVariantMap initPrintOptions(const QString &language)
{
    return initPrintOptions(language, FontDefaults::fromSystem());
}

QVariantMap initPrintOptions(const QString &language, const FontDefaults &fonts)
{
    const bool japanese = language == PrintValue::LanguageJapanese;
    const QString verticalFont = fonts.verticalFamily.isEmpty() ? fonts.userFontName : fonts.verticalFamily;
    return QVariantMap {
        { PrintKey::Version, CurrentVersion },
        { PrintKey::UnitType, PrintValue::UnitPoints },
        { PrintKey::AddressFormat, japanese ? PrintValue::LanguageJapanese : PrintValue::LanguageEnglish },
        { PrintKey::PrintStyle, japanese ? PrintValue::StyleHagaki : PrintValue::StyleEnvelope },
        { PrintKey::Keishou, japanese ? PrintValue::KeishouSama : PrintValue::KeishouNone },
        { PrintKey::FontSize, fonts.userFontSize },
        { PrintKey::FontName, fonts.userFontName },
        { PrintKey::TopMargin, u"0"_s },
        { PrintKey::LeftMargin, u"0"_s },
        { PrintKey::RightMargin, u"0"_s },
        { PrintKey::BottomMargin, u"0"_s },
        { PrintKey::AddressList, addressListDefaults() },
        { PrintKey::MailingLabels, mailingLabelDefaults(verticalFont) },
        { PrintKey::Envelope, envelopeDefaults(verticalFont, japanese) },
        { PrintKey::Hagaki, hagakiDefaults(verticalFont, japanese) },
    };
}

QString languageForPreferredLanguages(const QStringList &languages)
{
    if (!languages.isEmpty() && languages.constFirst().startsWith(PrintValue::LanguageJapanese))
        return PrintValue::LanguageJapanese;
    return PrintValue::LanguageEnglish;
}

QString preferredLanguage()
{
    return languageForPreferredLanguages(QLocale::system().uiLanguages());
}

bool isCurrentVersion(const QVariant &stored)
{
    if (!isDictionary(stored))
        return false;
    const QVariant version = stored.toMap().value(PrintKey::Version);
    return version.isValid() && number(version, -1.0) >= CurrentVersion;
}

QVariantMap repairedPrintOptions(
    const QVariant &stored, const QString &language, bool *replaced, bool *repaired)
{
    return repairedPrintOptions(stored, language, FontDefaults::fromSystem(), replaced, repaired);
}

QVariantMap repairedPrintOptions(const QVariant &stored, const QString &language, const FontDefaults &fonts,
    bool *replaced, bool *repaired)
{
    if (replaced)
        *replaced = false;
    if (repaired)
        *repaired = false;
    const QVariantMap defaults = initPrintOptions(language, fonts);
    if (!isCurrentVersion(stored)) {
        if (replaced)
            *replaced = true;
        return defaults;
    }

    QVariantMap options = deepCopyDictionary(stored).toMap();
    bool changed = false;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        const bool styleKey = isDictionary(it.value());
        if (!options.contains(it.key()) || (styleKey && !isDictionary(options.value(it.key())))) {
            options.insert(it.key(), it.value());
            changed = true;
        } else if (styleKey) {
            QVariantMap style = options.value(it.key()).toMap();
            const bool filled = fillMissing(style, it.value().toMap());
            if (repairChoices(style, it.value().toMap()) || filled) {
                options.insert(it.key(), style);
                changed = true;
            }
        }
    }

    QVariantMap list = options.value(PrintKey::AddressList).toMap();
    if (!isReadableItemTable(list.value(PrintKey::ItemTable))) {
        list.insert(PrintKey::ItemTable, defaultItemTable());
        changed = true;
    }
    if (!isStringArray(list.value(PrintKey::SelectedLabels))) {
        list.insert(PrintKey::SelectedLabels, QVariantList { LabelText::All });
        changed = true;
    }
    options.insert(PrintKey::AddressList, list);

    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    const QVariant presets = labels.value(PrintKey::PresetArray);
    if (!isArray(presets) || LabelPresets::fromVariantList(presets.toList()).isEmpty()) {
        labels.insert(PrintKey::PresetArray, LabelPresets::defaultPresetArray());
        options.insert(PrintKey::MailingLabels, labels);
        changed = true;
    }

    if (repaired)
        *repaired = changed;
    return options;
}

QVariant deepCopyDictionary(const QVariant &value)
{
    if (isDictionary(value)) {
        QVariantMap copy;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            copy.insert(it.key(), deepCopyDictionary(it.value()));
        return copy;
    }
    if (value.metaType().id() == QMetaType::QVariantList) {
        QVariantList copy;
        const QVariantList list = value.toList();
        copy.reserve(list.size());
        for (const QVariant &item : list)
            copy.append(deepCopyDictionary(item));
        return copy;
    }
    return value;
}

QString optionsKeyForStyle(const QString &style)
{
    if (style == PrintValue::StyleLabels || style == PrintKey::MailingLabels)
        return PrintKey::MailingLabels;
    if (style == PrintValue::StyleHagaki || style == PrintValue::StyleEnvelope
        || style == PrintValue::StyleAddressList)
        return style;
    return QString();
}

QVariantMap styleOptions(const QVariantMap &options, const QString &style)
{
    const QString key = optionsKeyForStyle(style);
    return key.isEmpty() ? QVariantMap() : options.value(key).toMap();
}

void setStyleOptions(QVariantMap &options, const QString &style, const QVariantMap &styleOptions)
{
    const QString key = optionsKeyForStyle(style);
    if (!key.isEmpty())
        options.insert(key, styleOptions);
}

double number(const QVariant &value, double fallback)
{
    double result = fallback;
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        result = value.toDouble();
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        // Like reading a number from the front of a text: "12.5pt" is 12.5, "abc" gives the fallback.
        static const QRegularExpression leading(u"^\\s*[+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?"_s);
        const QString textValue = value.toString().left(64);
        const QRegularExpressionMatch match = leading.match(textValue);
        if (match.hasMatch()) {
            bool ok = false;
            const double parsed = match.captured(0).trimmed().toDouble(&ok);
            if (ok)
                result = parsed;
        }
        break;
    }
    default:
        break;
    }
    return std::isfinite(result) ? result : fallback;
}

int integer(const QVariant &value, int fallback)
{
    const double result = number(value, fallback);
    if (result >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (result <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(result);
}

bool flag(const QVariant &value, bool fallback)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString textValue = value.toString().trimmed();
        if (textValue.isEmpty())
            return fallback;
        const QChar first = textValue.at(0).toLower();
        if (first == u'y' || first == u't')
            return true;
        if (first == u'n' || first == u'f')
            return false;
        return number(value, 0.0) != 0.0;
    }
    default:
        break;
    }
    if (!value.isValid())
        return fallback;
    return number(value, fallback ? 1.0 : 0.0) != 0.0;
}

QString text(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    default:
        return QString();
    }
}

QVariantList defaultItemTable()
{
    // An address list of names alone is no address list: the items a user looks up in one print at first.
    static const QStringList printedAtFirst { Ident::Address, Ident::Phone, Ident::Email, Ident::Company };
    const QStringList optional { Ident::Address, Ident::Email, Ident::SocialNetwork, Ident::InstantMessage,
        Ident::Phone, Ident::URL, Ident::Nickname, Ident::Company, Ident::Department, Ident::JobTitle,
        Ident::Suffix, Ident::Relationship, Ident::PhoneticName, Ident::Birthday, Ident::Dates, Ident::Note };
    QVariantList items;
    items.append(QVariantMap { { PrintKey::ItemTitle, Ident::Name }, { PrintKey::ItemState, u"1"_s },
        { PrintKey::ItemEnabled, u"0"_s } });
    for (const QString &title : optional) {
        items.append(QVariantMap { { PrintKey::ItemTitle, title },
            { PrintKey::ItemState, printedAtFirst.contains(title) ? u"1"_s : u"0"_s },
            { PrintKey::ItemEnabled, u"1"_s } });
    }
    return items;
}

} // namespace PrintOptions
