#pragma once

#include "model/StoreContact.h"
#include "model/VCardLineReader.h"

#include <QString>
#include <QVarLengthArray>
#include <optional>

// Inside the vCard reader: gives the properties of one card their meaning as the fields of a store
// contact. VCardPropertyMapper is its entry point; nothing else uses it.

// What the properties of one group ("item1.") say about the others: its X-ABLabel and X-ABADR.
struct VCardGroupExtras
{
    QByteArrayView group;
    QString label;
    QString isoCountryCode;
};

class VCardCardMapper
{
public:
    VCardCardMapper(const VCardCard &card, bool readImages, bool packStrings)
        : m_card(card)
        , m_readImages(readImages)
        , m_packStrings(packStrings)
    {
    }

    StoreContact run();

private:
    void collectGroupExtras();

    // The lists are given their size at once: growing them entry by entry copied them and left room
    // unused in every contact of a large file.
    void reserveLists();

    VCardGroupExtras *extrasFor(QByteArrayView group);

    QString groupLabel(const VCardProperty &property)
    {
        VCardGroupExtras *extras = extrasFor(property.group);
        return extras ? extras->label : QString();
    }

    // The value's text, escapes undone.
    static QString unescapedText(const VCardProperty &property);

    static QString text(const VCardProperty &property)
    {
        return VCardLineReader::trimmedText(unescapedText(property));
    }

    void map(const VCardProperty &p);

    void mapExtension(const VCardProperty &p);
    // The phone system's own rows: nickname, related names and dates.
    void mapAndroidCustom(const VCardProperty &p);

    // A messaging address in a property of its own service (X-JABBER) or of a service-less kind.
    void mapLegacyInstantMessage(const VCardProperty &p, const QString &fixedService);

    static void addPlain(QList<StoreLabeledValue<QString>> &list, const VCardProperty &p, QString &&label);

    // The organisation, then every further unit joined as the department.
    // Reads an organisation into the record; false for one the record cannot hold beside its own.
    bool mapOrganization(const VCardProperty &p);

    void mapName(const VCardProperty &p);

    void mapAddress(const VCardProperty &p);

    void mapImpp(const VCardProperty &p);

    // Some servers name the service only as a TYPE (IMPP;TYPE=SKYPE:name): any type that is not a
    // place or a preference is taken as the service, so the address keeps it.
    QString serviceFromTypes(const VCardProperty &p);

    void addInstantMessage(const QString &label, const QString &service, const QString &user);

    void mapSocialProfile(const VCardProperty &p);

    void mapRelation(const VCardProperty &p, const QString &fixedLabel);

    void mapDate(const VCardProperty &p, const QString &fixedLabel);

    std::optional<DateComponents> date(const VCardProperty &p);

    // The label a TYPE parameter gives: the store's own for a word it knows, else the word itself.
    static QString typeLabel(const VCardProperty &property);

    template <typename F> QString labelOrElse(const VCardProperty &p, F &&fallback)
    {
        QString label = groupLabel(p);
        return label.isEmpty() ? fallback() : label;
    }

    static void setOnce(QString &field, const QString &value)
    {
        if (field.isEmpty())
            field = value;
    }

    // The extras are made only for a value to keep.
    void setExtraOnce(QString StoreContactExtras::*field, QString &&value)
    {
        if (!value.isEmpty() && (m_contact.extras().*field).isEmpty())
            m_contact.editExtras().*field = std::move(value);
    }

    // A formatted address (LABEL) of an address the card gives no ADR for.
    void mapLabel(const VCardProperty &p);

    // RELATED: a name, or a link to one (urn:uuid:, mailto:, tel:, a web page).
    void mapRelated(const VCardProperty &p);

    // A property no field holds, kept to be written back.
    void keepOther(const VCardProperty &p);

    void finish();

    const VCardCard &m_card;
    bool m_readImages = true;
    bool m_packStrings = true;
    StoreContact m_contact;
    QVarLengthArray<VCardGroupExtras, 8> m_extras;
    QString m_formattedName;
    // The name's reading from a property that is not the phonetic name's own (SOUND, SORT-AS).
    QString m_readingFamily;
    QString m_readingGiven;
    bool m_haveName = false;
    bool m_haveOrg = false;
    bool m_photoTaken = false; // the record's picture was met
    QVarLengthArray<const VCardProperty *, 2> m_otherPhotos;
    QString m_orgDepartment; // the department the organisation read named
    const VCardProperty *m_role = nullptr;
    QVarLengthArray<const VCardProperty *, 4> m_labels;
    // The group of each address read from an ADR, in the order of the contact's addresses.
    QVarLengthArray<QByteArrayView, 4> m_addressGroups;
};
