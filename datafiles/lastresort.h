#pragma once
// The last resort of a program: a failure that no handler saw (an allocation
// that fails inside a library where no exception may pass) ends the program
// with one line on stderr and status 1, after removing the files it had
// begun to write, rather than with an abort and a core.

namespace lobus {

// Installs the handler for the whole process; `program` starts the line
// ("lobus-render: ..."). The texts are taken in the language in use now.
void endFailuresWithOneLine(const char* program);

} // namespace lobus
