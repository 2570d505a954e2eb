// CZYTDANE, the reading pass: the data file again, the characteristics file,
// the pressure file and, for the thermal solver, the temperature file, into
// the case and arrays handed to it.

#include "datafiles/passcommon.h"
#include "datafiles/passes.h"
#include "datafiles/trace.h"

#include "datafiles/besidethread.h"
#include "datafiles/fileaccess.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/readprogress.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace lobus {
namespace {

// What a REAL of a read holds until a value arrives for it.
constexpr float kUnread = std::numeric_limits<float>::quiet_NaN();

// Stores what a read gave into `element`; a null (the value still kUnread)
// leaves the element as it was and is noted, and `value` becomes the
// element's value.
void keepOrStore(ReadRecord& read, int ilkat, ResultColumn column, float& element, float& value, int k, int j)
{
    if (std::isnan(value)) {
        value = element;
        read.noteNull(column, k, j, ilkat);
        return;
    }
    element = value;
}

} // namespace

void readCharacteristics(RecordReader& reader, const std::string& name, DANE& dane, ReadRecord& read,
                         CaseValues& named)
{
    reader.open(name);
    std::vector<std::string> above;
    {
        const KeepSkipped keep(reader, &above);
        reader.skip(6);
    }
    std::array<float, 5> kept;
    kept.fill(kUnread);
    float ekscen = kUnread;
    float katekscen = kUnread;
    float pmax = kUnread;
    const auto u = [&](std::size_t i) { return ReadItem::real(kept[i]); };
    const ReadItem e = ReadItem::real(ekscen);
    const ReadItem a = ReadItem::real(katekscen);
    const ReadItem p = ReadItem::real(pmax);
    if (dane.thermal()) {
        reader.read({e, a, u(0), u(1), u(2), u(3), u(4), p});
        named.characteristics = namedValues(kept, above, 8, 2);
    } else {
        reader.read({e, a, u(0), u(1), u(2), p});
        named.characteristics = namedValues(std::span(kept).first(3), above, 6, 2);
    }
    reader.close();
    // A null leaves the value as it was.
    read.cha = 0;
    const struct {
        float value;
        float& field;
        std::uint8_t bit;
    } values[] = {{ekscen, dane.ekscen, ReadRecord::kChaEkscen},
                  {katekscen, dane.katekscen, ReadRecord::kChaKatekscen},
                  {pmax, dane.pmax, ReadRecord::kChaPmax}};
    for (const auto& v : values) {
        if (std::isnan(v.value))
            continue;
        v.field = v.value;
        read.cha |= v.bit;
    }
}

namespace {

// The names of the two temperatures: the column header above the first
// block (angle, t1, t2).
void nameTemperatures(const std::vector<std::string>& above, CaseValues& values)
{
    const std::vector<ColumnName> names = columnNames(above, 3);
    if (names[1].fromHeader) {
        values.tem1 = names[1];
        values.tem2 = names[2];
    }
}

// Point j of wedge k: angle and pressure. The end of the file stops this
// file's reading: the wedge keeps its complete lines, the wedges after it get
// no lines. The end of the file is looked at before the line index, so a
// block cut off after exactly ilkat lines is no index error.
void readPressure(RecordReader& reader, const std::string& name, Results& results, DANE& dane, Trace* trace)
{
    reader.open(name);
    reader.skip(9);
    if (trace)
        trace->write("ilkat=", results.ilkat);
    for (int k = 1; k <= dane.ikm; ++k)
        dane.ilcis(k) = 0.0f;
    for (int k = 1; k <= dane.ikm; ++k) {
        const float endAngle = dane.tabpsi(2 * k);
        for (int j = 1;; ++j) {
            if (trace)
                trace->write("nrcis=", j);
            // A null leaves the element as it was: no number arrives in
            // place of the NaN, which no number read can be.
            float angle = kUnread;
            float pressure = kUnread;
            if (!reader.readOrEnd({ReadItem::real(angle), ReadItem::real(pressure)})) {
                dane.ilcis(k) = static_cast<float>(j - 1);
                results.read.cisEndedIn = k;
                reader.close();
                return;
            }
            keepOrStore(results.read, results.ilkat, ResultColumn::Katcis, results.katcis(k, j), angle, k, j);
            keepOrStore(results.read, results.ilkat, ResultColumn::Cis, results.cis(k, j), pressure, k, j);
            if (endAngle <= angle) {
                dane.ilcis(k) = static_cast<float>(j);
                if (k < dane.ikm)
                    reader.skip(5);
                break;
            }
        }
    }
    reader.close();
}

// Line j of wedge k: INTEGER angle and the two temperatures; tmax follows the
// largest temperature read. The end of the file stops this file's reading.
void readTemperature(RecordReader& reader, Results& results, const DANE& dane, TemperatureRead& out)
{
    int angle = 0;
    for (int k = 1; k <= dane.ikm; ++k) {
        const float endAngle = dane.tabpsi(2 * k);
        for (int j = 1;; ++j) {
            float t1 = kUnread;
            float t2 = kUnread;
            if (!reader.readOrEnd({ReadItem::integer(angle), ReadItem::real(t1), ReadItem::real(t2)})) {
                out.read.temEndedIn = k;
                return;
            }
            keepOrStore(out.read, results.ilkat, ResultColumn::Tem1, results.tem1(k, j), t1, k, j);
            keepOrStore(out.read, results.ilkat, ResultColumn::Tem2, results.tem2(k, j), t2, k, j);
            out.read.temLines[static_cast<std::size_t>(k - 1)] = j;
            if (out.tmax < t1)
                out.tmax = t1;
            if (out.tmax < t2)
                out.tmax = t2;
            if (endAngle <= static_cast<float>(angle)) {
                if (k < dane.ikm)
                    reader.skip(5);
                break;
            }
        }
    }
}

void readTemperatureFile(const std::string& tem, Results& results, const DANE& dane, TemperatureRead& out)
{
    RecordReader reader;
    reader.open(tem);
    {
        const KeepSkipped keep(reader, &out.above);
        reader.skip(9);
    }
    try {
        readTemperature(reader, results, dane, out);
    } catch (const SubscriptRangeError& e) {
        reader.raiseSubscript(e);
    }
    reader.close();
}

// The temperature file read on a thread of its own while this one reads the
// pressure file: the two files are independent and fill different arrays
// (files in memory are read on the caller's thread, see readBeside). When no
// thread is to be had, the file is read after the pressure file.
// Its thread writes what it read on every record: it keeps to cache lines of
// its own.
class alignas(64) TemperatureThread {
public:
    TemperatureThread(const std::string& tem, Results& results, const DANE& dane)
        : m_dane(dane), m_thread([this, tem, &results] { readTemperatureFile(tem, results, m_dane, m_out); })
    { }

