#pragma once
// Writes small solver cases for the shell's tests: ROOT/DANE/NAME.dan and the
// result files ROOT/WYN/NAME.cis, .cha and (thermal cases) .tem.

#include "datafiles/state.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lobus::test {

// One wedge of a case to write: its extent, arc centre and point records.
struct WedgeLayout {
    float start = 0.0f; // degrees
    float end = 0.0f;
    int points = 2;  // point records of the wedge's block, the closing one included
    float cx = 0.0f; // arc centre offsets
    float cy = 0.0f;
};

// What the solver files of one case hold, and which of them to write.
struct SolverFiles {
    std::string name = "x";
    std::vector<WedgeLayout> wedges;
    int variant = kVariantMerant; // kVariantSolako writes eight values on the .cha record and a .tem file
    float ekscen = 0.4f;
    float katekscen = 250.0f;
    float pmax = 4.5e6f;
    float temperatureBase = 40.0f;
    bool writeCis = true;
    bool writeCha = true;
    bool writeTem = true;   // thermal cases only
    std::string badCisLine; // when set, replaces the third point record of the first wedge
};

// Evenly spaced wedges around the bearing, each with `points` records.
SolverFiles evenCase(std::string name, int wedges, int points, int variant = kVariantMerant);

// Returns the data file's path.
std::filesystem::path writeCase(const std::filesystem::path& root, const SolverFiles& desc);

// A fresh empty directory under the system's temporary directory.
std::filesystem::path freshDirectory(const std::string& tag);

} // namespace lobus::test
