#include "numbers/readoutunits.h"

namespace lobus {

namespace {

// N/m2 per unit; a pound-force per square inch exactly, by the definitions
// of the pound and the inch.
constexpr double kPascalsPerPsi = 0.45359237 * 9.80665 / (0.0254 * 0.0254);

} // namespace

double pressureIn(PressureUnit unit, double pascals)
{
    switch (unit) {
    case PressureUnit::MPa:
        return pascals / 1.0e6;
    case PressureUnit::Bar:
        return pascals / 1.0e5;
    case PressureUnit::KPa:
        return pascals / 1.0e3;
    case PressureUnit::Pa:
        return pascals;
    case PressureUnit::Psi:
        return pascals / kPascalsPerPsi;
    }
    return pascals;
}

double temperatureIn(TemperatureUnit unit, double celsius)
{
    switch (unit) {
    case TemperatureUnit::Celsius:
        return celsius;
    case TemperatureUnit::Kelvin:
        return celsius + 273.15;
    case TemperatureUnit::Fahrenheit:
        return celsius * 1.8 + 32.0;
    }
    return celsius;
}

std::string_view symbol(PressureUnit unit) { return keyword(unit); }

std::string_view symbol(TemperatureUnit unit)
{
    switch (unit) {
    case TemperatureUnit::Kelvin:
        return "K";
    case TemperatureUnit::Fahrenheit:
        return "°F";
    default:
        return "°C";
    }
}

std::string_view keyword(PressureUnit unit)
{
    switch (unit) {
    case PressureUnit::Bar:
        return "bar";
    case PressureUnit::KPa:
        return "kPa";
    case PressureUnit::Pa:
        return "Pa";
    case PressureUnit::Psi:
        return "psi";
    default:
        return "MPa";
    }
}

std::string_view keyword(TemperatureUnit unit)
{
    switch (unit) {
    case TemperatureUnit::Kelvin:
        return "K";
    case TemperatureUnit::Fahrenheit:
        return "F";
    default:
        return "C";
    }
}

std::optional<PressureUnit> pressureUnitNamed(std::string_view name)
{
    for (PressureUnit u : kPressureUnits)
        if (keyword(u) == name)
            return u;
    return std::nullopt;
}

std::optional<TemperatureUnit> temperatureUnitNamed(std::string_view name)
{
    for (TemperatureUnit u : kTemperatureUnits)
        if (keyword(u) == name)
            return u;
    return std::nullopt;
}

int pressureDecimals(PressureUnit unit)
{
    switch (unit) {
    case PressureUnit::MPa:
        return 3;
    case PressureUnit::Bar:
        return 2;
    case PressureUnit::Psi:
        return 1;
    default:
        return 0;
    }
}

} // namespace lobus
