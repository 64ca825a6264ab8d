#include "ReceiverRecord.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

qsizetype labelIndexOf(const QVariantMap &entry)
{
    bool ok = false;
    const qsizetype n = entry.value(Key::LabelIndex).toLongLong(&ok);
    return ok ? n : -1;
}

QVariantMap entryWithLabelIndex(const QVariantList &list, qsizetype labelIndex)
{
    for (const QVariant &v : list) {
        const QVariantMap entry = v.toMap();
        if (labelIndexOf(entry) == labelIndex)
            return entry;
    }
    return {};
}

} // namespace

bool ReceiverRecord::isSender() const
{
    return layoutDict.value(Key::Sender).toBool();
}

bool ReceiverRecord::printsCompany() const
{
    return layoutDict.value(Key::Company).toBool();
}

bool ReceiverRecord::printsRenmei() const
{
    return layoutDict.value(Key::Renmei).toBool();
}

QStringList ReceiverRecord::renmeiList() const
{
    QStringList names = renmei.split(u'\n');
    names.removeAll(QString());
    return names;
}

ReceiverRecord ReceiverRecord::convertContact(const std::shared_ptr<ZRPerson> &person, qsizetype labelIndex)
{
    ReceiverRecord r;
    r.person = person;
    if (!person)
        return r;
    r.name = person->nameValue();
    r.name.insert(Ident::Name, person->compositeName());
    const QVariantMap &strings = person->stringValues();
    r.renmei = strings.value(Ident::Renmei).toString();
    r.company = strings.value(Ident::Company).toString();

    const QVariantList &addresses = person->addressValues();
    QVariantMap address;
    if (labelIndex < 0) {
        if (!addresses.isEmpty())
            address = addresses.first().toMap();
    } else {
        address = entryWithLabelIndex(addresses, labelIndex);
    }
    r.labelIndex = address.isEmpty() ? 0 : labelIndexOf(address);
    if (r.labelIndex < 0)
        r.labelIndex = 0;
    r.address = address;
    r.layoutDict = entryWithLabelIndex(person->hagakiLayouts(), r.labelIndex);
    return r;
}

qsizetype ReceiverRecord::senderLabelIndex(const std::shared_ptr<ZRPerson> &person)
{
    if (!person)
        return -1;
    for (const QVariant &v : person->hagakiLayouts()) {
        const QVariantMap entry = v.toMap();
        if (entry.value(Key::Sender).toBool())
            return labelIndexOf(entry);
    }
    return -1;
}
