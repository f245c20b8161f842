#include "support/test_env.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "common/win/system_info.h"

TempFolder::TempFolder(const std::string& label) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string base(temp);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    path_ = base + "\\corvane-" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

ScopedRunEnvironment::ScopedRunEnvironment() : saved_(Env()), folder_("run") {
    Environment& env = Env();
    env.TempDir = folder_.Path();
    env.BatchFile = "~test.bat";
    env.OutputFile = "~test.out";
    env.ComSpecPath = GetComSpec(true);
    env.OemCodepage = std::to_string(GetOEMCP());
    env.AnsiCodepage = std::to_string(GetACP());
    env.ProgramDirShort = GnuPGFolder();
    env.GnuPGExeName = "gpg.exe";
    env.SetGnuPGHome = false;
    env.GnuPGLanguage.clear();
    env.Switches = {};
    env.AddBatchPause = false;
}

ScopedRunEnvironment::~ScopedRunEnvironment() {
    Env() = saved_;
}

std::string HostPathToWindows(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

std::string GnuPGFolder() {
    return HostPathToWindows(EnvironmentVariable("CORVANE_GNUPG_DIR"));
}

std::string ProgramsFolder() {
    std::string bin = EnvironmentVariable("CORVANE_BIN");
    return bin.empty() ? ModuleDirectory() : HostPathToWindows(bin);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool RunHiddenWithTimeLimit(std::string commandLine, unsigned long milliseconds) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    DWORD waited = WaitForSingleObject(process.hProcess, milliseconds);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return waited == WAIT_OBJECT_0 && exitCode == 0;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}
