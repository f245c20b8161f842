#include "common/win/zip_files.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "common/win/handles.h"

namespace {

// 100-nanosecond steps between 1601-01-01 (FILETIME) and 1970-01-01 (Unix time).
constexpr long long kUnixEpochInFileTime = 116444736000000000LL;

std::string BareName(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Zip readers take names without the UTF-8 flag as DOS text; ANSI names are
// therefore stored as UTF-8 (plain ASCII stays as it is).
std::string AnsiToUtf8(const std::string& text) {
    if (text.empty()) return text;
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wideLength <= 0) return text;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return text;
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

long long FileTimeValue(const FILETIME& time) {
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// The local wall-clock time of the moment, with the daylight-saving rule of that
// date (as Explorer shows it), for the DOS date and time.
ZipLocalTime LocalTimeOf(const FILETIME& time) {
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&time, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

class FileSink : public ZipSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    bool Append(const unsigned char* data, std::size_t size) override { return WriteAll(data, size); }
    bool Overwrite(std::uint64_t offset, const unsigned char* data, std::size_t size) override {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        LARGE_INTEGER end{};
        return SetFilePointerEx(file_, position, nullptr, FILE_BEGIN) && WriteAll(data, size) &&
               SetFilePointerEx(file_, end, nullptr, FILE_END);
    }

private:
    bool WriteAll(const unsigned char* data, std::size_t size) {
        while (size > 0) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
            DWORD written = 0;
            if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) return false;
            data += written;
            size -= written;
        }
        return true;
    }

    HANDLE file_;
};

class FileSource : public ZipSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {}
    bool Read(unsigned char* buffer, std::size_t capacity, std::size_t& got) override {
        DWORD read = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(std::min<std::size_t>(capacity, 1 << 20)), &read, nullptr))
            return false;
        got = read;
        return true;
    }

private:
    HANDLE file_;
};

// The temporary archive beside the final one; removed unless it was put in place.
class PendingArchive {
public:
    ~PendingArchive() {
        file_.reset();
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }

    int Create(const std::string& archivePath) {
        size_t cut = archivePath.find_last_of("\\/");
        std::string folder = cut == std::string::npos ? "." : archivePath.substr(0, cut);
        char temp[MAX_PATH] = {};
        if (!GetTempFileNameA(folder.c_str(), "~zp", 0, temp)) return kZipCreateError;
        path_ = temp;
        file_.reset(
            CreateFileA(temp, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file_ ? kZipOk : kZipCreateError;
    }

    HANDLE File() const { return file_.get(); }

    int PutInPlace(const std::string& archivePath, const FILETIME& newest) {
        if (!SetFileTime(file_.get(), nullptr, nullptr, &newest)) return kZipWriteError;
        file_.reset();
        if (!MoveFileExA(path_.c_str(), archivePath.c_str(), MOVEFILE_REPLACE_EXISTING)) return kZipCreateError;
        path_.clear();
        return kZipOk;
    }

private:
    std::string path_;
    UniqueHandle file_;
};

int WriteArchive(const std::string& archivePath, const std::vector<std::string>& files, const ZipOptions& options) {
    if (files.empty()) return kZipNothingToDo;
    // A read-only archive stays as it is (the system's replacing rename does not
    // refuse it everywhere), and a folder of that name is never replaced.
    DWORD existing = GetFileAttributesA(archivePath.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return kZipCreateError;
    PendingArchive archive;
    if (int result = archive.Create(archivePath); result != kZipOk) return result;
    FileSink sink(archive.File());
    ZipWriter writer(sink, options.level);
    FILETIME newest{};

    for (const std::string& path : files) {
        UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!file || !GetFileInformationByHandle(file.get(), &info) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return kZipFileNotFound;

        ZipMember member;
        member.name = AnsiToUtf8(BareName(path));
        member.modified = LocalTimeOf(info.ftLastWriteTime);
        member.unixTime = (FileTimeValue(info.ftLastWriteTime) - kUnixEpochInFileTime) / 10000000;
        member.dosAttributes = static_cast<std::uint8_t>(info.dwFileAttributes & 0x27);
        if (CompareFileTime(&info.ftLastWriteTime, &newest) > 0) newest = info.ftLastWriteTime;

        FileSource source(file.get());
        if (int result = writer.Add(member, source); result != kZipOk) return result;
    }
    if (int result = writer.Finish(options.comment); result != kZipOk) return result;
    return archive.PutInPlace(archivePath, newest);
}

}  // namespace

int ZipFiles(const std::string& archivePath, const std::vector<std::string>& files, const ZipOptions& options) {
    try {
        return WriteArchive(archivePath, files, options);
    } catch (const std::bad_alloc&) {
        return kZipOutOfMemory;
    } catch (...) {
        return kZipInternalError;
    }
}
