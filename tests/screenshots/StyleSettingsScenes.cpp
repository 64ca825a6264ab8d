#include "Scene.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsStore.h"
#include "print/VerticalFontList.h"
#include "ui/print/LabelPresetPanel.h"
#include "ui/print/StyleLabelsTab.h"
#include "ui/print/StyleSettingsSheet.h"

#include <QApplication>

namespace {

// The style settings on one style's tab, with the options a user of the language starts with.
StyleSettingsSheet *styleSheet(SceneContext &context, const QString &style)
{
    PrintOptionsStore::save(context.settings(), PrintOptions::initPrintOptions(context.language()));
    auto *sheet = new StyleSettingsSheet(context.settings());
    sheet->setColumnsInMainView({ QStringLiteral("Name"), QStringLiteral("Phone"), QStringLiteral("Email") });
    sheet->setPrintStyle(style);
    sheet->setVerticalFonts(VerticalFontList::makeVerticalFontList(QApplication::font().family()));
    return sheet;
}

} // namespace

CORVANTHE_SCENE("style-settings-hagaki",
    [](SceneContext &context) { return SceneContext::grab(styleSheet(context, PrintValue::StyleHagaki)); });

CORVANTHE_SCENE("style-settings-envelope",
    [](SceneContext &context) { return SceneContext::grab(styleSheet(context, PrintValue::StyleEnvelope)); });

CORVANTHE_SCENE("style-settings-labels",
    [](SceneContext &context) { return SceneContext::grab(styleSheet(context, PrintValue::StyleLabels)); });

CORVANTHE_SCENE("style-settings-address-list", [](SceneContext &context) {
    return SceneContext::grab(styleSheet(context, PrintValue::StyleAddressList));
});

// The preset editor after adding a preset, shown in millimetres.
CORVANTHE_SCENE("label-preset-editor", [](SceneContext &context) {
    StyleSettingsSheet *sheet = styleSheet(context, PrintValue::StyleLabels);
    LabelPresetPanel *panel = sheet->labelsTab()->showPresetEditor();
    panel->setUnit(PrintUnits::Unit::Millimeters);
    panel->addPreset();
    return SceneContext::grab(panel);
});
