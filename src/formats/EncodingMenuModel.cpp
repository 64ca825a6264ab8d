#include "formats/EncodingMenuModel.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

const QString EncodingMenuModel::EncodingsKey = u"Encodings"_s;

namespace {

// Languages whose users read the Western encodings; the others search for their language's name.
constexpr const char *westernLanguages[] = { "en", "de", "fr", "es", "it", "nl" };

// Listed under "Western" but of no use for contact files.
constexpr const char *excludedFromDefaults[] = { "Western (ASCII)", "Western (Mac Mail)",
    "Western (NextStep)", "Western (EBCDIC Latin Core)", "Western (EBCDIC Latin 1)" };

QString searchTextForLanguage(const QString &language)
{
    const QString code = language.left(2).toLower();
    for (const char *western : westernLanguages)
        if (code == QLatin1StringView(western))
            return u"Western"_s;
    const QLocale::Language parsed = QLocale(code).language();
    if (code.size() < 2 || parsed == QLocale::AnyLanguage || parsed == QLocale::C)
        return QString();
    return QLocale::languageToString(parsed);
}

} // namespace

QString EncodingMenuModel::automaticTitle()
{
    return QCoreApplication::translate("EncodingMenuModel", "Automatic");
}

QString EncodingMenuModel::customizeTitle()
{
    return QCoreApplication::translate("EncodingMenuModel", "Customize Encoding List…");
}

QString EncodingMenuModel::encodingTitle()
{
    return QCoreApplication::translate("EncodingMenuModel", "Encoding:");
}

QString EncodingMenuModel::lineBreaksTitle()
{
    return QCoreApplication::translate("EncodingMenuModel", "Line Breaks:");
}

QString EncodingMenuModel::unknownName()
{
    return QCoreApplication::translate("EncodingMenuModel", "Unknown");
}

QStringList EncodingMenuModel::systemLanguages()
{
    return QLocale::system().uiLanguages();
}

EncodingMenuModel::EncodingMenuModel(QSettings *settings, const QStringList &preferredLanguages)
    : m_settings(settings)
    , m_preferredLanguages(preferredLanguages)
{
    for (const EncodingInfo &info : TextEncodings::available())
        m_table.append({ false, info.number, info.name });

    const QStringList saved = m_settings ? m_settings->value(EncodingsKey).toStringList() : QStringList();
    if (!saved.isEmpty()) {
        for (EncodingTableEntry &entry : m_table)
            entry.checkBox = entry.nsEncoding == UTF8 || saved.contains(entry.encodingName);
    } else {
        makeDefaultList();
    }
    setupEncodingPopup();
}

void EncodingMenuModel::makeDefaultList()
{
    for (EncodingTableEntry &entry : m_table)
        entry.checkBox = entry.nsEncoding == UTF8 || entry.nsEncoding == UTF16BigEndian;
    for (qsizetype i = 0; i < qMin<qsizetype>(2, m_preferredLanguages.size()); ++i) {
        const QString search = searchTextForLanguage(m_preferredLanguages.at(i));
        if (search.isEmpty())
            continue;
        for (EncodingTableEntry &entry : m_table)
            if (entry.encodingName.contains(search))
                entry.checkBox = true;
    }
    for (EncodingTableEntry &entry : m_table)
        for (const char *excluded : excludedFromDefaults)
            if (entry.encodingName == QLatin1StringView(excluded))
                entry.checkBox = false;
}

void EncodingMenuModel::setupEncodingPopup()
{
    m_items.clear();
    for (const EncodingTableEntry &entry : m_table) {
        if (entry.checkBox)
            m_items.append({ EncodingMenuItem::Kind::Encoding, entry.encodingName, entry.nsEncoding });
        if (entry.nsEncoding == UTF8)
            m_utf8Name = entry.encodingName;
        else if (entry.nsEncoding == UTF16BigEndian)
            m_utf16Name = entry.encodingName;
    }
    if (m_accessoryType == EncodingOnly)
        m_items.prepend({ EncodingMenuItem::Kind::Automatic, automaticTitle(), Automatic });
    m_items.append({ EncodingMenuItem::Kind::Separator, QString(), Automatic });
    m_items.append({ EncodingMenuItem::Kind::Customize, customizeTitle(), Automatic });
    selectDefaultItem();
}

void EncodingMenuModel::selectDefaultItem()
{
    if (m_accessoryType == EncodingOnly) {
        m_selected = 0;
        return;
    }
    const qsizetype utf8 = indexOfEncoding(UTF8);
    m_selected = utf8 >= 0 ? utf8 : firstSelectableIndex();
}

