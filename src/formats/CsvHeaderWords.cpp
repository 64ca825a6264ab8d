#include "formats/CsvHeaderWords.h"

#include "model/Identifiers.h"
#include "model/Labels.h"

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

bool hasAny(const QString &text, std::initializer_list<const char16_t *> words)
{
    for (const char16_t *word : words) {
        if (text.contains(QStringView(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isAny(const QString &text, std::initializer_list<const char16_t *> words)
{
    const QString trimmed = text.trimmed();
    for (const char16_t *word : words) {
        if (trimmed.compare(QStringView(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Readings are named by these words ("姓（フリガナ）", "セイ", "よみがな").
bool namesReading(const QString &header)
{
    return hasAny(header, { u"フリガナ", u"ふりがな", u"ヨミガナ", u"よみがな", u"読み", u"よみ", u"カナ" })
        || isAny(header, { u"セイ", u"メイ" });
}

bool namesEmail(const QString &header)
{
    return hasAny(header, { u"E-mail", u"E mail", u"Mail Address", u"メール" });
}

// A run of three digits is a phone number, a postal code or a date, which no column title holds.
bool holdsDataDigits(const QString &text)
{
    int run = 0;
    for (const QChar c : text) {
        run = c.isDigit() ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}

} // namespace

namespace CsvHeaderWords {

bool namesAddress(const QString &header)
{
    return hasAny(header,
        { u"Postal Code", u"Postcode", u"郵便番号", u"〒", u"都道府県", u"市区町村", u"市町村", u"住所",
            u"番地" });
}

QString detectAddressType(const QString &header)
{
    if (hasAny(header, { u"Postal Code", u"Postcode", u"郵便番号", u"〒" }))
        return Ident::ZIP;
    if (hasAny(header, { u"都道府県" }))
        return Ident::State;
    if (hasAny(header, { u"市区町村", u"市町村" }))
        return Ident::City;
    return {};
}

QString detectLabel(const QString &header)
{
    if (hasAny(header, { u"自宅" }))
        return LabelName::Home;
    if (hasAny(header, { u"勤務先", u"会社", u"仕事", u"職場" }))
        return LabelName::Work;
    if (hasAny(header, { u"携帯" }))
        return LabelName::Mobile;
    return {};
}

QString detectType(const QString &header)
{
    if (namesReading(header)) {
        if (hasAny(header, { u"名" }) && !hasAny(header, { u"氏名", u"姓名", u"名前" }))
            return PhoneticFirstName;
        if (isAny(header, { u"メイ" }))
            return PhoneticFirstName;
        return PhoneticLastName; // the family name's reading, or the whole name's
    }
    if (hasAny(header, { u"Given Name", u"Forename" }))
        return Ident::FirstName;
    if (hasAny(header, { u"Family Name", u"Surname" }))
        return Ident::LastName;
    // "E-mail Display Name" is how the address is shown, not the contact's name.
    if (namesEmail(header))
        return hasAny(header, { u"Name" }) ? u"Unknown"_s : Ident::Email;
    if (namesAddress(header))
        return QString(); // the part is the caller's to tell
    if (hasAny(header, { u"電話", u"携帯番号" }) || isAny(header, { u"TEL", u"携帯" }))
        return Ident::Phone;
    if (hasAny(header, { u"誕生日", u"生年月日" }))
        return Ident::Birthday;
    if (hasAny(header, { u"Organization", u"Organisation", u"会社", u"勤務先" }))
        return Ident::Company;
    if (hasAny(header, { u"部署", u"部門", u"所属" }))
        return Ident::Department;
    if (hasAny(header, { u"役職", u"肩書" }))
        return Ident::JobTitle;
    if (hasAny(header, { u"ニックネーム", u"愛称" }))
        return Ident::Nickname;
    if (hasAny(header, { u"メモ", u"備考", u"ノート", u"コメント" }))
        return Ident::Note;
    if (hasAny(header, { u"連名" }))
        return Ident::Renmei; // joint names, printed beside the name
    if (hasAny(header, { u"氏名", u"姓名", u"名前", u"フルネーム" }))
        return Ident::Name;
    if (hasAny(header, { u"姓", u"苗字", u"名字" }))
        return Ident::LastName;
    if (hasAny(header, { u"名" }))
        return Ident::FirstName;
    return {};
}

bool looksLikeHeader(const QStringList &fields, qsizetype knownColumns)
{
    qsizetype filled = 0;
    for (const QString &field : fields) {
        if (field.trimmed().isEmpty())
            continue;
        ++filled;
        if (field.contains(u'@') || holdsDataDigits(field))
            return false;
    }
    // Two titles at least, or the only one there is; and titles for half of what is filled at
    // least, so that a contact whose street happens to hold "City" is not taken for one.
    return (knownColumns >= 2 || (knownColumns == 1 && filled == 1)) && knownColumns * 2 >= filled;
}

} // namespace CsvHeaderWords
