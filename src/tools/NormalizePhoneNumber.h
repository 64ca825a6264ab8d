#pragma once

#include <QList>
#include <QString>
#include <optional>

// One row of the calling-code table read from ":/CountryNumbers.csv".
struct CountryNumber
{
    QString number; // the international calling code, digits only
    QString firstDigit; // the code's first digit, one character
    QString country; // ISO 3166 alpha-2 code, or a service's short name
    QString countryNameJa;
    QString areaNameJa;
};

// Rewrites a phone number into one of four layouts of digit groups, keeping a "+" calling code in
// front and an extension behind. One formatter serves a whole command: set a number, ask for a layout.
class NormalizePhoneNumber
{
public:
    enum class Layout { FourPlusFour, ThreePlusFour, TwoPlusFour, QuadTwo };

    // Menu item titles: each shows an example number in its layout.
    static const QString FourPlusFourTitle;
    static const QString ThreePlusFourTitle;
    static const QString TwoPlusFourTitle;
    static const QString QuadTwoTitle;
    static const QString CountryNumbersResource;

    // Loads the calling-code table from the application's resources; a missing resource gives an
    // empty table, so calling codes are then never recognised.
    NormalizePhoneNumber();
    explicit NormalizePhoneNumber(QList<CountryNumber> countryNumbers);

    // Parses the table's CSV text: the first line is a header; a line that is not exactly four
    // comma-separated fields with a digits-only first field is skipped with a warning.
    static QList<CountryNumber> arrayFromCountryNumbersString(const QString &text);

    // Cleans the text and keeps it as the number the layouts work on.
    void setPhoneNumber(const QString &text);
    QString phoneNumber() const { return m_phoneNumber; }
    const QList<CountryNumber> &countryNumbers() const { return m_countryNumbers; }

    QString fourPlusFour() const { return layout(Layout::FourPlusFour); }
    QString threePlusFour() const { return layout(Layout::ThreePlusFour); }
    QString twoPlusFour() const { return layout(Layout::TwoPlusFour); }
    QString quadTwo() const { return layout(Layout::QuadTwo); }
    // The current number in the given layout; "" when there is nothing the layout can use.
    QString layout(Layout layout) const;

    // The calling code a cleaned "+" number starts with, or "".
    QString countryNumber(const QString &text) const;

    static QString removeHyphenAndParenthesis(const QString &text);
    static QString normalizeExtension(const QString &text);

    // The layout a menu item title stands for; nothing for any other title.
    static std::optional<Layout> layoutForTitle(const QString &title);
    // The layout named on the command line: "4+4", "3+4", "2+4" or "2x4".
    static std::optional<Layout> layoutForName(const QString &name);

    // What a phone entry's value becomes under the layout, or nothing when the entry stays as it is
    // (the layout gives nothing, or gives the value it already has). The window command and the
    // command line loop over their entries with this.
    std::optional<QString> replacementForValue(const QString &value, Layout layout);

private:
    static QString groupDigits(const QString &digits, Layout layout);

    QString m_phoneNumber;
    QList<CountryNumber> m_countryNumbers; // sorted by number as text, ascending
};
