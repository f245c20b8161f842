// Opening folders, web addresses, mail messages and text files for the user.
//
// Each operation uses the user's handler shortcut from the Corvane home directory
// ("_explore.lnk", "_url-http.lnk", "_url-mailto.lnk", "_edit.lnk") when there is
// one, else the system's default; a missing shortcut is not an error. What is
// opened is decided in common/desktop_actions.h; here it is handed to the shell.
#pragma once

#include <string>
#include <vector>

#include "common/desktop_actions.h"

// Each returns true when the shell took the launch.
bool ExploreFolder(const std::string& folder);
bool OpenUrl(const std::string& address);
// The mailto text is an address, optionally with header fields ("a@b.org?subject=x").
bool SendMail(const std::string& mailtoText);
bool EditFile(const std::string& path);

// Full path of the handler shortcut in ShellHomeDir when the user has one
// (hidden and system files count), else "".
std::string DesktopHandler(const std::string& shortcutName);

// Hands one launch to the shell (ShellExecute, normal window).
bool PerformLaunch(const DesktopLaunch& launch);

// While one exists, launches are recorded instead of performed (and count as taken).
class ScopedLaunchRecorder {
public:
    ScopedLaunchRecorder();
    ~ScopedLaunchRecorder();
    ScopedLaunchRecorder(const ScopedLaunchRecorder&) = delete;
    ScopedLaunchRecorder& operator=(const ScopedLaunchRecorder&) = delete;

    const std::vector<DesktopLaunch>& Launches() const { return launches_; }
    void Clear() { launches_.clear(); }
    void Record(const DesktopLaunch& launch) { launches_.push_back(launch); }

private:
    std::vector<DesktopLaunch> launches_;
    ScopedLaunchRecorder* previous_ = nullptr;
};
