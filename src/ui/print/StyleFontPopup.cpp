#include "ui/print/StyleFontPopup.h"

#include <QSignalBlocker>

StyleFontPopup::StyleFontPopup(QWidget *parent)
    : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(14);
    connect(this, &QComboBox::activated, this, [this] { m_wanted = fontName(); });
}

void StyleFontPopup::setFonts(const QList<VerticalFont> &fonts)
{
    m_fonts = fonts;
    fill();
}

void StyleFontPopup::setFontName(const QString &fontName)
{
    m_wanted = fontName;
    fill();
}

QString StyleFontPopup::fontName() const
{
    return currentData().toString();
}

void StyleFontPopup::fill()
{
    const QSignalBlocker blocker(this);
    clear();
    if (m_fonts.isEmpty()) {
        if (!m_wanted.isEmpty())
            addItem(m_wanted, m_wanted);
        setCurrentIndex(count() - 1);
        return;
    }
    for (const VerticalFont &font : m_fonts)
        addItem(font.displayName, font.fontName);
    setCurrentIndex(VerticalFontList::indexOfFont(m_fonts, m_wanted));
}
