#include "model/Labels.h"

#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/Translations.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct LabelPair
{
    const QString &storeLabel;
    const QString &label;
};

// Store label <-> system label, in the order the store-to-system mapping tries them.
const std::vector<LabelPair> &labelPairs()
{
    static const std::vector<LabelPair> pairs = {
        { CN::LabelWork, LabelName::Work },
        { CN::LabelHome, LabelName::Home },
        { CN::LabelOther, LabelName::Other },
        { CN::LabelPhoneNumberiPhone, LabelName::IPhone },
        { CN::LabelPhoneNumberMain, LabelName::Main },
        { CN::LabelPhoneNumberMobile, LabelName::Mobile },
        { CN::LabelPhoneNumberHomeFax, LabelName::HomeFax },
        { CN::LabelPhoneNumberWorkFax, LabelName::WorkFax },
        { CN::LabelPhoneNumberOtherFax, LabelName::OtherFax },
        { CN::LabelPhoneNumberPager, LabelName::Pager },
        { CN::LabelURLAddressHomePage, LabelName::HomePage },
        { CN::LabelContactRelationMother, LabelName::Mother },
        { CN::LabelContactRelationFather, LabelName::Father },
        { CN::LabelContactRelationParent, LabelName::Parent },
        { CN::LabelContactRelationSister, LabelName::Sister },
        { CN::LabelContactRelationBrother, LabelName::Brother },
        { CN::LabelContactRelationChild, LabelName::Child },
        { CN::LabelContactRelationFriend, LabelName::Friend },
        { CN::LabelContactRelationSpouse, LabelName::Spouse },
        { CN::LabelContactRelationPartner, LabelName::Partner },
        { CN::LabelContactRelationAssistant, LabelName::Assistant },
        { CN::LabelContactRelationManager, LabelName::Manager },
        { CN::LabelDateAnniversary, LabelName::Anniversary },
        { CN::LabelContactRelationSon, LabelName::Son },
        { CN::LabelContactRelationDaughter, LabelName::Daughter },
    };
    return pairs;
}

const QHash<QString, QString> &storeToLabel()
{
    static const QHash<QString, QString> map = [] {
        QHash<QString, QString> m;
        for (const auto &p : labelPairs())
            m.insert(p.storeLabel, p.label);
        return m;
    }();
    return map;
}

const QHash<QString, QString> &labelToStore()
{
    static const QHash<QString, QString> map = [] {
        QHash<QString, QString> m;
        for (const auto &p : labelPairs())
            m.insert(p.label, p.storeLabel);
        return m;
    }();
    return map;
}

// A table's keys by where their characters lie, with the table's answer for each. Records get
// their labels from labelFromCNLabel, which hands out the table's own strings, and the reader gives
// the store's own constants for the labels a TYPE parameter says: a string whose characters are the
// very ones of a key is that key, found by comparing a pointer instead of hashing the text. Equal
// texts held elsewhere (custom labels, labels read from an archive) are not found here and take
// the hash, which gives the same answer.
struct SharedKey
{
    const QChar *data;
    qsizetype size;
    QString answer;
};

// Keys in the order of labelPairs, so that the common labels are met first.
std::vector<SharedKey> sharedKeysOf(const QHash<QString, QString> &map, bool storeSide)
{
    std::vector<SharedKey> keys;
    for (const auto &p : labelPairs()) {
        const auto it = map.constFind(storeSide ? p.storeLabel : p.label);
        keys.push_back({ it.key().constData(), it.key().size(), it.value() });
    }
    return keys;
}

const QString *sharedAnswer(const std::vector<SharedKey> &keys, const QString &text)
{
    const QChar *data = text.constData();
    for (const SharedKey &key : keys) {
        if (key.data == data && key.size == text.size())
            return &key.answer;
    }
    return nullptr;
}

const std::vector<SharedKey> &sharedStoreLabels()
{
    static const std::vector<SharedKey> keys = sharedKeysOf(storeToLabel(), true);
    return keys;
}

const std::vector<SharedKey> &sharedLabels()
{
    static const std::vector<SharedKey> keys = sharedKeysOf(labelToStore(), false);
    return keys;
}

