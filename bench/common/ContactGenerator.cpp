#include "common/ContactGenerator.h"

#include <QBuffer>
#include <QImage>

namespace {

struct JapaneseName
{
    const char *kanji;
    const char *kana;
};

const JapaneseName japaneseFamilies[] = {
    { "佐藤", "さとう" },
    { "鈴木", "すずき" },
    { "高橋", "たかはし" },
    { "田中", "たなか" },
    { "伊藤", "いとう" },
    { "渡辺", "わたなべ" },
    { "山本", "やまもと" },
    { "中村", "なかむら" },
    { "小林", "こばやし" },
    { "加藤", "かとう" },
    { "表", "おもて" },
    { "能登", "のと" },
};
const JapaneseName japaneseGivens[] = {
    { "太郎", "たろう" },
    { "花子", "はなこ" },
    { "健一", "けんいち" },
    { "美咲", "みさき" },
    { "翔太", "しょうた" },
    { "陽菜", "ひな" },
    { "大輔", "だいすけ" },
    { "由美", "ゆみ" },
};
const char *westernFamilies[] = { "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis",
    "García", "Müller", "O'Neil", "Rodriguez", "Martin" };
// Japanese living abroad, written given name first in Latin letters.
const char *romanizedFamilies[] = { "Tanaka", "Suzuki", "Sato", "Watanabe" };
const char *westernGivens[] = { "James", "Mary", "Robert", "Patricia", "John", "Jennifer", "Michael", "Linda",
    "Zoë", "François", "Ana", "Lars" };
const char *companies[] = { "Acme Corporation", "株式会社サンプル", "Globex, Inc.", "Initech",
    "有限会社テスト商事", "Umbrella Holdings", "Soylent; Foods", "Stark Industries" };
const char *titles[] = { "Engineer", "部長", "Sales Manager", "課長", "Director", "Designer" };
const char *phoneTypes[]
    = { "TYPE=CELL", "TYPE=HOME", "TYPE=WORK", "TYPE=HOME,FAX", "TYPE=MAIN", "TYPE=IPHONE" };
const char *customLabels[] = { "Ferienhaus", "実家", "Assistant line", "_$!<Other>!$_", "Night" };
const char *japaneseStreets[] = { "千代田1-1", "丸の内2-7-3\\n東京ビル10階", "芝公園4-2-8", "梅田3-1-1" };
const char *japaneseCities[] = { "千代田区", "港区", "大阪市北区", "名古屋市中区" };
const char *japaneseStates[] = { "東京都", "大阪府", "愛知県" };
const char *westernStreets[]
    = { "1 Main Street", "42 Elm Road\\nApt 7", "350 Fifth Avenue", "Unter den Linden 5" };
const char *westernCities[] = { "Springfield", "New York", "Berlin", "London" };
const char *categories[] = { "Friends", "Family", "Work", "年賀状", "Golf, Tennis", "取引先", "School" };
const char *notes[] = { "Met at the conference.", "年賀状を送る", "Prefers e-mail\\, not phone.",
    "Call after 6pm\\nAsk for the front desk." };

} // namespace

namespace {

// A 120 x 120 JPEG of a few coloured bands, as phones attach to contacts, folded at 75 octets.
QByteArray photoLines()
{
    QImage image(120, 120, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 2) & 0xFF, (y * 2) & 0xFF, ((x + y) * 3) & 0xFF));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    const QByteArray line = "PHOTO;ENCODING=b;TYPE=JPEG:" + jpeg.toBase64();
    QByteArray folded;
    for (qsizetype at = 0; at < line.size(); at += at == 0 ? 75 : 74) {
        if (at > 0)
            folded += ' ';
        folded += line.mid(at, at == 0 ? 75 : 74) + "\r\n";
    }
    return folded;
}

} // namespace

ContactGenerator::ContactGenerator(quint32 seed, bool photos)
    : m_state(0x9E3779B97F4A7C15ULL ^ seed)
{
    if (photos)
        m_photoLines = photoLines();
}

quint32 ContactGenerator::next()
{
    // xorshift64*: fast and the same everywhere.
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return quint32((m_state * 0x2545F4914F6CDD1DULL) >> 32);
}

