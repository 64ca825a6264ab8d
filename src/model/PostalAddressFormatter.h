#pragma once

#include <QList>
#include <QString>
#include <array>

struct StorePostalAddress;

// Renders a postal address by a mailing-address template ("mailingFormat" of the address formats,
// which choose the country's template). Parts that are empty leave neither a blank line nor a
// dangling separator behind.
class PostalAddressFormatter
{
public:
    // A template read once: per line, literal texts and the parts between them.
    // In the text, %A is the street block, %C the city, %S the state, %Z the postal code, %K the country
    // and %% a percent sign; any other % is literal. Lines are separated by "\n".
    struct Template
    {
        enum Part { Street, City, State, PostalCode, Country, PartCount };
        struct Item
        {
            int part = -1; // a Part, or -1 for literal text
            QString literal;
        };
        QList<QList<Item>> lines;
    };
    using PartValues = std::array<QString, Template::PartCount>;

    // The template used for countries without one of their own.
    static QString defaultTemplate();
    static Template compile(const QString &templateText);
    static QString render(const Template &compiled, const StorePostalAddress &address);
    static QString render(const QString &templateText, const StorePostalAddress &address)
    {
        return render(compile(templateText), address);
    }
};
