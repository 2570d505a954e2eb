#pragma once
// The units a person reads pressures and temperatures in: the read-outs of
// the window (panel, probe, angle view, peaks overlay) and of the command's
// angle view and overlay. The files, the picture's own scale bars, the CSV and
// the JSON stay in the solver's units (N/m2, degrees Celsius). Standard
// library only.

#include <optional>
#include <string_view>

namespace lobus {

enum class PressureUnit { MPa, Bar, KPa, Pa, Psi };
enum class TemperatureUnit { Celsius, Kelvin, Fahrenheit };

struct ReadoutUnits {
    PressureUnit pressure = PressureUnit::MPa;
    TemperatureUnit temperature = TemperatureUnit::Celsius;
    bool operator==(const ReadoutUnits&) const = default;
};

inline constexpr PressureUnit kPressureUnits[]
    = {PressureUnit::MPa, PressureUnit::Bar, PressureUnit::KPa, PressureUnit::Pa, PressureUnit::Psi};
inline constexpr TemperatureUnit kTemperatureUnits[]
    = {TemperatureUnit::Celsius, TemperatureUnit::Kelvin, TemperatureUnit::Fahrenheit};

// A pressure in N/m2 and a temperature in degrees Celsius, in the unit.
double pressureIn(PressureUnit unit, double pascals);
double temperatureIn(TemperatureUnit unit, double celsius);

// The symbol as a person reads it: "MPa", "bar", "kPa", "Pa", "psi"; "°C",
// "K", "°F".
std::string_view symbol(PressureUnit unit);
std::string_view symbol(TemperatureUnit unit);
// The name the command line and the settings use: the pressure's symbol;
// "C", "K", "F".
std::string_view keyword(PressureUnit unit);
std::string_view keyword(TemperatureUnit unit);
std::optional<PressureUnit> pressureUnitNamed(std::string_view keyword);
std::optional<TemperatureUnit> temperatureUnitNamed(std::string_view keyword);

// Decimals of a read-out of a pressure: a resolution of about a kilopascal
// in every unit (MPa 3, bar 2, kPa 0, Pa 0, psi 1); a label one place
// coarser. Temperatures read to two places in every unit.
int pressureDecimals(PressureUnit unit);

} // namespace lobus
