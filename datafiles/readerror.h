#pragma once
// The one error type of the reading layer. Every failure while reading the
// solver's files (a file that cannot be opened, a bad number, an unexpected
// end of file, an index outside a table) is raised as a ReadError carrying the
// numbered report; whoever catches it decides what happens to the program.

#include <new>
#include <stdexcept>
#include <string>

namespace lobus {

enum class ReadErrorKind {
    OpenFailed,
    BadReal,
    BadInteger,
    EndOfFile,
    SubscriptRange,
};

class ReadError : public std::runtime_error {
public:
    // `report` is the whole text shown to the user ("Error #...", FILE=, UNIT=, RECORD=).
    ReadError(ReadErrorKind kind, int number, std::string report)
        : std::runtime_error(std::move(report)), m_kind(kind), m_number(number)
    { }

    ReadErrorKind kind() const { return m_kind; }
    int number() const { return m_number; }
    std::string report() const { return what(); }

private:
    ReadErrorKind m_kind;
    int m_number;
};

// An allocation of the reading layer that failed, with what could not be
// allocated in words (a noun phrase, Polish, e.g. "bufor rekordu 7 zbioru
// X.cis (64 MB)"). It is a std::bad_alloc, so whoever only knows those still
// catches it; loadCase puts the words into its report.
class AllocationFailure : public std::bad_alloc {
public:
    explicit AllocationFailure(const std::string& what) : m_what(what) { }
    const char* what() const noexcept override { return m_what.what(); }

private:
    std::runtime_error m_what; // shares its text on copy, so a copy cannot throw
};

// Raised by the tables below for an index outside their bounds. The reading
// layer turns it into a ReadError with the file and record where it happened.
class SubscriptRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

} // namespace lobus
