// lobus-solako: the viewer for the thermal solver's files (SOLAKO, variant 1),
// with temperatures and the temperature-scale command.

#include "app/program.h"
#include "app/shell.h"

int main(int argc, char** argv)
{
    return lobus::runWindowProgram(argc, argv, lobus::kVariantSolako,
                                   [](lobus::WindowLayer& layer, const std::string& file) {
                                       lobus::ShellOptions options;
                                       options.openAtStart = file;
                                       return lobus::runLobus(layer, lobus::kVariantSolako, options);
                                   });
}
