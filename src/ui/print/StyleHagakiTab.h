#pragma once

#include "ui/print/StyleTab.h"

class QCheckBox;
class QComboBox;
class StyleFontPopup;
class StyleLengthBox;
class StyleTypesettingBox;

// The postcard tab: the card's image (none, New Year, ordinary), the vertical font, the automatic
// sender position, the sender's postal-code boxes and how vertical addresses are set.
class StyleHagakiTab : public StyleTab
{
    Q_OBJECT

public:
    explicit StyleHagakiTab(QWidget *parent = nullptr);

    void load(const QVariantMap &options) override;
    void store(QVariantMap &options) const override;
    void stored(const QVariantMap &options) override;
    void setUnit(PrintUnits::Unit unit) override;
    void setVerticalFonts(const QList<VerticalFont> &fonts) override;

private:
    void showSenderZip(const QVariantMap &options);

    QComboBox *m_type = nullptr;
    StyleFontPopup *m_font = nullptr;
    QCheckBox *m_autoSender = nullptr;
    StyleLengthBox *m_zipX = nullptr;
    StyleLengthBox *m_zipY = nullptr;
    StyleTypesettingBox *m_typesetting = nullptr;
    // The postal-code position is written only once typed: it is shown with the ordinary card's offset,
    // so writing what is shown after a change of card would move it.
    mutable bool m_zipEdited = false;
};
