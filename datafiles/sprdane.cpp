// SPRDANE, the examining pass: the wedge table of the data file, the pressure
// file found or chosen, and the number of points in its longest wedge block.

#include "datafiles/passcommon.h"
#include "datafiles/passes.h"
#include "datafiles/trace.h"

#include <algorithm>

namespace lobus {
namespace {

// Counts the point records of each wedge block. A block ends with its first
// record whose angle reaches the wedge's end angle; that record belongs to
// it. The end of the file inside the points ends the scan, and a block cut
// short counts with the points it has.
int scanPressureBlocks(RecordReader& reader, const DANE& dane, Trace* trace)
{
    int ilkat = 0;
    int c = 0;
    float pom = 0.0f; // a null angle leaves the last one in place
    for (int k = 1; k <= dane.ikm; ++k) {
        c = 0;
        const float endAngle = dane.tabpsi(2 * k);
        for (;;) {
            if (!reader.readOrEnd({ReadItem::real(pom)}))
                return std::max(ilkat, c);
            if (trace)
                trace->write("nrkln=", k, "ikm=", dane.ikm, "pom=", pom, "tabpsi((NrKln-1)*2+2)=", endAngle);
            if (pom < endAngle) {
                ++c;
                continue;
            }
            ilkat = std::max(ilkat, c + 1);
            if (trace)
                trace->write("nrkln,ikm=", k, dane.ikm);
            if (k < dane.ikm)
                reader.skip(5);
            c = 1;
            break;
        }
    }
    return std::max(ilkat, c);
}

} // namespace

PassEnd SPRDANE(const std::string& datafile, std::string& cisfile, int& ilkat, DANE& dane, PassUi& ui,
                Trace* trace)
{
    const TraceFlush flushAtEnd(trace);
    RecordReader reader;
    readWedgeTable(reader, datafile, dane, false);
    traceTabpsi(trace, "1tabpsi=", dane);

    const ResultLocation loc = locateResults(datafile);
    traceTabpsi(trace, "2tabpsi=", dane);

    std::string name;
    if (!settleResultFile(loc, ".cis", dane.thermal() ? kFilterCisSolako : kFilterCisMerant, ui, name))
        return PassEnd::Cancelled;
    cisfile = name;
    traceTabpsi(trace, "3tabpsi=", dane);

    reader.open(cisfile);
    reader.skip(9);
    traceTabpsi(trace, "4tabpsi=", dane);
    int count = 0;
    try {
        count = scanPressureBlocks(reader, dane, trace);
    } catch (const SubscriptRangeError& e) {
        reader.raiseSubscript(e);
    }
    reader.close();
    ilkat = count;
    return PassEnd::Completed;
}

} // namespace lobus
