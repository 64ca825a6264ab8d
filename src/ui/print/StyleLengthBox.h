#pragma once

#include "print/PrintUnits.h"

#include <QDoubleSpinBox>

// A length of the print options (never negative), shown in the display unit and kept in points. The points
// are the value: switching the unit back and forth only changes what is shown, so nothing drifts by rounding.
class StyleLengthBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit StyleLengthBox(QWidget *parent = nullptr, double maximumPoints = 2000.0);

    double points() const { return m_points; }
    // Shows a stored length; emits nothing.
    void setPoints(double points);

    PrintUnits::Unit unit() const { return m_unit; }
    // Shows the same length in another unit, with that unit's step; emits nothing.
    void setUnit(PrintUnits::Unit unit);

signals:
    // The user typed or stepped a new length.
    void pointsEdited(double points);

private:
    void show();

    double m_points = 0.0;
    double m_maximumPoints;
    PrintUnits::Unit m_unit = PrintUnits::Unit::Points;
    bool m_showing = false;
};
