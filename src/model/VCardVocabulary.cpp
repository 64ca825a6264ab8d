#include "model/VCardVocabulary.h"

#include "model/StoreKeys.h"

using namespace Qt::StringLiterals;

namespace {

enum TypeFlag : unsigned {
    Home = 1u << 0,
    Work = 1u << 1,
    Other = 1u << 2,
    Cell = 1u << 3,
    Fax = 1u << 4,
    Pager = 1u << 5,
    Main = 1u << 6,
    IPhone = 1u << 7,
    HomePage = 1u << 8,
};

unsigned typeFlag(QByteArrayView word)
{
    // Every TEL, EMAIL and ADR of a file comes through here: the words are told apart by length first.
    const auto is = [&](QByteArrayView text) { return VCardLineReader::equalsIgnoringCase(word, text); };
    switch (word.size()) {
    case 3:
        return is("FAX") ? Fax : 0u;
    case 4:
        return is("HOME") ? Home : is("WORK") ? Work : is("CELL") ? Cell : is("MAIN") ? Main : 0u;
    case 5:
        return is("OTHER") ? Other : is("PAGER") ? Pager : 0u;
    case 6:
        return is("MOBILE") ? Cell : is("IPHONE") ? IPhone : 0u;
    case 8:
        return is("HOMEPAGE") ? HomePage : 0u;
    default:
        return 0;
    }
}

unsigned typeFlags(const VCardProperty &property)
{
    unsigned flags = 0;
    VCardLineReader::forEachParameter(property.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (!VCardLineReader::equalsIgnoringCase(name, "TYPE"))
            return true;
        // A quoted list ("fax,home") arrives as one value.
        qsizetype start = 0;
        while (start <= value.size()) {
            qsizetype comma = start;
            while (comma < value.size() && value[comma] != ',')
                ++comma;
            flags |= typeFlag(VCardLineReader::trimmedBytes(value.sliced(start, comma - start)));
            start = comma + 1;
        }
        return true;
    });
    return flags;
}

QString phoneLabelOf(unsigned flags)
{
    if (flags & IPhone)
        return CN::LabelPhoneNumberiPhone;
    if (flags & Cell)
        return CN::LabelPhoneNumberMobile;
    if (flags & Fax) {
        if (flags & Home)
            return CN::LabelPhoneNumberHomeFax;
        if (flags & Work)
            return CN::LabelPhoneNumberWorkFax;
        return CN::LabelPhoneNumberOtherFax;
    }
    if (flags & Pager)
        return CN::LabelPhoneNumberPager;
    if (flags & Main)
        return CN::LabelPhoneNumberMain;
    if (flags & Home)
        return CN::LabelHome;
    if (flags & Work)
        return CN::LabelWork;
    if (flags & Other)
        return CN::LabelOther;
    return QString();
}

QString placeLabelOf(unsigned flags)
{
    if (flags & Home)
        return CN::LabelHome;
    if (flags & Work)
        return CN::LabelWork;
    if (flags & Other)
        return CN::LabelOther;
    return QString();
}

// Relation and date kinds, as writers name them in TYPE values and in property names.
const struct
{
    const char *word;
    const QString *label;
} KindWords[] = {
    { "father", &CN::LabelContactRelationFather },
    { "mother", &CN::LabelContactRelationMother },
    { "parent", &CN::LabelContactRelationParent },
    { "spouse", &CN::LabelContactRelationSpouse },
    { "child", &CN::LabelContactRelationChild },
    { "brother", &CN::LabelContactRelationBrother },
    { "sister", &CN::LabelContactRelationSister },
    { "friend", &CN::LabelContactRelationFriend },
    { "assistant", &CN::LabelContactRelationAssistant },
    { "manager", &CN::LabelContactRelationManager },
    { "partner", &CN::LabelContactRelationPartner },
    { "son", &CN::LabelContactRelationSon },
    { "daughter", &CN::LabelContactRelationDaughter },
    { "anniversary", &CN::LabelDateAnniversary },
};

