#include "series/seriestable.h"

#include "dataexport/casejson.h"
#include "dataexport/csvwriter.h"
#include "dataexport/jsonwriter.h"
#include "numbers/numbertext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lobus {

namespace {

constexpr float kAbsent = std::numeric_limits<float>::quiet_NaN();

const char* const kFixed[kFixedColumns] = {"case", "solver", "ekscen", "katekscen", "pmax", "tmax"};

void addTitles(std::vector<std::string>& columns, const std::vector<NamedValue>& values)
{
    for (const NamedValue& v : values)
        if (std::string t = columnTitle(v); std::ranges::find(columns, t) == columns.end())
            columns.push_back(std::move(t));
}

const NamedValue* named(const std::vector<NamedValue>& values, const std::string& column)
{
    for (const NamedValue& v : values)
        if (columnTitle(v) == column)
            return &v;
    return nullptr;
}

std::string_view nameOf(std::string_view title)
{
    const std::size_t bracket = title.find(" [");
    return bracket == std::string_view::npos || title.back() != ']' ? title : title.substr(0, bracket);
}

} // namespace

std::string columnTitle(const NamedValue& v)
{
    return v.column.unit.empty() ? v.column.name : v.column.name + " [" + v.column.unit + "]";
}

std::vector<std::string> seriesColumns(const Series& series)
{
    std::vector<std::string> columns(std::begin(kFixed), std::end(kFixed));
    for (const SeriesCase& sc : series) {
        addTitles(columns, sc.conditions);
        addTitles(columns, sc.characteristics);
    }
    return columns;
}

float columnValue(const SeriesCase& sc, const std::string& column)
{
    if (!sc.read())
        return kAbsent;
    const CaseFigures& f = sc.figures;
    if (column == kFixed[2])
        return f.ekscen;
    if (column == kFixed[3])
        return f.katekscen;
    if (column == kFixed[4])
        return f.pmax;
    if (column == kFixed[5])
        return f.tmax;
    if (const NamedValue* v = named(sc.conditions, column))
        return v->value;
    if (const NamedValue* v = named(sc.characteristics, column))
        return v->value;
    return kAbsent;
}

std::string cellText(const SeriesCase& sc, const std::string& column)
{
    if (column == kFixed[kCaseColumn])
        return sc.name;
    if (column == kFixed[kSolverColumn])
        return sc.read() ? (sc.figures.thermal ? "SOLAKO" : "MERANT") : std::string();
    const float v = columnValue(sc, column);
    return std::isnan(v) ? std::string() : shortestText(v);
}

std::optional<std::string> numberColumn(const std::vector<std::string>& columns, std::string_view name)
{
    std::optional<std::string> found;
    int matches = 0;
    for (std::size_t i = kSolverColumn + 1; i < columns.size(); ++i) {
        if (columns[i] == name)
            return columns[i];
        if (nameOf(columns[i]) == name) {
            found = columns[i];
            ++matches;
        }
    }
    return matches == 1 ? found : std::nullopt;
}

std::string seriesCsv(const Series& series)
{
    const std::vector<std::string> columns = seriesColumns(series);
    CsvWriter csv(64 * columns.size() * (series.size() + 1));
    for (const std::string& c : columns)
        csv.field(c);
    csv.endRow();
    for (const SeriesCase& sc : series) {
        csv.field(sc.name);
        if (sc.read())
            csv.field(sc.figures.thermal ? "SOLAKO" : "MERANT");
        else
            csv.emptyField();
        for (std::size_t i = kSolverColumn + 1; i < columns.size(); ++i) {
            const float v = columnValue(sc, columns[i]);
            std::isnan(v) ? csv.emptyField() : csv.field(v);
        }
        csv.endRow();
    }
    return csv.finish();
}

std::string seriesJson(const Series& series)
{
    JsonWriter j(512 * series.size() + 16);
    j.beginArray(JsonWriter::Layout::Lines);
    for (const SeriesCase& sc : series) {
        j.beginObject();
        j.key("case");
        j.value(sc.name);
        j.key("file");
        j.value(sc.file);
        if (sc.read()) {
            summaryFields(j, *sc.data);
        } else {
            j.key("error");
            j.value(sc.error);
        }
        j.endObject();
    }
    j.endArray();
    return j.finish();
}

std::optional<ChangingCondition> changingCondition(const Series& series)
{
    std::vector<std::string> titles;
    for (const SeriesCase& sc : series)
        addTitles(titles, sc.conditions);
    std::optional<ChangingCondition> found;
    for (const std::string& t : titles) {
        ChangingCondition c {t, {}};
        float first = kAbsent;
        bool changes = false;
        for (const SeriesCase& sc : series) {
            if (!sc.read())
                continue;
            const NamedValue* v = named(sc.conditions, t);
            const float value = v ? v->value : kAbsent;
            c.values.push_back(value);
            if (std::isnan(first) && c.values.size() == 1)
                first = value;
            else if (!(value == first) && !(std::isnan(value) && std::isnan(first)))
                changes = true;
        }
        if (!changes)
            continue;
        if (found)
            return std::nullopt; // more than one changes
        found = std::move(c);
    }
    return found;
}

} // namespace lobus
