#include "print/PrintOptionEdits.h"

#include "print/LabelPreset.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace PrintOptionEdits {

namespace {

QVariantList itemTable(const QVariantMap &options)
{
    return options.value(PrintKey::AddressList).toMap().value(PrintKey::ItemTable).toList();
}

QString itemTitle(const QVariant &item)
{
    return PrintOptions::text(item.toMap().value(PrintKey::ItemTitle));
}

// "Name" cannot be switched off: it heads every entry whatever its state.
bool isFixedItem(const QVariant &item)
{
    return !PrintOptions::flag(item.toMap().value(PrintKey::ItemEnabled), true);
}

QVariant withState(const QVariant &item, bool on)
{
    QVariantMap record = item.toMap();
    record.insert(PrintKey::ItemState, on ? u"1"_s : u"0"_s);
    return record;
}

} // namespace

QString setAddressListItems(QVariantMap &options, const QStringList &titles)
{
    const QVariantList items = itemTable(options);
    QVariantList fixed, chosen, rest;
    QList<bool> taken(items.size(), false);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (isFixedItem(items.at(i))) {
            fixed.append(items.at(i));
            taken[i] = true;
        }
    }
    for (const QString &wanted : titles) {
        const QString title = wanted.trimmed();
        if (title.isEmpty())
            continue;
        qsizetype found = -1;
        for (qsizetype i = 0; i < items.size() && found < 0; ++i) {
            if (itemTitle(items.at(i)).compare(title, Qt::CaseInsensitive) == 0)
                found = i;
        }
        if (found < 0) {
            return QCoreApplication::translate(
                "PrintOptions", "unknown address list item “%1”; the items are: %2")
                .arg(title, addressListItemTitles(options).join(u", "_s));
        }
        if (taken.at(found))
            continue;
        taken[found] = true;
        chosen.append(withState(items.at(found), true));
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!taken.at(i))
            rest.append(withState(items.at(i), false));
    }
    QVariantMap list = options.value(PrintKey::AddressList).toMap();
    list.insert(PrintKey::ItemTable, fixed + chosen + rest);
    options.insert(PrintKey::AddressList, list);
    return QString();
}

QStringList addressListItems(const QVariantMap &options)
{
    QStringList titles;
    for (const QVariant &item : itemTable(options)) {
        if (PrintOptions::flag(item.toMap().value(PrintKey::ItemState)))
            titles.append(itemTitle(item));
    }
    return titles;
}

QStringList addressListItemTitles(const QVariantMap &options)
{
    QStringList titles;
    for (const QVariant &item : itemTable(options))
        titles.append(itemTitle(item));
    return titles;
}

QString setCardType(QVariantMap &options, const QString &word)
{
    const QStringList words = cardTypeWords();
    const QStringList choices
        = { PrintValue::HagakiChoiceNenga, PrintValue::HagakiChoiceGeneral, PrintValue::HagakiChoiceNone };
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i).compare(word.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
        PrintChoices::applyHagakiTypeChoice(hagaki, choices.at(i));
        options.insert(PrintKey::Hagaki, hagaki);
        return QString();
    }
    return QCoreApplication::translate("PrintOptions", "unknown card “%1”; it is one of: %2")
        .arg(word, words.join(u", "_s));
}

QStringList cardTypeWords()
{
    return { u"nenga"_s, u"general"_s, u"none"_s };
}

QString applyLabelPreset(QVariantMap &options, const QString &name)
{
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    const QList<LabelPreset> presets
        = LabelPresets::fromVariantList(labels.value(PrintKey::PresetArray).toList());
    const int index = LabelPresets::indexOfName(presets, name);
    if (index < 0)
        return QCoreApplication::translate("PrintOptions", "unknown preset “%1”; the presets are: %2")
            .arg(name, labelPresetNames(options).join(u", "_s));
    LabelPresets::applyPreset(options, presets.at(index));
    return QString();
}

QStringList labelPresetNames(const QVariantMap &options)
{
    QStringList names;
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    for (const LabelPreset &preset :
        LabelPresets::fromVariantList(labels.value(PrintKey::PresetArray).toList()))
        names.append(preset.name);
    return names;
}

void setFont(QVariantMap &options, const QString &family)
{
    options.insert(PrintKey::FontName, family);
    for (const QString &key : { PrintKey::MailingLabels, PrintKey::Envelope }) {
        QVariantMap style = options.value(key).toMap();
        style.insert(PrintKey::VerticalFontName, family);
        options.insert(key, style);
    }
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    hagaki.insert(PrintKey::FontName, family);
    options.insert(PrintKey::Hagaki, hagaki);
}

void setHonorific(QVariantMap &options, const QString &honorific)
{
    options.insert(PrintKey::Keishou, PrintChoices::keishouForChoice(honorific));
}

} // namespace PrintOptionEdits
