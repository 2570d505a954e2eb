// The usual case read in one pass: every result file found without asking,
// every point record plain numbers. The pressure file is examined and read
// at once, the temperature file beside it; the arrays are laid out from what
// the files gave once the longest block is known.

#include "datafiles/passcommon.h"
#include "datafiles/passes.h"

#include "datafiles/besidethread.h"
#include "datafiles/fileaccess.h"
#include "datafiles/largememory.h"
#include "datafiles/readprogress.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <numeric>
#include <optional>

namespace lobus {
namespace {

// Runs `read`; a failure gives up (false), and the two passes then read the
// case and report it.
template <class Read> bool orGiveUp(Read read)
{
    try {
        return read();
    } catch (const ReadError&) {
        return false;
    } catch (const SubscriptRangeError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// One stored column of a file's point records in the file's order. Its
// memory is reserved for the most records the file's size allows and costs
// nothing where it is never written; it is not cleared.
class Column {
public:
    Column() = default;
    ~Column() { std::free(m_p); }
    Column(const Column&) = delete;
    Column& operator=(const Column&) = delete;

    bool reserve(std::size_t n)
    {
        // Filled from the start on, in large pages from the first: a fault
        // for every 2 MB.
        m_p = static_cast<float*>(allocateLarge(n * sizeof(float)));
        m_capacity = m_p ? n : 0;
        return m_p != nullptr;
    }
    // False when the column is full (the file grew while it was read).
    bool push(float v)
    {
        if (m_size == m_capacity)
            return false;
        m_p[m_size++] = v;
        return true;
    }

    // The 6 by `cols` array whose row k holds block k (lines[k - 1] values,
    // one after the other in the column), zero elsewhere.
    ResultArray toArray(const std::array<int, 6>& lines, int cols)
    {
        const std::size_t width = static_cast<std::size_t>(cols);
        const std::size_t need = ResultArray::kRows * width;
        std::array<std::size_t, 6> from {};
        for (std::size_t k = 1; k < 6; ++k)
            from[k] = from[k - 1] + static_cast<std::size_t>(lines[k - 1]);
        if (need > m_capacity) {
            auto* q = static_cast<float*>(std::calloc(need, sizeof(float)));
            if (!q)
                throw std::bad_alloc();
            for (std::size_t k = 0; k < 6; ++k)
                std::memcpy(q + k * width, m_p + from[k], static_cast<std::size_t>(lines[k]) * sizeof(float));
            std::free(m_p);
            m_p = q;
        } else {
            // Each block moves towards the end (no block is longer than a
            // row), the last first so that none is overwritten before it
            // moves; then the rest of each row is cleared.
            for (std::size_t k = 6; k-- > 0;)
                std::memmove(m_p + k * width, m_p + from[k],
                             static_cast<std::size_t>(lines[k]) * sizeof(float));
            for (std::size_t k = 0; k < 6; ++k) {
                const std::size_t begin = k * width + static_cast<std::size_t>(lines[k]);
                const std::size_t end = (k + 1) * width;
                if (begin < end)
                    std::memset(m_p + begin, 0, (end - begin) * sizeof(float));
            }
            if (need < m_capacity)
                if (void* shrunk = std::realloc(m_p, need * sizeof(float)))
                    m_p = static_cast<float*>(shrunk);
        }
        float* p = std::exchange(m_p, nullptr);
        m_capacity = m_size = 0;
        return ResultArray::adopt(p, cols);
    }

private:
    float* m_p = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};

// What one result file gave: two stored columns and where its blocks end.
// Its thread writes it on every record: it keeps to cache lines of its own.
struct alignas(64) Blocks {
    Column first;
    Column second;
    std::array<int, 6> lines {}; // point records of wedge k's block (index k - 1)
    int endedIn = 0;             // the wedge whose block the file ended in, 0: none
    float tmax = -9999.0f;       // the temperature file: its largest temperature
    std::vector<std::string> above;
};

// Room for every point record of a file of `bytes`: a record of two or three
// plain numbers takes at least four bytes with its line end.
bool reserveFor(Blocks& b, std::uintmax_t bytes)
{
    const std::uintmax_t records = bytes / 4 + 1;
    if (bytes == 0 || records > std::numeric_limits<std::size_t>::max() / sizeof(float))
        return false;
    return b.first.reserve(static_cast<std::size_t>(records))
        && b.second.reserve(static_cast<std::size_t>(records));
}

// The wedge blocks of a result file: after 9 records, ikm blocks of point
// records with 5 records between them, each block ending at its first record
// whose angle reaches the wedge's end angle; the end of the file ends the
// reading inside a block. `point` reads one record into the angle and the
// two stored values. False when a record is not plain, or anything went
// wrong: the two passes then read the case and report it.
template <class ReadPoint>
bool readBlocks(const std::string& name, const DANE& dane, Blocks& out, std::vector<std::string>* above,
                std::atomic<bool>& givenUp, ReadPoint point)
{
    // Whichever file gives up first, the other stops too.
    struct GiveUpUnlessRead {
        std::atomic<bool>& flag;
        bool read = false;
        ~GiveUpUnlessRead()
        {
            if (!read)
                flag = true;
        }
    } giveUp {givenUp};
    if (!reserveFor(out, regularFileBytes(name)))
        return false;
    return orGiveUp([&] {
        RecordReader reader;
        reader.open(name);
        {
            const KeepSkipped keep(reader, above);
            reader.skip(9);
        }
        for (int k = 1; k <= dane.ikm; ++k) {
            const float endAngle = dane.tabpsi(2 * k);
            int& lines = out.lines[static_cast<std::size_t>(k - 1)];
            for (;;) {
                float angle = 0.0f;
                float a = 0.0f;
                float b = 0.0f;
                const RecordReader::Plain got = point(reader, angle, a, b);
                if (got == RecordReader::Plain::End) {
                    out.endedIn = k;
                    giveUp.read = true;
                    return true;
                }
                if (got != RecordReader::Plain::Read || !out.first.push(a) || !out.second.push(b)
                    || givenUp.load(std::memory_order_relaxed))
                    return false;
                ++lines;
                if (endAngle <= angle) {
                    if (k < dane.ikm)
                        reader.skip(5);
                    break;
                }
            }
        }
        giveUp.read = true;
        return true;
    });
}

bool readPressureBlocks(const std::string& name, const DANE& dane, Blocks& out, std::atomic<bool>& givenUp)
{
    return readBlocks(name, dane, out, nullptr, givenUp,
                      [](RecordReader& r, float& angle, float& a, float& b) {
                          const RecordReader::Plain got = r.readPlain({ReadItem::real(a), ReadItem::real(b)});
                          angle = a;
                          return got;
                      });
}

bool readTemperatureBlocks(const std::string& name, const DANE& dane, Blocks& out, std::atomic<bool>& givenUp)
{
    return readBlocks(name, dane, out, &out.above, givenUp,
                      [&out](RecordReader& r, float& angle, float& a, float& b) {
                          int whole = 0;
                          const RecordReader::Plain got
                              = r.readPlain({ReadItem::integer(whole), ReadItem::real(a), ReadItem::real(b)});
                          angle = static_cast<float>(whole);
                          if (got == RecordReader::Plain::Read)
                              out.tmax = std::max({out.tmax, a, b});
                          return got;
                      });
}

} // namespace

bool readInOnePass(const std::string& datafile, Case& c, RYSUJ& rysuj, PassUi& ui, CaseFiles& files,
                   int& ilkat)
{
    // What the readings report to the progress is taken back when they give
    // up: the two passes read the files again.
    ReadProgress* progress = threadReadProgress();
    const std::uint64_t reported = progress ? progress->bytes.load() : 0;
    struct TakeBack {
        ReadProgress* progress;
        std::uint64_t reported;
        bool done = false;
        ~TakeBack()
        {
            if (progress && !done)
                progress->bytes = reported;
        }
    } takeBack {progress, reported};
    DANE dane = c.dane;
    Results results;
    results.read.fromFiles = true;
    CaseFiles found;
    found.dan = datafile;
    const ResultLocation loc = locateResults(datafile);
    const bool settled = orGiveUp([&] {
        RecordReader reader;
        readWedgeTable(reader, datafile, dane, true, &results.named);
        if (dane.ikm < 1 || dane.ikm > 6)
            return false;
        // An end angle that is not a number ends a block in the examining
        // pass but never in the reading pass.
        for (int k = 1; k <= dane.ikm; ++k)
            if (std::isnan(dane.tabpsi(2 * k)))
                return false;
        // Found in the order the passes look for them, up to the first that
        // would have to be asked for.
        const bool thermal = dane.thermal();
        found.cis = resultFileFound(loc, ".cis", thermal ? kFilterCisSolako : kFilterCisMerant, ui);
        if (found.cis.empty())
            return false;
        found.cha = resultFileFound(loc, ".cha", thermal ? kFilterChaSolako : kFilterChaMerant, ui);
        if (found.cha.empty())
            return false;
        found.tem = thermal ? resultFileFound(loc, ".tem", kFilterTemSolako, ui) : std::string();
        if (thermal && found.tem.empty())
            return false;
        readCharacteristics(reader, found.cha, dane, results.read, results.named);
        return true;
    });
    if (!settled)
        return false;
    // The previous arrays go before the new ones come.
    c.results = Results();

    // The temperature file beside the pressure file when it is worth a
    // thread (neither reading writes `dane`), else after it.
    // Read on every record by both threads: on a cache line of its own.
    struct alignas(64) {
        std::atomic<bool> flag {false};
    } given;
    std::atomic<bool>& givenUp = given.flag;
    Blocks tem;
    bool temperaturePlain = true;
    std::optional<BesideThread> beside;
    if (dane.thermal() && readBeside(found.tem)) {
        beside.emplace([&] { temperaturePlain = readTemperatureBlocks(found.tem, dane, tem, givenUp); });
        if (!beside->running())
            beside.reset();
    }
    Blocks pressure;
    const bool pressurePlain = readPressureBlocks(found.cis, dane, pressure, givenUp);
    if (beside)
        beside->wait();
    else if (dane.thermal() && pressurePlain)
        temperaturePlain = readTemperatureBlocks(found.tem, dane, tem, givenUp);
    if (!pressurePlain || !temperaturePlain)
        return false;

    // The longest block, as the examining pass counts it; a temperature
    // block longer than that is an index error the two passes report.
    const int longest = *std::max_element(pressure.lines.begin(), pressure.lines.end());
    if (longest < 1)
        return false;
    if (dane.thermal() && *std::max_element(tem.lines.begin(), tem.lines.end()) > longest)
        return false;

    results.ilkat = longest;
    const bool laidOut = orGiveUp([&] {
        results.katcis = pressure.first.toArray(pressure.lines, longest);
        results.cis = pressure.second.toArray(pressure.lines, longest);
        if (dane.thermal()) {
            results.tem1 = tem.first.toArray(tem.lines, longest);
            results.tem2 = tem.second.toArray(tem.lines, longest);
        } else {
            results.tem1.allocate(longest);
            results.tem2.allocate(longest);
        }
        return true;
    });
    if (!laidOut)
        return false;
    for (int k = 1; k <= dane.ikm; ++k)
        dane.ilcis(k) = static_cast<float>(pressure.lines[static_cast<std::size_t>(k - 1)]);
    results.read.cisEndedIn = pressure.endedIn;
    if (dane.thermal()) {
        TemperatureRead t;
        t.tmax = tem.tmax;
        t.read.temLines = tem.lines;
        t.read.temEndedIn = tem.endedIn;
        t.above = std::move(tem.above);
        mergeTemperatures(results, dane, std::move(t));
    }

    if (rysuj.autop == 1)
        rysuj.pscale = dane.pmax;
    if (dane.thermal() && rysuj.autot == 1)
        rysuj.tscale = dane.tmax;
    // The progress counted on the two passes reading the data and pressure
    // files each twice.
    if (progress)
        progress->bytes += regularFileBytes(datafile) + regularFileBytes(found.cis);
    takeBack.done = true;
    c.dane = dane;
    c.results = std::move(results);
    files = found;
    ilkat = longest;
    return true;
}

} // namespace lobus
