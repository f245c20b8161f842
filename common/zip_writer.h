// Zip archives as the suite writes them: keyring backups and the archives behind
// self-extracting files. An ordinary zip file any tool reads: deflated members
// (stored when empty), CRC-32, DOS date and time of each member, an extended
// timestamp with the exact time, no encryption, no folders in the names.
//
// Platform-free: the caller hands over each member's name, time and bytes through
// a source and takes the archive through a sink. common/win/zip_files.h reads
// files from disk and writes the archive file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Results. 0 is success; failures carry the numbers the classic zip tools use for
// the same faults, so the number in "Error #<n> while creating backup-archive."
// means what users and help pages expect.
inline constexpr int kZipOk = 0;
inline constexpr int kZipOutOfMemory = 4;
inline constexpr int kZipInternalError = 5;  // the compressor refused its own stream
inline constexpr int kZipTooBig = 6;         // beyond 4 GB or 65535 members (no zip64 here)
inline constexpr int kZipReadError = 11;     // a member could not be read to its end
inline constexpr int kZipNothingToDo = 12;   // no files given
inline constexpr int kZipFileNotFound = 13;  // a member file is missing or cannot be opened
inline constexpr int kZipWriteError = 14;    // writing the archive failed
inline constexpr int kZipCreateError = 15;   // the archive file could not be created or put in place
inline constexpr int kZipBadParameter = 16;  // empty, foldered or repeated name; level or comment out of range
// "The zip library did not start": callers still tell it apart from real failures
// (it was reported to the user already). Our writer has nothing to start, so it is
// never returned.
inline constexpr int kZipInitFailed = 9999;

inline constexpr int kZipDefaultLevel = 6;

// A member's modification time as local wall-clock time.
struct ZipLocalTime {
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct DosDateTime {
    std::uint16_t date = 0;  // (year - 1980) << 9 | month << 5 | day
    std::uint16_t time = 0;  // hour << 11 | minute << 5 | second / 2
};

// The DOS form has two-second steps (odd seconds are cut) and covers 1980 to 2107;
// earlier times become the first moment of 1980, later ones the last of 2107.
DosDateTime ToDosDateTime(const ZipLocalTime& time);

struct ZipMember {
    std::string name;                      // UTF-8, without folders
    ZipLocalTime modified;                 // for the DOS date and time
    std::optional<std::int64_t> unixTime;  // seconds since 1970 UTC; stored when it fits 32 bits
    std::uint8_t dosAttributes = 0;        // read-only 0x01, hidden 0x02, system 0x04, archive 0x20
};

// Where the archive goes.
class ZipSink {
public:
    virtual ~ZipSink() = default;
    virtual bool Append(const unsigned char* data, std::size_t size) = 0;
    // Rewrites bytes appended before (a member's header, once its sizes are known);
    // later appends go on at the end.
    virtual bool Overwrite(std::uint64_t offset, const unsigned char* data, std::size_t size) = 0;
};

// A member's bytes.
class ZipSource {
public:
    virtual ~ZipSource() = default;
    // Up to `capacity` bytes; `got` = 0 at the end. False on a read error.
    virtual bool Read(unsigned char* buffer, std::size_t capacity, std::size_t& got) = 0;
};

// Writes one archive: Add each member, then Finish. After the first failure every
// later call returns that failure, and what the sink holds is to be thrown away.
class ZipWriter {
public:
    explicit ZipWriter(ZipSink& sink, int level = kZipDefaultLevel);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    int Add(const ZipMember& member, ZipSource& source);
    // Writes the central directory and the end record; the comment may be "".
    int Finish(std::string_view comment = "");

private:
    struct Entry {
        std::string name;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        DosDateTime time;
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t size = 0;
        std::uint64_t headerOffset = 0;
        std::string extra;
        std::uint8_t dosAttributes = 0;
    };

    int Fail(int result);
    int Check(const ZipMember& member) const;
    int WriteData(Entry& entry, ZipSource& source);
    bool Append(const std::string& bytes);

    ZipSink& sink_;
    int level_;
    std::uint64_t offset_ = 0;
    std::vector<Entry> entries_;
    int failure_ = kZipOk;
    bool finished_ = false;
};

// A whole archive in memory from members given with their bytes.
struct ZipMemoryMember {
    ZipMember member;
    std::string contents;
};
int ZipToMemory(const std::vector<ZipMemoryMember>& members, std::string& archive, int level = kZipDefaultLevel,
                std::string_view comment = "");
