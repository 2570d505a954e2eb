#pragma once
// The series as a table: the columns case, solver, ekscen, katekscen, pmax,
// tmax, then one per distinct condition and characteristic, titled
// "name [unit]" (or "name" without a unit), in first-seen order. The CSV,
// the window's table, the chart's axes and the report all use these columns.

#include "series/series.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

// Columns before the named values.
inline constexpr int kCaseColumn = 0;
inline constexpr int kSolverColumn = 1;
inline constexpr int kFixedColumns = 6;

std::vector<std::string> seriesColumns(const Series& series);

// The title of a named value's column.
std::string columnTitle(const NamedValue& v);

// The number in `column` for the case: NaN when the case has none (the text
// columns, an unread case, a value its files did not give).
float columnValue(const SeriesCase& sc, const std::string& column);

// What the table shows in a cell: the case name, the solver, a number as
// the CSV writes it, or nothing.
std::string cellText(const SeriesCase& sc, const std::string& column);

// The column a person names: the title exactly, else the only column whose
// name (without its unit) is `name`. Nothing for a text column or no match.
std::optional<std::string> numberColumn(const std::vector<std::string>& columns, std::string_view name);

// Header and one row per case; an absent value is an empty field.
std::string seriesCsv(const Series& series);

// One JSON array: per case its summary object with "case" and "file" in
// front; an unreadable case is {"case", "file", "error"}.
std::string seriesJson(const Series& series);

// The one condition that changes along the series, when exactly one does:
// its column title and its values in the order of the cases read (NaN for
// a case without it).
struct ChangingCondition {
    std::string title;
    std::vector<float> values;
};
std::optional<ChangingCondition> changingCondition(const Series& series);

} // namespace lobus