qsizetype EncodingMenuModel::indexOfEncoding(Number number) const
{
    for (qsizetype i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).kind == EncodingMenuItem::Kind::Encoding && m_items.at(i).encoding == number)
            return i;
    return -1;
}

qsizetype EncodingMenuModel::firstSelectableIndex() const
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const EncodingMenuItem::Kind kind = m_items.at(i).kind;
        if (kind == EncodingMenuItem::Kind::Automatic || kind == EncodingMenuItem::Kind::Encoding)
            return i;
    }
    return -1;
}

void EncodingMenuModel::setEncodingOnly()
{
    m_accessoryType = EncodingOnly;
    setupEncodingPopup();
}

void EncodingMenuModel::selectItem(qsizetype index)
{
    if (index < 0 || index >= m_items.size())
        return;
    switch (m_items.at(index).kind) {
    case EncodingMenuItem::Kind::Customize:
        m_listPanelVisible = true;
        break;
    case EncodingMenuItem::Kind::Separator:
        break;
    case EncodingMenuItem::Kind::Automatic:
    case EncodingMenuItem::Kind::Encoding:
        m_selected = index;
        break;
    }
}

Number EncodingMenuModel::encodingType()
{
    if (m_selected >= 0 && m_selected < m_items.size()) {
        const EncodingMenuItem &item = m_items.at(m_selected);
        if (item.kind == EncodingMenuItem::Kind::Automatic)
            return Automatic;
        if (item.kind == EncodingMenuItem::Kind::Encoding) {
            m_encoding = item.encoding;
            return m_encoding;
        }
    }
    // An emptied list leaves nothing selected: read automatically, or as UTF-8 where the menu has
    // no "Automatic".
    return m_accessoryType == EncodingOnly ? Automatic : UTF8;
}

QString EncodingMenuModel::encodingTypeName() const
{
    if (m_selected < 0 || m_selected >= m_items.size())
        return QString();
    return m_items.at(m_selected).title;
}

QString EncodingMenuModel::encodingTypeName(Number number) const
{
    for (const EncodingTableEntry &entry : m_table)
        if (entry.nsEncoding == number)
            return entry.encodingName;
    return unknownName();
}

void EncodingMenuModel::setEncodingType(Number number)
{
    if (m_accessoryType != Normal)
        return;
    const qsizetype index = indexOfEncoding(number);
    if (index < 0)
        return;
    m_selected = index;
    m_encoding = number;
}

void EncodingMenuModel::resetMenu()
{
    selectDefaultItem();
}

Number EncodingMenuModel::takeEncodingType()
{
    const Number chosen = encodingType();
    resetMenu();
    return chosen;
}

void EncodingMenuModel::openPanelWillRun()
{
    resetMenu();
}

void EncodingMenuModel::openPanelDidEnd(bool accepted)
{
    requestClose();
    if (!accepted)
        resetMenu();
}

void EncodingMenuModel::setChecked(qsizetype row, bool checked)
{
    if (row < 0 || row >= m_table.size() || m_table.at(row).checkBox == checked)
        return;
    EncodingTableEntry &entry = m_table[row];
    entry.checkBox = checked;
    if (checked) {
        const qsizetype at = m_accessoryType == EncodingOnly ? 1 : 0;
        m_items.insert(at, { EncodingMenuItem::Kind::Encoding, entry.encodingName, entry.nsEncoding });
        m_selected = at;
    } else {
        const qsizetype index = indexOfEncoding(entry.nsEncoding);
        if (index >= 0)
            m_items.removeAt(index);
        m_selected = firstSelectableIndex();
    }
}

void EncodingMenuModel::selectAll()
{
    for (EncodingTableEntry &entry : m_table)
        entry.checkBox = true;
    // Rebuilt so the menu shows what the list now holds.
    setupEncodingPopup();
}

void EncodingMenuModel::clearAll()
{
    for (EncodingTableEntry &entry : m_table)
        entry.checkBox = false;
    setupEncodingPopup();
}

void EncodingMenuModel::revert()
{
    makeDefaultList();
    setupEncodingPopup();
}

void EncodingMenuModel::requestClose()
{
    if (!m_listPanelVisible)
        return;
    m_listPanelVisible = false;
    save();
}

void EncodingMenuModel::save() const
{
    if (!m_settings)
        return;
    QStringList names;
    for (const EncodingTableEntry &entry : m_table)
        if (entry.checkBox)
            names.append(entry.encodingName);
    m_settings->setValue(EncodingsKey, names);
}
