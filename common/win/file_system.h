// File and directory lookups as start-up and the runners need them. Errors of the
// system always count as "not found".
#pragma once

#include <string>
#include <vector>

// Name of the file the lookup finds (hidden and system files included), or "".
std::string LookupFileName(const std::string& path);
// A file (not a folder) exists, hidden and system files included.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Deletes files matching a file pattern ("~???keys.dat") in a folder; errors ignored.
void DeleteMatchingFiles(const std::string& folder, const std::string& filePattern);
void DeleteFileIfPresent(const std::string& path);
// Last-write time of a file as the locale's date-and-time text, "" when unknown.
std::string FileDateTimeText(const std::string& path);
// Whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);
// Creates or truncates the file with these bytes; on failure returns the system error.
unsigned WriteWholeFile(const std::string& path, const std::string& content);
// Creates every missing folder of the path; false on failure.
bool NestedDir(const std::string& path);
