#include "datafiles/loadcase.h"

#include "datafiles/passui.h"
#include "datafiles/readerror.h"
#include "datafiles/texts.h"

#include <new>

namespace lobus {
namespace {

void fail(LoadOutcome& o, std::string report)
{
    o.end = PassEnd::Failed;
    o.report = std::move(report);
}

std::string outOfMemory(const std::string& what)
{
    return texts::fillIn(texts::translate("lobus", "Brak pamięci na %1"), {what});
}

// What the stage was allocating when no more precise name came with the failure.
std::string stageWhat(LoadStage stage, const std::string& datafile, int ilkat)
{
    switch (stage) {
    case LoadStage::Allocating: {
        const unsigned long long bytes = 4ULL * 6ULL * static_cast<unsigned long long>(ilkat) * sizeof(float);
        return texts::fillIn(texts::translate("lobus", "tablice wyników (4 × 6 × %1 liczb, %2 MB) zbioru %3"),
                             {std::to_string(ilkat), std::to_string((bytes + 999999) / 1000000), datafile});
    }
    case LoadStage::Examining:
        return texts::fillIn(texts::translate("lobus", "dane przebiegu sprawdzającego zbioru %1"),
                             {datafile});
    default:
        return texts::fillIn(texts::translate("lobus", "dane przebiegu czytającego zbioru %1"), {datafile});
    }
}

} // namespace

LoadOutcome loadCase(const std::string& datafile, Case& c, RYSUJ& rysuj, PassUi& ui, Trace* trace)
{
    LoadOutcome o;
    o.stage = LoadStage::Examining;
    try {
        std::string cisfile;
        int ilkat = 0;
        if (SPRDANE(datafile, cisfile, ilkat, c.dane, ui, trace) != PassEnd::Completed) {
            o.end = PassEnd::Cancelled;
            return o;
        }
        o.cisfile = cisfile;
        o.ilkat = ilkat;

        o.stage = LoadStage::Allocating;
        c.results = Results(); // the previous arrays go before the new ones come
        c.results.allocate(ilkat);

        o.stage = LoadStage::Reading;
        o.end = CZYTDANE(datafile, cisfile, c.results, c.dane, rysuj, ui, trace);
        if (o.end == PassEnd::Completed)
            o.stage = LoadStage::Done;
    } catch (const ReadError& e) {
        fail(o, e.report());
    } catch (const SubscriptRangeError& e) {
        // The reading layer normally wraps these with the file and record.
        fail(o, e.what());
    } catch (const AllocationFailure& e) {
        fail(o, outOfMemory(e.what()));
    } catch (const std::bad_alloc&) {
        fail(o, outOfMemory(stageWhat(o.stage, datafile, o.ilkat)));
    }
    return o;
}

} // namespace lobus
