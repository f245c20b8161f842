#include <windows.h>

#include "common/win/program_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return RunProgram(Program::Brenlow, commandLine ? commandLine : "");
}