// English display texts; the translation context "Labels" is where other languages plug in.
const QHash<QString, const char *> &displayTexts()
{
    static const QHash<QString, const char *> map = {
        { CN::LabelHome, QT_TRANSLATE_NOOP("Labels", "home") },
        { CN::LabelWork, QT_TRANSLATE_NOOP("Labels", "work") },
        { CN::LabelOther, QT_TRANSLATE_NOOP("Labels", "other") },
        { CN::LabelURLAddressHomePage, QT_TRANSLATE_NOOP("Labels", "homepage") },
        { CN::LabelPhoneNumberMain, QT_TRANSLATE_NOOP("Labels", "main") },
        { CN::LabelPhoneNumberMobile, QT_TRANSLATE_NOOP("Labels", "mobile") },
        { CN::LabelPhoneNumberiPhone, QT_TRANSLATE_NOOP("Labels", "iPhone") },
        { CN::LabelPhoneNumberPager, QT_TRANSLATE_NOOP("Labels", "pager") },
        { CN::LabelPhoneNumberHomeFax, QT_TRANSLATE_NOOP("Labels", "home fax") },
        { CN::LabelPhoneNumberWorkFax, QT_TRANSLATE_NOOP("Labels", "work fax") },
        { CN::LabelPhoneNumberOtherFax, QT_TRANSLATE_NOOP("Labels", "other fax") },
        { CN::LabelContactRelationFather, QT_TRANSLATE_NOOP("Labels", "father") },
        { CN::LabelContactRelationMother, QT_TRANSLATE_NOOP("Labels", "mother") },
        { CN::LabelContactRelationParent, QT_TRANSLATE_NOOP("Labels", "parent") },
        { CN::LabelContactRelationSpouse, QT_TRANSLATE_NOOP("Labels", "spouse") },
        { CN::LabelContactRelationChild, QT_TRANSLATE_NOOP("Labels", "child") },
        { CN::LabelContactRelationBrother, QT_TRANSLATE_NOOP("Labels", "brother") },
        { CN::LabelContactRelationSister, QT_TRANSLATE_NOOP("Labels", "sister") },
        { CN::LabelContactRelationFriend, QT_TRANSLATE_NOOP("Labels", "friend") },
        { CN::LabelContactRelationAssistant, QT_TRANSLATE_NOOP("Labels", "assistant") },
        { CN::LabelContactRelationManager, QT_TRANSLATE_NOOP("Labels", "manager") },
        { CN::LabelContactRelationPartner, QT_TRANSLATE_NOOP("Labels", "partner") },
        { CN::LabelContactRelationSon, QT_TRANSLATE_NOOP("Labels", "son") },
        { CN::LabelContactRelationDaughter, QT_TRANSLATE_NOOP("Labels", "daughter") },
        { CN::LabelDateAnniversary, QT_TRANSLATE_NOOP("Labels", "anniversary") },
        { LabelName::Person, QT_TRANSLATE_NOOP("Labels", "Person") },
        { LabelName::Company, QT_TRANSLATE_NOOP("Labels", "Company") },
        { LabelName::FirstNameFirst, QT_TRANSLATE_NOOP("Labels", "First Name First") },
        { LabelName::LastNameFirst, QT_TRANSLATE_NOOP("Labels", "Last Name First") },
        { LabelText::All, QT_TRANSLATE_NOOP("Labels", "All") },
        { LabelText::NoLabel, QT_TRANSLATE_NOOP("Labels", "No label") },
        { LabelText::NoService, QT_TRANSLATE_NOOP("Labels", "No service") },
    };
    return map;
}

const QHash<QString, const char *> &storeKeyTexts()
{
    static const QHash<QString, const char *> map = {
        { CN::ContactDepartmentNameKey, QT_TRANSLATE_NOOP("StoreKeys", "Department") },
        { CN::ContactNicknameKey, QT_TRANSLATE_NOOP("StoreKeys", "Nickname") },
        { CN::ContactJobTitleKey, QT_TRANSLATE_NOOP("StoreKeys", "Job Title") },
        { CN::ContactNamePrefixKey, QT_TRANSLATE_NOOP("StoreKeys", "Prefix") },
        { CN::ContactNameSuffixKey, QT_TRANSLATE_NOOP("StoreKeys", "Suffix") },
        { CN::ContactOrganizationNameKey, QT_TRANSLATE_NOOP("StoreKeys", "Company") },
        { CN::ContactPhoneNumbersKey, QT_TRANSLATE_NOOP("StoreKeys", "Phone") },
        { CN::ContactEmailAddressesKey, QT_TRANSLATE_NOOP("StoreKeys", "Email") },
        { CN::ContactPostalAddressesKey, QT_TRANSLATE_NOOP("StoreKeys", "Address") },
        { CN::ContactInstantMessageAddressesKey, QT_TRANSLATE_NOOP("StoreKeys", "Instant Message") },
        { CN::ContactSocialProfilesKey, QT_TRANSLATE_NOOP("StoreKeys", "Social Profile") },
        { CN::ContactRelationsKey, QT_TRANSLATE_NOOP("StoreKeys", "Related Name") },
        { CN::ContactUrlAddressesKey, QT_TRANSLATE_NOOP("StoreKeys", "URL") },
        { CN::ContactBirthdayKey, QT_TRANSLATE_NOOP("StoreKeys", "Birthday") },
        { CN::ContactDatesKey, QT_TRANSLATE_NOOP("StoreKeys", "Date") },
        { CN::ContactPhoneticGivenNameKey, QT_TRANSLATE_NOOP("StoreKeys", "Phonetic First Name") },
        { CN::ContactPhoneticMiddleNameKey, QT_TRANSLATE_NOOP("StoreKeys", "Phonetic Middle Name") },
        { CN::ContactPhoneticFamilyNameKey, QT_TRANSLATE_NOOP("StoreKeys", "Phonetic Last Name") },
        { CN::ContactImageDataKey, QT_TRANSLATE_NOOP("StoreKeys", "Image") },
        { CN::ContactNoteKey, QT_TRANSLATE_NOOP("StoreKeys", "Note") },
        { CN::PostalAddressStreetKey, QT_TRANSLATE_NOOP("StoreKeys", "Street") },
        { CN::PostalAddressCityKey, QT_TRANSLATE_NOOP("StoreKeys", "City") },
        { CN::PostalAddressStateKey, QT_TRANSLATE_NOOP("StoreKeys", "State") },
        { CN::PostalAddressPostalCodeKey, QT_TRANSLATE_NOOP("StoreKeys", "ZIP") },
        { CN::PostalAddressCountryKey, QT_TRANSLATE_NOOP("StoreKeys", "Country") },
        { CN::PostalAddressISOCountryCodeKey, QT_TRANSLATE_NOOP("StoreKeys", "Country Code") },
    };
    return map;
}

