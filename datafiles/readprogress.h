#pragma once
// How far the reading of a case has come, and a way to stop it, for a load
// that runs beside the window. The record readers of a thread report every
// buffer they fill to the ReadProgress set for that thread, and stop there
// when it has been asked to stop.

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>

namespace lobus {

struct ReadProgress {
    std::atomic<std::uint64_t> bytes {0}; // read so far by the readers of the thread
    std::atomic<bool> stop {false};       // set by anyone: the next buffer raises ReadStopped
};

// Raised by a record reader whose thread's ReadProgress was asked to stop.
// Not a read error: nothing is reported, the load is dropped.
class ReadStopped : public std::exception {
public:
    const char* what() const noexcept override { return "reading stopped"; }
};

// The progress the record readers of the calling thread report to; null (the
// default) for none. The caller keeps `progress` alive while it is set.
void setThreadReadProgress(ReadProgress* progress);
ReadProgress* threadReadProgress();

// About how many bytes a load of the case reads: both passes read the data
// file and the pressure file, the reading pass also the characteristics file
// and, for the thermal solver (kVariantSolako), the temperature file. Files not
// where the case locates them count nothing.
std::uint64_t expectedReadBytes(const std::string& datafile, int variant);
// The same for the files a case was read from (an empty name counts nothing).
std::uint64_t expectedReadBytes(const std::string& dan, const std::string& cis, const std::string& cha,
                                const std::string& tem);

} // namespace lobus
