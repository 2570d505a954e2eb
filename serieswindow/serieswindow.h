#pragma once
// A series of cases in a window of its own: the table of the CSV's columns,
// sortable, the journal centre's locus and a chart of two columns the user
// picks. The case the main window shows (when it is one of the series; else
// the row selected) is highlighted in all three. A click on a row or on a
// point shows that case in the main window, by the main window's own road.
// The series menu saves each plot as PNG, SVG or PDF, the table as CSV and
// the series' report as PDF. The cases are read beside the window; the
// cases whose files change are read again there when asked to, keeping the
// sort, the selection and the axes.

#include "dialogs/dialoghooks.h"
#include "dialogs/filename.h"
#include "series/series.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QProgressBar;
class QTableView;
class QTimer;

namespace lobus {

class SeriesModel;
class SeriesPlotWidget;
class SeriesReading;
class SeriesSortModel;

// What the main window lends a series window.
struct SeriesServices {
    // Shows the case of `datafile` in the main window as a file dropped on
    // it is; false, with nothing done, when it cannot now (it is reading).
    std::function<bool(const std::string& datafile)> open;
    // A save dialog for a file named `name` (no folder); see NumbersServices.
    std::function<std::optional<QString>(const QString& title, const QString& filter, const QString& name)>
        chooseSaveFile;
    // The size of a picture file for a plot shown at `shown`.
    std::function<std::optional<ExportChoice>(QSize shown)> chooseSize;
};

class SeriesWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Command { SaveTable, SaveLocus, SaveChart, Report, Close };

    // Reads the cases of `arguments` (".dan" files and folders) beside the
    // window. The hooks must outlive the window.
    SeriesWindow(const std::vector<std::string>& arguments, SeriesServices services, const DialogHooks& hooks,
                 QWidget* parent = nullptr);
    ~SeriesWindow() override;

    bool reading() const { return m_reading != nullptr; }
    const Series& series() const { return m_series; }
    // The data file of the case the main window shows (empty: none).
    void setShownFile(const std::string& datafile);
    // The case highlighted; -1 when none.
    int highlighted() const;
    // Every file the cases were read from: what changes them.
    std::vector<std::string> files() const;
    // Reads again, beside the window, the cases whose files are not as they
    // were read.
    void refreshChanged();

    QAction* action(Command command) const { return m_actions[static_cast<int>(command)]; }
    QTableView* table() const { return m_table; }
    SeriesModel* model() const { return m_model; }
    SeriesSortModel* sorted() const { return m_sorted; }
    SeriesPlotWidget* locus() const { return m_locus; }
    SeriesPlotWidget* chart() const { return m_chart; }
    QComboBox* xAxis() const { return m_xAxis; }
    QComboBox* yAxis() const { return m_yAxis; }
    QString statusText() const;

signals:
    // A reading (the first, or one again) has ended: files() may differ.
    void casesRead();

private:
    void buildMenu();
    void buildViews();
    void read(std::vector<int> cases);
    void showProgress();
    void readingEnded();
    void fillAxes();
    void redrawPlots();
    void respan();
    void highlightChanged();
    void rowClicked(int caseIndex);
    int selectedCase() const;
    void selectCase(int caseIndex);
    static FileStamps stampOf(const SeriesCase& sc);

    void saveTable();
    void savePlot(bool locus);
    void saveReport();
    QString seriesName() const;
    std::optional<std::string> chooseOutput(const QString& title, const QString& filter, const QString& name,
                                            const QStringList& suffixes);
    void written(bool ok, const std::string& path, const std::string& error, const std::string& note);
    void complain(const QString& text);
    void say(const QString& text);

    SeriesServices m_services;
    const DialogHooks& m_hooks;
    std::vector<std::string> m_arguments;
    Series m_series;
    std::vector<FileStamps> m_stamps;   // of each case's files when it was read
    std::vector<int> m_readingCases;    // the cases read again; empty: the whole series
    SeriesReading* m_reading = nullptr; // a child of the window, while it reads
    bool m_refreshWanted = false;       // files changed while a reading ran
    std::string m_shownFile;
    int m_shown = -1; // the case the main window shows, when one of the series

    QAction* m_actions[5] = {};
    SeriesModel* m_model = nullptr;
    SeriesSortModel* m_sorted = nullptr;
    QTableView* m_table = nullptr;
    SeriesPlotWidget* m_locus = nullptr;
    SeriesPlotWidget* m_chart = nullptr;
    QComboBox* m_xAxis = nullptr;
    QComboBox* m_yAxis = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_progressTimer = nullptr;
};

} // namespace lobus
