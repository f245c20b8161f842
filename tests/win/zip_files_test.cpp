#include "common/win/zip_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "common/win/file_system.h"
#include "common/zip_archive_reader.h"
#include "support/test_env.h"

namespace {

FILETIME UtcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME utc{year, month, 0, day, hour, minute, second, 0};
    FILETIME time{};
    SystemTimeToFileTime(&utc, &time);
    return time;
}

void SetModified(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME Modified(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

std::string Bytes(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

}  // namespace

TEST(ZipFiles, ArchivesFilesUnderBareNamesWithTheirTimesAndAttributes) {
    TempFolder in("zipin"), sub("zipsub"), out("zipout");
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>(i * 7 % 256));
    std::string large;
    for (unsigned i = 0; large.size() < 1500 * 1024; ++i) large += std::to_string(i * 2654435761u) + ";";
    struct File {
        std::string path;
        std::string bytes;
        DWORD attributes;
        FILETIME time;
    };
    const File files[] = {
        {in / "empty.txt", "", FILE_ATTRIBUTE_ARCHIVE, UtcFileTime(2024, 2, 29, 12, 45, 31)},
        {in / "binary.bin", binary, FILE_ATTRIBUTE_ARCHIVE, UtcFileTime(2001, 9, 9, 1, 46, 40)},
        {sub / "large.dat", large, FILE_ATTRIBUTE_ARCHIVE, UtcFileTime(2024, 7, 1, 10, 0, 0)},
        {in / "secring.gpg", "hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE,
         UtcFileTime(2025, 1, 15, 8, 30, 2)},
        {in / "readonly.txt", "ro", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, UtcFileTime(2020, 5, 5, 5, 5, 5)},
    };
    std::vector<std::string> paths;
    for (const File& f : files) {
        WriteTextFile(f.path, f.bytes);
        SetModified(f.path, f.time);
        SetFileAttributesA(f.path.c_str(), f.attributes);
        paths.push_back(f.path);
    }

    const std::string archive = out / "backup_1.zip";
    ASSERT_EQ(ZipFiles(archive, paths), kZipOk);

    ReadZipArchive read = ReadZip(Bytes(archive));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.members.size(), std::size(files));
    for (size_t i = 0; i < std::size(files); ++i) {
        const File& f = files[i];
        const ReadZipMember& m = read.members[i];
        SCOPED_TRACE(f.path);
        EXPECT_EQ(m.name, f.path.substr(f.path.find_last_of('\\') + 1));
        EXPECT_TRUE(m.data == f.bytes);
        EXPECT_EQ(m.externalAttributes, f.attributes);
        // The DOS time is the local wall-clock time of the modification.
        SYSTEMTIME utc, local;
        FileTimeToSystemTime(&f.time, &utc);
        SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
        DosDateTime dos =
            ToDosDateTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
        EXPECT_EQ(m.dosDate, dos.date);
        EXPECT_EQ(m.dosTime, dos.time);
    }
    // The archive carries the time of its newest member.
    FILETIME archiveTime = Modified(archive);
    EXPECT_EQ(CompareFileTime(&archiveTime, &files[3].time), 0);
    // Nothing is left behind beside it.
    EXPECT_EQ(LookupFileName(out / "*.tmp"), "");
}

TEST(ZipFiles, FailuresLeaveAnExistingArchiveAlone) {
    TempFolder in("zipin"), other("zipother"), out("zipout");
    WriteTextFile(in / "pubring.gpg", "pub");
    WriteTextFile(other / "PUBRING.GPG", "other pub");
    CreateDirectoryA((in / "folder").c_str(), nullptr);
    const std::string archive = out / "backup_1.zip";

    struct Case {
        const char* what;
        std::string archive;
        std::vector<std::string> files;
        int result;
    };
    const Case cases[] = {
        {"no files", archive, {}, kZipNothingToDo},
        {"missing file", archive, {in / "pubring.gpg", in / "secring.gpg"}, kZipFileNotFound},
        {"a folder", archive, {in / "folder"}, kZipFileNotFound},
        {"same bare name twice", archive, {in / "pubring.gpg", other / "PUBRING.GPG"}, kZipBadParameter},
        {"missing archive folder", out / "none\\backup_1.zip", {in / "pubring.gpg"}, kZipCreateError},
    };
    for (const Case& c : cases) {
        WriteTextFile(archive, "previous archive");
        EXPECT_EQ(ZipFiles(c.archive, c.files), c.result) << c.what;
        EXPECT_EQ(ReadTextFile(archive), "previous archive") << c.what;
        EXPECT_EQ(LookupFileName(out / "*.tmp"), "") << c.what;
    }

    // A read-only archive is not replaced; a writable one is.
    SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ZipFiles(archive, {in / "pubring.gpg"}), kZipCreateError);
    EXPECT_EQ(ReadTextFile(archive), "previous archive");
    SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(ZipFiles(archive, {in / "pubring.gpg"}), kZipOk);
    ReadZipArchive read = ReadZip(Bytes(archive));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.members.size(), 1u);
    EXPECT_EQ(read.members[0].data, "pub");
}
