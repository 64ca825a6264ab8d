#pragma once

#include "model/HeapOptional.h"
#include "model/Labels.h"
#include "model/StoreContact.h"

#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <array>
#include <limits>
#include <memory>
#include <optional>

// Keys under which a record is archived (clipboard, drag and drop); they are the archive format.
namespace PersonArchiveKey {

inline const QString DefaultNameOrdering = QStringLiteral("defaultNameOrdering");
inline const QString DefaultCountryCode = QStringLiteral("defaultCountryCode");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");
inline const QString CompositeName = QStringLiteral("compositeName");
inline const QString NameValue = QStringLiteral("nameValue");
inline const QString PhoneticNameValue = QStringLiteral("phoneticNameValue");
inline const QString PhoneValues = QStringLiteral("phoneValues");
inline const QString EmailValues = QStringLiteral("emailValues");
inline const QString AddressValues = QStringLiteral("addressValues");
inline const QString UrlValues = QStringLiteral("urlValues");
inline const QString RelationshipValues = QStringLiteral("relationshipValues");
inline const QString SnsValues = QStringLiteral("snsValues");
inline const QString ImsValues = QStringLiteral("imsValues");
inline const QString BirthdayValue = QStringLiteral("birthdayValue");
inline const QString DatesValues = QStringLiteral("datesValues");
inline const QString StringValues = QStringLiteral("stringValues");
inline const QString ImageData = QStringLiteral("imageData");
inline const QString ThumbnailImageData = QStringLiteral("thumbnailImageData");
inline const QString Created = QStringLiteral("created");
inline const QString Changed = QStringLiteral("changed");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString UniqueId2 = QStringLiteral("uniqueId2");
// The postcard layouts travel too, so that a pasted record keeps its hand-placed blocks.
inline const QString HagakiLayouts = QStringLiteral("hagakiLayouts");
// Properties of the card no field holds, so that a pasted record writes them back too.
inline const QString OtherProperties = QStringLiteral("otherProperties");

} // namespace PersonArchiveKey

// Name used in made-up unique ids of records that have no display name.
inline const QString PersonUniqueIdFallbackName = QStringLiteral("Corvanthe");

// One contact. Every field is a plain value (QVariantMap for structured values, QVariantList of
// QVariantMap for labelled fields); those values are the truth once the record exists, and a store
// contact is only built from them on request. Records are shared by std::shared_ptr between groups.
class ZRPerson
{
public:
    // The "not found" marker of index and label-index arguments.
    static constexpr qsizetype NotFound = std::numeric_limits<qsizetype>::max();
    // Option of addressFromLabeledValue that records always use (country and ZIP included).
    static constexpr int AddressOption = 3;

    // A blank record: a person, made here, with a fresh UUID and the user's default country and order.
    ZRPerson();
    static std::shared_ptr<ZRPerson> create() { return std::make_shared<ZRPerson>(); }
    // A record filled once from a store contact; it keeps no reference to the contact.
    static std::shared_ptr<ZRPerson> fromStoreContact(const StoreContact &contact);
    // A record of a card that contact was read from, the card lying at [offset, offset + length) of
    // text. Its name is built now and its other values from the card on first use: a file of many
    // contacts opens without building dictionaries nobody has asked for yet, and holds the card's
    // bytes (shared with the whole text) instead of them.
    static std::shared_ptr<ZRPerson> fromCard(
        const StoreContact &contact, const QByteArray &text, qsizetype offset, qsizetype length);
    // Whether the values other than the name are still to be built from the card read.
    bool hasUnbuiltValues() const { return m_unbuilt; }
    // The card those values are to be built from; empty once they are built. A reader looking only
    // for text in the values can look through the card first and leave most records unbuilt.
    QByteArrayView unbuiltCard() const
    {
        return m_unbuilt ? QByteArrayView(m_source.constData() + m_sourceOffset, m_sourceLength)
                         : QByteArrayView();
    }
    // A new blank record with this record's field values and the card's properties no field holds
    // (not its id, joint names or layouts).
    std::shared_ptr<ZRPerson> copy();

