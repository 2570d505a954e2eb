#pragma once
// The series as the window's table: the CSV's columns and, in each cell,
// what the CSV holds there (a case that could not be read shows its error
// after its name). The highlighted case's row stands out. The sorting model
// sorts the number columns by value (empty cells last either way), the
// case names as a person reads them.

#include "series/series.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <string>
#include <vector>

namespace lobus {

class SeriesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The value a column sorts by: a double (NaN when the cell is empty) in
    // the number columns, the text in the others.
    static constexpr int kSortRole = Qt::UserRole;

    explicit SeriesModel(const Series& series, QObject* parent = nullptr);

    // The series has new cases: the table shows them from scratch.
    void reset();
    // These cases were read again: their rows change (the whole table when
    // the columns do).
    void casesChanged(const std::vector<int>& cases);
    void setHighlighted(int row);
    int highlighted() const { return m_highlighted; }
    const std::vector<std::string>& columns() const { return m_columns; }
    bool numberColumn(int column) const { return column > 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Series& m_series;
    std::vector<std::string> m_columns;
    int m_highlighted = -1;
};

class SeriesSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SeriesSortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

} // namespace lobus
