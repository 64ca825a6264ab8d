#pragma once

#include <QString>

class AddressFormats;
struct StorePostalAddress;

// Renders a postal address as the complete multi-line mailing address of its country, following the
// country's template in the address formats ("mailingFormat"). Parts that are empty leave neither a
// blank line nor a dangling separator behind.
class PostalAddressFormatter
{
public:
    // Uses the shared address formats.
    static QString mailingAddress(const StorePostalAddress &address);
    static QString mailingAddress(const StorePostalAddress &address, const AddressFormats &formats);

    // The country code whose convention applies: the ISO code, else the one predicted from the country
    // name, else the user's default; upper case.
    static QString conventionCountryCode(const StorePostalAddress &address, const AddressFormats &formats);

    // The template used for countries without one of their own.
    static QString defaultTemplate();
    // Fills a template: %A street block, %C city, %S state, %Z postal code, %K country, %% a percent sign.
    static QString render(const QString &templateText, const StorePostalAddress &address);
};
