#pragma once
// The characteristics panel: the case (data file, solver), the journal centre
// and the maxima of the characteristics file; a table with one row per lobe
// (extent, arc centre, points read and the peak of each curve with its
// angle); and the files' other values in two tables, the operating
// conditions of the data file and the characteristics of the .cha, each
// under the name the file's own column header gives it, with its meaning
// where the program knows the name. Pressures and temperatures of the
// read-outs in the units chosen; the files' values in the units they name.
// Shows only what the files define, and says which files were not read.

#include "datafiles/state.h"
#include "numbers/readoutunits.h"

#include <QStringList>
#include <QWidget>

#include <string>

class QLabel;
class QTableWidget;

namespace lobus {

// A number as the panel, the probe and the status bar show it: `decimals`
// places, a value halfway rounded away from zero, "—" for one not finite.
QString readoutText(double v, int decimals);
// A pressure (N/m2) and a temperature (deg C) read out in `units`, without the unit.
QString pressureText(double pascals, const ReadoutUnits& units, int lessDecimals = 0);
QString temperatureText(double celsius, const ReadoutUnits& units);
QString unitText(PressureUnit unit);
QString unitText(TemperatureUnit unit);

// What the case lacks, a sentence each: the result files the reading did
// not come to (a dialog cancelled) and those that ended inside a lobe's
// block. Empty for a whole case.
QStringList caseGaps(const Case& c, const std::string& datafile);

class NumbersPanel : public QWidget {
    Q_OBJECT
public:
    explicit NumbersPanel(QWidget* parent = nullptr);

    // The case shown and its data file; null for none.
    void setCase(const Case* c, const std::string& datafile);
    void setUnits(const ReadoutUnits& units);

    QTableWidget* table() const { return m_table; } // the lobes
    QTableWidget* conditionsTable() const { return m_conditions; }
    QTableWidget* characteristicsTable() const { return m_characteristics; }
    QString summaryText() const; // the text above the tables
    // Case A (shown) against case B: each figure's A, B and B−A; hidden when
    // `b` is null.
    void setComparison(const Case* a, const Case* b, const std::string& bName);
    QTableWidget* comparisonTable() const { return m_comparison; }

private:
    void refresh();
    void fillLobes(const Case& c);

    const Case* m_case = nullptr;
    std::string m_datafile;
    ReadoutUnits m_units;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_conditionsTitle = nullptr;
    QTableWidget* m_conditions = nullptr;
    QLabel* m_characteristicsTitle = nullptr;
    QTableWidget* m_characteristics = nullptr;
    QTableWidget* m_comparison = nullptr;
};

} // namespace lobus
