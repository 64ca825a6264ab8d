#pragma once

#include "model/TranslatableText.h"

#include <QString>

// Keys and values of the print options dictionary. The dictionary is persisted as it is, so these
// spellings are a stored format: never rename one.
namespace PrintKey {

// User-defaults keys under which the options and the chosen style are kept.
inline const QString DefaultsPrintOptions = QStringLiteral("ZR1DprintOptions");
inline const QString DefaultsPrintStyle = QStringLiteral("ZR1DprintStyle");

// Notices: the settings changed the options; a label preset changed (object: its name).
inline const QString NoticePrintOptionsUpdated = QStringLiteral("ZR1NprintOptionsUpdated");
inline const QString NoticeLabelAttributeChanged = QStringLiteral("ZR1NmLabelAttributeChanged");

// Top level.
inline const QString Version = QStringLiteral("Version");
inline const QString UnitType = QStringLiteral("unitType");
inline const QString AddressFormat = QStringLiteral("addressFormat");
inline const QString PrintStyle = QStringLiteral("printStyle");
inline const QString Keishou = QStringLiteral("keishou");
inline const QString FontSize = QStringLiteral("fontSize");
inline const QString FontName = QStringLiteral("fontName");
inline const QString DisplayName = QStringLiteral("displayName"); // vertical font list records
inline const QString TopMargin = QStringLiteral("topMargin");
inline const QString LeftMargin = QStringLiteral("leftMargin");
inline const QString RightMargin = QStringLiteral("rightMargin");
inline const QString BottomMargin = QStringLiteral("bottomMargin");

// Style sub-dictionaries (also the style values, except "Labels" which reads "Mailing Labels").
inline const QString AddressList = QStringLiteral("Address List");
inline const QString MailingLabels = QStringLiteral("Mailing Labels");
inline const QString Envelope = QStringLiteral("Envelope");
inline const QString Hagaki = QStringLiteral("Hagaki");

// "Address List".
inline const QString PrintFrame = QStringLiteral("printFrame");
inline const QString AlternatingRow = QStringLiteral("alternatingRow");
inline const QString ItemTable = QStringLiteral("itemTable");
inline const QString SelectedLabels = QStringLiteral("selectedLabels");
// Item records of "itemTable".
inline const QString ItemTitle = QStringLiteral("Title");
inline const QString ItemEnabled = QStringLiteral("Enabled");
inline const QString ItemState = QStringLiteral("State");

// "Mailing Labels".
inline const QString LabelWidth = QStringLiteral("labelWidth");
inline const QString LabelHeight = QStringLiteral("labelHeight");
inline const QString HGap = QStringLiteral("hGap");
inline const QString VGap = QStringLiteral("vGap");
// Written under this spelling when the options are created; the settings read and write "printCountry".
inline const QString PrintCounty = QStringLiteral("printCounty");
inline const QString PrintCountry = QStringLiteral("printCountry");
inline const QString DrawTextInVertical = QStringLiteral("drawTextInVertical");
inline const QString VerticalFontName = QStringLiteral("verticalFontName");
inline const QString RepeatCount = QStringLiteral("repeatCount");
inline const QString PresetArray = QStringLiteral("presetArray");
inline const QString SelectedPreset = QStringLiteral("selectedPreset");
inline const QString PrintCompany = QStringLiteral("printCompany");
// Preset records: the options key a preset's title "name", the preset editor's table "Name".
inline const QString PresetName = QStringLiteral("name");
inline const QString EditorPresetName = QStringLiteral("Name");

// "Envelope".
inline const QString PrintBorder = QStringLiteral("printBorder");
inline const QString PrintZIP = QStringLiteral("printZIP");
inline const QString TextDirection = QStringLiteral("textDirection");
inline const QString RectDicts = QStringLiteral("rectDicts");

// "Hagaki".
inline const QString ShowBackground = QStringLiteral("showBackground");
inline const QString HagakiType = QStringLiteral("hagakiType");
inline const QString PrintChildren = QStringLiteral("printChildren");
inline const QString HagakiAutoSenderPosition = QStringLiteral("hagakiAutoSenderPosition");
inline const QString SenderZIPPositionForNenga = QStringLiteral("senderZIPPositionForNenga");

// Address typesetting and printer feed, in "Hagaki" and "Envelope".
inline const QString KanjiNumerals = QStringLiteral("kanjiNumerals");
inline const QString NumberHyphen = QStringLiteral("numberHyphen");
inline const QString TateChuYoko = QStringLiteral("tateChuYoko");
inline const QString PrinterOffsets = QStringLiteral("printerOffsets"); // paper name -> {"x", "y"} in mm
inline const QString OffsetX = QStringLiteral("x");
inline const QString OffsetY = QStringLiteral("y");

} // namespace PrintKey

