#include "common/win/program_windows.h"

#include "common/text.h"
#include "common/ui/window.h"
#include "common/wildcard.h"

HWND FWndLike(const std::string& classPattern, const std::string& captionPattern, HWND parent) {
    const std::string caption = ToLower(captionPattern);
    HWND window = parent ? GetWindow(parent, GW_CHILD) : GetWindow(GetDesktopWindow(), GW_CHILD);
    while (window) {
        char className[256] = {}, text[256] = {};
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, text, sizeof text);
        if (MatchesPattern(className, classPattern) && MatchesPattern(ToLower(text), caption)) return window;
        window = GetWindow(window, GW_HWNDNEXT);
    }
    return nullptr;
}

bool IsProgramRunning(const std::string& programName) {
    // The program name is ours, never the user's, so it can serve as a pattern.
    return FWndLike(kCorvaneWindowClass, programName + "*") != nullptr;
}
