#pragma once

#include "ui/print/StyleTab.h"

class LabelPresetEditor;
class LabelPresetPanel;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class StyleFontPopup;
class StyleLengthBox;

// The label tab: the preset pop-up, the label size and gaps, frame, country and company lines, vertical
// text with its font, and how many labels each contact gets. The presets are edited in the preset
// editor, which this tab opens; every change there rebuilds the pop-up and applies the changed preset.
class StyleLabelsTab : public StyleTab
{
    Q_OBJECT

public:
    explicit StyleLabelsTab(QWidget *parent = nullptr);

    void load(const QVariantMap &options) override;
    void store(QVariantMap &options) const override;
    void setUnit(PrintUnits::Unit unit) override;
    void setVerticalFonts(const QList<VerticalFont> &fonts) override;

    LabelPresetEditor *presets() const { return m_presets; }
    QComboBox *presetPopup() const { return m_preset; }
    // The preset editor, made on first use; shown above the sheet and usable while it is up.
    LabelPresetPanel *showPresetEditor();
    LabelPresetPanel *presetEditor() const { return m_panel; }

    // A preset was added or changed in the editor: the pop-up is rebuilt, the preset (its row when
    // known, else the first of that name) chosen and applied, and the presets stored.
    void handleNameChange(const QString &name, int row = -1);
    // Presets were removed: the pop-up is rebuilt and the presets stored.
    void handlePresetsRemoved();

private:
    void rebuildPresetPopup(int select);
    void applyPreset(int index);

    LabelPresetEditor *m_presets = nullptr;
    LabelPresetPanel *m_panel = nullptr;
    PrintUnits::Unit m_unit = PrintUnits::Unit::Points;
    QComboBox *m_preset = nullptr;
    QPushButton *m_editPresets = nullptr;
    StyleLengthBox *m_width = nullptr;
    StyleLengthBox *m_height = nullptr;
    StyleLengthBox *m_hGap = nullptr;
    StyleLengthBox *m_vGap = nullptr;
    QCheckBox *m_frame = nullptr;
    QCheckBox *m_country = nullptr;
    QCheckBox *m_company = nullptr;
    QCheckBox *m_vertical = nullptr;
    StyleFontPopup *m_font = nullptr;
    QSpinBox *m_repeat = nullptr;
};
