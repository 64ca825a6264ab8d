#pragma once

#include "print/PrintUnits.h"
#include "print/VerticalFontList.h"

#include <QList>
#include <QVariantMap>
#include <QWidget>

class QCheckBox;
class QFormLayout;

// One tab of the style settings: it shows its part of the print options and writes it back. Every change
// the user makes is announced with edited(); the sheet then stores every tab, saves and notifies.
class StyleTab : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Fills the controls from the options; emits nothing.
    virtual void load(const QVariantMap &options) = 0;
    // Writes the controls into the options.
    virtual void store(QVariantMap &options) const = 0;
    // Called after the sheet saved: controls that show a value derived from others refresh.
    virtual void stored(const QVariantMap &options) { Q_UNUSED(options) }
    // Lengths are shown in the unit from now on.
    virtual void setUnit(PrintUnits::Unit unit) { Q_UNUSED(unit) }
    virtual void setVerticalFonts(const QList<VerticalFont> &fonts) { Q_UNUSED(fonts) }

signals:
    void edited();

protected:
    // A check box row of the form whose clicks announce the change.
    QCheckBox *addCheckRow(QFormLayout *form, const QString &text, const QString &objectName);
};