const QString *labelOfKindWord(QByteArrayView word)
{
    for (const auto &entry : KindWords) {
        if (VCardLineReader::equalsIgnoringCase(word, entry.word))
            return entry.label;
    }
    return nullptr;
}

// Services that the store has no constant for, named as their clients name them.
const QString ServiceGroupWise = u"GroupWise"_s;
const QString ServiceSip = u"sip"_s; // as IMPP names it by its URI scheme
// Kinds of related names one phone system has and the store has not.
const QString LabelReferredBy = u"referred by"_s;
const QString LabelRelative = u"relative"_s;
// Labels of the web addresses one mail client keeps beside the home page.
const QString LabelBlog = u"blog"_s;
const QString LabelVideoChat = u"video chat"_s;

using Kind = VCardVocabulary::Extension::Kind;

// Properties other clients write for fields of the contact, and what each stands for.
const struct
{
    const char *name;
    Kind kind;
    const QString *labelOrService;
} Extensions[] = {
    // Messaging addresses, one property per service.
    { "X-AIM", Kind::InstantMessage, &CN::InstantMessageServiceAIM },
    { "X-JABBER", Kind::InstantMessage, &CN::InstantMessageServiceJabber },
    { "X-MSN", Kind::InstantMessage, &CN::InstantMessageServiceMSN },
    { "X-YAHOO", Kind::InstantMessage, &CN::InstantMessageServiceYahoo },
    { "X-YAHOO-ID", Kind::InstantMessage, &CN::InstantMessageServiceYahoo },
    { "X-ICQ", Kind::InstantMessage, &CN::InstantMessageServiceICQ },
    { "X-SKYPE", Kind::InstantMessage, &CN::InstantMessageServiceSkype },
    { "X-SKYPE-USERNAME", Kind::InstantMessage, &CN::InstantMessageServiceSkype },
    { "X-QQ", Kind::InstantMessage, &CN::InstantMessageServiceQQ },
    { "X-GADUGADU", Kind::InstantMessage, &CN::InstantMessageServiceGaduGadu },
    { "X-GOOGLE-TALK", Kind::InstantMessage, &CN::InstantMessageServiceGoogleTalk },
    { "X-GTALK", Kind::InstantMessage, &CN::InstantMessageServiceGoogleTalk },
    { "X-GROUPWISE", Kind::InstantMessage, &ServiceGroupWise },
    { "X-SIP", Kind::InstantMessage, &ServiceSip },
    // Messaging addresses whose service the card does not say.
    { "X-MS-IMADDRESS", Kind::InstantMessage, nullptr },
    { "X-KADDRESSBOOK-X-IMADDRESS", Kind::InstantMessage, nullptr },
    { "X-TWITTER", Kind::SocialProfile, &CN::SocialProfileServiceTwitter },
    // Fields of one address book that vCard has no property for.
    { "X-KADDRESSBOOK-X-DEPARTMENT", Kind::Department, nullptr },
    { "X-KADDRESSBOOK-BLOGFEED", Kind::Url, &LabelBlog },
    // Related names and dates of mail clients on Linux and Windows.
    { "X-SPOUSE", Kind::Relation, &CN::LabelContactRelationSpouse },
    { "X-MANAGER", Kind::Relation, &CN::LabelContactRelationManager },
    { "X-ASSISTANT", Kind::Relation, &CN::LabelContactRelationAssistant },
    { "X-ANNIVERSARY", Kind::Date, &CN::LabelDateAnniversary },
    { "X-EVOLUTION-SPOUSE", Kind::Relation, &CN::LabelContactRelationSpouse },
    { "X-EVOLUTION-MANAGER", Kind::Relation, &CN::LabelContactRelationManager },
    { "X-EVOLUTION-ASSISTANT", Kind::Relation, &CN::LabelContactRelationAssistant },
    { "X-EVOLUTION-ANNIVERSARY", Kind::Date, &CN::LabelDateAnniversary },
    { "X-EVOLUTION-BLOG-URL", Kind::Url, &LabelBlog },
    { "X-EVOLUTION-VIDEO-URL", Kind::Url, &LabelVideoChat },
    { "X-MS-SPOUSE", Kind::Relation, &CN::LabelContactRelationSpouse },
    { "X-MS-MANAGER", Kind::Relation, &CN::LabelContactRelationManager },
    { "X-MS-ASSISTANT", Kind::Relation, &CN::LabelContactRelationAssistant },
    { "X-MS-ANNIVERSARY", Kind::Date, &CN::LabelDateAnniversary },
    { "X-MS-TEL", Kind::Phone, nullptr },
    { "X-KADDRESSBOOK-X-SPOUSESNAME", Kind::Relation, &CN::LabelContactRelationSpouse },
    { "X-KADDRESSBOOK-X-MANAGERSNAME", Kind::Relation, &CN::LabelContactRelationManager },
    { "X-KADDRESSBOOK-X-ASSISTANTSNAME", Kind::Relation, &CN::LabelContactRelationAssistant },
    { "X-KADDRESSBOOK-X-ANNIVERSARY", Kind::Date, &CN::LabelDateAnniversary },
};

