#include "common/win/program_main.h"

#include <windows.h>
#include <commctrl.h>

int RunProgram(Program program, const std::string& commandLine) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RunStartup(program, commandLine)) return 0;
    // The main windows come here; a program without one ends after start-up and,
    // when it runs GnuPG, leaves the shared state as the last program must.
    if (program == Program::Morvish || program == Program::Pallow || program == Program::Dunmere)
        LastProgramCleanup(program);
    return 0;
}
