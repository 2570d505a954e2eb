// lobus-examples: writes the bundled example cases, or a large case for the
// benchmarks, into a directory in the DANE/ + WYN/ layout.

#include "examples/casegen.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage
    = "usage: lobus-examples OUTDIR                 write the bundled examples\n"
      "       lobus-examples --stress LxN OUTDIR    write a SOLAKO case of L lobes (1..6) x N points\n"
      "       lobus-examples --list                 list the bundled examples\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

bool parseInt(std::string_view s, int& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lobus::casegen;
    try {
        if (argc == 2 && std::string_view(argv[1]) == "--list") {
            for (const Bearing& b : bundledExamples())
                std::printf("%s\t%s\n", b.name.c_str(), b.description.c_str());
            return 0;
        }
        if (argc == 4 && std::string_view(argv[1]) == "--stress") {
            const std::string_view shape(argv[2]);
            const std::size_t x = shape.find('x');
            int lobes = 0;
            int points = 0;
            if (x == std::string_view::npos || !parseInt(shape.substr(0, x), lobes)
                || !parseInt(shape.substr(x + 1), points) || lobes < 1 || lobes > 6 || points < 2)
                return usage();
            const Bearing b = stressCase(lobes, points);
            writeCase(b, solve(b), argv[3]);
            std::printf("%s\n", b.name.c_str());
            return 0;
        }
        if (argc != 2 || argv[1][0] == '-')
            return usage();
        for (const Bearing& b : bundledExamples())
            writeCase(b, solve(b), argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lobus-examples: %s\n", e.what());
        return 1;
    }
}
