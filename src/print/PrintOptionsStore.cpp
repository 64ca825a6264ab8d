#include "print/PrintOptionsStore.h"

#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsNotice.h"

#include <QCoreApplication>
#include <QSettings>

namespace PrintOptionsStore {

QVariantMap load(QSettings &settings, const QString &language)
{
    bool replaced = false;
    bool repaired = false;
    const QVariantMap options = PrintOptions::repairedPrintOptions(
        settings.value(PrintKey::DefaultsPrintOptions), language, &replaced, &repaired);
    if (replaced || repaired)
        save(settings, options);
    return options;
}

QVariantMap load(QSettings &settings)
{
    return load(settings, PrintOptions::preferredLanguage());
}

void save(QSettings &settings, const QVariantMap &options)
{
    settings.setValue(PrintKey::DefaultsPrintOptions, options);
    PrintOptionsNotice::instance().postOptionsUpdated(options);
}

QString loadPrintStyle(QSettings &settings)
{
    const QVariant stored = settings.value(PrintKey::DefaultsPrintStyle);
    const QString style = stored.metaType().id() == QMetaType::QString ? stored.toString() : QString();
    if (printStyles().contains(style))
        return style;
    savePrintStyle(settings, PrintValue::StyleHagaki);
    return PrintValue::StyleHagaki;
}

void savePrintStyle(QSettings &settings, const QString &style)
{
    const bool changed = settings.value(PrintKey::DefaultsPrintStyle).toString() != style;
    settings.setValue(PrintKey::DefaultsPrintStyle, style);
    if (changed)
        PrintOptionsNotice::instance().postPrintStyleChanged(style);
}

QStringList printStyles()
{
    return { PrintValue::StyleHagaki, PrintValue::StyleEnvelope, PrintValue::StyleLabels,
        PrintValue::StyleAddressList };
}

QString printStyleTitle(const QString &style)
{
    if (style == PrintValue::StyleHagaki)
        return QCoreApplication::translate("PrintStyles", "Hagaki");
    if (style == PrintValue::StyleEnvelope)
        return QCoreApplication::translate("PrintStyles", "Envelope");
    if (style == PrintValue::StyleLabels)
        return PrintValue::StyleLabelsTitle;
    if (style == PrintValue::StyleAddressList)
        return QCoreApplication::translate("PrintStyles", "Address List");
    return style;
}

QString paperNameForStyle(const QString &style)
{
    return style == PrintValue::StyleHagaki ? PaperSizes::Postcard : PaperSizes::Letter;
}

} // namespace PrintOptionsStore
