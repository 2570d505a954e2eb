#include "gui/unitsmenu.h"

#include "gui/numberspanel.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>

namespace lobus {

namespace {

constexpr const char* kPressureKey = "readoutUnits/pressure";
constexpr const char* kTemperatureKey = "readoutUnits/temperature";

std::string_view keyOf(QSettings* settings, const char* key, std::string& held)
{
    held = settings ? settings->value(QLatin1String(key)).toString().toStdString() : std::string();
    return held;
}

} // namespace

UnitsMenu::UnitsMenu(QMenu& menu, QSettings* settings) : QObject(&menu), m_settings(settings)
{
    std::string held;
    m_units.pressure = pressureUnitNamed(keyOf(settings, kPressureKey, held)).value_or(PressureUnit::MPa);
    m_units.temperature
        = temperatureUnitNamed(keyOf(settings, kTemperatureKey, held)).value_or(TemperatureUnit::Celsius);

    m_menu = menu.addMenu(QCoreApplication::translate("lobus::UnitsMenu", "&Jednostki odczytów"));
    // The symbols are the same in every language.
    m_menu->addSection(QCoreApplication::translate("lobus::UnitsMenu", "Ciśnienie"));
    auto* pressures = new QActionGroup(m_menu);
    for (std::size_t i = 0; i < std::size(kPressureUnits); ++i) {
        const PressureUnit unit = kPressureUnits[i];
        QAction* a = m_menu->addAction(unitText(unit));
        a->setCheckable(true);
        a->setChecked(unit == m_units.pressure);
        pressures->addAction(a);
        connect(a, &QAction::triggered, this, [this, unit] {
            ReadoutUnits u = m_units;
            u.pressure = unit;
            choose(u);
        });
        m_pressure[i] = a;
    }
    m_menu->addSection(QCoreApplication::translate("lobus::UnitsMenu", "Temperatura"));
    auto* temperatures = new QActionGroup(m_menu);
    for (std::size_t i = 0; i < std::size(kTemperatureUnits); ++i) {
        const TemperatureUnit unit = kTemperatureUnits[i];
        QAction* a = m_menu->addAction(unitText(unit));
        a->setCheckable(true);
        a->setChecked(unit == m_units.temperature);
        temperatures->addAction(a);
        connect(a, &QAction::triggered, this, [this, unit] {
            ReadoutUnits u = m_units;
            u.temperature = unit;
            choose(u);
        });
        m_temperature[i] = a;
    }
}

QAction* UnitsMenu::action(PressureUnit unit) const
{
    for (std::size_t i = 0; i < std::size(kPressureUnits); ++i)
        if (kPressureUnits[i] == unit)
            return m_pressure[i];
    return nullptr;
}

QAction* UnitsMenu::action(TemperatureUnit unit) const
{
    for (std::size_t i = 0; i < std::size(kTemperatureUnits); ++i)
        if (kTemperatureUnits[i] == unit)
            return m_temperature[i];
    return nullptr;
}

void UnitsMenu::choose(const ReadoutUnits& units)
{
    if (units == m_units)
        return;
    m_units = units;
    if (m_settings) {
        const auto text = [](std::string_view s) {
            return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        };
        m_settings->setValue(QLatin1String(kPressureKey), text(keyword(units.pressure)));
        m_settings->setValue(QLatin1String(kTemperatureKey), text(keyword(units.temperature)));
    }
    emit changed(m_units);
}

} // namespace lobus