    bool running() const { return m_thread.running(); }
    // Waits for the thread: what it read, or what it raised.
    TemperatureRead take()
    {
        m_thread.wait();
        return std::move(m_out);
    }

private:
    DANE m_dane; // a copy: the pressure file's reading writes ilcis meanwhile
    TemperatureRead m_out;
    BesideThread m_thread; // made last, so waited for before the rest goes
};

} // namespace

bool readBeside(const std::string& tem)
{
    // Files in memory belong to the reading thread alone.
    return !threadMemoryFiles() && regularFileBytes(tem) >= kBesideBytes;
}

void mergeTemperatures(Results& results, DANE& dane, TemperatureRead&& t)
{
    nameTemperatures(t.above, results.named);
    dane.tmax = t.tmax;
    results.read.temLines = t.read.temLines;
    results.read.temEndedIn = t.read.temEndedIn;
    if (t.read.nulls.empty())
        return;
    if (results.read.nulls.empty()) {
        results.read.nulls = std::move(t.read.nulls);
        return;
    }
    for (std::size_t i = 0; i < results.read.nulls.size() && i < t.read.nulls.size(); ++i)
        results.read.nulls[i] |= t.read.nulls[i];
}

PassEnd CZYTDANE(const std::string& datafile, const std::string& cisfile, Results& results, DANE& dane,
                 RYSUJ& rysuj, PassUi& ui, Trace* trace, CaseFiles* files)
{
    const TraceFlush flushAtEnd(trace);
    results.read = ReadRecord();
    results.read.fromFiles = true;
    results.named = CaseValues();
    RecordReader reader;
    readWedgeTable(reader, datafile, dane, true, &results.named);
    const ResultLocation loc = locateResults(datafile);

    std::string cha;
    if (!settleResultFile(loc, ".cha", dane.thermal() ? kFilterChaSolako : kFilterChaMerant, ui, cha)) {
        results.read.unread = kResultCha | kResultCis | (dane.thermal() ? kResultTem : 0);
        return PassEnd::Cancelled;
    }
    if (files)
        files->cha = cha;
    readCharacteristics(reader, cha, dane, results.read, results.named);
    if (rysuj.autop == 1)
        rysuj.pscale = dane.pmax;

    // The temperature file, when it needs no dialog, is read beside the
    // pressure file; otherwise after it, as the dialog must come after.
    std::optional<TemperatureThread> beside;
    const std::string found
        = dane.thermal() ? resultFileFound(loc, ".tem", kFilterTemSolako, ui) : std::string();
    const std::string besideName = readBeside(found) ? found : std::string();
    if (!besideName.empty()) {
        beside.emplace(besideName, results, dane);
        if (!beside->running())
            beside.reset();
    }

    try {
        readPressure(reader, cisfile, results, dane, trace);
    } catch (const SubscriptRangeError& e) {
        reader.raiseSubscript(e);
    }

    if (!dane.thermal())
        return PassEnd::Completed;
    dane.tmax = -9999.0f;
    if (beside) {
        if (files)
            files->tem = besideName;
        mergeTemperatures(results, dane, beside->take());
    } else {
        std::string tem;
        if (!settleResultFile(loc, ".tem", kFilterTemSolako, ui, tem)) {
            results.read.unread = kResultTem;
            return PassEnd::Cancelled;
        }
        if (files)
            files->tem = tem;
        TemperatureRead t;
        readTemperatureFile(tem, results, dane, t);
        mergeTemperatures(results, dane, std::move(t));
    }
    if (rysuj.autot == 1)
        rysuj.tscale = dane.tmax;
    return PassEnd::Completed;
}

} // namespace lobus
