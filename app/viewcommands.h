#pragma once
// The View menu: the drawing-scale dialog (40007), the pressure- and
// temperature-scale dialogs (40008, 40016) and the wedge colours (40010..40015).
// Each changes the settings and redraws; none runs before a case is loaded.

namespace lobus {

struct ShellState;

// Dialog 104, modal: shows halfy as "(f7.3)"; OK takes the field and redraws.
void drawingScaleCommand(ShellState& state);

enum class Axis { Pressure, Temperature };

// Dialog 102 (pressure) or 106 (temperature), shown in mode 3: its events come
// through the main queue and are handled here until OK or Cancel. Field-changed
// messages switch fields 1007 and 1009 with the radio group. The picture is
// redrawn after OK and after Cancel alike.
void axisScaleCommand(ShellState& state, Axis axis);

// Colour choice for wedge k (1..6); a confirmed choice is stored and drawn.
void colourCommand(ShellState& state, int k);

} // namespace lobus
