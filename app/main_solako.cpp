// lobus-solako: the viewer for the thermal solver's files (SOLAKO, variant 1),
// with temperatures and the temperature-scale command.

#include "app/program.h"
#include "app/shell.h"

int main(int argc, char** argv)
{
    return lobus::runWindowProgram(argc, argv, lobus::kVariantSolako,
                                   [](lobus::WindowLayer& layer, const lobus::ShellOptions& options) {
                                       return lobus::runLobus(layer, lobus::kVariantSolako, options);
                                   });
}
