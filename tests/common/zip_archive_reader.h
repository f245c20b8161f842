// A strict, independent reader of the archives the zip writer makes, for tests
// that run where no outside zip tool can be started (under Wine): it walks the end
// record and the central directory, checks every local header against its
// directory entry, inflates each member and checks its size and CRC-32.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct ReadZipMember {
    std::string name;
    std::string data;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
    std::uint32_t externalAttributes = 0;
    std::string extra;
};

struct ReadZipArchive {
    std::string error;  // "" when the archive is sound
    std::vector<ReadZipMember> members;
    std::string comment;
};

namespace zip_reader_detail {

inline std::uint32_t Get(const std::string& bytes, size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline bool Inflate(const std::string& in, size_t expected, std::string& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    out.assign(expected, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream.avail_in = static_cast<uInt>(in.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int status = inflate(&stream, Z_FINISH);
    bool whole = status == Z_STREAM_END && stream.total_out == expected && stream.avail_in == 0;
    inflateEnd(&stream);
    return whole;
}

}  // namespace zip_reader_detail

inline ReadZipArchive ReadZip(const std::string& bytes) {
    using zip_reader_detail::Get;
    ReadZipArchive archive;
    auto fail = [&](const std::string& why) {
        archive.error = why;
        return archive;
    };
    if (bytes.size() < 22) return fail("too short for an end record");
    size_t end = bytes.size() - 22;
    while (Get(bytes, end, 4) != 0x06054b50) {
        if (end == 0) return fail("no end record");
        --end;
    }
    size_t count = Get(bytes, end + 10, 2);
    if (Get(bytes, end + 8, 2) != count) return fail("entry counts differ");
    size_t directorySize = Get(bytes, end + 12, 4);
    size_t directory = Get(bytes, end + 16, 4);
    size_t commentLength = Get(bytes, end + 20, 2);
    if (end + 22 + commentLength != bytes.size()) return fail("comment length does not reach the end");
    if (directory + directorySize != end) return fail("directory does not end at the end record");
    archive.comment = bytes.substr(end + 22, commentLength);

    size_t at = directory;
    size_t expectedOffset = 0;
    for (size_t i = 0; i < count; ++i) {
        if (at + 46 > end || Get(bytes, at, 4) != 0x02014b50) return fail("bad directory entry");
        ReadZipMember member;
        member.flags = static_cast<std::uint16_t>(Get(bytes, at + 8, 2));
        member.method = static_cast<std::uint16_t>(Get(bytes, at + 10, 2));
        member.dosTime = static_cast<std::uint16_t>(Get(bytes, at + 12, 2));
        member.dosDate = static_cast<std::uint16_t>(Get(bytes, at + 14, 2));
        std::uint32_t crc = Get(bytes, at + 16, 4);
        size_t packed = Get(bytes, at + 20, 4);
        size_t size = Get(bytes, at + 24, 4);
        size_t nameLength = Get(bytes, at + 28, 2), extraLength = Get(bytes, at + 30, 2);
        size_t entryComment = Get(bytes, at + 32, 2);
        member.externalAttributes = Get(bytes, at + 38, 4);
        size_t local = Get(bytes, at + 42, 4);
        member.name = bytes.substr(at + 46, nameLength);
        member.extra = bytes.substr(at + 46 + nameLength, extraLength);
        at += 46 + nameLength + extraLength + entryComment;

        if (local != expectedOffset) return fail(member.name + ": members are not back to back");
        if (local + 30 > directory || Get(bytes, local, 4) != 0x04034b50)
            return fail(member.name + ": bad local header");
        if (Get(bytes, local + 6, 2) != member.flags || Get(bytes, local + 8, 2) != member.method ||
            Get(bytes, local + 10, 2) != member.dosTime || Get(bytes, local + 12, 2) != member.dosDate ||
            Get(bytes, local + 14, 4) != crc || Get(bytes, local + 18, 4) != packed ||
            Get(bytes, local + 22, 4) != size || Get(bytes, local + 26, 2) != nameLength ||
            bytes.substr(local + 30, nameLength) != member.name)
            return fail(member.name + ": local header differs from the directory");
        size_t data = local + 30 + nameLength + Get(bytes, local + 28, 2);
        if (data + packed > directory) return fail(member.name + ": data runs into the directory");
        std::string stored = bytes.substr(data, packed);
        if (member.method == 0) {
            if (packed != size) return fail(member.name + ": stored sizes differ");
            member.data = stored;
        } else if (member.method == 8) {
            if (!zip_reader_detail::Inflate(stored, size, member.data)) return fail(member.name + ": does not inflate");
        } else {
            return fail(member.name + ": unknown method");
        }
        uLong actual = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(member.data.data()),
                             static_cast<uInt>(member.data.size()));
        if (actual != crc) return fail(member.name + ": CRC-32 differs");
        expectedOffset = data + packed;
        archive.members.push_back(std::move(member));
    }
    if (expectedOffset != directory) return fail("bytes between the last member and the directory");
    if (at != end) return fail("directory size differs from its entries");
    return archive;
}
