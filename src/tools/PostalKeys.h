#pragma once

#include "model/TranslatableText.h"

#include <QString>

// Names used by the postal-code search: its data files, the keys of its result rows, and the
// texts its sheet shows. Address parts reuse the field identifiers (Ident::ZIP, State, City, Street).
namespace PostalFile {

inline const QString General = QStringLiteral("ken_all.gzip"); // every address area
inline const QString Business = QStringLiteral("jigyosyo.gzip"); // large businesses with codes of their own
inline const QString ResourceFolder = QStringLiteral(":/postal");
inline const QString DataSubfolder = QStringLiteral("corvanthe/postal");

} // namespace PostalFile

namespace ZipKey {

inline const QString PhoneticCity = QStringLiteral("PhoneticCity");
inline const QString PhoneticStreet = QStringLiteral("PhoneticStreet");
inline const QString PhoneticCompany = QStringLiteral("PhoneticCompany");
// Marks the sheet leaves in its last result when cancelled.
inline const QString SearchMode = QStringLiteral("searchMode");
inline const QString Result = QStringLiteral("result");
inline const QString AddressMode = QStringLiteral("Address");
// The label a new address gets when the search fills a row that had none.
inline const QString HomeLabel = QStringLiteral("home");

} // namespace ZipKey

namespace ZipText {

inline const QString NotificationDoOK = QStringLiteral("ZR1NZipSearchDoOK");
inline constexpr auto Prompt = TranslatableText("ZipText", "Input ZIP or Address here");
// The general file's entry for "the rest of this city"; it is not a street anyone lives on.
inline const QString NoListedStreet = QStringLiteral("以下に掲載がない場合");

} // namespace ZipText
