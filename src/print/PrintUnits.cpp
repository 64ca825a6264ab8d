#include "print/PrintUnits.h"

#include "print/PrintOptionKeys.h"

namespace PrintUnits {

Unit unitFromName(const QString &name)
{
    if (name == PrintValue::UnitInches)
        return Unit::Inches;
    if (name == PrintValue::UnitMillimeters)
        return Unit::Millimeters;
    return Unit::Points;
}

QString unitName(Unit unit)
{
    switch (unit) {
    case Unit::Inches:
        return PrintValue::UnitInches;
    case Unit::Millimeters:
        return PrintValue::UnitMillimeters;
    case Unit::Points:
        break;
    }
    return PrintValue::UnitPoints;
}

double toPoints(double value, Unit unit)
{
    switch (unit) {
    case Unit::Inches:
        return value * PointsPerInch;
    case Unit::Millimeters:
        return value * PointsPerInch / MillimetersPerInch;
    case Unit::Points:
        break;
    }
    return value;
}

double fromPoints(double points, Unit unit)
{
    switch (unit) {
    case Unit::Inches:
        return points / PointsPerInch;
    case Unit::Millimeters:
        return points * MillimetersPerInch / PointsPerInch;
    case Unit::Points:
        break;
    }
    return points;
}

double changeValue(double value, Unit from, Unit to)
{
    if (from == to)
        return value;
    // Direct factors between inches and millimetres, so a round trip through points adds no error.
    if (from == Unit::Millimeters && to == Unit::Inches)
        return value / MillimetersPerInch;
    if (from == Unit::Inches && to == Unit::Millimeters)
        return value * MillimetersPerInch;
    return fromPoints(toPoints(value, from), to);
}

double stepIncrement(Unit unit)
{
    return unit == Unit::Inches ? 0.1 : 1.0;
}

} // namespace PrintUnits
