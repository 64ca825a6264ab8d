#include "document/UserDefaults.h"

#include "document/DefaultsKeys.h"
#include "document/SortKeys.h"
#include "model/Identifiers.h"

#include <QSettings>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxViewTypes = 256;
constexpr qsizetype MaxLabels = 256;
constexpr qsizetype MaxFolders = 256;

// Settings files store numbers as text; anything that is not a finite number counts as missing.
std::optional<double> numberFrom(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString textFrom(const QVariant &value)
{
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace

UserDefaults::UserDefaults(QSettings &settings)
    : m_settings(settings)
{
}

ContactDefaults::Settings UserDefaults::contactDefaults() const
{
    return { textFrom(m_settings.value(ContactDefaults::SettingsKey::CountryCode)),
        textFrom(m_settings.value(ContactDefaults::SettingsKey::SortOrder)) };
}

UserDefaults &UserDefaults::shared()
{
    static QSettings settings;
    static UserDefaults defaults(settings);
    return defaults;
}

ViewTypeDict UserDefaults::viewTypeDict()
{
    const QVariant stored = m_settings.value(DefaultsKey::ViewTypeDict);
    ViewTypeDict dict;
    bool repaired = false;
    if (stored.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = stored.toMap();
        for (auto it = map.cbegin(); it != map.cend() && dict.size() < MaxViewTypes; ++it) {
            const auto columns
                = ViewTypeTables::stringListFromVariant(it.value(), ViewTypeTables::MaxColumns * 4);
            if (it.key().isEmpty() || !columns) {
                repaired = true;
                continue;
            }
            const QStringList normalized = ViewTypeTables::normalizedColumns(*columns);
            repaired = repaired || normalized != *columns;
            dict.insert(it.key(), normalized);
        }
        repaired = repaired || dict.size() != map.size();
    }
    if (dict.isEmpty()) {
        dict = ViewTypeTables::builtInViewTypes();
        repaired = true;
    }
    if (repaired)
        setViewTypeDict(dict);
    return dict;
}

void UserDefaults::setViewTypeDict(const ViewTypeDict &dict)
{
    QVariantMap map;
    for (auto it = dict.cbegin(); it != dict.cend(); ++it)
        map.insert(it.key(), it.value());
    m_settings.setValue(DefaultsKey::ViewTypeDict, map);
}

QString UserDefaults::selectedViewType()
{
    const QString stored = textFrom(m_settings.value(DefaultsKey::SelectedViewType));
    if (!stored.isEmpty() && stored != ViewTypeName::LegacyName)
        return stored;
    setSelectedViewType(ViewTypeTables::defaultViewType());
    return ViewTypeTables::defaultViewType();
}

void UserDefaults::setSelectedViewType(const QString &name)
{
    m_settings.setValue(DefaultsKey::SelectedViewType, name);
}

QStringList UserDefaults::selectedLabels()
{
    const auto stored
        = ViewTypeTables::stringListFromVariant(m_settings.value(DefaultsKey::SelectedLabels), MaxLabels);
    QStringList labels;
    if (stored) {
        for (const QString &label : *stored) {
            if (!labels.contains(label))
                labels << label;
        }
    }
    // "All" stands alone: a list holding it besides other labels means "All".
    if (labels.isEmpty() || labels.contains(LabelText::All)) {
        const QStringList all { LabelText::All };
        if (!stored || *stored != all)
            setSelectedLabels(all);
        return all;
    }
    if (labels != *stored)
        setSelectedLabels(labels);
    return labels;
}

void UserDefaults::setSelectedLabels(const QStringList &labels)
{
    m_settings.setValue(DefaultsKey::SelectedLabels, labels);
}

SortOptionsDict UserDefaults::sortOptionsDict()
{
    const QVariant stored = m_settings.value(DefaultsKey::SortOptionsDict);
    SortOptionsDict dict;
    bool repaired = false;
    if (stored.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = stored.toMap();
        for (auto it = map.cbegin(); it != map.cend() && dict.size() < ViewTypeTables::MaxColumns; ++it) {
            const auto option = SortOption::fromVariant(it.value());
            if (!option) {
                repaired = true;
                continue;
            }
            repaired = repaired || option->toVariantMap() != it.value().toMap();
            dict.insert(it.key(), *option);
        }
        repaired = repaired || dict.size() != map.size();
    }
    if (dict.isEmpty()) {
        dict = ViewTypeTables::builtInSortOptions();
        repaired = true;
    }
    // Every built-in column keeps an option: settings from before "Phonetic Name" had one lack it.
    const SortOptionsDict builtIn = ViewTypeTables::builtInSortOptions();
    for (auto it = builtIn.cbegin(); it != builtIn.cend(); ++it) {
        if (!dict.contains(it.key())) {
            dict.insert(it.key(), it.value());
            repaired = true;
        }
    }
    if (repaired)
        setSortOptionsDict(dict);
    return dict;
}

void UserDefaults::setSortOptionsDict(const SortOptionsDict &dict)
{
    QVariantMap map;
    for (auto it = dict.cbegin(); it != dict.cend(); ++it)
        map.insert(it.key(), it.value().toVariantMap());
    m_settings.setValue(DefaultsKey::SortOptionsDict, map);
}

SortDescriptor UserDefaults::lastSortDesc()
{
    const auto stored = SortDescriptor::fromVariant(m_settings.value(DefaultsKey::LastSortDesc));
    if (stored && stored->key.size() <= ViewTypeTables::MaxIdentifierLength)
        return *stored;
    return SortDescriptor { SortKey::CompositeName, true };
}

void UserDefaults::setLastSortDesc(const SortDescriptor &descriptor)
{
    m_settings.setValue(DefaultsKey::LastSortDesc, descriptor.toVariantMap());
}

QMap<QString, double> UserDefaults::columnWidthDictionary()
{
    QMap<QString, double> widths;
    const QVariant stored = m_settings.value(DefaultsKey::ColumnWidthDictionary);
    if (stored.typeId() != QMetaType::QVariantMap)
        return widths;
    const QVariantMap map = stored.toMap();
    for (auto it = map.cbegin(); it != map.cend() && widths.size() < ViewTypeTables::MaxColumns * 4; ++it) {
        const auto width = numberFrom(it.value());
        if (width && *width > 0)
            widths.insert(it.key(), std::min(*width, MaximumColumnWidth));
    }
    return widths;
}

void UserDefaults::setColumnWidthDictionary(const QMap<QString, double> &widths)
{
    QVariantMap map;
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        map.insert(it.key(), it.value());
    m_settings.setValue(DefaultsKey::ColumnWidthDictionary, map);
}

std::optional<bool> UserDefaults::showGroupView()
{
    const QVariant stored = m_settings.value(DefaultsKey::ShowGroupView);
    if (!stored.isValid())
        return std::nullopt;
    return stored.toBool();
}

void UserDefaults::setShowGroupView(bool show)
{
    m_settings.setValue(DefaultsKey::ShowGroupView, show);
}

TableFontSpec UserDefaults::fontFrom(const QString &nameKey, const QString &sizeKey)
{
    const QString name = textFrom(m_settings.value(nameKey));
    if (name.isEmpty() || name == DefaultsValue::SystemFontName)
        return TableFontSpec { QString(), DefaultFontSize };
    const auto size = numberFrom(m_settings.value(sizeKey));
    TableFontSpec font { name, size ? *size : DefaultFontSize };
    font.pointSize = std::clamp(font.pointSize, MinimumFontSize, MaximumFontSize);
    return font;
}

TableFontSpec UserDefaults::defaultFont()
{
    return fontFrom(DefaultsKey::DefaultFontName, DefaultsKey::DefaultFontSize);
}

void UserDefaults::setDefaultFont(const TableFontSpec &font)
{
    m_settings.setValue(
        DefaultsKey::DefaultFontName, font.isSystemFont() ? DefaultsValue::SystemFontName : font.family);
    m_settings.setValue(DefaultsKey::DefaultFontSize, font.pointSize);
}

QString UserDefaults::perDocumentKey(const QString &key, const QString &documentName)
{
    return DefaultsKey::PerDocumentKeyFormat.arg(key, documentName);
}

TableFontSpec UserDefaults::tableFont(const QString &documentName)
{
    if (documentName.isEmpty() || documentName == DefaultsValue::AddressBookDocument)
        return fontFrom(DefaultsKey::FontName, DefaultsKey::FontSize);
    return fontFrom(perDocumentKey(DefaultsKey::FontName, documentName),
        perDocumentKey(DefaultsKey::FontSize, documentName));
}

void UserDefaults::setTableFont(const QString &documentName, const TableFontSpec &font)
{
    const QString name = font.isSystemFont() ? DefaultsValue::SystemFontName : font.family;
    if (!documentName.isEmpty() && documentName != DefaultsValue::AddressBookDocument) {
        m_settings.setValue(perDocumentKey(DefaultsKey::FontName, documentName), name);
        m_settings.setValue(perDocumentKey(DefaultsKey::FontSize, documentName), font.pointSize);
    }
    m_settings.setValue(DefaultsKey::FontName, name);
    m_settings.setValue(DefaultsKey::FontSize, font.pointSize);
}

QString UserDefaults::lastContainerIdentifier()
{
    return textFrom(m_settings.value(DefaultsKey::LastContainerIdentifier));
}

void UserDefaults::setLastContainerIdentifier(const QString &identifier)
{
    m_settings.setValue(DefaultsKey::LastContainerIdentifier, identifier);
}

QStringList UserDefaults::lastRowOrder()
{
    const auto stored
        = ViewTypeTables::stringListFromVariant(m_settings.value(DefaultsKey::LastRowOrder), 256);
    if (!stored || stored->isEmpty())
        return ViewTypeTables::defaultRowOrder();
    QStringList order = *stored;
    if (!order.contains(Ident::Renmei))
        order.insert(std::min<qsizetype>(2, order.size()), Ident::Renmei);
    return order;
}

void UserDefaults::setLastRowOrder(const QStringList &order)
{
    m_settings.setValue(DefaultsKey::LastRowOrder, order);
}

QStringList UserDefaults::addressBookFolders()
{
    const auto stored = ViewTypeTables::stringListFromVariant(
        m_settings.value(DefaultsKey::AddressBookFolders), MaxFolders);
    QStringList folders;
    if (stored) {
        for (const QString &folder : *stored) {
            if (!folder.isEmpty())
                folders << folder;
        }
    }
    return folders;
}

void UserDefaults::setAddressBookFolders(const QStringList &folders)
{
    m_settings.setValue(DefaultsKey::AddressBookFolders, folders);
}

void UserDefaults::restoreDefaults()
{
    m_settings.clear();
    m_settings.sync();
}
