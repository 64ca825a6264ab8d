#pragma once

#include <QString>

// Field identifiers: the names of contact fields and of the table's columns. They are stored in
// documents and user defaults, so their spelling is part of the file format.
namespace Ident {

inline const QString Name = QStringLiteral("Name");
inline const QString Company = QStringLiteral("Company");
inline const QString Department = QStringLiteral("Department");
inline const QString JobTitle = QStringLiteral("Job Title");
inline const QString Nickname = QStringLiteral("Nickname");
inline const QString Title = QStringLiteral("Title"); // the name prefix
inline const QString Suffix = QStringLiteral("Suffix");
inline const QString Note = QStringLiteral("Note");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Email = QStringLiteral("Email");
inline const QString URL = QStringLiteral("URL");
inline const QString Address = QStringLiteral("Address");
inline const QString Relationship = QStringLiteral("Relationship");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString InstantMessage = QStringLiteral("Instant Message");
inline const QString Dates = QStringLiteral("Dates");
inline const QString Birthday = QStringLiteral("Birthday");
inline const QString PhoneticName = QStringLiteral("Phonetic Name");
inline const QString Photo = QStringLiteral("Photo");
inline const QString Renmei = QStringLiteral("Renmei"); // joint names printed beside the main name

// Parts of structured fields.
inline const QString FirstName = QStringLiteral("FirstName");
inline const QString MiddleName = QStringLiteral("MiddleName");
inline const QString LastName = QStringLiteral("LastName");
inline const QString PreviousFamilyName = QStringLiteral("PreviousFamilyName");
inline const QString PhoneticFirstName = QStringLiteral("PhoneticFirstName");
inline const QString PhoneticMiddleName = QStringLiteral("PhoneticMiddleName");
inline const QString PhoneticLastName = QStringLiteral("PhoneticLastName");
// The store-key table spells the phonetic parts with a space; the two forms are not interchangeable.
inline const QString PhoneticFirstNameSpaced = QStringLiteral("Phonetic FirstName");
inline const QString PhoneticMiddleNameSpaced = QStringLiteral("Phonetic MiddleName");
inline const QString PhoneticLastNameSpaced = QStringLiteral("Phonetic LastName");
inline const QString ZIP = QStringLiteral("ZIP");
inline const QString State = QStringLiteral("State");
inline const QString City = QStringLiteral("City");
inline const QString Street = QStringLiteral("Street");
inline const QString Country = QStringLiteral("Country");
inline const QString IMSusername = QStringLiteral("IMSusername");
inline const QString IMSservicename = QStringLiteral("IMSservicename");
inline const QString SNSusername = QStringLiteral("SNSusername");
inline const QString CompositeName = QStringLiteral("compositeName");
inline const QString HagakiLayout = QStringLiteral("HagakiLayout");

// Value types answered by typeForIdentifier.
inline const QString LabeledValueType = QStringLiteral("Labeled Value");
inline const QString StringValueType = QStringLiteral("String Value");
inline const QString DictionaryValueType = QStringLiteral("Dictionary Value");

} // namespace Ident

// Keys of the dictionaries that hold field values (labelled values, the name, layout records).
namespace Key {

inline const QString Label = QStringLiteral("label");
inline const QString Value = QStringLiteral("value");
inline const QString StringValue = QStringLiteral("stringValue");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString Username = QStringLiteral("username"); // e-mail: the text before "@"
inline const QString Domain = QStringLiteral("domain");     // e-mail: the text after "@"
inline const QString PhoneNumber = QStringLiteral("phoneNumber");
inline const QString PostalAddress = QStringLiteral("postalAddress");
inline const QString SocialProfile = QStringLiteral("socialProfile");
inline const QString InstantMessageAddress = QStringLiteral("instantMessageAddress");
inline const QString ContactRelation = QStringLiteral("contactRelation");
inline const QString FormattedString = QStringLiteral("formattedString");
inline const QString NameOrdering = QStringLiteral("nameOrdering");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");

// Per-address postcard layout record.
inline const QString Sender = QStringLiteral("Sender");
inline const QString Company = QStringLiteral("Company");
inline const QString Renmei = QStringLiteral("Renmei");
inline const QString ReceiverName = QStringLiteral("receiverName");
inline const QString ReceiverAddress = QStringLiteral("receiverAddress");
inline const QString SenderName = QStringLiteral("senderName");
inline const QString SenderAddress = QStringLiteral("senderAddress");

} // namespace Key

// Labels with a meaning of their own.
namespace LabelText {

inline const QString NoLabel = QStringLiteral("No label");
inline const QString NoService = QStringLiteral("No service");
inline const QString All = QStringLiteral("All");
inline const QString NoName = QStringLiteral("No Name");

} // namespace LabelText
