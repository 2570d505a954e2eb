#include "dataexport/casejson.h"

#include "dataexport/jsonwriter.h"
#include "drawing/casefigures.h"

#include <algorithm>

namespace lobus {

namespace {

using Layout = JsonWriter::Layout;

template <class Table> void reals(JsonWriter& j, const char* name, const Table& t, int n)
{
    j.key(name);
    j.beginArray();
    for (int i = 1; i <= n; ++i)
        j.value(t(i));
    j.endArray();
}

void real(JsonWriter& j, const char* name, float v)
{
    j.key(name);
    j.value(v);
}

// A value the files did not give is null, though the array holds a number
// there.
void rows(JsonWriter& j, const char* name, const Case& c, ResultColumn column, int ilkat)
{
    j.key(name);
    j.beginArray(Layout::Lines);
    for (int k = 1; k <= ResultArray::kRows; ++k) {
        const int points = pointCount(c.dane, c.results, k);
        j.beginArray();
        for (int jj = 1; jj <= ilkat; ++jj)
            jj <= points ? j.value(readValue(c, column, k, jj)) : j.null();
        j.endArray();
    }
    j.endArray();
}

void peak(JsonWriter& j, const std::string& name, const Peak& p)
{
    j.key(name + "_peak");
    p.found ? j.value(p.value) : j.null();
    j.key(name + "_peak_angle_deg");
    p.found ? j.value(p.angle) : j.null();
}

void namedValues(JsonWriter& j, const char* name, const std::vector<NamedValue>& values)
{
    j.key(name);
    j.beginArray(Layout::Lines);
    for (const NamedValue& v : values) {
        j.beginObject();
        j.key("name");
        j.value(v.column.name);
        j.key("unit");
        j.value(v.column.unit);
        real(j, "value", v.value);
        j.endObject();
    }
    j.endArray();
}

// The result files that ended inside a wedge's block.
std::vector<const char*> shortFiles(const Case& c)
{
    std::vector<const char*> files;
    if (c.results.read.cisEndedIn > 0)
        files.push_back(".cis");
    if (c.dane.thermal() && c.results.read.temEndedIn > 0)
        files.push_back(".tem");
    return files;
}

} // namespace

std::string caseJson(const Case& c, const RYSUJ& rysuj)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    // Only as many columns as every array really has.
    const int ilkat = std::min({r.ilkat, r.katcis.cols(), r.cis.cols(), r.tem1.cols(), r.tem2.cols()});
    JsonWriter j(static_cast<std::size_t>(ilkat) * 6 * 4 * 14 + 1024);
    j.beginObject(Layout::Lines);
    j.key("variant");
    j.value(d.variant);
    j.key("ikm");
    j.value(d.ikm);
    j.key("ilkat");
    j.value(ilkat);
    reals(j, "tabpsi", d.tabpsi, 12);
    reals(j, "tabkla", d.tabkla, 6);
    reals(j, "tabklb", d.tabklb, 6);
    const CaseFigures f = caseFigures(c);
    real(j, "ekscen", f.ekscen);
    real(j, "katekscen", f.katekscen);
    reals(j, "ilcis", d.ilcis, 6);
    real(j, "pmax", f.pmax);
    real(j, "tmax", f.tmax);
    real(j, "pscale", rysuj.pscale);
    real(j, "tscale", rysuj.tscale);
    rows(j, "katcis", c, ResultColumn::Katcis, ilkat);
    rows(j, "cis", c, ResultColumn::Cis, ilkat);
    rows(j, "tem1", c, ResultColumn::Tem1, ilkat);
    rows(j, "tem2", c, ResultColumn::Tem2, ilkat);
    j.endObject();
    return j.finish();
}

std::string summaryJson(const Case& c)
{
    JsonWriter j;
    j.beginObject();
    summaryFields(j, c);
    j.endObject();
    return j.finish();
}

void summaryFields(JsonWriter& j, const Case& c)
{
    const CaseFigures f = caseFigures(c);
    j.key("solver");
    j.value(f.thermal ? "SOLAKO" : "MERANT");
    if (const std::vector<const char*> files = shortFiles(c); !files.empty()) {
        j.key("complete");
        j.boolean(false);
        j.key("short");
        j.beginArray();
        for (const char* file : files)
            j.value(file);
        j.endArray();
    }
    real(j, "ekscen", f.ekscen);
    real(j, "katekscen", f.katekscen);
    real(j, "pmax", f.pmax);
    real(j, "tmax", f.tmax);
    namedValues(j, "conditions", c.results.named.conditions);
    namedValues(j, "characteristics", c.results.named.characteristics);
    j.key("lobes");
    j.beginArray(Layout::Lines);
    for (const LobeFigures& l : f.lobes) {
        j.beginObject();
        j.key("lobe");
        j.value(l.lobe);
        real(j, "start_deg", l.start);
        real(j, "end_deg", l.end);
        j.key("points");
        j.value(l.points);
        peak(j, "p", l.pressure);
        if (f.thermal) {
            peak(j, "t1", l.tem1);
            peak(j, "t2", l.tem2);
        }
        j.endObject();
    }
    j.endArray();
}

} // namespace lobus
