#include "print/HagakiLayout.h"

#include "print/HagakiName.h"
#include "print/MailingLabelText.h"
#include "print/PostalCodeBoxes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintUnits.h"
#include "print/vertical/VerticalFit.h"

#include <QFontDatabase>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace {

// Default receiver blocks.
constexpr qreal ReceiverNameY = 80;
constexpr qreal ReceiverNameHeight = 270;
const QRectF ReceiverAddressDefault(204, 75, 46, 275);
constexpr qreal ReceiverAddressMinX = 206; // a wide name block pushes the address right of it
constexpr qreal ReceiverAddressBottom = 376; // a stored address block without height reaches here
const QRectF ReceiverZipRect(125.575, 34.016, 80, 18);
// Default sender blocks.
constexpr qreal SenderY = 175;
constexpr qreal SenderHeight = 175;
constexpr qreal SenderAddressGap = 3;
constexpr qreal SenderAddressWidth = 40;
constexpr qreal SenderAddressRight = 104;
// Default sender blocks end this far above the sender's postal-code boxes printed on the card, and are
// never cut shorter than the minimum height for it.
constexpr qreal BoxClearance = 4.25; // 1.5 mm
constexpr qreal MinimumSenderHeight = 50;
// The receiver's name is the largest text of a card: the other blocks are held below these shares of it,
// and the sender's address below a share of the receiver's.
constexpr qreal ReceiverAddressShare = 0.85;
constexpr qreal CompanyShare = 0.85;
constexpr qreal SenderNameShare = 0.75;
constexpr qreal SenderAddressShare = 0.85;
constexpr qreal ZipRowWidth = 80;
constexpr qreal ZipRowHeight = 18;
// More than a card can show; only three joint names print, but the editor keeps every one.
constexpr qsizetype MaxJointNames = 16;
constexpr qsizetype MaxCompanyLines = 4;
constexpr qsizetype MaxAddressLines = 8;

// Sets the name object's joint names and company from a record.
void fillNameObject(
    QVariantMap &object, const ReceiverRecord &r, const QString &type, const QString &fontName)
{
    object.insert(TextKey::FontName, fontName);
    object.insert(TextKey::Type, type);
    object.insert(TextKey::Kind, TextValue::Name);
    object.insert(TextKey::LayoutDict, r.layoutDict);
    object.insert(TextKey::Company, r.company);
    object.insert(TextKey::NameDict, r.name);
    const QString joint = TextObject::bounded(r.renmei, MaxJointNames, TextObject::MaxLineLength);
    const QStringList renmei = joint.isEmpty() ? QStringList() : joint.split(u'\n');
    if (renmei.isEmpty())
        object.remove(TextKey::Renmei);
    else
        object.insert(TextKey::Renmei, renmei);
}

void fillAddressObject(
    QVariantMap &object, const ReceiverRecord &r, const QString &type, const QString &fontName)
{
    object.insert(TextKey::FontName, fontName);
    object.insert(TextKey::Type, type);
    object.insert(TextKey::Kind, TextValue::Address);
    object.insert(TextKey::LayoutDict, r.layoutDict);
    if (r.hasAddress())
        object.insert(TextKey::AdrsDict, r.address);
    else
        object.remove(TextKey::AdrsDict);
    object.remove(TextKey::ReceiverZipRect);
    object.remove(TextKey::SenderZipRect);
}

QVariantList toVariantList(const QList<qreal> &values)
{
    QVariantList list;
    list.reserve(values.size());
    for (qreal v : values)
        list.append(v);
    return list;
}

// A default sender block ends above the row of sender's boxes the card has printed in its way.
QRectF clearOfSenderBoxes(QRectF rect, const QVariantMap &hagaki)
{
    const QRectF row = PostalCodeBoxes::rowRect(PrintChoices::senderZipOrigin(hagaki), true);
    const qreal bottom = row.top() - BoxClearance;
    if (rect.right() <= row.left() || rect.left() >= row.right() || rect.bottom() <= bottom)
        return rect;
    if (bottom - rect.top() < MinimumSenderHeight)
        return rect; // boxes moved up into the block: the user's placement decides
    rect.setBottom(bottom);
    return rect;
}

