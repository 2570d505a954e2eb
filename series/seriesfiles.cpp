#include "series/seriesfiles.h"

#include "datafiles/fileaccess.h"
#include "datafiles/texts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace lobus {

namespace fs = std::filesystem;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool hasDanExtension(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::ranges::transform(ext, ext.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return ext == ".dan";
}

std::string joined(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        return folder + name;
    return folder + "/" + name;
}

// The cases of a folder: the names of its regular ".dan" files, sorted.
std::vector<std::string> danFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(pathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code tc;
        if (it->is_regular_file(tc) && hasDanExtension(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::ranges::sort(names, naturalLess);
    return names;
}

} // namespace

bool naturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ie = i;
            std::size_t je = j;
            while (ie < a.size() && isDigit(a[ie]))
                ++ie;
            while (je < b.size() && isDigit(b[je]))
                ++je;
            // Leading zeros say nothing of the value.
            std::size_t ia = i;
            std::size_t jb = j;
            while (ia + 1 < ie && a[ia] == '0')
                ++ia;
            while (jb + 1 < je && b[jb] == '0')
                ++jb;
            if (ie - ia != je - jb)
                return ie - ia < je - jb;
            if (const int c = a.substr(ia, ie - ia).compare(b.substr(jb, je - jb)); c != 0)
                return c < 0;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

std::string caseName(std::string_view file)
{
    const std::size_t sep = file.find_last_of("/\\");
    std::string_view name = sep == std::string_view::npos ? file : file.substr(sep + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

std::vector<SeriesInput> seriesInputs(const std::vector<std::string>& arguments)
{
    std::vector<SeriesInput> inputs;
    for (const std::string& arg : arguments) {
        std::error_code ec;
        const fs::file_status st = fs::status(pathFromUtf8(arg), ec);
        if (fs::is_regular_file(st)) {
            inputs.push_back({arg, {}});
            continue;
        }
        if (!fs::is_directory(st)) {
            inputs.push_back({arg, texts::translate("lobus::Series", "nie ma takiego zbioru ani folderu")});
            continue;
        }
        std::string folder = arg;
        for (const char* sub : {"DANE", "dane"})
            if (fs::is_directory(pathFromUtf8(joined(arg, sub)), ec)) {
                folder = joined(arg, sub);
                break;
            }
        const std::vector<std::string> names = danFiles(folder);
        if (names.empty())
            inputs.push_back({arg, texts::translate("lobus::Series", "folder nie zawiera zbiorów .dan")});
        for (const std::string& name : names)
            inputs.push_back({joined(folder, name), {}});
    }
    return inputs;
}

} // namespace lobus
