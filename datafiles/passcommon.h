#pragma once
// Steps shared by the examining pass (SPRDANE) and the reading pass
// (CZYTDANE): the wedge table of the data file, settling a result file with
// the user's help, and the tabpsi trace lines.

#include "datafiles/columnnames.h"
#include "datafiles/passui.h"
#include "datafiles/recordreader.h"
#include "datafiles/resultlocation.h"
#include "datafiles/state.h"
#include "datafiles/texts.h"
#include "resources/ids.h"

#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

class Trace;

constexpr int kSelectFlags = kSelectKeepDirectory;
inline constexpr const char* kSelectTitle = QT_TRANSLATE_NOOP("DataFiles", "Wybor zbioru wyników");

// Reads the data file on `reader` from its first record: skips 13 records,
// reads five REALs the case block does not keep and ikm (record 14), skips 2,
// reads tabpsi(1..2*ikm) (record 17); with `withPairs` also skips 2 and reads
// the tabkla/tabklb pairs (record 20). Closes the file. ikm above 6 gives the
// subscript-range report when the 13th tabpsi slot would be stored; ikm of 0
// or less passes over one record where the angles would be. With `values`,
// the five REALs go into its conditions, named by the records above them.
void readWedgeTable(RecordReader& reader, const std::string& dataFile, DANE& dane, bool withPairs,
                    CaseValues* values = nullptr);

// Runs a step of the reading in one pass: a failure gives up (false), and
// the two passes then read the case and report it.
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

// While it lives, the records `reader` skips are kept in `records` (none
// when `records` is null).
class KeepSkipped {
public:
    KeepSkipped(RecordReader& reader, std::vector<std::string>* records) : m_reader(reader)
    {
        m_reader.keepSkipped(records);
    }
    ~KeepSkipped() { m_reader.keepSkipped(nullptr); }
    KeepSkipped(const KeepSkipped&) = delete;
    KeepSkipped& operator=(const KeepSkipped&) = delete;

private:
    RecordReader& m_reader;
};

// Values read into `slots` (NaN where a null left one unread), named by the
// header among `above` for a record of `count` values, of which they are
// the ones from position `first` (0-based) on.
std::vector<NamedValue> namedValues(std::span<const float> slots, std::span<const std::string> above,
                                    std::size_t count, std::size_t first);

// The result file with `extension` of the case at `loc`: the located name when
// anything is there under that name (reading it then tells when it cannot be
// read). Otherwise (or when the case has no project directory) the
// warning "Brak zbioru " + expected name and the selection dialog with
// `filter`. Returns false when the dialog was cancelled.
bool settleResultFile(const ResultLocation& loc, std::string_view extension, int filter, PassUi& ui,
                      std::string& name);
// The first half of that: the preset file, or the expected one when anything
// is there; empty when finding it would mean asking the user.
std::string resultFileFound(const ResultLocation& loc, std::string_view extension, int filter, PassUi& ui);

// The trace record `label` followed by the 12 slots of tabpsi.
// Defined with the reading pass, shared with the reading in one pass.

// The values between katekscen and pmax are kept, named by the records above
// them, beside the case block that does not hold them.
void readCharacteristics(RecordReader& reader, const std::string& name, DANE& dane, ReadRecord& read,
                         CaseValues& named);

// What the temperature file gives besides tem1 and tem2: read on a reader
// of its own, beside the pressure file, and merged into the case after.
struct TemperatureRead {
    float tmax = -9999.0f;
    ReadRecord read;                // temLines, temEndedIn and the nulls of tem1 and tem2
    std::vector<std::string> above; // the records above the first block
};
void mergeTemperatures(Results& results, DANE& dane, TemperatureRead&& t);

// A temperature file smaller than this is read after the pressure file: a
// thread would cost more than it saves.
inline constexpr std::uintmax_t kBesideBytes = 1 << 20;

// Whether the temperature file `tem` is worth a thread of its own beside the
// pressure file: on the disk, and large enough.
bool readBeside(const std::string& tem);

void traceTabpsi(Trace* trace, const char* label, const DANE& dane);

} // namespace lobus