QString userFontFamily()
{
    return QGuiApplication::font().family();
}

} // namespace

QSizeF HagakiLayout::pageSize()
{
    return { PrintUnits::millimetersToPoints(100), PrintUnits::millimetersToPoints(148) };
}

HagakiLayout::HagakiLayout()
{
    m_objects.resize(4);
    setPrintOptions({});
}

QVariantMap HagakiLayout::hagakiOptions() const
{
    return m_printOptions.value(PrintKey::Hagaki).toMap();
}

void HagakiLayout::setPrintOptions(const QVariantMap &options)
{
    m_printOptions = options;
    const QVariantMap hagaki = hagakiOptions();
    m_selectedFontName = PrintOptions::text(options.value(PrintKey::FontName));
    if (m_selectedFontName.isEmpty())
        m_selectedFontName = userFontFamily();
    m_selectedTategakiFontName = PrintOptions::text(hagaki.value(PrintKey::FontName));
    if (m_selectedTategakiFontName.isEmpty()) {
        m_selectedTategakiFontName = QFontDatabase::hasFamily(PrintFont::DefaultVerticalFamily)
            ? PrintFont::DefaultVerticalFamily
            : userFontFamily();
    }
    m_keishou = PrintOptions::text(options.value(PrintKey::Keishou));
    if (PrintChoices::isNoKeishou(m_keishou))
        m_keishou.clear();
    m_numeralOptions = PrintChoices::numeralOptions(hagaki);
    m_textOptions = {};
    m_textOptions.uprightNumbers = PrintChoices::tateChuYoko(hagaki);
}

QFont HagakiLayout::tategakiFont() const
{
    return QFont(m_selectedTategakiFontName);
}

void HagakiLayout::setReceiverPersons(const QList<ReceiverRecord> &receivers)
{
    m_receivers = receivers;
    if (!m_receivers.isEmpty())
        updateTextObjectForReceiver(m_receivers.first());
}

void HagakiLayout::setSenderPerson(const std::optional<ReceiverRecord> &sender)
{
    m_sender = sender;
    if (m_sender) {
        updateTextObjectForSender(*m_sender);
    } else {
        m_objects[SenderNameSlot] = {};
        m_objects[SenderAddressSlot] = {};
    }
}

void HagakiLayout::setNeedsLayout(bool needed)
{
    if (!needed)
        return;
    for (QVariantMap &object : m_objects)
        updateTextObject(object);
}

QString HagakiLayout::nameString(
    const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender) const
{
    return nameString(textObject, layoutDict, sender, m_keishou);
}

QString HagakiLayout::nameString(
    const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender, const QString &keishou)
{
    return HagakiName::lines(HagakiName::parts(textObject, layoutDict, sender, keishou)).join(u'\n');
}

QStringList HagakiLayout::companyLines(const QVariantMap &textObject)
{
    const QVariantMap layoutDict = textObject.value(TextKey::LayoutDict).toMap();
    const QString company = textObject.value(TextKey::Company).toString();
    if (!layoutDict.value(Key::Company).toBool() || company.isEmpty())
        return {};
    return TextObject::bounded(company, MaxCompanyLines, TextObject::MaxLineLength).split(u'\n');
}

QRectF HagakiLayout::newAlignName(QVariantMap &object, const QRectF &rect) const
{
    const QVariantMap layoutDict = object.value(TextKey::LayoutDict).toMap();
    const HagakiName::Parts parts
        = HagakiName::parts(object, layoutDict, TextObject::isSender(object), m_keishou);
    const QStringList company = companyLines(object);
    const QFont font = tategakiFont();
    const VerticalFit::NameFit fit = VerticalFit::fitName(HagakiName::lines(parts), company, rect, font,
        m_textOptions, [&](qreal size) { return HagakiName::lengths(parts, font, size, m_textOptions); });
    object.insert(TextKey::LineHeight, fit.lineHeight);
    object.insert(TextKey::NameFontSize, fit.nameFontSize);
    object.insert(TextKey::NameWidthArray, toVariantList(fit.nameWidths));
    if (company.isEmpty()) {
        object.remove(TextKey::CompanyFontSize);
        object.remove(TextKey::CompanyWidthArray);
    } else {
        object.insert(TextKey::CompanyFontSize, fit.companyFontSize);
        object.insert(TextKey::CompanyWidthArray, toVariantList(fit.companyWidths));
    }
    TextObject::setRect(object, rect);
    return rect;
}

