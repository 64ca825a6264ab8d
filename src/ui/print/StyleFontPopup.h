#pragma once

#include "print/VerticalFontList.h"

#include <QComboBox>
#include <QList>

// A pop-up of the fonts that set text vertically. Until the list is built (it is read off the GUI thread)
// it holds the stored font alone, so saving meanwhile keeps that font.
class StyleFontPopup : public QComboBox
{
    Q_OBJECT

public:
    explicit StyleFontPopup(QWidget *parent = nullptr);

    void setFonts(const QList<VerticalFont> &fonts);
    // Selects the stored font; one the list lacks selects the list's first entry.
    void setFontName(const QString &fontName);
    QString fontName() const;

private:
    void fill();

    QList<VerticalFont> m_fonts;
    QString m_wanted;
};
