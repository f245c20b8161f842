#include "common/win/system_helpers.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "common/environment.h"
#include "common/iso_dates.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/win/com_init.h"
#include "common/win/handles.h"

namespace {

// Reads the fixed part of a version resource; false when the file has none.
bool ReadFixedVersion(const std::string& file, VS_FIXEDFILEINFO& fixed) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO))
        return false;
    fixed = *info;
    return true;
}

std::string VersionText(DWORD mostSignificant, DWORD leastSignificant) {
    return std::to_string(HIWORD(mostSignificant)) + "." + std::to_string(LOWORD(mostSignificant)) + "." +
           std::to_string(HIWORD(leastSignificant)) + "." + std::to_string(LOWORD(leastSignificant));
}

bool& MoveFailedFlag() {
    static bool failed = false;
    return failed;
}

// Both names lead to one and the same file (also through short names or links).
bool SameFile(const std::string& a, const std::string& b) {
    auto open = [](const std::string& path) {
        return UniqueHandle(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    };
    UniqueHandle first = open(a);
    UniqueHandle second = open(b);
    BY_HANDLE_FILE_INFORMATION x, y;
    if (!first || !second || !GetFileInformationByHandle(first.get(), &x) ||
        !GetFileInformationByHandle(second.get(), &y))
        return false;
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

ScriptedFolderPicker*& ActivePicker() {
    static ScriptedFolderPicker* picker = nullptr;
    return picker;
}

struct PidlFree {
    void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// Windows 95 and NT 4.0 have no long-path call: each component is looked up in
// turn and replaced by the name the lookup returns.
std::string LongNameByLookup(const std::string& path) {
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':') {
        start = 2;
    } else if (StartsWith(path, "\\\\")) {
        // \\server\share stays as it is.
        size_t server = path.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        if (share == std::string::npos) return path;
        start = share;
    }
    std::string result = path.substr(0, start);
    for (const std::string& part : Split(std::string_view(path).substr(start), '\\')) {
        if (part.empty()) {
            result += "\\";
            continue;
        }
        if (!result.empty() && result.back() != '\\') result += "\\";
        WIN32_FIND_DATAA data;
        HANDLE find =
            part == "." || part == ".." ? INVALID_HANDLE_VALUE : FindFirstFileA((result + part).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            result += part;
        } else {
            result += data.cFileName;
            FindClose(find);
        }
    }
    return result;
}

}  // namespace

std::string GetFileVer(const std::string& file) {
    VS_FIXEDFILEINFO fixed{};
    return ReadFixedVersion(file, fixed) ? VersionText(fixed.dwFileVersionMS, fixed.dwFileVersionLS) : "0.0.0.0";
}

std::string GetProdVer(const std::string& file) {
    VS_FIXEDFILEINFO fixed{};
    return ReadFixedVersion(file, fixed) ? VersionText(fixed.dwProductVersionMS, fixed.dwProductVersionLS) : "0.0.0.0";
}

std::string GetAssoApp(const std::string& file) {
    char program[MAX_PATH] = {};
    auto result = reinterpret_cast<INT_PTR>(FindExecutableA(file.c_str(), nullptr, program));
    if (result > 32) return program;
    if (result == SE_ERR_FNF || result == SE_ERR_PNF) return "File not found";
    return "Error";
}

bool MoveFileWithCopy(const std::string& source, const std::string& target) {
    DWORD error = 0;
    if (SameFile(source, target)) {
        // Copy-then-delete would delete the only copy.
    } else if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
        error = GetLastError();
    } else if (!DeleteFileA(source.c_str())) {
        // The copy stays: both files exist, nothing is lost.
        error = GetLastError();
    }
    MoveFailedFlag() = error != 0;
    if (error != 0) {
        ShowError(Translate("Unexpected error (#") + std::to_string(error) + Translate(") while moving: ") + "\"" +
                  ToLower(source) + "\".");
    }
    return error == 0;
}

bool MoveFailed() {
    return MoveFailedFlag();
}

void ForceFore(HWND window) {
    if (!window || !IsWindow(window)) return;
    HWND foreground = GetForegroundWindow();
    if (window == foreground) return;
    DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (foregroundThread == 0 || foregroundThread == windowThread) {
        SetForegroundWindow(window);
        return;
    }
    // The system lets only the thread with the input set the foreground window.
    bool attached = AttachThreadInput(foregroundThread, windowThread, TRUE) != FALSE;
    SetForegroundWindow(window);
    if (attached) AttachThreadInput(foregroundThread, windowThread, FALSE);
}

bool Check64bit() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto isWow64 =
        kernel ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
               : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

ScriptedFolderPicker::ScriptedFolderPicker() : previous_(ActivePicker()) {
    ActivePicker() = this;
}

ScriptedFolderPicker::~ScriptedFolderPicker() {
    ActivePicker() = previous_;
}

std::string ScriptedFolderPicker::Respond(const std::string& prompt) {
    prompts_.push_back(prompt);
    if (answers_.empty()) return "";
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer.value_or("");
}

std::string BrowseFolder(const std::string& prompt, HWND owner) {
    if (ScriptedFolderPicker* picker = ActivePicker()) return picker->Respond(prompt);
    ScopedComInit com;
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    UniquePidl chosen(SHBrowseForFolderA(&info));
    if (!chosen) return "";
    char path[MAX_PATH] = {};
    return SHGetPathFromIDListA(chosen.get(), path) ? std::string(path) : "";
}

std::string LongName(const std::string& path) {
    const std::string& os = Env().OsVersion;
    if (os == "Win95" || os == "NT_3.51" || os == "NT_4.0") return LongNameByLookup(path);
    char buffer[256] = {};
    DWORD length = GetLongPathNameA(path.c_str(), buffer, 255);
    if (length == 0 || length >= 255) return path;
    return buffer;
}

std::string GetSysTime(SysTimePart part) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return part == SysTimePart::Date ? UnpaddedDateText(now.wYear, now.wMonth, now.wDay)
                                     : UnpaddedTimeText(now.wHour, now.wMinute, now.wSecond);
}
