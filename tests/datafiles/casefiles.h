#pragma once
// Small solver cases written by the tests: the data file and the result files
// in the DANE/ + WYN/ layout.

#include <string>
#include <vector>

namespace lobus::test {

std::string numbers(const std::vector<float>& v);

// The data file: 13 header records, record 14 (five REALs and ikm), two
// records, record 17 (the angles), two records, record 20 (the pairs).
std::string danText(const std::string& ikmField, const std::vector<float>& tabpsi,
                    const std::vector<float>& pairs, const char* eol = "\n");

// A wedge block of point lines: angle and one or two further columns.
struct Block {
    std::vector<std::string> lines;
};

// Pressure or temperature file: 9 header records, then the blocks with five
// header records between them.
std::string resultText(const std::vector<Block>& blocks, const char* eol = "\n");

// Pressure lines from `from` to `to` by `step` (the last at `to`), pressure 1000*angle.
Block pressureBlock(float from, float to, float step);

// The characteristics file: 6 header records and record 7.
std::string chaText(const std::vector<float>& record7);

} // namespace lobus::test
