#include "serieswindow/seriesmodel.h"

#include "series/seriesfiles.h"
#include "series/seriestable.h"

#include <QBrush>
#include <QColor>

#include <cmath>

namespace lobus {

SeriesModel::SeriesModel(const Series& series, QObject* parent)
    : QAbstractTableModel(parent), m_series(series), m_columns(seriesColumns(series))
{ }

void SeriesModel::reset()
{
    beginResetModel();
    m_columns = seriesColumns(m_series);
    m_highlighted = -1;
    endResetModel();
}

void SeriesModel::casesChanged(const std::vector<int>& cases)
{
    std::vector<std::string> columns = seriesColumns(m_series);
    if (columns != m_columns) {
        // New columns: the views start again (the sorting model keeps its
        // sort column; the window puts the selection back).
        beginResetModel();
        m_columns = std::move(columns);
        endResetModel();
        return;
    }
    for (int row : cases)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void SeriesModel::setHighlighted(int row)
{
    if (row == m_highlighted)
        return;
    const int before = m_highlighted;
    m_highlighted = row;
    for (int r : {before, row})
        if (r >= 0 && r < rowCount())
            emit dataChanged(index(r, 0), index(r, columnCount() - 1));
}

int SeriesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_series.size());
}

int SeriesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant SeriesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const SeriesCase& sc = m_series[static_cast<std::size_t>(index.row())];
    const std::string& column = m_columns[static_cast<std::size_t>(index.column())];
    const bool number = numberColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (!sc.read() && index.column() == kSolverColumn)
            return QString::fromStdString(sc.error);
        return QString::fromStdString(cellText(sc, column));
    case kSortRole:
        if (number)
            return double(columnValue(sc, column));
        return QString::fromStdString(cellText(sc, column));
    case Qt::ToolTipRole:
        return QString::fromStdString(sc.read() ? sc.file : sc.file + "\n" + sc.error);
    case Qt::TextAlignmentRole:
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (!sc.read())
            return QBrush(QColor(170, 0, 0));
        return {};
    case Qt::BackgroundRole:
        if (index.row() == m_highlighted)
            return QBrush(QColor(255, 226, 160));
        return {};
    default:
        return {};
    }
}

QVariant SeriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return QString::fromStdString(m_columns[static_cast<std::size_t>(section)]);
}

SeriesSortModel::SeriesSortModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(SeriesModel::kSortRole);
    setDynamicSortFilter(true);
}

bool SeriesSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        // An empty cell after every number, in either order (a descending
        // sort turns the answer round).
        if (std::isnan(x) || std::isnan(y))
            return sortOrder() == Qt::AscendingOrder ? !std::isnan(x) && std::isnan(y)
                                                     : std::isnan(x) && !std::isnan(y);
        return x < y;
    }
    const std::string s = a.toString().toStdString();
    const std::string t = b.toString().toStdString();
    return naturalLess(s, t);
}

} // namespace lobus