    // ---- Class tables
    static const QStringList &allIdentifiers();
    static void setAllIdentifiers(const QStringList &identifiers);
    static const QStringList &labeledIdentifiers();
    static void setLabeledIdentifiers(const QStringList &identifiers);
    static const QStringList &addressIdentifiers();
    static void setAddressIdentifiers(const QStringList &identifiers);
    static const QStringList &stringIdentifiers();
    static void setStringIdentifiers(const QStringList &identifiers);
    static const QMap<QString, QString> &CNIdentifiers();
    static void setCNIdentifiers(const QMap<QString, QString> &table);

    static QString typeForIdentifier(const QString &identifier); // null when none
    static QString localizedIdentifierForKey(const QString &identifier);
    static QString compositeNameFromNameDict(const QVariantMap &nameDict);
    // Makes QVariant streaming of the value types work (archives of raw values, queued signals).
    static void registerMetaTypes();

    // Layout strings (forwarded to LayoutString).
    static QString layoutStringFromHagakiLayoutDict(const QVariantMap &record);
    static void hagakiLayoutFromLayoutString(QVariantMap &record, const QString &layoutString);
    static QString normarizeRect(const QString &rectText);

    // ---- Properties
    bool showAsPerson() const { return m_showAsPerson; }
    void setShowAsPerson(bool person);
    bool created() const { return m_created; }
    void setCreated(bool created) { m_created = created; }
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    int defaultNameOrdering() const { return m_defaultNameOrdering; }
    void setDefaultNameOrdering(int ordering) { m_defaultNameOrdering = ordering; }
    QString defaultCountryCode() const { return m_defaultCountryCode; }
    void setDefaultCountryCode(const QString &code) { m_defaultCountryCode = code; }
    int nameOrdering() const { return m_nameOrdering; }
    void setNameOrdering(int ordering);
    // Recomputes the display name, stores and returns it.
    QString compositeName();
    // The display name as last computed, without recomputing.
    QString storedCompositeName() const { return m_compositeName; }
    void setCompositeName(const QString &name) { m_compositeName = name; }

    // Value containers: each is made on first use and returned by reference (the stored container).
    // The name dictionaries are derived again on the next read after a reference to them was handed out.
    // Reading a record changes nothing a caller can see: containers it has not made yet, values still to
    // be built from its card and derived texts are made as they are read, through const references too.
    QVariantMap &nameValue();
    QVariantMap &phoneticNameValue();
    // The same dictionaries for reading only: derived when something may have changed them, so that
    // searching and sorting many records does not derive every name on every read.
    const QVariantMap &readNameValue() const;
    const QVariantMap &readPhoneticNameValue() const;
    // Whether reading the name, or every value, leaves the record as it is: nothing is built, derived
    // or made on the way. Another thread may read such a record while no thread changes it.
    bool nameReadsUnchanged() const { return m_nameValue && !m_nameDirty; }
    bool valuesReadUnchanged() const;
    QVariantList &phoneValues() { return writable(std::as_const(*this).phoneValues()); }
    const QVariantList &phoneValues() const;
    QVariantList &emailValues() { return writable(std::as_const(*this).emailValues()); }
    const QVariantList &emailValues() const;
    // Re-derives every address after the address formats changed.
    QVariantList &addressValues() { return writable(std::as_const(*this).addressValues()); }
    const QVariantList &addressValues() const;
    QVariantList &urlValues() { return writable(std::as_const(*this).urlValues()); }
    const QVariantList &urlValues() const;
    QVariantList &snsValues() { return writable(std::as_const(*this).snsValues()); }
    const QVariantList &snsValues() const;
    QVariantList &imsValues() { return writable(std::as_const(*this).imsValues()); }
    const QVariantList &imsValues() const;
    QVariantList &relationshipValues() { return writable(std::as_const(*this).relationshipValues()); }
    const QVariantList &relationshipValues() const;
    QVariantList &datesValues() { return writable(std::as_const(*this).datesValues()); }
    const QVariantList &datesValues() const;
    QVariantMap &birthdayValue() { return writable(std::as_const(*this).birthdayValue()); }
    const QVariantMap &birthdayValue() const;
    QVariantMap &stringValues() { return writable(std::as_const(*this).stringValues()); }
    const QVariantMap &stringValues() const;
    QVariantList &hagakiLayouts() { return writable(std::as_const(*this).hagakiLayouts()); }
    const QVariantList &hagakiLayouts() const;
    // The container of a labelled identifier ("Phone", ...); nullptr for any other identifier.
    QVariantList *labeledValues(const QString &identifier)
    {
        const QVariantList *values = std::as_const(*this).labeledValues(identifier);
        return values ? &writable(*values) : nullptr;
    }
    const QVariantList *labeledValues(const QString &identifier) const;
    // The labels of a labelled field's entries in order, into out (emptied first): what the table
    // lays its rows out by. A record whose values are not built yet answers without building them.
    void entryLabels(const QString &identifier, QStringList &out) const;
    // One key of an entry of a labelled list, read where it is stored: what
    // entry.toMap().value(key) gives, without copying the entry.
    static QVariant entryValue(const QVariant &entry, const QString &key);

