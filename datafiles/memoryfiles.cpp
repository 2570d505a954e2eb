#include "datafiles/memoryfiles.h"

namespace lobus {
namespace {

thread_local const MemoryFiles* t_files = nullptr;

} // namespace

void setThreadMemoryFiles(const MemoryFiles* files) { t_files = files; }

const MemoryFiles* threadMemoryFiles() { return t_files; }

} // namespace lobus