QStringList fromStore(std::initializer_list<std::reference_wrapper<const QString>> storeLabels)
{
    QStringList out;
    for (const QString &s : storeLabels)
        out << Labels::labelFromCNLabel(s);
    return out;
}

const Labels::Table &standardTable()
{
    static const Labels::Table table = [] {
        Labels::Table t;
        const QStringList homeWorkOther = fromStore({ CN::LabelHome, CN::LabelWork, CN::LabelOther });
        t.insert(Ident::Email, homeWorkOther);
        t.insert(Ident::Address, homeWorkOther);
        t.insert(Ident::URL,
            fromStore({ CN::LabelURLAddressHomePage, CN::LabelHome, CN::LabelWork, CN::LabelOther }));
        t.insert(Ident::Phone,
            fromStore({ CN::LabelHome, CN::LabelWork, CN::LabelOther, CN::LabelPhoneNumberMain,
                CN::LabelPhoneNumberMobile, CN::LabelPhoneNumberiPhone, CN::LabelPhoneNumberPager,
                CN::LabelPhoneNumberHomeFax, CN::LabelPhoneNumberWorkFax, CN::LabelPhoneNumberOtherFax }));
        t.insert(Ident::Relationship,
            fromStore({ CN::LabelContactRelationFather, CN::LabelContactRelationMother,
                CN::LabelContactRelationParent, CN::LabelContactRelationSpouse, CN::LabelContactRelationChild,
                CN::LabelContactRelationBrother, CN::LabelContactRelationSister,
                CN::LabelContactRelationFriend, CN::LabelContactRelationAssistant,
                CN::LabelContactRelationManager, CN::LabelContactRelationPartner, CN::LabelContactRelationSon,
                CN::LabelContactRelationDaughter }));
        t.insert(Ident::Dates, fromStore({ CN::LabelDateAnniversary }));
        t.insert(Ident::SocialNetwork,
            QStringList { CN::SocialProfileServiceTwitter, CN::SocialProfileServiceFacebook,
                CN::SocialProfileServiceFlickr, CN::SocialProfileServiceLinkedIn,
                CN::SocialProfileServiceYelp, CN::SocialProfileServiceMySpace,
                CN::SocialProfileServiceSinaWeibo, CN::SocialProfileServiceTencentWeibo, LabelName::WeChat,
                LabelName::Instagram, LabelName::Pinterest, LabelName::Line, LabelName::Snapchat,
                LabelName::Tumbler, LabelName::WhatsApp });
        t.insert(Ident::InstantMessage, homeWorkOther);
        t.insert(LabelIdent::ShowAsPerson, QStringList { LabelName::Person, LabelName::Company });
        QString systemDefault = LabelName::SystemDefaultFormat;
        systemDefault.replace(u"%@"_s, LabelName::SystemDefaultWord);
        t.insert(LabelIdent::NameOrdering,
            QStringList { systemDefault, LabelName::FirstNameFirst, LabelName::LastNameFirst });
        return t;
    }();
    return table;
}

