#include "common/win/system_info.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "common/environment.h"
#include "common/os_version.h"
#include "common/search_path.h"
#include "common/text.h"
#include "common/win/file_system.h"

std::string GetOSVer() {
    // GetVersionEx is subject to compatibility shims; ask ntdll for the truth.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                     reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return "Failed";
    return OsVersionToken(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

std::string GetSysFolder(int csidl, bool create) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | (create ? CSIDL_FLAG_CREATE : 0), nullptr, SHGFP_TYPE_CURRENT, path)))
        return "";
    return path;
}

std::string GetLocInfo(unsigned long locale, unsigned long type) {
    char buffer[256] = {};
    int length = GetLocaleInfoA(locale, type, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer) : "";
}

std::string ShortName(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return path;
    return buffer;
}

std::string EnvironmentVariable(const std::string& name) {
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return "";
    std::string value(size, '\0');
    size = GetEnvironmentVariableA(name.c_str(), value.data(), size);
    value.resize(size);
    return value;
}

std::string GetComSpec(bool reject4Dos) {
    std::string comSpec = ToLower(EnvironmentVariable("COMSPEC"));
    if (reject4Dos && comSpec.find("\\4dos.com") != std::string::npos) comSpec.clear();
    if (!comSpec.empty()) return comSpec;
    std::string windows = GetSysFolder(CSIDL_WINDOWS, false);
    if (Env().OsFamily != "Win9x") {
        std::string cmd = windows + "\\system32\\cmd.exe";
        return FileExists(cmd) ? ToLower(cmd) : "cmd.exe";
    }
    for (const char* candidate : {"\\command.com", "\\command\\command.com"}) {
        if (FileExists(windows + candidate)) return ToLower(windows + candidate);
    }
    return "command.com";
}

std::string WhichFile(const std::string& name, bool includeProgramDir) {
    std::string win9xSystem;
    if (Env().OsFamily == "Win9x") win9xSystem = EnvironmentVariable("WINDIR") + "\\System";
    for (const auto& folder :
         SearchFolders(includeProgramDir ? Env().ProgramDir : "", win9xSystem, EnvironmentVariable("PATH"))) {
        std::string candidate = folder + "\\" + name;
        if (ToLower(LookupFileName(candidate)) == ToLower(name)) return candidate;
    }
    return "";
}

std::string ModuleDirectory() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path, length);
    size_t cut = full.find_last_of('\\');
    if (cut == std::string::npos) return full;
    // A program in a drive's root lies in "X:\", not in "X:".
    return cut == 2 ? full.substr(0, 3) : full.substr(0, cut);
}

std::string ModuleVersionText() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return "0.00";
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || !info)
        return "0.00";
    unsigned major = HIWORD(info->dwFileVersionMS);
    unsigned minor = LOWORD(info->dwFileVersionMS);
    char text[32];
    snprintf(text, sizeof text, "%u.%02u", major, minor);
    return text;
}
