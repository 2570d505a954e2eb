#include "app/shell.h"

#include "app/hardcopy.h"
#include "app/opencase.h"
#include "app/reloadcase.h"
#include "app/tracefile.h"
#include "app/viewcommands.h"
#include "app/windowlayer.h"
#include "datafiles/filereplace.h"
#include "datafiles/texts.h"
#include "datafiles/trace.h"
#include "drawing/graphics/graphics.h"
#include "resources/ids.h"

#include <cstdlib>

namespace lobus {

std::string windowTitle(int variant)
{
    return variant == kVariantSolako
        ? texts::translate("Shell", "Graficzna interpretacja danych i wyników programu SOLAKO")
        : texts::translate("Shell", "Graficzna interpretacja danych i wyników programu MERANT");
}

WindowRecord mainWindowRecord(int variant)
{
    WindowRecord r;
    r.flags
        = kWindowSystemMenu + kWindowMinimise + kWindowMaximise + kWindowMaximised + kWindowStatusBar; // 47
    r.left = -1;
    r.top = -1;
    r.width = 0;
    r.height = 0;
    r.menuid = kMenuMain;
    r.title = windowTitle(variant);
    return r;
}

Shell::Shell(WindowLayer& layer, int variant, ShellOptions options)
    : m_state(layer, variant), m_options(std::move(options)), m_variant(variant)
{ }

Shell::~Shell() = default;

bool Shell::startUp()
{
    WindowLayer& w = m_state.layer;
    w.WINITIALISE(" ");
    const WindowRecord window = mainWindowRecord(m_state.variant());

    m_state.tracePath = m_options.tracePath;
    m_state.desktopStart = m_options.quietTrace;
    m_state.trace = createTrace(m_options.tracePath);
    const bool traceFailed = !m_state.trace;

    if (!w.WINDOWOPEN(window))
        return false;
    w.WINDOWSTATUSBARPARTS(2, {6000, -1});
    w.graphics().IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);

    w.WDIALOGLOAD(kDlgDrawingScale);
    w.WDIALOGLOAD(kDlgPressureScale);
    w.WDIALOGLOAD(kDlgTemperatureScale);

    m_state.loaded = false;
    m_state.rysuj = RYSUJ();
    m_state.shown = Case();
    m_state.shown.dane.variant = m_variant;

    const int needCase[] = {kCmdDrawingScale, kCmdPressureScale, kCmdTemperatureScale,
                            kMenuColours,     kCmdSaveBitmap,    kCmdPrint};
    for (int id : needCase)
        w.WMENUSETSTATE(id, kMenuEnabled, 0);

    // Said once, with the window open so the box has a parent; the program
    // runs on without a trace.
    if (traceFailed) {
        const std::string text = texts::fillIn(
            texts::translate("Shell",
                             "Nie można utworzyć zbioru śladu %1 - program działa bez zapisu śladu."),
            {displayName(m_options.tracePath)});
        if (m_options.quietTrace)
            w.WINDOWOUTSTATUSBAR(2, text);
        else
            w.WMESSAGEBOX(kButtonsOk, kIconWarning, kDefaultFirst, text,
                          texts::translate("DataFiles", "UWAGA"));
    }
    return true;
}

bool Shell::step()
{
    if (m_ended)
        return false;
    int itype = 0;
    Message msg;
    m_state.layer.WMESSAGE(itype, msg);
    return handle(itype, msg);
}

bool Shell::handle(int itype, const Message& msg)
{
    if (m_ended)
        return false;
    switch (itype) {
    case kExpose:
    case kResize:
        redraw(m_state);
        break;
    case kCloseRequest:
        end();
        break;
    case kMenuSelect:
        command(msg.value1);
        break;
    case kOpenFile: // a drop, Recent files
        // A case handed to the other program ends this one if it shows none.
        if (!msg.text.empty() && openDataFile(m_state, msg.text) && !m_state.loaded
            && !m_state.layer.showsOtherWindows()) {
            end();
            break;
        }
        dropFailedTrace();
        break;
    case kCaseChanged:
        reloadCase(m_state);
        break;
    case kComparedChanged:
        m_state.layer.rereadComparison();
        break;
    default:
        break;
    }
    return !m_ended;
}

void Shell::command(int id)
{
    switch (id) {
    case kCmdOpen:
        openCommand(m_state);
        dropFailedTrace();
        break;
    case kCmdSaveBitmap:
        saveBitmapCommand(m_state);
        break;
    case kCmdPrint:
        printCommand(m_state);
        break;
    case kCmdExit:
        end();
        break;
    case kCmdExportPicture:
        exportPictureCommand(m_state);
        break;
    case kCmdDrawingScale:
        drawingScaleCommand(m_state);
        break;
    case kCmdPressureScale:
        axisScaleCommand(m_state, Axis::Pressure);
        break;
    case kCmdTemperatureScale:
        // Only the thermal solver's cases have temperatures to scale.
        if (m_state.variant() == kVariantSolako)
            axisScaleCommand(m_state, Axis::Temperature);
        break;
    default:
        if (id >= kCmdColourFirst && id <= kCmdColourLast)
            colourCommand(m_state, id - kCmdColourFirst + 1);
        break;
    }
}

void Shell::dropFailedTrace()
{
    if (!m_state.trace || m_state.trace->good())
        return;
    const std::string reason = m_state.trace->error();
    m_state.trace.reset();
    m_state.layer.WMESSAGEBOX(
        kButtonsOk, kIconWarning, kDefaultFirst,
        texts::fillIn(texts::translate("Shell",
                                       "Nie można zapisać zbioru śladu %1 (%2) - program działa dalej "
                                       "bez zapisu śladu."),
                      {displayName(m_options.tracePath), reason}),
        texts::translate("DataFiles", "UWAGA"));
}

void Shell::end()
{
    m_state.layer.WINDOWCLOSE();
    m_state.trace.reset(); // closes (and flushes) the trace file
    m_ended = true;
}

int Shell::run()
{
    if (!startUp())
        return EXIT_FAILURE;
    if (!m_options.openAtStart.empty()) {
        if (openDataFile(m_state, m_options.openAtStart)) {
            end(); // handed to the other program: this one has nothing to show
            return 0;
        }
        dropFailedTrace();
    }
    while (step()) { }
    return 0;
}

int runLobus(WindowLayer& layer, int variant, const ShellOptions& options)
{
    Shell shell(layer, variant, options);
    return shell.run();
}

} // namespace lobus
