#pragma once

#include <QString>

// Keys of the application's user defaults. They persist between runs, so their spelling is part of
// the settings format and must never change.
namespace DefaultsKey {

inline const QString ViewTypeDict = QStringLiteral("ZR1DviewTypeDict");
inline const QString SelectedViewType = QStringLiteral("ZR1DselectedViewType");
inline const QString SelectedLabels = QStringLiteral("ZR1DselectedLabels");
inline const QString SortOptionsDict = QStringLiteral("ZR1DsortOptionsDict");
inline const QString LastSortDesc = QStringLiteral("ZR1DlastSortDesc");
inline const QString ColumnWidthDictionary = QStringLiteral("ZR1DcolumnWidthDictionary");
inline const QString ShowGroupView = QStringLiteral("ZR1DshowGroupView");
inline const QString DefaultFontName = QStringLiteral("ZR1DdefaultFontName");
inline const QString DefaultFontSize = QStringLiteral("ZR1DdefaultFontSize");
inline const QString LastContainerIdentifier = QStringLiteral("ZR1DlastContainerIdentifier");
inline const QString LastRowOrder = QStringLiteral("ZR1DlastRowOrder");
inline const QString AddressBookFolders = QStringLiteral("ZR1DaddressBookFolders");

// The table font; a document other than the address book keeps its own copy under "<key> <name>".
inline const QString FontName = QStringLiteral("ZRFontName");
inline const QString FontSize = QStringLiteral("ZRFontSize");
inline const QString PerDocumentKeyFormat = QStringLiteral("%1 %2");

} // namespace DefaultsKey

// Values with a meaning of their own inside the defaults.
namespace DefaultsValue {

// A font name that stands for "the platform's system font"; its stored size is ignored.
inline const QString SystemFontName = QStringLiteral(".AppleSystemUIFont");
// The document name whose font lives under the plain keys.
inline const QString AddressBookDocument = QStringLiteral("AddressBook");
// Keys of the stored last sort descriptor.
inline const QString SortDescKey = QStringLiteral("key");
inline const QString SortDescAscending = QStringLiteral("ascending");
// Keys of a stored sort option.
inline const QString SortOptionItems = QStringLiteral("items");
inline const QString SortOptionSelected = QStringLiteral("selected");

} // namespace DefaultsValue

// Names of the built-in view types.
namespace ViewTypeName {

inline const QString NameOnly = QStringLiteral("Name Only");
inline const QString Address = QStringLiteral("Address");
inline const QString AddressDetail = QStringLiteral("Address Detail");
// A name older settings may hold for the selected view type; it is read as "Address".
inline const QString LegacyName = QStringLiteral("Name");

} // namespace ViewTypeName

// Column identifiers that are not contact fields, and extra row identifiers of the information panel.
namespace ColumnId {

// The postcard sender check box; the same word flags the sender's address.
inline const QString Sender = QStringLiteral("Sender");
inline const QString Groups = QStringLiteral("Groups");
inline const QString NameOrdering = QStringLiteral("Name Ordering");
inline const QString NameDisplay = QStringLiteral("Name Display");

} // namespace ColumnId
