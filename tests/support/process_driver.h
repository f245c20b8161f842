// Starts a real program of the suite under test and plays the user: every
// message box or input box it shows is read and answered.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <windows.h>

struct SeenWindow {
    std::string className;
    std::string caption;
    std::string text;  // the texts of its labels, joined by "\n"
};

struct ProgramRun {
    bool started = false;
    bool ended = false;       // false: killed at the time limit
    DWORD exitCode = 0;
    std::vector<SeenWindow> seen;
    std::vector<SeenWindow> closed;  // windows the answer closed with WM_CLOSE
};

// Chooses the button to press ("OK", "Yes", "No", "Cancel") for a window, or
// kCloseWindow to close it as its close box would (a main window).
inline constexpr const char* kCloseWindow = "<close>";
using WindowAnswer = std::function<std::string(const SeenWindow&)>;

// Runs `commandLine` with the environment changed by `environment` (a value of ""
// removes the variable) and answers each dialog with `answer` (OK/the default
// when none is given). Kills the program after `timeoutMs`.
ProgramRun RunProgramAndAnswer(const std::string& commandLine, const std::map<std::string, std::string>& environment,
                               const WindowAnswer& answer = nullptr, DWORD timeoutMs = 60000);