// One web-address service writes its related names and dates with the label inside the property
// name, hex-encoded: X-FCENCODED-<hex of "X-FC-RelatedNames:Mother">.
VCardVocabulary::Extension hexEncodedExtension(QByteArrayView name)
{
    constexpr QByteArrayView Prefix = "X-FCENCODED-";
    constexpr QByteArrayView Relations = "X-FC-RelatedNames:";
    constexpr QByteArrayView Dates = "X-FC-OtherDates:";
    VCardVocabulary::Extension result;
    if (name.size() <= Prefix.size()
        || !VCardLineReader::equalsIgnoringCase(name.first(Prefix.size()), Prefix))
        return result;
    const QByteArray decoded = QByteArray::fromHex(name.sliced(Prefix.size()).toByteArray());
    QByteArrayView word;
    if (decoded.startsWith(Relations)) {
        result.kind = Kind::Relation;
        word = QByteArrayView(decoded).sliced(Relations.size());
    } else if (decoded.startsWith(Dates)) {
        result.kind = Kind::Date;
        word = QByteArrayView(decoded).sliced(Dates.size());
    } else {
        return result;
    }
    if (const QString *label = labelOfKindWord(word))
        result.label = *label;
    else if (VCardLineReader::equalsIgnoringCase(word, "other"))
        result.label = CN::LabelOther;
    else
        result.label = QString::fromUtf8(word);
    return result;
}

// An older version of one address book names a messaging address by a folder of its own:
// X-messaging/xmpp-All, X-messaging/icq-All ...
VCardVocabulary::Extension legacyMessagingExtension(QByteArrayView name)
{
    constexpr QByteArrayView Prefix = "X-messaging/";
    constexpr QByteArrayView Suffix = "-All";
    VCardVocabulary::Extension result;
    if (name.size() <= Prefix.size() + Suffix.size()
        || !VCardLineReader::equalsIgnoringCase(name.first(Prefix.size()), Prefix)
        || !VCardLineReader::equalsIgnoringCase(name.last(Suffix.size()), Suffix))
        return result;
    const QString protocol
        = QString::fromUtf8(name.sliced(Prefix.size(), name.size() - Prefix.size() - Suffix.size()));
    result.kind = Kind::InstantMessage;
    result.service = VCardVocabulary::serviceFromScheme(protocol);
    if (result.service.isEmpty())
        result.service = protocol;
    return result;
}

} // namespace

namespace VCardVocabulary {

QString phoneLabel(const VCardProperty &property)
{
    return phoneLabelOf(typeFlags(property));
}

QString placeLabel(const VCardProperty &property)
{
    return placeLabelOf(typeFlags(property));
}

QString urlLabel(const VCardProperty &property)
{
    const unsigned flags = typeFlags(property);
    return flags & HomePage ? CN::LabelURLAddressHomePage : placeLabelOf(flags);
}

QString labelFromTypeWord(const VCardProperty &property)
{
    QString result;
    VCardLineReader::forEachParameter(property.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (!VCardLineReader::equalsIgnoringCase(name, "TYPE"))
            return true;
        if (const QString *label = labelOfKindWord(value)) {
            result = *label;
            return false;
        }
        return true;
    });
    return result;
}

