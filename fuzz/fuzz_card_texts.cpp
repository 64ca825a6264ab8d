#include "find/FindPanelIndex.h"
#include "find/FindPanelSearch.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads arbitrary bytes as a vCard document and indexes it as the find panel does, the records that
// the cards' own texts can stand for left unbuilt. Every value the full search of a record looks in must
// then be found by the index in that contact: ruling a contact out wrongly would hide a true hit.
namespace {

[[noreturn]] void ruledOut(const QString &needle, const char *how)
{
    std::fprintf(stderr, "the index rules out a value of its own contact (%s): [%s]\n", how,
        needle.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FindPanelIndex::setCardTextsUsed(true);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto containers = ZRvCard().containersFromVCards(bytes);
    if (!containers)
        std::abort(); // nothing asked the read to stop
    const ContactTable *table = ZRvCard::contactsInContainer(*containers->first());
    if (!table)
        std::abort();
    const QStringList items { LabelText::All };
    FindPanelIndex index;
    index.start(*table, items, 0);
    index.readUpTo(table->size());
    const FindPanelSearch all(QString(), FindPanel::Mode::CaseSensitive, items);
    for (qsizetype contact = 0; contact < table->size(); ++contact) {
        const ContactEntryPtr &entry = table->at(contact);
        if (!entry || !entry->person)
            continue;
        std::u16string values;
        all.appendTexts(*entry, values); // builds the record
        const QStringView text(values);
        for (const QStringView value : text.tokenize(QChar(FindPanelSearch::TextSeparator))) {
            const QString needle = value.toString();
            if (FindPanelIndex::canFilter(needle, Qt::CaseSensitive)
                && index.nextHolder(contact, contact + 1, needle, Qt::CaseSensitive) != contact)
                ruledOut(needle, "matching case");
            // The value in other cases, wherever a search without case finds it in the value itself.
            for (const QString &other : { needle.toUpper(), needle.toLower() }) {
                if (FindPanelIndex::canFilter(other, Qt::CaseInsensitive)
                    && value.contains(other, Qt::CaseInsensitive)
                    && index.nextHolder(contact, contact + 1, other, Qt::CaseInsensitive) != contact)
                    ruledOut(other, "ignoring case");
            }
        }
    }
    return 0;
}
