#pragma once

#include "ui/print/StyleTab.h"

class QCheckBox;
class QComboBox;
class StyleFontPopup;
class StyleTypesettingBox;

// The envelope tab: outline, postal code, country and company lines, vertical text with its font and
// direction, and how vertical addresses are set.
class StyleEnvelopeTab : public StyleTab
{
    Q_OBJECT

public:
    explicit StyleEnvelopeTab(QWidget *parent = nullptr);

    void load(const QVariantMap &options) override;
    void store(QVariantMap &options) const override;
    void setVerticalFonts(const QList<VerticalFont> &fonts) override;

private:
    QCheckBox *m_border = nullptr;
    QCheckBox *m_zip = nullptr;
    QCheckBox *m_country = nullptr;
    QCheckBox *m_company = nullptr;
    QCheckBox *m_vertical = nullptr;
    StyleFontPopup *m_font = nullptr;
    QComboBox *m_direction = nullptr;
    StyleTypesettingBox *m_typesetting = nullptr;
};
