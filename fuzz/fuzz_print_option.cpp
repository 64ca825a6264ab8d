// Print options set from command-line text: any KEY=VALUE lines give a value or an error naming it, and
// options that took every line are still options the stored-options repair keeps as they are.
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionPaths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const PrintOptions::FontDefaults fonts { QStringLiteral("Sans"), 14, QStringLiteral("Serif") };
    static const PrintOptionPaths paths(PrintValue::LanguageJapanese, fonts);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QVariantMap options = PrintOptions::initPrintOptions(PrintValue::LanguageJapanese, fonts);
    for (const QString &line : text.split(u'\n')) {
        const QVariantMap before = options;
        const QString error = paths.assign(options, line);
        if (!error.isEmpty() && options != before)
            std::abort(); // a refused value changes nothing
    }
    bool replaced = false;
    PrintOptions::repairedPrintOptions(options, PrintValue::LanguageJapanese, fonts, &replaced);
    if (replaced)
        std::abort();
    paths.entries(options);
    return 0;
}
