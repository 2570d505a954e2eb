// lobus: the viewer for the isothermal solver's files (MERANT, variant 2).

#include "app/program.h"
#include "app/shell.h"

int main(int argc, char** argv)
{
    return lobus::runWindowProgram(argc, argv, lobus::kVariantMerant,
                                   [](lobus::WindowLayer& layer, const lobus::ShellOptions& options) {
                                       return lobus::runLobus(layer, lobus::kVariantMerant, options);
                                   });
}
