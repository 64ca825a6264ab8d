#include "print/ReceiverRecord.h"

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
    r.name = person->readNameValue();
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
    // The layout record lives in the address entry (files and the table write it there); the
    // contact's layout list holds what the postcard view stored. The address entry wins.
    r.layoutDict = entryWithLabelIndex(person->hagakiLayouts(), r.labelIndex);
    for (const QString &key : { Key::Sender, Key::Company, Key::Renmei, Key::ReceiverName,
             Key::ReceiverAddress, Key::SenderName, Key::SenderAddress }) {
        if (address.contains(key))
            r.layoutDict.insert(key, address.value(key));
    }
    return r;
}

qsizetype ReceiverRecord::senderLabelIndex(const std::shared_ptr<ZRPerson> &person)
{
    if (!person)
        return -1;
    for (const QVariant &v : person->addressValues()) {
        const QVariantMap entry = v.toMap();
        if (entry.value(Key::Sender).toBool())
            return labelIndexOf(entry);
    }
    for (const QVariant &v : person->hagakiLayouts()) {
        const QVariantMap entry = v.toMap();
        if (entry.value(Key::Sender).toBool())
            return labelIndexOf(entry);
    }
    return -1;
}
