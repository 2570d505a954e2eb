#include "datafiles/loadcase.h"

#include "datafiles/filereplace.h"
#include "datafiles/passui.h"
#include "datafiles/readerror.h"
#include "datafiles/texts.h"

#include <algorithm>
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

std::string wedgeList(int ikm)
{
    std::string list;
    for (int k = 1; k <= ikm; ++k)
        list += (k > 1 ? ", " : "") + std::to_string(k);
    return list;
}

std::string endedEarly(const std::string& file, int wedge, const DANE& dane)
{
    return texts::fillIn(texts::translate("lobus",
                                          "zbiór %1 kończy się w bloku klina %2 (kliny %3): pokazano "
                                          "to, co przeczytano do tego miejsca"),
                         {displayName(file), std::to_string(wedge), wedgeList(std::clamp(dane.ikm, 0, 6))});
}

} // namespace

std::vector<std::string> caseNotes(const CaseFiles& files, const Case& c)
{
    std::vector<std::string> notes;
    if (c.results.read.cisEndedIn > 0)
        notes.push_back(endedEarly(files.cis, c.results.read.cisEndedIn, c.dane));
    if (c.dane.thermal() && c.results.read.temEndedIn > 0)
        notes.push_back(endedEarly(files.tem, c.results.read.temEndedIn, c.dane));
    return notes;
}

std::vector<std::string> pictureNotes(const CaseFiles& files, const Case& c, const RYSUJ& rysuj)
{
    std::vector<std::string> notes;
    if (!files.cha.empty() && rysuj.autop == 1 && c.dane.pmax == 0.0f)
        notes.push_back(texts::fillIn(
            texts::translate("lobus",
                             "pmax w zbiorze %1 wynosi 0: wykresy ciśnień w skali automatycznej "
                             "mają zerową skalę i nie są rysowane"),
            {displayName(files.cha)}));
    return notes;
}

LoadOutcome loadCase(const std::string& datafile, Case& c, RYSUJ& rysuj, PassUi& ui, Trace* trace)
{
    LoadOutcome o;
    o.stage = LoadStage::Examining;
    o.files.dan = datafile;
    try {
        // Without a trace, whose lines follow the two passes record by
        // record, the usual case is read in one pass.
        if (!trace && readInOnePass(datafile, c, rysuj, ui, o.files, o.ilkat)) {
            o.cisfile = o.files.cis;
            o.stage = LoadStage::Done;
            o.notes = caseNotes(o.files, c);
            return o;
        }
        std::string cisfile;
        int ilkat = 0;
        if (SPRDANE(datafile, cisfile, ilkat, c.dane, ui, trace) != PassEnd::Completed) {
            o.end = PassEnd::Cancelled;
            return o;
        }
        o.cisfile = cisfile;
        o.files.cis = cisfile;
        o.ilkat = ilkat;

        o.stage = LoadStage::Allocating;
        c.results = Results(); // the previous arrays go before the new ones come
        c.results.allocate(ilkat);

        o.stage = LoadStage::Reading;
        o.end = CZYTDANE(datafile, cisfile, c.results, c.dane, rysuj, ui, trace, &o.files);
        if (o.end == PassEnd::Completed)
            o.stage = LoadStage::Done;
        if (o.caseStands())
            o.notes = caseNotes(o.files, c);
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
