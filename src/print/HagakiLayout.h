#pragma once

#include "print/HagakiTextObject.h"
#include "print/ReceiverRecord.h"
#include "print/vertical/VerticalNumerals.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QVariantMap>
#include <optional>

// Everything one postcard page needs to be drawn: the four text objects, fitted, and what to skip.
struct HagakiPage
{
    QList<QVariantMap> objects; // receiver name, receiver address, sender name, sender address
    bool hasSender = false;
    bool senderIsReceiver = false; // the sender's own card: its receiver blocks are not printed
    QString hagakiType; // "Nenga", "General" or "None": which card the preview shows
    QString keishou; // the honorific the name blocks print
    QFont font; // the vertical font every block is set in
    VerticalTextLayout::Options textOptions;
    VerticalNumerals::Options numeralOptions;
};

// The postcard layout model: the four text objects of a card with their default rectangles or those
// the address's layout record holds, the name text with honorific and joint names, and the fitting of
// each block. Usage:
//
//     HagakiLayout layout;
//     layout.setPrintOptions(options);
//     layout.setSenderPerson(sender);
//     layout.setReceiverPersons(receivers);
//     for (qsizetype i = 0; i < receivers.size(); ++i)
//         HagakiRenderer::drawPage(&painter, layout.pageForReceiver(i), renderOptions);
class HagakiLayout
{
public:
    enum Slot { ReceiverNameSlot = 0, ReceiverAddressSlot = 1, SenderNameSlot = 2, SenderAddressSlot = 3 };

    // The postcard page: 100 x 148 mm in points.
    static QSizeF pageSize();

    HagakiLayout();

    void setPrintOptions(const QVariantMap &options);
    const QVariantMap &printOptions() const { return m_printOptions; }
    QVariantMap hagakiOptions() const;
    QString keishou() const { return m_keishou; }
    QString selectedFontName() const { return m_selectedFontName; }
    QString selectedTategakiFontName() const { return m_selectedTategakiFontName; }
    QFont tategakiFont() const;
    VerticalTextLayout::Options textOptions() const { return m_textOptions; }
    VerticalNumerals::Options numeralOptions() const { return m_numeralOptions; }

    // Stores the receivers and lays out the first.
    void setReceiverPersons(const QList<ReceiverRecord> &receivers);
    const QList<ReceiverRecord> &receiverPersons() const { return m_receivers; }
    // Stores and lays out the sender (nothing: cards without a sender block).
    void setSenderPerson(const std::optional<ReceiverRecord> &sender);
    const std::optional<ReceiverRecord> &senderPerson() const { return m_sender; }

    void updateTextObjectForReceiver(const ReceiverRecord &receiver);
    void updateTextObjectForSender(const ReceiverRecord &sender);
    // Fits an object again in its rectangle when that is larger than a point both ways.
    void updateTextObject(QVariantMap &object) const;
    void setNeedsLayout(bool needed);

    // The name text of a name object: one blank after every character so that the vertical setting
    // puts one character per cell, the honorific, and the joint names as further lines.
    QString nameString(const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender) const;
    static QString nameString(
        const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender, const QString &keishou);
    // The company lines a name object prints (none unless the record's "Company" flag is on).
    static QStringList companyLines(const QVariantMap &textObject);

    QRectF newAlignName(QVariantMap &object, const QRectF &rect) const;
    QRectF newAlignAddress(QVariantMap &object, const QRectF &rect) const;
    // Only a Japanese postal code goes in the card's boxes; one abroad is written after the city.
    static bool zipGoesInBoxes(const QVariantMap &address);

    QList<QVariantMap> &objectTable() { return m_objects; }
    const QList<QVariantMap> &objectTable() const { return m_objects; }

    // The card as laid out now, and the card of receiver `index` (laid out first).
    HagakiPage page() const;
    HagakiPage pageForReceiver(qsizetype index);

private:
    HagakiPage composePage(bool senderIsReceiver) const;
    // The receiver's name is the largest text of the card and the receiver's address larger than the
    // sender's: sizes fitted block by block are brought into that order.
    void keepReceiverLargest(HagakiPage &page) const;
    void capNameSize(QVariantMap &object, qreal cap) const;
    void capCompanySize(QVariantMap &object, qreal cap) const;
    void capAddressSize(QVariantMap &object, qreal cap) const;
    bool senderIsReceiver() const;
    bool isSameRecord(const ReceiverRecord &receiver) const;

    QVariantMap m_printOptions;
    QString m_keishou;
    QString m_selectedFontName;
    QString m_selectedTategakiFontName;
    VerticalTextLayout::Options m_textOptions;
    VerticalNumerals::Options m_numeralOptions;
    QList<ReceiverRecord> m_receivers;
    std::optional<ReceiverRecord> m_sender;
    QList<QVariantMap> m_objects;
};
