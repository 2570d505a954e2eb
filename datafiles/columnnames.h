#pragma once
// The names a solver file gives its own columns. Solvers differ in which
// quantities they write and in what order, so the names of a record's values
// come from the file's header records, never from a fixed list:
//
// - The header of a record of n values is the nearest record above it (every
//   record above counts, the nearest first) that, trimmed and split at runs
//   of two or more blanks (a tab also splits), gives exactly n pieces.
// - A piece "name [unit]" gives the name and the unit; a piece without
//   brackets gives the name and an empty unit.
// - When no record fits, value i is named "value i" (its position in the
//   record, from 1) with an empty unit.
// - A header record that is not UTF-8 is read as Windows-1250.
//
// Standard library only.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

struct ColumnName {
    std::string name;        // UTF-8
    std::string unit;        // UTF-8; empty when the header gives none
    bool fromHeader = false; // false: the "value i" of a record no header fits
    bool operator==(const ColumnName&) const = default;
};

// A value of a record the program keeps without drawing it.
struct NamedValue {
    ColumnName column;
    float value = 0.0f; // not finite when a null left it unread
};

// The values the case's files hold beside what the picture draws, named by
// the files' own headers.
struct CaseValues {
    std::vector<NamedValue> conditions;      // the data file's five REALs before ikm
    std::vector<NamedValue> characteristics; // the .cha values between katekscen and pmax
    ColumnName tem1 {"t1", "", false};       // the temperature file's two columns
    ColumnName tem2 {"t2", "", false};
};

// The record's text in UTF-8: as it is when it is UTF-8, else read as
// Windows-1250.
std::string headerText(std::string_view record);

// The pieces of a header record (trimmed, split at runs of two or more
// blanks or at tabs), each as name and unit.
std::vector<ColumnName> headerPieces(std::string_view record);

// The names of the `count` values of a record whose records above it are
// `above`, in file order (the nearest last): the header rule above.
std::vector<ColumnName> columnNames(std::span<const std::string> above, std::size_t count);

} // namespace lobus
