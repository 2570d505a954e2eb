#pragma once
// The units of the read-outs, chosen in the "Liczby" menu: one submenu with
// the pressure units (MPa, bar, kPa, Pa, psi) and the temperature units (°C,
// K, °F), remembered in the settings when there are settings.

#include "numbers/readoutunits.h"

#include <QObject>

class QAction;
class QMenu;
class QSettings;

namespace lobus {

class UnitsMenu : public QObject {
    Q_OBJECT
public:
    // Adds the submenu to `menu`; `settings` (not owned, may be null: nothing
    // is remembered) gives the units chosen last and keeps each new choice.
    UnitsMenu(QMenu& menu, QSettings* settings);

    const ReadoutUnits& units() const { return m_units; }
    QMenu* menu() const { return m_menu; }
    QAction* action(PressureUnit unit) const;
    QAction* action(TemperatureUnit unit) const;

signals:
    void changed(const ReadoutUnits& units);

private:
    void choose(const ReadoutUnits& units);

    QSettings* m_settings;
    QMenu* m_menu = nullptr;
    ReadoutUnits m_units;
    QAction* m_pressure[std::size(kPressureUnits)] = {};
    QAction* m_temperature[std::size(kTemperatureUnits)] = {};
};

} // namespace lobus
