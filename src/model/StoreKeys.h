#pragma once

#include <QString>

// The contact store's own constants: labels, property keys and service names. Labels use the
// "_$!<Name>!$_" wrapping that address-book vCards carry in X-ABLabel, so files from such clients
// map onto them without translation.
namespace CN {

// Labels.
inline const QString LabelHome = QStringLiteral("_$!<Home>!$_");
inline const QString LabelWork = QStringLiteral("_$!<Work>!$_");
inline const QString LabelOther = QStringLiteral("_$!<Other>!$_");
inline const QString LabelURLAddressHomePage = QStringLiteral("_$!<HomePage>!$_");
inline const QString LabelPhoneNumberMain = QStringLiteral("_$!<Main>!$_");
inline const QString LabelPhoneNumberMobile = QStringLiteral("_$!<Mobile>!$_");
inline const QString LabelPhoneNumberiPhone = QStringLiteral("iPhone");
inline const QString LabelPhoneNumberPager = QStringLiteral("_$!<Pager>!$_");
inline const QString LabelPhoneNumberHomeFax = QStringLiteral("_$!<HomeFAX>!$_");
inline const QString LabelPhoneNumberWorkFax = QStringLiteral("_$!<WorkFAX>!$_");
inline const QString LabelPhoneNumberOtherFax = QStringLiteral("_$!<OtherFAX>!$_");
inline const QString LabelContactRelationFather = QStringLiteral("_$!<Father>!$_");
inline const QString LabelContactRelationMother = QStringLiteral("_$!<Mother>!$_");
inline const QString LabelContactRelationParent = QStringLiteral("_$!<Parent>!$_");
inline const QString LabelContactRelationSpouse = QStringLiteral("_$!<Spouse>!$_");
inline const QString LabelContactRelationChild = QStringLiteral("_$!<Child>!$_");
inline const QString LabelContactRelationBrother = QStringLiteral("_$!<Brother>!$_");
inline const QString LabelContactRelationSister = QStringLiteral("_$!<Sister>!$_");
inline const QString LabelContactRelationFriend = QStringLiteral("_$!<Friend>!$_");
inline const QString LabelContactRelationAssistant = QStringLiteral("_$!<Assistant>!$_");
inline const QString LabelContactRelationManager = QStringLiteral("_$!<Manager>!$_");
inline const QString LabelContactRelationPartner = QStringLiteral("_$!<Partner>!$_");
inline const QString LabelContactRelationSon = QStringLiteral("_$!<Son>!$_");
inline const QString LabelContactRelationDaughter = QStringLiteral("_$!<Daughter>!$_");
inline const QString LabelDateAnniversary = QStringLiteral("_$!<Anniversary>!$_");

// Property keys of a contact (the field names the store localises).
inline const QString ContactDepartmentNameKey = QStringLiteral("departmentName");
inline const QString ContactNicknameKey = QStringLiteral("nickname");
inline const QString ContactJobTitleKey = QStringLiteral("jobTitle");
inline const QString ContactNamePrefixKey = QStringLiteral("namePrefix");
inline const QString ContactNameSuffixKey = QStringLiteral("nameSuffix");
inline const QString ContactOrganizationNameKey = QStringLiteral("organizationName");
inline const QString ContactPhoneNumbersKey = QStringLiteral("phoneNumbers");
inline const QString ContactEmailAddressesKey = QStringLiteral("emailAddresses");
inline const QString ContactPostalAddressesKey = QStringLiteral("postalAddresses");
inline const QString ContactInstantMessageAddressesKey = QStringLiteral("instantMessageAddresses");
inline const QString ContactSocialProfilesKey = QStringLiteral("socialProfiles");
inline const QString ContactRelationsKey = QStringLiteral("contactRelations");
inline const QString ContactUrlAddressesKey = QStringLiteral("urlAddresses");
inline const QString ContactBirthdayKey = QStringLiteral("birthday");
inline const QString ContactDatesKey = QStringLiteral("dates");
inline const QString ContactPhoneticGivenNameKey = QStringLiteral("phoneticGivenName");
inline const QString ContactPhoneticMiddleNameKey = QStringLiteral("phoneticMiddleName");
inline const QString ContactPhoneticFamilyNameKey = QStringLiteral("phoneticFamilyName");
inline const QString ContactImageDataKey = QStringLiteral("imageData");
inline const QString ContactNoteKey = QStringLiteral("note");

// Keys of a postal address, also used inside address entries.
inline const QString PostalAddressStreetKey = QStringLiteral("street");
inline const QString PostalAddressCityKey = QStringLiteral("city");
inline const QString PostalAddressStateKey = QStringLiteral("state");
inline const QString PostalAddressPostalCodeKey = QStringLiteral("postalCode");
inline const QString PostalAddressCountryKey = QStringLiteral("country");
inline const QString PostalAddressISOCountryCodeKey = QStringLiteral("ISOCountryCode");

// Keys of social profiles and instant-message addresses, also used inside their entries.
inline const QString SocialProfileServiceKey = QStringLiteral("service");
inline const QString SocialProfileUsernameKey = QStringLiteral("username");
inline const QString SocialProfileURLStringKey = QStringLiteral("urlString");
inline const QString SocialProfileUserIdentifierKey = QStringLiteral("userIdentifier");
inline const QString InstantMessageAddressServiceKey = QStringLiteral("service");
inline const QString InstantMessageAddressUsernameKey = QStringLiteral("username");

// Social-profile services.
inline const QString SocialProfileServiceTwitter = QStringLiteral("Twitter");
inline const QString SocialProfileServiceFacebook = QStringLiteral("Facebook");
inline const QString SocialProfileServiceFlickr = QStringLiteral("Flickr");
inline const QString SocialProfileServiceLinkedIn = QStringLiteral("LinkedIn");
inline const QString SocialProfileServiceYelp = QStringLiteral("Yelp");
inline const QString SocialProfileServiceMySpace = QStringLiteral("MySpace");
inline const QString SocialProfileServiceSinaWeibo = QStringLiteral("SinaWeibo");
inline const QString SocialProfileServiceTencentWeibo = QStringLiteral("TencentWeibo");

// The service constant for the lower-case service names some writers use ("facebook"); any other
// service as given.
inline QString socialProfileService(const QString &service)
{
    if (service == QLatin1String("facebook"))
        return SocialProfileServiceFacebook;
    if (service == QLatin1String("twitter"))
        return SocialProfileServiceTwitter;
    if (service == QLatin1String("flickr"))
        return SocialProfileServiceFlickr;
    if (service == QLatin1String("linkedin"))
        return SocialProfileServiceLinkedIn;
    return service;
}

// Instant-message services.
inline const QString InstantMessageServiceAIM = QStringLiteral("AIM");
inline const QString InstantMessageServiceFacebook = QStringLiteral("Facebook");
inline const QString InstantMessageServiceGaduGadu = QStringLiteral("GaduGadu");
inline const QString InstantMessageServiceGoogleTalk = QStringLiteral("GoogleTalk");
inline const QString InstantMessageServiceICQ = QStringLiteral("ICQ");
inline const QString InstantMessageServiceJabber = QStringLiteral("Jabber");
inline const QString InstantMessageServiceMSN = QStringLiteral("MSN");
inline const QString InstantMessageServiceQQ = QStringLiteral("QQ");
inline const QString InstantMessageServiceSkype = QStringLiteral("Skype");
inline const QString InstantMessageServiceYahoo = QStringLiteral("Yahoo");

} // namespace CN
