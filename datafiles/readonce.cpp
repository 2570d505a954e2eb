// The usual case read in one pass: every result file found without asking,
// every point record plain numbers. The pressure file is examined and read
// at once, the temperature file beside it; the arrays are laid out from what
// the files gave once the longest block is known.

#include "datafiles/passcommon.h"
#include "datafiles/passes.h"

#include "datafiles/besidethread.h"
#include "datafiles/fileaccess.h"
#include "datafiles/memoryfiles.h"
#include "datafiles/readcolumn.h"
#include "datafiles/readingsplit.h"
#include "datafiles/readprogress.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <future>
#include <new>
#include <numeric>
#include <optional>

namespace lobus {
namespace {

// What one result file gave: two stored columns and where its blocks end.
// Its thread writes it on every record: it keeps to cache lines of its own.
struct alignas(64) Blocks {
    ReadColumn first;
    ReadColumn second;
    std::array<int, 6> lines {}; // point records of wedge k's block (index k - 1)
    int endedIn = 0;             // the wedge whose block the file ended in, 0: none
    float tmax = -9999.0f;       // the temperature file: its largest temperature
    std::vector<std::string> above;
};

// Room for every point record of a file of `bytes` (none: an empty file
// is left to the two passes).
bool reserveFor(Blocks& b, std::uintmax_t bytes)
{
    return bytes > 0 && reserveRecords(b.first, b.second, bytes);
}

// The point records of a file straight from its reader: `read` reads one
// record into the angle and the two stored values.
template <class ReadPoint> struct ReaderRecords {
    RecordReader& reader;
    ReadPoint read;
    RecordReader::Plain point(float& angle, float& a, float& b) { return read(reader, angle, a, b); }
    bool skip(int n)
    {
        reader.skip(n);
        return true;
    }
};

// The wedge blocks of a result file: after 9 records, ikm blocks of point
// records with 5 records between them, each block ending at its first record
// whose angle reaches the wedge's end angle; the end of the file ends the
// reading inside a block. `records` gives the records after the first 9.
// False when a record is not plain, or anything went wrong: the two passes
// then read the case and report it.
template <class Records>
bool readBlocks(const DANE& dane, Blocks& out, Records& records, std::atomic<bool>& givenUp)
{
    for (int k = 1; k <= dane.ikm; ++k) {
        const float endAngle = dane.tabpsi(2 * k);
        int& lines = out.lines[static_cast<std::size_t>(k - 1)];
        for (;;) {
            float angle = 0.0f;
            float a = 0.0f;
            float b = 0.0f;
            const RecordReader::Plain got = records.point(angle, a, b);
            if (got == RecordReader::Plain::End) {
                out.endedIn = k;
                return true;
            }
            if (got != RecordReader::Plain::Read || !out.first.push(a) || !out.second.push(b)
                || givenUp.load(std::memory_order_relaxed))
                return false;
            ++lines;
            if (endAngle <= angle) {
                if (k < dane.ikm && !records.skip(5))
                    return false;
                break;
            }
        }
    }
    return true;
}

// Whichever file gives up first, the other stops too.
struct GiveUpUnlessRead {
    std::atomic<bool>& flag;
    bool read = false;
    ~GiveUpUnlessRead()
    {
        if (!read)
            flag = true;
    }
};

// The pressure file, its tail read by the helper when `split` is given and
// the helper claims one.
bool readPressureBlocks(const std::string& name, const DANE& dane, Blocks& out, std::atomic<bool>& givenUp,
                        ReadingSplit* split, FileTail& tail)
{
    GiveUpUnlessRead giveUp {givenUp};
    struct Finish {
        ReadingSplit* split;
        ~Finish()
        {
            if (split)
                split->finish();
        }
    } finish {split};
    if (!reserveFor(out, regularFileBytes(name)))
        return false;
    giveUp.read = orGiveUp([&] {
        RecordReader reader;
        reader.open(name);
        reader.skip(9);
        SplitRecords records(reader, split, tail);
        const bool read = readBlocks(dane, out, records, givenUp);
        // The helper's reading reports nothing: what this one did not read
        // of the file is reported now.
        ReadProgress* progress = threadReadProgress();
        if (read && progress && records.inTail() && tail.end > reader.fetched())
            progress->bytes += tail.end - reader.fetched();
        return read;
    });
    return giveUp.read;
}

bool readTemperatureBlocks(const std::string& name, const DANE& dane, Blocks& out, std::atomic<bool>& givenUp)
{
    GiveUpUnlessRead giveUp {givenUp};
    if (!reserveFor(out, regularFileBytes(name)))
        return false;
    giveUp.read = orGiveUp([&] {
        RecordReader reader;
        reader.open(name);
        {
            const KeepSkipped keep(reader, &out.above);
            reader.skip(9);
        }
        const auto point = [&out](RecordReader& r, float& angle, float& a, float& b) {
            int whole = 0;
            const RecordReader::Plain got
                = r.readPlain({ReadItem::integer(whole), ReadItem::real(a), ReadItem::real(b)});
            angle = static_cast<float>(whole);
            if (got == RecordReader::Plain::Read)
                out.tmax = std::max({out.tmax, a, b});
            return got;
        };
        ReaderRecords<decltype(point)> records {reader, point};
        return readBlocks(dane, out, records, givenUp);
    });
    return giveUp.read;
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
    // thread (neither reading writes `dane`), else after it. The same
    // thread then reads the tail of a large pressure file.
    // Read on every record by both threads: on a cache line of its own.
    struct alignas(64) {
        std::atomic<bool> flag {false};
    } given;
    std::atomic<bool>& givenUp = given.flag;
    Blocks tem;
    bool temperaturePlain = true;
    const bool temperatureBeside = dane.thermal() && readBeside(found.tem);
    // Files in memory belong to the reading thread alone.
    std::optional<ReadingSplit> split;
    if (const std::uintmax_t bytes = regularFileBytes(found.cis);
        !threadMemoryFiles() && bytes >= 2 * ReadingSplit::kFewestBytes)
        split.emplace(bytes);
    FileTail tail;
    std::optional<BesideThread> beside;
    if (temperatureBeside || split) {
        beside.emplace([&] {
            if (temperatureBeside)
                temperaturePlain = readTemperatureBlocks(found.tem, dane, tem, givenUp);
            const std::optional<std::uint64_t> from = split ? split->claimTail() : std::nullopt;
            if (!from)
                return;
            bool read = false;
            try {
                read = readFileTail(found.cis, *from, tail, givenUp);
            } catch (...) {
                // Given up: the reader of the start sees it.
            }
            tail.read.set_value(read);
        });
        if (!beside->running()) {
            beside.reset();
            split.reset();
        }
    }
    Blocks pressure;
    const bool pressurePlain
        = readPressureBlocks(found.cis, dane, pressure, givenUp, split ? &*split : nullptr, tail);
    if (beside)
        beside->wait();
    if (dane.thermal() && !temperatureBeside && pressurePlain)
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
