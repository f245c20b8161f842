#include "common/win/option_sets.h"

#include <windows.h>

#include "common/environment.h"
#include "common/option_set_text.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"

namespace {

// gpg.conf as last read, and the stamp it was read at.
struct GpgConfCache {
    std::string path;
    FILETIME written{};
    ULONGLONG size = 0;
    bool valid = false;
    std::string text;
};

GpgConfCache& Cache() {
    static GpgConfCache cache;
    return cache;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

const std::string& CurrentGpgConf() {
    GpgConfCache& cache = Cache();
    const std::string& path = Env().GpgConfPath;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // Gone (or never there): no lines, rather than the text it had once.
        cache = {};
        return cache.text;
    }
    ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (cache.valid && cache.path == path && SameTime(cache.written, data.ftLastWriteTime) && cache.size == size)
        return cache.text;
    cache = {};
    std::string text;
    if (ReadWholeFile(path, text)) {
        cache.path = path;
        cache.written = data.ftLastWriteTime;
        cache.size = size;
        cache.valid = true;
        cache.text = std::move(text);
    }
    return cache.text;
}

}  // namespace

std::string OptionSetPath(const std::string& setName) {
    return Env().ShellHomeDir + "\\" + kOptionSetFolder + "\\" + setName + kOptionSetExtension;
}

bool ApplyOptionSet(const std::string& setName) {
    std::string setPath = OptionSetPath(setName);
    std::string setText;
    if (!ReadWholeFile(setPath, setText)) {
        // Writing gpg.conf from nothing would throw the user's options away.
        DWORD error = GetLastError();
        ShowFileError(error ? error : ERROR_FILE_NOT_FOUND, setPath);
        return false;
    }
    const std::string& confPath = Env().GpgConfPath;
    unsigned error = WriteWholeFile(confPath, ComposeGpgConfFromOptionSet(setName, setText));
    Cache() = {};
    if (error != 0) {
        ShowFileError(error, confPath);
        return false;
    }
    return true;
}

std::string FindGpgConfLine(const std::string& start) {
    return FindLineStartingWith(CurrentGpgConf(), start);
}
