#include "common/win/desktop.h"

#include <windows.h>
#include <shellapi.h>

#include "common/environment.h"
#include "common/win/com_init.h"
#include "common/win/file_system.h"

namespace {

ScopedLaunchRecorder*& ActiveRecorder() {
    static ScopedLaunchRecorder* recorder = nullptr;
    return recorder;
}

}  // namespace

ScopedLaunchRecorder::ScopedLaunchRecorder() : previous_(ActiveRecorder()) {
    ActiveRecorder() = this;
}

ScopedLaunchRecorder::~ScopedLaunchRecorder() {
    ActiveRecorder() = previous_;
}

std::string DesktopHandler(const std::string& shortcutName) {
    // Without a home directory the lookup would search the current drive's root.
    const std::string& home = Env().ShellHomeDir;
    if (home.empty()) return "";
    std::string path = home + "\\" + shortcutName;
    return LookupFileName(path).empty() ? "" : path;
}

bool PerformLaunch(const DesktopLaunch& launch) {
    if (ScopedLaunchRecorder* recorder = ActiveRecorder()) {
        recorder->Record(launch);
        return true;
    }
    ScopedComInit com;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The shell says itself when nothing is associated with what is opened.
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = launch.verb.c_str();
    info.lpFile = launch.file.c_str();
    info.lpParameters = launch.parameters.empty() ? nullptr : launch.parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

bool ExploreFolder(const std::string& folder) {
    return PerformLaunch(ExploreFolderLaunch(folder, DesktopHandler(kExploreHandler)));
}

bool OpenUrl(const std::string& address) {
    return PerformLaunch(OpenUrlLaunch(address, DesktopHandler(kUrlHandler)));
}

bool SendMail(const std::string& mailtoText) {
    return PerformLaunch(SendMailLaunch(mailtoText, Env().Switches.EncodedMailto, DesktopHandler(kMailtoHandler)));
}

bool EditFile(const std::string& path) {
    return PerformLaunch(EditFileLaunch(path, DesktopHandler(kEditHandler)));
}
