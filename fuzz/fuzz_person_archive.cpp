#include "model/LayoutString.h"
#include "model/ZRPerson.h"

#include <QByteArray>
#include <QDataStream>
#include <cstddef>
#include <cstdint>

// Contact archives arrive from the clipboard and drag and drop; layout strings from vCard files.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QDataStream in(bytes);
        if (auto person = ZRPerson::fromArchive(in)) {
            (void)person->compositeName();
            (void)person->contactFromCache();
            for (const QString &id : ZRPerson::allIdentifiers())
                (void)person->valueForIdentifier(id);
        }
    }
    QVariantMap record;
    const QString text = QString::fromUtf8(bytes);
    LayoutString::hagakiLayoutFromLayoutString(record, text);
    (void)LayoutString::layoutStringFromHagakiLayoutDict(record);
    (void)LayoutString::normarizeRect(text);
    return 0;
}
