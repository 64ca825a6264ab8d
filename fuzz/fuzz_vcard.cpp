#include "model/CardTextArena.h"
#include "model/StoreContactStrings.h"
#include "model/VCardLineReader.h"
#include "model/VCardOtherProperties.h"
#include "model/VCardSerialization.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

StoreContact withoutNoteAndImages(StoreContact contact)
{
    contact.note.clear();
    if (contact.hasExtras()) {
        contact.editExtras().imageData.clear();
        contact.editExtras().thumbnailImageData.clear();
        // Pictures beside the record's go only with the record's own, which this writer leaves out.
        const QByteArray others
            = VCardOtherProperties::withoutEmbeddedPhotos(contact.extras().otherProperties);
        if (others != contact.extras().otherProperties)
            contact.editExtras().otherProperties = others;
    }
    return contact;
}

} // namespace

// Reads arbitrary bytes as vCard text; whatever is read must come back unchanged (but for the
// note and the pictures, which this writer leaves out) from a write and a second read.
// Structured values are cut in their bytes when they are plain UTF-8; the components must be those
// of the value decoded whole and then cut. No contact read may keep text in the reading thread's
// arena, which the next card overwrites.
void checkComponents(const QByteArray &bytes)
{
    VCardLineReader::readCards(bytes, [](const VCardCard &card) {
        for (const VCardProperty &property : card.properties) {
            QString viaBytes[7], viaText[7];
            const int count = VCardLineReader::structuredComponents(property, viaBytes, 7);
            if (count
                != VCardLineReader::splitComponents(VCardLineReader::decodedText(property), u';', viaText, 7))
                std::abort();
            for (int i = 0; i < count; ++i) {
                if (viaBytes[i] != viaText[i])
                    std::abort();
            }
            // Whole UTF-8 values have their escapes undone in their bytes too.
            if (property.encoding == VCardProperty::Encoding::None
                && (property.charset.isEmpty()
                    || VCardLineReader::equalsIgnoringCase(property.charset, "UTF-8"))) {
                const std::optional<QString> unescaped
                    = VCardLineReader::unescapedUtf8Value(property.rawValue);
                if (unescaped
                    && *unescaped != VCardLineReader::unescape(VCardLineReader::decodedText(property)))
                    std::abort();
            }
        }
    });
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkComponents(bytes);
    QString error;
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(bytes, &error);
    if (contacts.isEmpty())
        return 0;
    const CardTextArena::Range arena = CardTextArena::range();
    for (StoreContact &contact : contacts) {
        StoreContactStrings::forEach(contact, [&](QString &text) {
            if (arena.holds(text))
                std::abort();
        });
    }
    const QByteArray written = VCardSerialization::dataWithContacts(contacts, &error);
    const QList<StoreContact> reread = VCardSerialization::contactsWithData(written, &error);
    if (reread.size() != contacts.size())
        std::abort();
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        if (!(withoutNoteAndImages(contacts[i]) == withoutNoteAndImages(reread[i])))
            std::abort();
    }
    return 0;
}