    QByteArray imageData() const { return m_imageData; }
    void setImageData(const QByteArray &data) { m_imageData = data; }
    QByteArray thumbnailImageData() const { return m_thumbnailImageData; }
    void setThumbnailImageData(const QByteArray &data) { m_thumbnailImageData = data; }
    // The card's properties no field holds, as the content lines written back with its card.
    const QByteArray &otherProperties() const { return m_otherProperties; }
    void setOtherProperties(const QByteArray &lines) { m_otherProperties = lines; }

    // The stored id, or a new "<display name>+<date and time>" id made and kept on first request.
    QString uniqueId() const;
    void setUniqueId(const QString &id) { m_uniqueId = id; }
    QString uniqueId2() const
    {
        materialize(); // a company's second id is made from values built from its card
        return m_uniqueId2;
    }
    void setUniqueId2(const QString &id) { m_uniqueId2 = id; }

    // ---- Value operations
    QVariant valueForIdentifier(const QString &identifier) const;
    void setValueForIdentifier(const QVariant &value, const QString &identifier);
    QString stringValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex) const;
    QVariant labeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex);
    QVariant labeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index);
    void replaceLabeledValueAtLabelIndex(
        const QVariant &value, const QString &identifier, qsizetype labelIndex);
    void replaceLabeledValueAtIndex(const QVariant &value, const QString &identifier, qsizetype index);
    void addLabeledValue(const QVariant &value, const QString &identifier);
    void deleteLabeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex);
    void deleteLabeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index);
    void deleteValueForIdentifier(const QString &identifier);
    void setStringValue(const QVariant &value, const QString &identifier);
    void sortLabeledValueForSortDescriptor(const QString &key, bool ascending);

    // ---- Derivations (each changes the entry in place)
    static void updatePhoneValue(QVariantMap &entry);
    static void updateEmailValue(QVariantMap &entry);
    static void updateURLValue(QVariantMap &entry);
    static void updateRelationshipValue(QVariantMap &entry);
    static void updateAddressValue(QVariantMap &entry, int option);
    static void updateSNSValue(QVariantMap &entry);
    static void updateIMSValue(QVariantMap &entry);
    static void updateDatesValue(QVariantMap &entry);
    void updateHagakiLayout(QVariantMap &record) const;
    // "yyyy.MM.dd(EEE)" in the user's locale; "MM.dd" without a year; "" when the components make no date.
    static QString dateStringFromDateComponents(const DateComponents &components);
    // Applies the derivation of a labelled field to one entry.
    static void deriveEntry(QVariantMap &entry, const QString &identifier);

    // ---- Images
    QImage photo() const;
    void setPhoto(const QImage &image);
    QImage thumbnail() const;

    // ---- Store bridge
    // A store contact with this record's values written over a copy of base (or an empty contact).
    StoreContact contactFromCache(const StoreContact *base = nullptr) const;
    // vCard 3.0 text of this record alone; null when the writer fails.
    QByteArray vCardData() const;
    // The same card appended to out: writers of many cards build no card of their own for each.
    void appendVCardData(QByteArray &out) const;

    // ---- Archiving
    void encode(QDataStream &out) const;
    // Reads an archive onto this (blank) record; false with a reason when the data is not an archive.
    bool decode(QDataStream &in, QString *error = nullptr);
    static std::shared_ptr<ZRPerson> fromArchive(QDataStream &in, QString *error = nullptr);