bool HagakiLayout::zipGoesInBoxes(const QVariantMap &address)
{
    return !address.value(Ident::ZIP).toString().isEmpty() && MailingLabelText::usesJapaneseOrder(address);
}

QRectF HagakiLayout::newAlignAddress(QVariantMap &object, const QRectF &rect) const
{
    const QVariantMap address = object.value(TextKey::AdrsDict).toMap();
    const bool japanese = MailingLabelText::usesJapaneseOrder(address);
    QString firstPart = address.value(AddressKey::StateAndCity).toString();
    if (!address.contains(AddressKey::StateAndCity)) {
        const QString state = address.value(Ident::State).toString();
        const QString city = address.value(Ident::City).toString();
        // Run together, "IL" and "Springfield" read as "ILSpringfield": abroad, the city comes first and
        // the two are parted as those countries write them.
        firstPart = japanese || state.isEmpty() || city.isEmpty() ? state + city : city + u", "_s + state;
    }
    // The card's boxes are read by Japanese sorting machines: a postal code abroad goes with its city.
    const QString zip = address.value(Ident::ZIP).toString().trimmed();
    if (!japanese && !zip.isEmpty())
        firstPart = firstPart.isEmpty() ? zip : firstPart + u' ' + zip;
    QString street = address.value(Ident::Street).toString();
    // The minus sign is read as a hyphen before numbers are rewritten, so "1−2" becomes "1の2" too.
    firstPart.replace(QChar(0x2212), u'-');
    street.replace(QChar(0x2212), u'-');
    firstPart = TextObject::bounded(firstPart, MaxAddressLines, TextObject::MaxLineLength);
    street = TextObject::bounded(street, MaxAddressLines, TextObject::MaxLineLength);
    // Numbers are written the Japanese way in Japanese addresses only: "1600 Amphitheatre Way" keeps its
    // digits and letters.
    if (japanese) {
        firstPart = VerticalNumerals::transform(firstPart, m_numeralOptions);
        street = VerticalNumerals::transform(street, m_numeralOptions);
    }

    const VerticalFit::AddressFit fit
        = VerticalFit::fitAddress(firstPart, street, rect, tategakiFont(), m_textOptions);
    object.insert(TextKey::AddressArray, fit.lines);
    object.insert(TextKey::WidthArray, toVariantList(fit.widths));
    object.insert(TextKey::LineHeight, fit.lineHeight);
    object.insert(TextKey::FontSize, fit.fontSize);
    TextObject::setRect(object, rect);
    return rect;
}

void HagakiLayout::updateTextObject(QVariantMap &object) const
{
    const QRectF r = TextObject::rect(object);
    if (!(r.width() > 1 && r.height() > 1))
        return;
    const QString kind = object.value(TextKey::Kind).toString();
    if (kind == TextValue::Name)
        newAlignName(object, r);
    else if (kind == TextValue::Address)
        newAlignAddress(object, r);
}

