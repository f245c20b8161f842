// Shared fixtures of the Windows tests: a throw-away folder, a process
// environment pointing into it, and where the real gpg.exe lives.
#pragma once

#include <string>

#include "common/environment.h"

// A fresh folder below %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& label = "t");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Sets up Env() for running batches into a temporary folder (TempDir, BatchFile,
// OutputFile, ComSpecPath, code pages, GnuPG on the batch PATH) and restores the
// previous values at the end.
class ScopedRunEnvironment {
public:
    ScopedRunEnvironment();
    ~ScopedRunEnvironment();
    ScopedRunEnvironment(const ScopedRunEnvironment&) = delete;
    ScopedRunEnvironment& operator=(const ScopedRunEnvironment&) = delete;

    const TempFolder& Folder() const { return folder_; }

private:
    Environment saved_;
    TempFolder folder_;
};

// The folder holding the real gpg.exe (from CORVANE_GNUPG_DIR), as a Windows path.
std::string GnuPGFolder();
// The folder of the built programs (from CORVANE_BIN), as a Windows path.
std::string ProgramsFolder();
// A Unix path as Wine sees it (Z: drive); Windows paths pass unchanged.
std::string HostPathToWindows(const std::string& path);
// Runs a program without a window; false when it fails or is still running after
// the time limit (then it is ended).
bool RunHiddenWithTimeLimit(std::string commandLine, unsigned long milliseconds);
// A path in double quotes, for command lines.
std::string Quoted(const std::string& path);
// Removes a folder tree; errors ignored.
void RemoveTree(const std::string& path);
// Writes a text file (bytes as given).
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