namespace PrintValue {

// Print styles as chosen and stored under "ZR1DprintStyle".
inline const QString StyleHagaki = QStringLiteral("Hagaki");
inline const QString StyleEnvelope = QStringLiteral("Envelope");
inline const QString StyleLabels = QStringLiteral("Labels");
inline const QString StyleAddressList = QStringLiteral("Address List");
// Menu titles of the styles (the "Labels" style is shown as "Label").
inline constexpr auto StyleLabelsTitle = TranslatableText("PrintStyles", "Label");

inline const QString UnitPoints = QStringLiteral("points");
inline const QString UnitInches = QStringLiteral("inches");
inline const QString UnitMillimeters = QStringLiteral("mm");

inline const QString LanguageJapanese = QStringLiteral("ja");
inline const QString LanguageEnglish = QStringLiteral("en");

inline const QString KeishouNone = QStringLiteral("None");
// How the menu shows "None"; the options store "" (or the older "None") whatever the language.
inline constexpr auto KeishouNoneTitle = TranslatableText("PrintChoices", "None");
inline const QString KeishouSama = QStringLiteral("様");
inline const QString KeishouDono = QStringLiteral("殿");
inline const QString KeishouOnchu = QStringLiteral("御中");
inline const QString KeishouMr = QStringLiteral("Mr.");
inline const QString KeishouMrs = QStringLiteral("Mrs.");
inline const QString KeishouMs = QStringLiteral("Ms.");
inline const QString KeishouDr = QStringLiteral("Dr.");

inline const QString HagakiTypeNenga = QStringLiteral("Nenga");
inline const QString HagakiTypeGeneral = QStringLiteral("General");
inline const QString HagakiTypeNone = QStringLiteral("None");
// Titles of the postcard type choices, written in Japanese in the source too.
inline constexpr auto HagakiChoiceNone = TranslatableText("PrintChoices", "ハガキのイメージを表示しない");
inline constexpr auto HagakiChoiceNenga = TranslatableText("PrintChoices", "年賀ハガキのイメージを表示する");
inline constexpr auto HagakiChoiceGeneral
    = TranslatableText("PrintChoices", "普通ハガキのイメージを表示する");

inline const QString DirectionLeftRight = QStringLiteral("Left-Right");
inline const QString DirectionUpDown = QStringLiteral("Up-Down");

inline const QString DefaultSenderZIPPosition = QStringLiteral("(15.59, 348.66)");
// An older default origin of the sender's postal-code boxes, read as the current default.
inline const QString LegacySenderZIPPosition = QStringLiteral("(21, 354)");

inline const QString DefaultSelectedPreset = QStringLiteral("130x60 points w/5 gap");
inline const QString NewPresetName = QStringLiteral("new");

// Address typesetting choices; "Off" keeps the address as typed.
inline const QString Off = QStringLiteral("Off");
inline const QString KanjiNumeralsDigits = QStringLiteral("一〇〇"); // digit by digit
inline const QString KanjiNumeralsPositional = QStringLiteral("百"); // with 十, 百, 千
inline const QString HyphenChouon = QStringLiteral("ー");
inline const QString HyphenNo = QStringLiteral("の");

// Heading of the address list's label filter.
inline const QString FilterTitle = QStringLiteral("Label");

} // namespace PrintValue

// Fonts that stand in for the ones the option defaults were designed around.
namespace PrintFont {

inline const QString DefaultVerticalFamily = QStringLiteral("Noto Sans CJK JP");
inline const QString DefaultSerifVerticalFamily = QStringLiteral("Noto Serif CJK JP");
inline const QString DefaultListFamily = QStringLiteral("Noto Sans CJK JP");

} // namespace PrintFont
