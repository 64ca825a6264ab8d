#pragma once

#include <QString>

// Lengths in the print options are stored in points; the settings show them in a display unit.
namespace PrintUnits {

enum class Unit { Points, Inches, Millimeters };

inline constexpr double PointsPerInch = 72.0;
inline constexpr double MillimetersPerInch = 25.4;

// "points", "inches" or "mm"; anything else reads as points, the unit the options are stored in.
Unit unitFromName(const QString &name);
QString unitName(Unit unit);

double toPoints(double value, Unit unit);
double fromPoints(double points, Unit unit);
double changeValue(double value, Unit from, Unit to);
// Steppers move by a tenth of an inch, or by one point or millimetre.
double stepIncrement(Unit unit);

inline double millimetersToPoints(double mm)
{
    return toPoints(mm, Unit::Millimeters);
}
inline double pointsToMillimeters(double points)
{
    return fromPoints(points, Unit::Millimeters);
}

} // namespace PrintUnits