private:
    struct NoDefaults
    {
    };
    explicit ZRPerson(NoDefaults);
    static void ensureClassInitialized();

    void deriveName() const;
    void derivePhoneticName() const;
    void replaceWholeField(const QVariantList &entries, const QString &identifier);
    void replaceHagakiLayout(const QVariant &value, qsizetype labelIndex);
    void setBirthdayFromValue(const QVariant &value);
    void computeUniqueId2() const;
    void fillFromStoreContact(const StoreContact &contact);
    void fillNames(const StoreContact &contact);
    void fillValues(const StoreContact &contact) const;
    // Builds the values still owed by the card, before anything reads or changes them.
    void materialize() const
    {
        if (m_unbuilt)
            buildFromSource();
    }
    void buildFromSource() const;
    // A container handed out for writing; the record itself is not const.
    template <typename T> static T &writable(const T &container) { return const_cast<T &>(container); }
    StoreContact sourceContact() const;
    void writeUnbuiltValues(StoreContact &c) const;

    mutable bool m_showAsPerson = true;
    bool m_created = false;
    bool m_changed = false;
    int m_defaultNameOrdering = 0;
    QString m_defaultCountryCode;
    QString m_compositeName;
    mutable int m_nameOrdering = 0;

    // Empty optionals are values not made yet; the store bridge leaves those fields as they were.
    // All but the name are kept on the heap: most records of a large file never make them.
    // Values are made, built from the card and derived as they are read (mutable): the record a
    // reader sees does not change by its reading.
    mutable std::optional<QVariantMap> m_nameValue;
    mutable HeapOptional<QVariantMap> m_phoneticNameValue;
    // Whether the name dictionaries may differ from their derived values (a writer held a reference).
    mutable bool m_nameDirty = true;
    mutable bool m_phoneticDirty = true;
    mutable HeapOptional<QVariantList> m_phoneValues;
    mutable HeapOptional<QVariantList> m_emailValues;
    mutable HeapOptional<QVariantList> m_addressValues;
    mutable int m_addressGeneration = -1; // the address formats' generation the addresses were derived at
    mutable HeapOptional<QVariantList> m_urlValues;
    mutable HeapOptional<QVariantList> m_snsValues;
    mutable HeapOptional<QVariantList> m_imsValues;
    mutable HeapOptional<QVariantList> m_relationshipValues;
    mutable HeapOptional<QVariantList> m_datesValues;
    mutable HeapOptional<QVariantList> m_hagakiLayouts;
    mutable HeapOptional<QVariantMap> m_birthdayValue;
    mutable HeapOptional<QVariantMap> m_stringValues;

    // The card the unbuilt values come from: a span of a text shared with the other records read.
    mutable QByteArray m_source;
    qsizetype m_sourceOffset = 0;
    qsizetype m_sourceLength = 0;
    mutable bool m_unbuilt = false;
    mutable bool m_uniqueId2Owed = false; // a company read from a card: its second id follows its values
    // While values are unbuilt: their entries' labels, field after field (see entryLabels), and where
    // each field's run starts.
    mutable QStringList m_unbuiltLabels;
    std::array<quint16, 9> m_unbuiltLabelStarts {};
    void noteUnbuiltLabels(const StoreContact &contact);

    QByteArray m_imageData;
    QByteArray m_thumbnailImageData;
    // The card's properties no field holds, written back with the record's card.
    QByteArray m_otherProperties;
    mutable QString m_uniqueId;
    mutable QString m_uniqueId2;
};
