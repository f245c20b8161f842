// Zip archives of files on disk: keyring backups and the archives of
// self-extracting files.
#pragma once

#include <string>
#include <vector>

#include "common/zip_writer.h"

struct ZipOptions {
    int level = kZipDefaultLevel;  // 0 (stored blocks) to 9 (smallest)
    std::string comment;           // the archive comment, "" for none
};

// Writes a new archive at `archivePath` from the files (read-only, hidden and
// system files too), each under its bare name, with its modification time and
// attributes; the archive's own time becomes that of its newest member. The
// archive is built beside its final place and only then put there, so a failure
// leaves an existing file of that name as it was and no half-written archive.
//
// Returns 0 on success or one of the kZip... numbers of common/zip_writer.h:
// 12 no files, 13 a file missing or not readable at all, 11 a read failing
// midway, 16 two files with the same name, 15 the archive could not be created
// or replaced (missing folder, read-only archive), 14 a write failing, 6 beyond
// the size limits of the format.
int ZipFiles(const std::string& archivePath, const std::vector<std::string>& files, const ZipOptions& options = {});
