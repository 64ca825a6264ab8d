#include "ui/print/StyleLengthBox.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

StyleLengthBox::StyleLengthBox(QWidget *parent, double maximumPoints)
    : QDoubleSpinBox(parent)
    , m_maximumPoints(maximumPoints)
{
    setKeyboardTracking(false);
    setAccelerated(true);
    show();
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double shown) {
        if (m_showing)
            return;
        m_points = PrintUnits::toPoints(shown, m_unit);
        emit pointsEdited(m_points);
    });
}

void StyleLengthBox::setPoints(double points)
{
    m_points = std::isfinite(points) ? std::clamp(points, 0.0, m_maximumPoints) : 0.0;
    show();
}

void StyleLengthBox::setUnit(PrintUnits::Unit unit)
{
    m_unit = unit;
    show();
}

void StyleLengthBox::show()
{
    m_showing = true;
    const QSignalBlocker blocker(this);
    // Inches need a third decimal to show a point; millimetres and points read well with two.
    setDecimals(m_unit == PrintUnits::Unit::Inches ? 3 : 2);
    setRange(0.0, PrintUnits::fromPoints(m_maximumPoints, m_unit));
    setSingleStep(PrintUnits::stepIncrement(m_unit));
    setValue(PrintUnits::fromPoints(m_points, m_unit));
    m_showing = false;
}
