#include "model/VCardPropertyMapper.h"

#include "model/CardTextArena.h"
#include "model/VCardCardMapper.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

std::optional<DateComponents> VCardPropertyMapper::parseDate(QStringView text, int omitYear)
{
    text = text.trimmed();
    qsizetype t = text.indexOf(u'T');
    if (t >= 0)
        text = text.first(t);
    bool yearless = text.startsWith(u"--");
    if (yearless)
        text = text.sliced(2);
    char digits[9];
    int count = 0;
    for (QChar c : text) {
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            if (count == 8)
                return std::nullopt;
            digits[count++] = char(c.unicode());
        } else if (c != u'-') {
            return std::nullopt;
        }
    }
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i)
            value = value * 10 + (digits[i] - '0');
        return value;
    };
    DateComponents date;
    if (yearless && count == 4) {
        date = { 0, number(0, 2), number(2, 2) };
    } else if (!yearless && count == 8) {
        date = { number(0, 4), number(4, 2), number(6, 2) };
        if (omitYear != 0 && date.year == omitYear)
            date.year = 0;
    } else {
        return std::nullopt;
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<StoreContact> VCardPropertyMapper::contactFromCard(
    const VCardCard &card, QString *error, bool readImages, bool packStrings)
{
    if (!card.error.isEmpty()) {
        if (error)
            *error = card.error;
        return std::nullopt;
    }
    bool hasContent = false;
    for (const VCardProperty &property : card.properties) {
        if (!property.nameIs("VERSION")) {
            hasContent = true;
            break;
        }
    }
    if (!hasContent) {
        if (error)
            *error = QCoreApplication::translate(
                "VCardReader", "the card that begins on line %1 holds no properties")
                         .arg(card.firstLine);
        return std::nullopt;
    }
    const CardTextArena::Scope arena;
    return VCardCardMapper(card, readImages, packStrings).run();
}