void HagakiLayout::updateTextObjectForReceiver(const ReceiverRecord &r)
{
    QVariantMap &name = m_objects[ReceiverNameSlot];
    name = {};
    fillNameObject(name, r, TextValue::Receiver, m_selectedFontName);

    QRectF nameRect;
    if (auto stored = TextObject::storedRect(r.layoutDict.value(Key::ReceiverName))) {
        nameRect = *stored;
    } else {
        const qsizetype nameCount = nameString(name, r.layoutDict, false).count(u'\n') + 1;
        const qsizetype lines = nameCount + companyLines(name).size();
        nameRect = QRectF(108, ReceiverNameY, 82, ReceiverNameHeight);
        if (lines == 1)
            nameRect.setRect(120, ReceiverNameY, 50, ReceiverNameHeight);
        else if (lines == 2)
            nameRect.setRect(nameCount == 2 ? 105 : 125, ReceiverNameY, 80, ReceiverNameHeight);
        else if (lines == 3 || lines == 4)
            nameRect.setRect(108, ReceiverNameY, 90, ReceiverNameHeight);
    }
    newAlignName(name, nameRect);

    QVariantMap &address = m_objects[ReceiverAddressSlot];
    address = {};
    fillAddressObject(address, r, TextValue::Receiver, m_selectedFontName);
    QRectF addressRect;
    if (auto stored = TextObject::storedRect(r.layoutDict.value(Key::ReceiverAddress))) {
        addressRect = *stored;
        if (addressRect.height() < 10)
            addressRect.setHeight(ReceiverAddressBottom - addressRect.y());
    } else {
        addressRect = ReceiverAddressDefault;
        if (nameRect.right() > ReceiverAddressMinX)
            addressRect.moveLeft(nameRect.right());
    }
    newAlignAddress(address, addressRect);
    if (zipGoesInBoxes(r.address))
        TextObject::setRect(address, ReceiverZipRect, TextKey::ReceiverZipRect);
}

void HagakiLayout::updateTextObjectForSender(const ReceiverRecord &r)
{
    QVariantMap &name = m_objects[SenderNameSlot];
    name = {};
    fillNameObject(name, r, TextValue::Sender, m_selectedFontName);

    QRectF nameRect;
    if (auto stored = TextObject::storedRect(r.layoutDict.value(Key::SenderName))) {
        nameRect = *stored;
    } else {
        const qsizetype lines
            = nameString(name, r.layoutDict, true).count(u'\n') + 1 + companyLines(name).size();
        nameRect = QRectF(10, SenderY, 60, SenderHeight);
        if (lines == 1)
            nameRect.setRect(20, SenderY, 36, SenderHeight);
        else if (lines == 2)
            nameRect.setRect(18, SenderY, 48, SenderHeight);
        else if (lines == 3)
            nameRect.setRect(12, SenderY, 54, SenderHeight);
        nameRect = clearOfSenderBoxes(nameRect, hagakiOptions());
    }
    newAlignName(name, nameRect);

    QVariantMap &address = m_objects[SenderAddressSlot];
    address = {};
    fillAddressObject(address, r, TextValue::Sender, m_selectedFontName);
    QRectF addressRect;
    if (auto stored = TextObject::storedRect(r.layoutDict.value(Key::SenderAddress))) {
        addressRect = *stored;
    } else {
        qreal x = nameRect.x() + nameRect.width() + SenderAddressGap;
        qreal w = SenderAddressWidth;
        if (x + SenderAddressWidth < 73) {
            x = 75;
            w = 29;
        }
        if (x + w > SenderAddressRight)
            w = SenderAddressRight - x;
        addressRect = clearOfSenderBoxes(QRectF(x, SenderY, w, SenderHeight), hagakiOptions());
    }
    newAlignAddress(address, addressRect);
    if (zipGoesInBoxes(r.address)) {
        const QPointF origin = PrintChoices::senderZipOrigin(hagakiOptions());
        TextObject::setRect(
            address, QRectF(origin, QSizeF(ZipRowWidth, ZipRowHeight)), TextKey::SenderZipRect);
    }
}

bool HagakiLayout::senderIsReceiver() const
{
    return !m_receivers.isEmpty() && isSameRecord(m_receivers.first());
}

bool HagakiLayout::isSameRecord(const ReceiverRecord &receiver) const
{
    return m_sender && m_sender->person && m_sender->person == receiver.person
        && m_sender->labelIndex == receiver.labelIndex;
}

HagakiPage HagakiLayout::page() const
{
    return composePage(senderIsReceiver());
}

