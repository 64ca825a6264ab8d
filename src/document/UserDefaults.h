#pragma once

#include "document/SortDescriptor.h"
#include "document/ViewTypeTables.h"
#include "model/ContactDefaults.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

// The table font as the defaults describe it; an empty family means the platform's system font.
struct TableFontSpec
{
    QString family;
    double pointSize = 12;

    bool isSystemFont() const { return family.isEmpty(); }
    friend bool operator==(const TableFontSpec &, const TableFontSpec &) = default;
};

// The application-wide settings of the contact table, the group list and the information panel, over
// a QSettings the caller owns. Readers never fail: a missing or damaged value gives the default, and
// where the settings must hold a value (view types, labels, sort options) the repaired one is written
// back at once, so that every window reads the same thing.
class UserDefaults
{
public:
    static constexpr double DefaultFontSize = 12;
    static constexpr double MinimumFontSize = 7;
    // Sizes past this are a damaged file, not a choice anyone made in the font panel.
    static constexpr double MaximumFontSize = 512;
    static constexpr double MaximumColumnWidth = 10000;

    explicit UserDefaults(QSettings &settings);
    // The application's own settings.
    static UserDefaults &shared();
    QSettings &settings() { return m_settings; }

    // The user's default country and sort order for contacts, for ContactDefaults::configure.
    ContactDefaults::Settings contactDefaults() const;

    // View types: written when missing or empty; each list is normalized (fixed columns first).
    ViewTypeDict viewTypeDict();
    void setViewTypeDict(const ViewTypeDict &dict);
    // "Address" when missing; a stored "Name" is read as "Address" and written back.
    QString selectedViewType();
    void setSelectedViewType(const QString &name);
    // One element, "All", when missing (then written).
    QStringList selectedLabels();
    void setSelectedLabels(const QStringList &labels);
    // The built-in options when missing; an entry "Phonetic Name" is added when missing (then written).
    SortOptionsDict sortOptionsDict();
    void setSortOptionsDict(const SortOptionsDict &dict);
    // "compositeName" ascending when nothing usable is stored.
    SortDescriptor lastSortDesc();
    void setLastSortDesc(const SortDescriptor &descriptor);
    // Only finite, positive widths (capped) are returned.
    QMap<QString, double> columnWidthDictionary();
    void setColumnWidthDictionary(const QMap<QString, double> &widths);
    // Nothing before the first run has stored it.
    std::optional<bool> showGroupView();
    void setShowGroupView(bool show);

    // The contact table's font at load ("ZR1DdefaultFontName" / "ZR1DdefaultFontSize").
    TableFontSpec defaultFont();
    void setDefaultFont(const TableFontSpec &font);
    // A document's table font: its own keys "ZRFontName <name>" unless it is unnamed or the address
    // book, else the plain keys.
    TableFontSpec tableFont(const QString &documentName);
    // Written under both the document's keys and the plain keys.
    void setTableFont(const QString &documentName, const TableFontSpec &font);
    static QString perDocumentKey(const QString &key, const QString &documentName);

    QString lastContainerIdentifier();
    void setLastContainerIdentifier(const QString &identifier);
    // The information panel's row order; "Renmei" is put back at position 2 when missing.
    QStringList lastRowOrder();
    void setLastRowOrder(const QStringList &order);
    // Folders of one-contact vCard files shown as address-book containers.
    QStringList addressBookFolders();
    void setAddressBookFolders(const QStringList &folders);

    // The restore-defaults action: forgets every setting of the application.
    void restoreDefaults();

private:
    TableFontSpec fontFrom(const QString &nameKey, const QString &sizeKey);

    QSettings &m_settings;
};