// Custom labels and display lists change at run time (main thread); the mutex only guards against a
// background reader asking for a table while the user edits one. The display lists are made again when
// the custom labels or the language change.
struct MutableTables
{
    QMutex mutex;
    Labels::Table custom;
    Labels::Table display;
    bool displayBuilt = false;
    int displayGeneration = 0;

    void ensureDisplay()
    {
        if (displayBuilt && displayGeneration == Translations::generation())
            return;
        displayBuilt = true;
        displayGeneration = Translations::generation();
        display.clear();
        const Labels::Table &std = standardTable();
        for (auto it = std.cbegin(); it != std.cend(); ++it) {
            QStringList texts;
            for (const QString &label : it.value())
                texts << Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label));
            display.insert(it.key(), texts);
        }
        // The user's labels are shown as typed.
        for (auto it = custom.cbegin(); it != custom.cend(); ++it)
            display[it.key()] += it.value();
    }
};

MutableTables &tables()
{
    static MutableTables t;
    return t;
}

} // namespace

Labels::Table Labels::labelTableDict()
{
    Table result = standardTable();
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    for (auto it = t.custom.cbegin(); it != t.custom.cend(); ++it) {
        if (result.contains(it.key()))
            result[it.key()] += it.value();
    }
    return result;
}

QStringList Labels::standardLabelsForIdentifier(const QString &identifier)
{
    return standardTable().value(identifier);
}

QStringList Labels::labelsForIdentifier(const QString &identifier)
{
    const auto it = standardTable().constFind(identifier);
    if (it == standardTable().cend())
        return {};
    return it.value() + customLabelsForIdentifier(identifier);
}

QStringList Labels::customLabelsForIdentifier(const QString &identifier)
{
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    return t.custom.value(identifier);
}

Labels::Table Labels::customLabelTableDict()
{
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    return t.custom;
}

Labels::Table Labels::localizedLabelTableDict()
{
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    t.ensureDisplay();
    return t.display;
}

QStringList Labels::localizedLabelsForIdentifier(const QString &identifier)
{
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    t.ensureDisplay();
    return t.display.value(identifier);
}

bool Labels::setLabelToForIdentifier(
    const QString &oldLabel, const QString &newLabel, const QString &identifier)
{
    if (standardTable().value(identifier).contains(newLabel))
        return false;
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    QStringList &custom = t.custom[identifier];
    const qsizetype at = oldLabel.isEmpty() ? -1 : custom.indexOf(oldLabel);
    if (at >= 0) {
        if (!newLabel.isEmpty())
            custom[at] = newLabel;
        else
            custom.removeAt(at);
        t.displayBuilt = false;
        return true;
    }
    if (newLabel.isEmpty() || custom.contains(newLabel))
        return false;
    custom.append(newLabel);
    t.displayBuilt = false;
    return true;
}

void Labels::resetCustomLabels()
{
    MutableTables &t = tables();
    QMutexLocker lock(&t.mutex);
    t.custom.clear();
    t.display.clear();
    t.displayBuilt = false;
}

QString Labels::labelFromCNLabel(const QString &storeLabel)
{
    if (storeLabel == LabelText::All)
        return LabelText::All;
    if (const QString *label = sharedAnswer(sharedStoreLabels(), storeLabel))
        return *label;
    const auto it = storeToLabel().constFind(storeLabel);
    if (it != storeToLabel().cend())
        return it.value();
    QString result = storeLabel;
    static const QString wrapper = u"_$!<"_s;
    if (storeLabel.contains(wrapper) && storeLabel.size() >= 8)
        result = storeLabel.mid(4, storeLabel.size() - 8);
    if (result.isEmpty())
        return LabelText::NoLabel;
    return result;
}

QString Labels::CNLabelFromLabel(const QString &label)
{
    if (label.isNull())
        return QString();
    if (label == LabelText::All)
        return LabelText::All;
    if (const QString *storeLabel = sharedAnswer(sharedLabels(), label))
        return *storeLabel;
    return labelToStore().value(label, label);
}

bool Labels::isSharedTableString(const QString &text)
{
    return sharedAnswer(sharedStoreLabels(), text) || sharedAnswer(sharedLabels(), text);
}

QString Labels::localizedLabelFromCNLabel(const QString &storeLabel)
{
    const auto it = displayTexts().constFind(storeLabel);
    if (it != displayTexts().cend())
        return QCoreApplication::translate("Labels", it.value());
    // Service names and custom labels are shown as their own text.
    const QString label = labelFromCNLabel(storeLabel);
    return storeLabel.isEmpty() ? QCoreApplication::translate("Labels", "No label") : label;
}

QString Labels::localizedStoreKey(const QString &storeKey)
{
    const auto it = storeKeyTexts().constFind(storeKey);
    if (it == storeKeyTexts().cend())
        return QString();
    return QCoreApplication::translate("StoreKeys", it.value());
}
