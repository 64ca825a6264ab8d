#pragma once

#include "formats/TextEncodings.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

// One row of the encoding list panel.
struct EncodingTableEntry
{
    bool checkBox = false; // the encoding is in the user's list, so in the menu
    TextEncoding::Number nsEncoding = TextEncoding::Automatic;
    QString encodingName;
};

// One item of the encoding menu.
struct EncodingMenuItem
{
    enum class Kind { Automatic, Encoding, Separator, Customize };
    Kind kind = Kind::Encoding;
    QString title;
    TextEncoding::Number encoding = TextEncoding::Automatic; // for Kind::Encoding
};

// The state behind the encoding menu of the open panels and its customisable list panel, without
// widgets: which encodings are listed, the menu's items and selection, and the choice a reader
// takes for one opening. A widget shows menuItems() and forwards the user's picks.
class EncodingMenuModel
{
public:
    static const QString EncodingsKey; // the setting that keeps the checked encodings' names
    enum AccessoryType { Normal = 0, EncodingOnly = 1 };

    static QString automaticTitle();
    static QString customizeTitle();
    static QString encodingTitle();
    static QString lineBreaksTitle();
    static QString unknownName();

    // Fills the table with every encoding and builds the list: from the "Encodings" setting when it
    // holds names, else the default list for the preferred languages (first one or two count).
    explicit EncodingMenuModel(
        QSettings *settings, const QStringList &preferredLanguages = systemLanguages());
    static QStringList systemLanguages();

    // Encoding-only mode puts "Automatic" first and selects it.
    void setEncodingOnly();
    AccessoryType accessoryType() const { return m_accessoryType; }

    const QList<EncodingTableEntry> &currentEncodings() const { return m_table; }
    const QList<EncodingMenuItem> &menuItems() const { return m_items; }
    qsizetype selectedIndex() const { return m_selected; }
    QString utf8LocalizedName() const { return m_utf8Name; }
    QString utf16LocalizedName() const { return m_utf16Name; }

    // The user picked a menu item. Picking "Customize Encoding List…" opens the list panel and
    // keeps the previous selection.
    void selectItem(qsizetype index);

    // 0 when "Automatic" is selected; else the selected encoding, which is also remembered.
    TextEncoding::Number encodingType();
    TextEncoding::Number encoding() const { return m_encoding; }
    QString encodingTypeName() const;
    QString encodingTypeName(TextEncoding::Number number) const;
    // Normal mode only: selects the encoding's item, when it is listed, and remembers it.
    void setEncodingType(TextEncoding::Number number);
    // Encoding only: "Automatic"; normal: UTF-8, or the first item when UTF-8 is not listed.
    void resetMenu();

    // The choice for one opening: the reader takes the encoding and the menu goes back to its
    // reset state, so the next opening starts from "Automatic" again.
    TextEncoding::Number takeEncodingType();
    // Around an open panel: reset before it runs; after it, close the list panel and reset again
    // when the user cancelled.
    void openPanelWillRun();
    void openPanelDidEnd(bool accepted);

    // The list panel.
    bool isListPanelVisible() const { return m_listPanelVisible; }
    // Ticking adds the encoding's item (below "Automatic" in encoding-only mode, else at the top)
    // and selects it; unticking removes it and selects the first item.
    void setChecked(qsizetype row, bool checked);
    void selectAll();
    void clearAll();
    void revert();
    // Closes the list panel and saves the checked names under "Encodings".
    void requestClose();

private:
    void makeDefaultList();
    void setupEncodingPopup();
    void selectDefaultItem();
    qsizetype indexOfEncoding(TextEncoding::Number number) const;
    qsizetype firstSelectableIndex() const;
    void save() const;

    QSettings *m_settings;
    QStringList m_preferredLanguages;
    AccessoryType m_accessoryType = Normal;
    QList<EncodingTableEntry> m_table;
    QList<EncodingMenuItem> m_items;
    qsizetype m_selected = -1;
    TextEncoding::Number m_encoding = TextEncoding::Automatic;
    QString m_utf8Name;
    QString m_utf16Name;
    bool m_listPanelVisible = false;
};