QString serviceFromScheme(QStringView scheme)
{
    static const struct
    {
        const char16_t *scheme;
        const QString *service;
    } table[] = {
        { u"aim", &CN::InstantMessageServiceAIM },
        { u"xmpp", &CN::InstantMessageServiceJabber },
        { u"jabber", &CN::InstantMessageServiceJabber },
        { u"msnim", &CN::InstantMessageServiceMSN },
        { u"msn", &CN::InstantMessageServiceMSN },
        { u"ymsgr", &CN::InstantMessageServiceYahoo },
        { u"yahoo", &CN::InstantMessageServiceYahoo },
        { u"icq", &CN::InstantMessageServiceICQ },
        { u"skype", &CN::InstantMessageServiceSkype },
        { u"callto", &CN::InstantMessageServiceSkype },
        { u"qq", &CN::InstantMessageServiceQQ },
        { u"gg", &CN::InstantMessageServiceGaduGadu },
        { u"gadugadu", &CN::InstantMessageServiceGaduGadu },
        { u"gadu", &CN::InstantMessageServiceGaduGadu },
        { u"groupwise", &ServiceGroupWise },
        { u"gtalk", &CN::InstantMessageServiceGoogleTalk },
        { u"googletalk", &CN::InstantMessageServiceGoogleTalk },
        { u"google", &CN::InstantMessageServiceGoogleTalk },
        { u"facebook", &CN::InstantMessageServiceFacebook },
    };
    for (const auto &entry : table) {
        if (scheme.compare(QStringView(entry.scheme), Qt::CaseInsensitive) == 0)
            return *entry.service;
    }
    return QString();
}

bool splitScheme(QStringView text, QStringView *scheme, QStringView *rest)
{
    qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        char16_t c = text[i].unicode();
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
            || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok)
            return false;
    }
    *scheme = text.first(colon);
    *rest = text.sliced(colon + 1);
    return true;
}
Extension extension(const VCardProperty &property)
{
    for (const auto &entry : Extensions) {
        if (property.nameIs(entry.name)) {
            Extension result;
            result.kind = entry.kind;
            if (entry.labelOrService) {
                if (entry.kind == Kind::InstantMessage || entry.kind == Kind::SocialProfile)
                    result.service = *entry.labelOrService;
                else
                    result.label = *entry.labelOrService;
            }
            return result;
        }
    }
    if (Extension legacy = legacyMessagingExtension(property.name); legacy.kind != Kind::None)
        return legacy;
    return hexEncodedExtension(property.name);
}

QString androidRelationLabel(int type, const QString &custom)
{
    // The phone system's numbering of related names; a domestic partner is a partner here.
    static const QString *const labels[] = { nullptr, &CN::LabelContactRelationAssistant,
        &CN::LabelContactRelationBrother, &CN::LabelContactRelationChild, &CN::LabelContactRelationPartner,
        &CN::LabelContactRelationFather, &CN::LabelContactRelationFriend, &CN::LabelContactRelationManager,
        &CN::LabelContactRelationMother, &CN::LabelContactRelationParent, &CN::LabelContactRelationPartner,
        &LabelReferredBy, &LabelRelative, &CN::LabelContactRelationSister, &CN::LabelContactRelationSpouse };
    if (type > 0 && type < int(std::size(labels)))
        return *labels[type];
    return custom;
}

QString androidEventLabel(int type, const QString &custom)
{
    switch (type) {
    case 1:
        return CN::LabelDateAnniversary;
    case 2:
        return CN::LabelOther;
    default:
        return custom;
    }
}

} // namespace VCardVocabulary
