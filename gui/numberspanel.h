#pragma once
// The characteristics panel: the case (data file, solver), the journal centre
// and the maxima of the characteristics file, and a table with one row per
// lobe: extent, arc centre, points read and the peak of each curve with its
// angle. Pressures in MPa, temperatures in deg C. Shows only what the files
// define.

#include "datafiles/state.h"

#include <QWidget>

#include <string>

class QLabel;
class QTableWidget;

namespace lobus {

// A number as the panel, the probe and the status bar show it: `decimals`
// places, a value halfway rounded away from zero, "—" for one not finite.
QString readoutText(double v, int decimals);

class NumbersPanel : public QWidget {
    Q_OBJECT
public:
    explicit NumbersPanel(QWidget* parent = nullptr);

    // The case shown and its data file; null for none.
    void setCase(const Case* c, const std::string& datafile);

    QTableWidget* table() const { return m_table; }
    QString summaryText() const; // the text above the table

private:
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace lobus
