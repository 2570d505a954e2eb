#include "app/viewcommands.h"

#include "app/shellstate.h"
#include "app/windowlayer.h"
#include "resources/ids.h"
#include "resources/resources.h"

#include <cmath>

namespace lobus {

namespace {

// The layer enforces the field table's ranges before it reports OK; the
// shell still refuses a value outside them (or not a number), keeping the
// setting it had, so the drawing never gets a scale it cannot use.
bool acceptable(int dialog, int field, float value)
{
    if (!std::isfinite(value))
        return false;
    const DialogResource* resource = dialogResource(dialog);
    if (!resource)
        return true;
    const FieldTable table = parseFieldTable(resource->fieldTable);
    const auto it = table.ranges.find(field);
    return it == table.ranges.end() || (value >= it->second.first && value <= it->second.second);
}

void switchMaximumFields(WindowLayer& w, bool automatic)
{
    w.WDIALOGFIELDSTATE(kFieldMaxLabel, automatic ? kFieldDisabled : kFieldEnabled);
    w.WDIALOGFIELDSTATE(kFieldMaxValue, automatic ? kFieldDisabled : kFieldEnabled);
}

struct AxisSettings {
    int dialog;
    float* length;
    int* automatic;
    float* scale;
    float maximum; // of the shown case
};

AxisSettings axisSettings(ShellState& state, Axis axis)
{
    RYSUJ& r = state.rysuj;
    const DANE& d = state.shown.dane;
    if (axis == Axis::Pressure)
        return {kDlgPressureScale, &r.plen, &r.autop, &r.pscale, d.pmax};
    return {kDlgTemperatureScale, &r.tlen, &r.autot, &r.tscale, d.tmax};
}

} // namespace

void drawingScaleCommand(ShellState& state)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    w.WDIALOGSELECT(kDlgDrawingScale);
    w.WDIALOGPUTREAL(kFieldFactor, state.rysuj.halfy, "(f7.3)");
    w.WDIALOGSHOW(-1, -1, 0, kDialogModal);
    if (w.WINFODIALOG(kInfoLastButton) != kButtonOk)
        return;
    float halfy = state.rysuj.halfy;
    w.WDIALOGGETREAL(kFieldFactor, halfy);
    if (acceptable(kDlgDrawingScale, kFieldFactor, halfy))
        state.rysuj.halfy = halfy;
    redraw(state);
}

void axisScaleCommand(ShellState& state, Axis axis)
{
    if (!state.loaded)
        return;
    WindowLayer& w = state.layer;
    const AxisSettings s = axisSettings(state, axis);

    w.WMESSAGEENABLE(kFieldChanged, 1);
    w.WDIALOGSELECT(s.dialog);
    w.WDIALOGPUTREAL(kFieldFactor, *s.length, "(f3.1)");
    // The manual maximum last typed stays in field 1009; the setting is not put there.
    if (*s.automatic == 0) {
        w.WDIALOGPUTRADIOBUTTON(kFieldManual);
        switchMaximumFields(w, false);
    } else {
        w.WDIALOGPUTRADIOBUTTON(kFieldAutomatic);
        switchMaximumFields(w, true);
    }
    w.WDIALOGSHOW(-1, -1, 0, kDialogModeless);

    for (;;) {
        int itype = 0;
        Message msg;
        w.WMESSAGE(itype, msg);
        if (itype == kFieldChanged) {
            int iradio = 1;
            w.WDIALOGGETRADIOBUTTON(kFieldAutomatic, iradio);
            switchMaximumFields(w, iradio == 1);
        } else if (itype == kPushButton && msg.value1 == kButtonOk) {
            float length = *s.length;
            w.WDIALOGGETREAL(kFieldFactor, length);
            if (acceptable(s.dialog, kFieldFactor, length))
                *s.length = length;
            int iradio = 1;
            w.WDIALOGGETRADIOBUTTON(kFieldAutomatic, iradio);
            if (iradio == 1) {
                *s.automatic = 1;
                *s.scale = s.maximum;
            } else {
                *s.automatic = 0;
                float manual = *s.scale;
                w.WDIALOGGETREAL(kFieldMaxValue, manual);
                if (std::isfinite(manual))
                    *s.scale = manual;
            }
            break;
        } else if (itype == kPushButton && msg.value1 == kButtonCancel) {
            break;
        }
        // Anything else waits: expose and resize are not drawn during the dialog.
    }

    w.WMESSAGEENABLE(kFieldChanged, 0);
    w.WDIALOGHIDE();
    redraw(state);
}

void colourCommand(ShellState& state, int k)
{
    if (!state.loaded || k < 1 || k > 6)
        return;
    WindowLayer& w = state.layer;
    int rgb[3] = {state.rysuj.colour(1, k), state.rysuj.colour(2, k), state.rysuj.colour(3, k)};
    w.WSELECTCOLOUR(rgb);
    if (w.WINFODIALOG(kInfoConfirmed) != 1)
        return;
    for (int c = 1; c <= 3; ++c)
        state.rysuj.colour(c, k) = rgb[c - 1];
    redraw(state);
}

} // namespace lobus
