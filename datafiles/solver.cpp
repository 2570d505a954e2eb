#include "datafiles/solver.h"

#include "datafiles/fileaccess.h"
#include "datafiles/recordreader.h"
#include "datafiles/resultlocation.h"

#include <new>

namespace lobus {

namespace {
constexpr long kSolakoValues = 8;
constexpr long kMerantValues = 6;
} // namespace

SolverSigns solverSigns(const std::string& datafile, const std::string& chaFile, const std::string& temFile)
{
    const ResultLocation loc = locateResults(datafile);
    const auto located = [&](const std::string& given, const char* extension) {
        if (!given.empty())
            return given;
        return loc.projectDir ? loc.path(extension) : std::string();
    };
    SolverSigns signs;
    signs.temFile = !fileMissing(located(temFile, ".tem"));
    const std::string cha = located(chaFile, ".cha");
    if (!fileExists(cha))
        return signs;
    try {
        RecordReader reader(64 * 1024);
        reader.open(cha);
        reader.skip(6);
        signs.chaValues = reader.countValues(kSolakoValues + 1);
    } catch (const ReadError&) {
        signs.chaValues = -1;
    } catch (const std::bad_alloc&) {
        signs.chaValues = -1;
    }
    return signs;
}

Solver recogniseSolver(const SolverSigns& signs)
{
    if (signs.chaValues == kSolakoValues)
        return Solver::Solako;
    if (signs.chaValues == kMerantValues && !signs.temFile)
        return Solver::Merant;
    return Solver::Neither;
}

} // namespace lobus