HagakiPage HagakiLayout::pageForReceiver(qsizetype index)
{
    if (index >= 0 && index < m_receivers.size())
        updateTextObjectForReceiver(m_receivers.at(index));
    // Only the sender's own card loses its receiver blocks, not every card of a run that starts with it.
    return composePage(index >= 0 && index < m_receivers.size() && isSameRecord(m_receivers.at(index)));
}

HagakiPage HagakiLayout::composePage(bool senderIsReceiver) const
{
    HagakiPage page;
    page.objects = m_objects;
    page.hasSender = m_sender.has_value();
    page.senderIsReceiver = senderIsReceiver;
    page.hagakiType = PrintOptions::text(hagakiOptions().value(PrintKey::HagakiType));
    if (page.hagakiType.isEmpty())
        page.hagakiType = PrintValue::HagakiTypeNenga;
    page.keishou = m_keishou;
    page.font = tategakiFont();
    page.textOptions = m_textOptions;
    page.numeralOptions = m_numeralOptions;
    keepReceiverLargest(page);
    return page;
}

void HagakiLayout::capNameSize(QVariantMap &object, qreal cap) const
{
    if (object.isEmpty() || !(PrintOptions::number(object.value(TextKey::NameFontSize)) > cap))
        return;
    const HagakiName::Parts parts = HagakiName::parts(
        object, object.value(TextKey::LayoutDict).toMap(), TextObject::isSender(object), m_keishou);
    object.insert(TextKey::NameFontSize, cap);
    object.insert(TextKey::NameWidthArray,
        toVariantList(HagakiName::lengths(parts, tategakiFont(), cap, m_textOptions)));
}

void HagakiLayout::capCompanySize(QVariantMap &object, qreal cap) const
{
    if (object.isEmpty() || !(PrintOptions::number(object.value(TextKey::CompanyFontSize)) > cap))
        return;
    object.insert(TextKey::CompanyFontSize, cap);
    object.insert(TextKey::CompanyWidthArray,
        toVariantList(VerticalFit::lengths(companyLines(object), tategakiFont(), cap, m_textOptions)));
}

void HagakiLayout::capAddressSize(QVariantMap &object, qreal cap) const
{
    if (object.isEmpty() || !(PrintOptions::number(object.value(TextKey::FontSize)) > cap))
        return;
    object.insert(TextKey::FontSize, cap);
    object.insert(TextKey::WidthArray,
        toVariantList(VerticalFit::lengths(
            object.value(TextKey::AddressArray).toStringList(), tategakiFont(), cap, m_textOptions)));
}

void HagakiLayout::keepReceiverLargest(HagakiPage &page) const
{
    QVariantMap &receiverName = page.objects[ReceiverNameSlot];
    QVariantMap &receiverAddress = page.objects[ReceiverAddressSlot];
    QVariantMap &senderName = page.objects[SenderNameSlot];
    QVariantMap &senderAddress = page.objects[SenderAddressSlot];
    const bool sender = page.hasSender && !senderName.isEmpty();
    if (sender)
        capCompanySize(
            senderName, PrintOptions::number(senderName.value(TextKey::NameFontSize)) * CompanyShare);
    if (page.senderIsReceiver || receiverName.isEmpty())
        return;
    // Blocks fitted each to its own rectangle can come out the other way round: a name sharing its
    // block with joint names fits smaller than a sender's name alone in a narrower one.
    const qreal name = PrintOptions::number(receiverName.value(TextKey::NameFontSize));
    if (!(name > 0))
        return;
    capCompanySize(receiverName, name * CompanyShare);
    capAddressSize(receiverAddress, name * ReceiverAddressShare);
    if (!sender)
        return;
    capNameSize(senderName, name * SenderNameShare);
    capCompanySize(senderName, PrintOptions::number(senderName.value(TextKey::NameFontSize)) * CompanyShare);
    const qreal address = PrintOptions::number(receiverAddress.value(TextKey::FontSize));
    if (address > 0)
        capAddressSize(senderAddress, address * SenderAddressShare);
}
