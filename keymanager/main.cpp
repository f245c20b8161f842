#include <windows.h>

#include "common/win/program_main.h"
#include "keymanager/key_manager.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return RunProgram(Program::Morvish, commandLine ? commandLine : "", RunKeyManager);
}
