// Stands in for a sibling program a test expects to be started: appends its
// command line to the file named by FAKE_PROGRAM_LOG and ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const char* log = std::getenv("FAKE_PROGRAM_LOG");
    if (!log) return 1;
    FILE* file = std::fopen(log, "ab");
    if (!file) return 1;
    std::fprintf(file, "[%s]\n", commandLine ? commandLine : "");
    std::fclose(file);
    return 0;
}
