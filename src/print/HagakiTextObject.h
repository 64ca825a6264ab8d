#pragma once

#include "model/Identifiers.h"
#include "model/TranslatableText.h"

#include <QRectF>
#include <QString>
#include <QVariantMap>
#include <optional>

// A text object is a dictionary describing one block of postcard or envelope text. Its keys are stored
// with layouts and read by the preview, so their spellings are fixed.
namespace TextKey {

inline const QString Type = QStringLiteral("type");
inline const QString Kind = QStringLiteral("kind");
inline const QString FontName = QStringLiteral("fontName");
inline const QString LayoutDict = QStringLiteral("layoutDict");
inline const QString &Company = Ident::Company;
inline const QString NameDict = QStringLiteral("nameDict");
inline const QString &Renmei = Ident::Renmei;
inline const QString AdrsDict = QStringLiteral("adrsDict");
inline const QString Rect = QStringLiteral("rect");
inline const QString LineHeight = QStringLiteral("lineHeight");
inline const QString FontSize = QStringLiteral("fontSize");
inline const QString NameFontSize = QStringLiteral("nameFontSize");
inline const QString CompanyFontSize = QStringLiteral("companyFontSize");
inline const QString NameWidthArray = QStringLiteral("nameWidthArray");
inline const QString CompanyWidthArray = QStringLiteral("companyWidthArray");
inline const QString AddressArray = QStringLiteral("addressArray");
inline const QString WidthArray = QStringLiteral("widthArray");
inline const QString TextRect = QStringLiteral("textRect");
inline const QString ReceiverZipRect = QStringLiteral("receiverZipRect");
inline const QString SenderZipRect = QStringLiteral("senderZipRect");
inline const QString Selected = QStringLiteral("selected");
inline const QString Dirty = QStringLiteral("dirty");
inline const QString YOffset = QStringLiteral("yOffset");
// Envelope and label blocks.
inline const QString AttributedString = QStringLiteral("attributedString");
inline const QString PrintVertical = QStringLiteral("printVertical");
inline const QString TextDirection = QStringLiteral("textDirection");
inline const QString VerticalFontName = QStringLiteral("verticalFontName");

} // namespace TextKey

namespace TextValue {

inline const QString Receiver = QStringLiteral("receiver");
inline const QString Sender = QStringLiteral("sender");
inline const QString Name = QStringLiteral("name");
inline const QString Address = QStringLiteral("address");
inline const QString AddressAndName = QStringLiteral("addressAndName");
// What a name reads as when the contact has none at all.
inline constexpr auto NoName = TranslatableText("TextValue", "No name");

} // namespace TextValue

// Typed reading of the rectangles a text object keeps as rectangle text.
namespace TextObject {

QRectF rect(const QVariantMap &object, const QString &key = TextKey::Rect);
void setRect(QVariantMap &object, const QRectF &rect, const QString &key = TextKey::Rect);
bool isSender(const QVariantMap &object);

// A rectangle read from a layout record or the options, or nothing when it is missing, holds no number or is
// absurd (not finite, or far off any paper), so that a damaged record cannot blow up a layout.
std::optional<QRectF> storedRect(const QVariant &rectText);

// Text a block can show: at most `maxLines` lines of at most `maxLength` code units each. A printed block
// holds far less; the bound keeps a damaged or hostile field from making fitting crawl.
QString bounded(const QString &text, qsizetype maxLines, qsizetype maxLength);
inline constexpr qsizetype MaxLineLength = 200;

} // namespace TextObject
