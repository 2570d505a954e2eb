#pragma once
// Solver files held in memory, found by name in place of the file system.
// While a thread has a set of them (setThreadMemoryFiles), the reading layer
// of that thread asks the set alone: a name in it is a regular file with
// those bytes, any other name is missing. The passes then read a whole case
// without a single system call, which is what the fuzz targets need to run
// thousands of cases a second.

#include <map>
#include <string>

namespace lobus {

class MemoryFiles {
public:
    void put(const std::string& name, std::string bytes) { m_files[name] = std::move(bytes); }
    void remove(const std::string& name) { m_files.erase(name); }
    void clear() { m_files.clear(); }
    // The bytes of `name`; null when the set has no such file.
    const std::string* find(const std::string& name) const
    {
        const auto it = m_files.find(name);
        return it == m_files.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, std::string, std::less<>> m_files;
};

// The set the reading layer of the calling thread uses; null (the default):
// the file system. The caller keeps `files` alive while it is set.
void setThreadMemoryFiles(const MemoryFiles* files);
const MemoryFiles* threadMemoryFiles();

} // namespace lobus
