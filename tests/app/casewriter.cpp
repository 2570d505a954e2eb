#include "casewriter.h"

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace lobus::test {

namespace fs = std::filesystem;

namespace {

void header(std::ofstream& out, int lines, const char* what)
{
    for (int i = 1; i <= lines; ++i)
        out << what << " naglowek " << i << "\n";
}

float angleAt(const WedgeLayout& w, int j)
{
    if (w.points <= 1 || j >= w.points)
        return w.end;
    return w.start + (w.end - w.start) * static_cast<float>(j - 1) / static_cast<float>(w.points - 1);
}

std::ofstream create(const fs::path& p)
{
    std::ofstream out(p);
    if (!out)
        throw std::runtime_error("cannot write " + p.string());
    return out;
}

} // namespace

SolverFiles evenCase(std::string name, int wedges, int points, int variant)
{
    SolverFiles desc;
    desc.name = std::move(name);
    desc.variant = variant;
    const float span = 360.0f / static_cast<float>(wedges);
    for (int k = 0; k < wedges; ++k) {
        WedgeLayout w;
        w.start = span * static_cast<float>(k) + 5.0f;
        w.end = span * static_cast<float>(k + 1) - 5.0f;
        w.points = points;
        w.cx = 0.1f * std::cos(0.0174533f * (w.start + w.end) / 2.0f);
        w.cy = 0.1f * std::sin(0.0174533f * (w.start + w.end) / 2.0f);
        desc.wedges.push_back(w);
    }
    return desc;
}

fs::path writeCase(const fs::path& root, const SolverFiles& desc)
{
    fs::create_directories(root / "DANE");
    fs::create_directories(root / "WYN");
    const int ikm = static_cast<int>(desc.wedges.size());

    const fs::path dan = root / "DANE" / (desc.name + ".dan");
    {
        auto out = create(dan);
        header(out, 13, "dane");
        out << "0.05 0.1 1500.0 0.001 40.0 " << ikm << "\n";
        out << "katy klinow\n\n";
        for (const auto& w : desc.wedges)
            out << w.start << " " << w.end << " ";
        out << "\n";
        out << "srodki lukow\n\n";
        for (const auto& w : desc.wedges)
            out << w.cx << " " << w.cy << " ";
        out << "\n";
        out << "reszta danych\n";
    }

    if (desc.writeCis) {
        auto out = create(root / "WYN" / (desc.name + ".cis"));
        header(out, 9, "cisnienia");
        for (int k = 0; k < ikm; ++k) {
            const WedgeLayout& w = desc.wedges[static_cast<std::size_t>(k)];
            if (k > 0)
                header(out, 5, "klin");
            for (int j = 1; j <= w.points; ++j) {
                if (k == 0 && j == 3 && !desc.badCisLine.empty()) {
                    out << desc.badCisLine << "\n";
                    continue;
                }
                const float s = static_cast<float>(j - 1) / static_cast<float>(std::max(1, w.points - 1));
                out << angleAt(w, j) << " " << desc.pmax * std::sin(3.14159f * s) * 0.9f << "\n";
            }
        }
    }

    if (desc.writeCha) {
        auto out = create(root / "WYN" / (desc.name + ".cha"));
        header(out, 6, "charakterystyki");
        out << desc.ekscen << " " << desc.katekscen << " 1.0 2.0 3.0 ";
        if (desc.variant == kVariantSolako)
            out << "4.0 5.0 ";
        out << desc.pmax << "\n";
    }

    if (desc.variant == kVariantSolako && desc.writeTem) {
        auto out = create(root / "WYN" / (desc.name + ".tem"));
        header(out, 9, "temperatury");
        for (int k = 0; k < ikm; ++k) {
            const WedgeLayout& w = desc.wedges[static_cast<std::size_t>(k)];
            if (k > 0)
                header(out, 5, "klin");
            for (int j = 1; j <= w.points; ++j) {
                const int angle = j == w.points ? static_cast<int>(std::ceil(w.end))
                                                : static_cast<int>(std::floor(angleAt(w, j)));
                const float t = desc.temperatureBase + static_cast<float>(j);
                out << angle << " " << t << " " << t + 2.0f << "\n";
            }
        }
    }
    return dan;
}

fs::path freshDirectory(const std::string& tag)
{
    const fs::path dir
        = fs::temp_directory_path() / ("lobus-shell-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace lobus::test
