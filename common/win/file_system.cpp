#include "common/win/file_system.h"

#include <windows.h>

#include "common/text.h"
#include "common/wildcard.h"
#include "common/win/handles.h"

std::string LookupFileName(const std::string& path) {
    if (path.empty()) return "";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return "";
    FindClose(find);
    return data.cFileName;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void DeleteMatchingFiles(const std::string& folder, const std::string& filePattern) {
    if (folder.empty()) return;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\" + filePattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    // The system's "?" and "*" also match through short 8.3 names; only files whose
    // own names match are deleted.
    const std::string pattern = ToLower(filePattern);
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesPattern(ToLower(data.cFileName), pattern))
            DeleteFileA((folder + "\\" + data.cFileName).c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void DeleteFileIfPresent(const std::string& path) {
    if (!path.empty()) DeleteFileA(path.c_str());
}

std::string FileDateTimeText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "";
    // The local time of that moment under the daylight-saving rule of its own date:
    // the text of an untouched file must not change when the clocks do.
    SYSTEMTIME utc, time;
    if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &time))
        return "";
    char date[80] = {}, clock[80] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date)) return "";
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock)) return "";
    return std::string(date) + " " + clock;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7fffffff) return false;
    content.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() && !ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
        return false;
    content.resize(read);
    return true;
}

unsigned WriteWholeFile(const std::string& path, const std::string& content) {
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr))
        return GetLastError();
    return written == content.size() ? 0 : ERROR_WRITE_FAULT;
}

bool NestedDir(const std::string& path) {
    if (path.empty()) return false;
    if (DirectoryExists(path)) return true;
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2 && !NestedDir(path.substr(0, cut))) return false;
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
