#pragma once

#include "print/PrintUnits.h"
#include "print/VerticalFontList.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVariantMap>

class QComboBox;
class QFontComboBox;
class QSettings;
class QSpinBox;
class QTabWidget;
class StyleAddressListTab;
class StyleEnvelopeTab;
class StyleHagakiTab;
class StyleLabelsTab;
class StyleLengthBox;
class StyleTab;

// The style settings of a window: the global part (display unit, margins, body font, honorific) over
// one tab per print style. Every change is written back at once: the controls are read in a fixed
// order (body font, margins, honorific, labels, envelope, postcard, address list), the whole options
// saved and the change announced through the options' store, which the preview follows.
class StyleSettingsSheet : public QDialog
{
    Q_OBJECT

public:
    StyleSettingsSheet(QSettings &settings, QWidget *parent = nullptr);

    // The window's sheet, made on first use and kept; opened window-modal on the style's tab.
    static StyleSettingsSheet *open(
        QWidget *window, QSettings &settings, const QString &style, const QStringList &columnsInMainView);

    // Loads the options and shows the style's tab.
    void setPrintStyle(const QString &style);
    QString printStyle() const { return m_printStyle; }
    // The main table's columns: the address list prints those fields.
    void setColumnsInMainView(const QStringList &columns) { m_columnsInMainView = columns; }

    // Fills every control from the options.
    void updateUI();
    // Reads every control back, saves the options and announces them.
    void updatePrintOptions();

    const QVariantMap &printOptions() const { return m_options; }
    PrintUnits::Unit unit() const { return m_unit; }
    void setUnit(PrintUnits::Unit unit);
    void setVerticalFonts(const QList<VerticalFont> &fonts);

    StyleLabelsTab *labelsTab() const { return m_labels; }
    StyleEnvelopeTab *envelopeTab() const { return m_envelope; }
    StyleHagakiTab *hagakiTab() const { return m_hagaki; }
    StyleAddressListTab *addressListTab() const { return m_addressList; }
    QTabWidget *tabs() const { return m_tabs; }

private:
    QWidget *buildGlobalPart();
    QList<StyleTab *> allTabs() const;
    void startFontList();

    QSettings &m_settings;
    QVariantMap m_options;
    QString m_printStyle;
    QStringList m_columnsInMainView;
    PrintUnits::Unit m_unit = PrintUnits::Unit::Points;
    // The body font as stored; a font that is not installed stays stored until another is chosen.
    QString m_fontName;

    QComboBox *m_unitPopup = nullptr;
    StyleLengthBox *m_top = nullptr;
    StyleLengthBox *m_left = nullptr;
    StyleLengthBox *m_right = nullptr;
    StyleLengthBox *m_bottom = nullptr;
    QFontComboBox *m_font = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QComboBox *m_keishou = nullptr;
    QTabWidget *m_tabs = nullptr;
    StyleLabelsTab *m_labels = nullptr;
    StyleEnvelopeTab *m_envelope = nullptr;
    StyleHagakiTab *m_hagaki = nullptr;
    StyleAddressListTab *m_addressList = nullptr;
};
