#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The system's own label words. Records hold these; store labels appear only at the store bridge.
namespace LabelName {

inline const QString Home = QStringLiteral("home");
inline const QString Work = QStringLiteral("work");
inline const QString Other = QStringLiteral("other");
inline const QString HomePage = QStringLiteral("home page");
inline const QString Main = QStringLiteral("main");
inline const QString Mobile = QStringLiteral("mobile");
inline const QString IPhone = QStringLiteral("iPhone");
inline const QString Pager = QStringLiteral("pager");
inline const QString HomeFax = QStringLiteral("home fax");
inline const QString WorkFax = QStringLiteral("work fax");
inline const QString OtherFax = QStringLiteral("other fax");
inline const QString Father = QStringLiteral("father");
inline const QString Mother = QStringLiteral("mother");
inline const QString Parent = QStringLiteral("parent");
inline const QString Spouse = QStringLiteral("spouse");
inline const QString Child = QStringLiteral("child");
inline const QString Brother = QStringLiteral("brother");
inline const QString Sister = QStringLiteral("sister");
inline const QString Friend = QStringLiteral("friend");
inline const QString Assistant = QStringLiteral("assistant");
inline const QString Manager = QStringLiteral("manager");
inline const QString Partner = QStringLiteral("partner");
inline const QString Son = QStringLiteral("son");
inline const QString Daughter = QStringLiteral("daughter");
inline const QString Anniversary = QStringLiteral("anniversary");

// Social services without a store constant.
inline const QString WeChat = QStringLiteral("WeChat");
inline const QString Instagram = QStringLiteral("Instagram");
inline const QString Pinterest = QStringLiteral("Pinterest");
inline const QString Line = QStringLiteral("LINE");
inline const QString Snapchat = QStringLiteral("Snapchat");
inline const QString Tumbler = QStringLiteral("Tumbler");
inline const QString WhatsApp = QStringLiteral("WhatsApp");

// The two fixed choice lists that editors present like labels.
inline const QString Person = QStringLiteral("Person");
inline const QString Company = QStringLiteral("Company");
inline const QString SystemDefaultFormat = QStringLiteral("System Default (%@)");
inline const QString SystemDefaultWord = QStringLiteral("LastName");
inline const QString FirstNameFirst = QStringLiteral("First Name First");
inline const QString LastNameFirst = QStringLiteral("Last Name First");

} // namespace LabelName

// Identifiers of the choice lists kept in the label tables beside the eight labelled fields.
namespace LabelIdent {

inline const QString ShowAsPerson = QStringLiteral("Show as Person");
inline const QString NameOrdering = QStringLiteral("Name Ordering");

} // namespace LabelIdent

// The label vocabulary: standard labels per field, the user's custom labels (held for the run only),
// display texts, and the mapping to and from the store's labels. Standard tables and the mappings are
// safe to use from any thread; custom labels belong to the main thread.
class Labels
{
public:
    using Table = QMap<QString, QStringList>;

    // Standard labels of every identifier followed by its custom labels.
    static Table labelTableDict();
    // Standard labels followed by custom ones; empty when the identifier has no standard labels.
    static QStringList labelsForIdentifier(const QString &identifier);
    static QStringList standardLabelsForIdentifier(const QString &identifier);
    static QStringList customLabelsForIdentifier(const QString &identifier);
    static Table customLabelTableDict();
    static Table localizedLabelTableDict();
    static QStringList localizedLabelsForIdentifier(const QString &identifier);

    // Adds (oldLabel empty), renames or removes (newLabel empty) a custom label; true when the tables
    // changed.
    static bool setLabelToForIdentifier(
        const QString &oldLabel, const QString &newLabel, const QString &identifier);
    // Forgets every custom label (tests, and a fresh start of the label tables).
    static void resetCustomLabels();

    static QString labelFromCNLabel(const QString &storeLabel);
    // A null label gives null; unknown labels, custom ones included, come back unchanged.
    static QString CNLabelFromLabel(const QString &label);
    static QString localizedLabelFromCNLabel(const QString &storeLabel);
    // Whether the text's characters are the very ones of a string of the mapping tables (not merely
    // equal to one): the records' own labels and the store's constants as the reader hands them out.
    // The two mappings answer those without hashing them.
    static bool isSharedTableString(const QString &text);

    // Display name of a contact or postal-address property key of the store; empty when unknown.
    static QString localizedStoreKey(const QString &storeKey);
};
