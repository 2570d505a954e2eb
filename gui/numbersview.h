#pragma once
// The numbers behind the picture, in the window: a third menu after the
// program's two, the characteristics panel in a dock, the probe's read-out in
// the status bar's second pane, the peaks overlay on the picture and the
// angle-base view below the picture, linked to it. Everything but the probe
// starts hidden or off, so the window opens as the program's own; with the
// overlay off the picture is not touched.

#include "datafiles/state.h"
#include "dialogs/dialoghooks.h"
#include "dialogs/exportdialog.h"
#include "drawing/compare.h"
#include "drawing/probe.h"
#include "numbers/readoutunits.h"
#include "series/series.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QSettings;

namespace lobus {

class AngleViewWidget;
class Graphics;
class MainWindow;
class NumbersPanel;
class UnitsMenu;

// What the window layer lends the numbers' file commands: a save dialog
// that starts in the folder of the last export and remembers it, and the
// size dialog of the picture files (given the size shown).
struct NumbersServices {
    std::function<std::optional<QString>(const QString& title, const QString& filter, const QString& name)>
        chooseSaveFile;
    std::function<std::optional<ExportChoice>(QSize shown)> chooseSize;
    // The files of the case compared with the shown one, to be watched
    // (none when the comparison ends).
    std::function<void(const std::vector<std::string>& files)> watchCompared;
};

class NumbersView : public QObject {
    Q_OBJECT
public:
    enum class Command {
        Panel,
        Probe,
        Overlay,
        AngleView,
        ExportCsv,
        SaveAngleView,
        PrintAngleView,
        Compare,
        EndCompare,
        Series,
        SeriesFolder
    };

    // `graphics` maps the window's picture; `onScreen` says whether it now
    // does (not the printer); `redraw` asks the shell for a new picture;
    // `settings` (not owned, may be null) remembers the read-outs' units.
    NumbersView(MainWindow& window, Graphics& graphics, std::function<bool()> onScreen,
                std::function<void()> redraw, const DialogHooks& hooks, NumbersServices services,
                QSettings* settings = nullptr);

    // The shell has drawn `c` (and the layer the overlay over it, when
    // overlayShown()): on the screen the panel and the angle view show the
    // case. The case and settings must stay valid until the next call.
    void caseDrawn(const Case& c, const RYSUJ& rysuj, const std::string& datafile);
    // The shown case's files: the panels' saves write over none of them.
    void setCaseFiles(const std::vector<std::string>& files) { m_caseFiles = files; }
    bool overlayShown() const;
    // The case drawn over the picture while a comparison is on; null when none.
    const SeriesCase* comparison() const { return m_compare.get(); }
    // Compares the shown case with the case of `datafile` (read without any
    // dialog); false, after a box that says why, when it cannot be read.
    bool compareWith(const std::string& datafile);
    // The case drawn over the picture and the angle view, its legend naming
    // the shown case by `shown`, its data file; empty when none is compared.
    ComparedCase compared(const std::string& shown) const;
    void endComparison();
    // The compared case read again after its files changed: shown when it
    // was read, the previous one kept when not; the status bar says which.
    void comparisonReadAgain(SeriesCase b);
    // The units of every read-out: the panel, the probe, the angle view and
    // the overlay.
    const ReadoutUnits& units() const;
    UnitsMenu* unitsMenu() const { return m_units; }
    // What the status bar says of a case that is not whole (empty for a
    // whole case).
    QString gapsText() const;

    QMenu* menu() const { return m_menu; }
    QAction* action(Command command) const;
    QDockWidget* dock() const { return m_dock; }
    NumbersPanel* panel() const { return m_panel; }
    AngleViewWidget* angleView() const { return m_angleView; }

    // What lies under a logical point of the picture, through the graphics
    // layer's mapping of the picture last drawn on the screen.
    ProbeHit probe(QPointF logical) const;

private:
    void pointerMoved(QPointF logical);
    void pointerLeft();
    void angleHovered(std::optional<float> angle);
    void showHit(const ProbeHit& hit);
    void refreshPanel();
    void unitsChanged(const ReadoutUnits& units);
    void showGaps();
    void refreshAngleView();
    void exportCsv();
    void saveAngleView();
    void printAngleView();
    void complain(const QString& text);
    void chooseComparison();
    void refreshComparison();
    void watchCompared();     // tells the window which files the compared case has
    QString caseName() const; // the data file's name without its extension

    MainWindow& m_window;
    Graphics& m_graphics;
    std::function<bool()> m_onScreen;
    std::function<void()> m_redraw;
    const DialogHooks& m_hooks;
    NumbersServices m_services;
    const Case* m_case = nullptr;
    const RYSUJ* m_rysuj = nullptr;
    std::string m_datafile;
    std::vector<std::string> m_caseFiles;
    // True (after a box that says so) when `path` is one of the case's files.
    bool writesOverAnInput(const std::string& path);

    QMenu* m_menu = nullptr;
    QAction* m_actions[11] = {};
    QDockWidget* m_dock = nullptr;
    NumbersPanel* m_panel = nullptr;
    AngleViewWidget* m_angleView = nullptr;
    UnitsMenu* m_units = nullptr;
    QLabel* m_gaps = nullptr; // in the status bar, while a case is not whole
    // The angle under the mouse in the angle view, kept so that a picture
    // drawn anew (resized, recoloured) gets its ring where it now belongs.
    std::optional<float> m_hovered;
    std::shared_ptr<const SeriesCase> m_compare;
};

} // namespace lobus