QByteArray ContactGenerator::nextCard()
{
    const int index = m_index++;
    QByteArray card;
    card.reserve(900);
    card += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    const bool japanese = below(2) == 0;
    const bool company = below(10) == 0;
    QByteArray family, given, fn;
    if (japanese) {
        const JapaneseName &f = pick(japaneseFamilies);
        const JapaneseName &g = pick(japaneseGivens);
        family = f.kanji;
        given = g.kanji;
        fn = family + ' ' + given;
        card += "N:" + family + ";" + given + ";;;\r\n";
        card += "FN:" + fn + "\r\n";
        card += QByteArray("X-PHONETIC-LAST-NAME:") + f.kana + "\r\nX-PHONETIC-FIRST-NAME:" + g.kana + "\r\n";
    } else {
        family = m_addressBook && below(6) == 0 ? pick(romanizedFamilies) : pick(westernFamilies);
        given = pick(westernGivens);
        fn = given + ' ' + family;
        card += "N:" + family + ";" + given + ";;" + (below(4) == 0 ? "Dr." : "") + ";\r\n";
        card += "FN:" + fn + "\r\n";
    }
    const char *org = pick(companies);
    card += QByteArray("ORG:") + QByteArray(org).replace(",", "\\,").replace(";", "\\;") + ";"
        + (below(2) ? "Sales" : "開発部") + "\r\n";
    card += QByteArray("TITLE:") + pick(titles) + "\r\n";
    if (company)
        card += "X-ABShowAs:COMPANY\r\n";

    int group = 0;
    const int phones = 2 + below(3);
    for (int i = 0; i < phones; ++i) {
        QByteArray number = QByteArray::number(10000000 + below(90000000));
        if (below(4) == 0) {
            ++group;
            card += "item" + QByteArray::number(group) + ".TEL:+81-" + number + "\r\n";
            card += "item" + QByteArray::number(group) + ".X-ABLabel:" + pick(customLabels) + "\r\n";
        } else {
            card += QByteArray("TEL;") + pick(phoneTypes) + ":+1-555-" + number + "\r\n";
        }
    }
    const int mails = 1 + below(2);
    for (int i = 0; i < mails; ++i) {
        card += QByteArray("EMAIL;TYPE=INTERNET,") + (i ? "WORK" : "HOME") + ":user"
            + QByteArray::number(index) + "." + QByteArray::number(i) + "@example.com\r\n";
    }
    const int addresses = 1 + below(2);
    for (int i = 0; i < addresses; ++i) {
        const char *type = i ? "WORK" : "HOME";
        if (japanese) {
            ++group;
            QByteArray g = "item" + QByteArray::number(group);
            card += g + ".ADR;TYPE=" + type + ":;;" + pick(japaneseStreets) + ";" + pick(japaneseCities) + ";"
                + pick(japaneseStates) + ";" + QByteArray::number(100 + below(899)) + "-"
                + QByteArray::number(1000 + below(8999)) + ";日本\r\n";
            card += g + ".X-ABADR:jp\r\n";
        } else {
            card += QByteArray("ADR;TYPE=") + type + ":;;" + pick(westernStreets) + ";" + pick(westernCities)
                + ";;" + QByteArray::number(10000 + below(89999)) + ";USA\r\n";
        }
    }
    if (below(3) == 0) {
        card += "BDAY:" + QByteArray::number(1950 + below(60)) + "-0" + QByteArray::number(1 + below(9))
            + "-1" + QByteArray::number(below(9)) + "\r\n";
    }
    if (below(3) == 0)
        card += "URL;TYPE=WORK:https://example.com/" + QByteArray::number(index) + "\r\n";
    card += QByteArray("NOTE:") + pick(notes) + "\r\n";
    if (m_addressBook) {
        card += QByteArray("CATEGORIES:") + pick(categories);
        if (below(4) == 0)
            card += QByteArray(",") + pick(categories);
        card += "\r\n";
    }
    card += "UID:" + QByteArray::number(0x10000000u + quint32(index), 16) + "-"
        + QByteArray::number(next(), 16) + "\r\n";
    card += m_photoLines;
    card += "END:VCARD\r\n";
    return card;
}

QByteArray ContactGenerator::vCardText(int count, quint32 seed, bool photos)
{
    ContactGenerator generator(seed, photos);
    QByteArray text;
    text.reserve(qsizetype(count) * 700);
    for (int i = 0; i < count; ++i)
        text += generator.nextCard();
    return text;
}

QList<QByteArray> ContactGenerator::vCards(int count, quint32 seed)
{
    ContactGenerator generator(seed);
    QList<QByteArray> cards;
    cards.reserve(count);
    for (int i = 0; i < count; ++i)
        cards.append(generator.nextCard());
    return cards;
}
