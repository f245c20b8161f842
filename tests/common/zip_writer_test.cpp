#include "common/zip_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "zip_archive_reader.h"

namespace {

// Reproducible bytes that do not compress: the large member spans many chunks
// of both the input and the deflate output.
std::string NoiseBytes(size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        c = static_cast<char>(seed & 0xff);
    }
    return bytes;
}

std::string AllByteValues() {
    std::string bytes;
    for (int round = 0; round < 4; ++round) {
        for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<char>(value));
    }
    return bytes + std::string(100, '\0') + "\r\n\x1a";
}

ZipMemoryMember Member(std::string name, std::string contents, ZipLocalTime time, std::uint8_t attributes = 0x20,
                       std::int64_t unixTime = 1709210731) {
    return {{std::move(name), time, unixTime, attributes}, std::move(contents)};
}

// The members every format check uses: an empty file, binary bytes, a file well
// over 1 MB mixing text and noise, a hidden and system file, a name outside ASCII.
std::vector<ZipMemoryMember> TypicalMembers() {
    std::string large;
    while (large.size() < 700 * 1024)
        large += "pub:u:2048:1:0123456789ABCDEF:2024-02-29:::u:Test User <test@example.org>\n";
    large += NoiseBytes(800 * 1024, 7);
    return {
        Member("empty.txt", "", {2024, 2, 29, 13, 45, 31}),
        Member("binary.bin", AllByteValues(), {1999, 12, 31, 23, 59, 58}),
        Member("large.dat", large, {2023, 7, 1, 0, 0, 0}),
        Member("secring.gpg", "hidden keyring bytes", {2010, 10, 10, 10, 10, 10}, 0x26),
        Member("Gr\xc3\xbc\xc3\x9f"
               "e.txt",
               "umlauts", {2024, 1, 2, 3, 4, 5}),
    };
}

#ifndef _WIN32
// Checks an archive with the standard tools of the host: unzip's own test, then
// Python's zipfile against the members' expected names, bytes, DOS times,
// attributes, extended timestamps and the comment.
constexpr char kPythonCheck[] = R"(
import struct, sys, zipfile
archive, manifest, comment = sys.argv[1:4]
expected = [line.split('\t') for line in open(manifest, encoding='utf-8').read().splitlines()]
z = zipfile.ZipFile(archive)
assert z.testzip() is None, 'bad member'
assert z.comment == open(comment, 'rb').read(), z.comment
infos = z.infolist()
assert [i.filename for i in infos] == [e[0] for e in expected], [i.filename for i in infos]
for info, (name, path, stamp, attributes, unix_time) in zip(infos, expected):
    assert z.read(info) == open(path, 'rb').read(), name
    assert info.date_time == tuple(int(x) for x in stamp.split(',')), (name, info.date_time)
    assert info.create_system == 0 and info.external_attr == int(attributes), (name, info.external_attr)
    assert (info.flag_bits & 0x800 != 0) == (name != name.encode('ascii', 'replace').decode()), name
    found, extra = None, info.extra
    while len(extra) >= 4:
        tag, size = struct.unpack('<HH', extra[:4])
        if tag == 0x5455:
            found = struct.unpack('<I', extra[5:9])[0]
        extra = extra[4 + size:]
    assert found == int(unix_time), (name, found)
print('ok')
)";

class HostFolder {
public:
    HostFolder() {
        char pattern[] = "/tmp/corvane-zip-XXXXXX";
        path_ = mkdtemp(pattern) ? pattern : "";
    }
    ~HostFolder() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Output and exit status of a shell command.
int RunTool(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    return pclose(pipe);
}

void CheckWithStandardTools(const std::string& archive, const std::vector<ZipMemoryMember>& members,
                            const std::string& comment) {
    HostFolder folder;
    WriteHostFile(folder / "archive.zip", archive);
    WriteHostFile(folder / "check.py", kPythonCheck);
    WriteHostFile(folder / "comment", comment);
    std::ostringstream manifest;
    for (size_t i = 0; i < members.size(); ++i) {
        const ZipMember& m = members[i].member;
        std::string contents = folder / ("member" + std::to_string(i));
        WriteHostFile(contents, members[i].contents);
        const ZipLocalTime& t = m.modified;
        manifest << m.name << '\t' << contents << '\t' << t.year << ',' << t.month << ',' << t.day << ',' << t.hour
                 << ',' << t.minute << ',' << t.second / 2 * 2 << '\t' << int(m.dosAttributes) << '\t'
                 << m.unixTime.value_or(-1) << '\n';
    }
    WriteHostFile(folder / "manifest", manifest.str());

    std::string output;
    EXPECT_EQ(RunTool("unzip -tq '" + folder / "archive.zip" + "'", output), 0) << output;
    EXPECT_EQ(RunTool("python3 '" + folder / "check.py" + "' '" + folder / "archive.zip" + "' '" + folder / "manifest" +
                          "' '" + folder / "comment" + "'",
                      output),
              0)
        << output;
}
#endif

}  // namespace

TEST(ZipWriter, ArchiveOfTypicalMembersIsSound) {
    std::vector<ZipMemoryMember> members = TypicalMembers();
    std::string archive;
    ASSERT_EQ(ZipToMemory(members, archive), kZipOk);

    ReadZipArchive read = ReadZip(archive);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.members.size(), members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const ReadZipMember& got = read.members[i];
        const ZipMemoryMember& want = members[i];
        SCOPED_TRACE(want.member.name);
        EXPECT_EQ(got.name, want.member.name);
        EXPECT_TRUE(got.data == want.contents);
        EXPECT_EQ(got.method, want.contents.empty() ? 0 : 8);
        EXPECT_EQ(got.externalAttributes, want.member.dosAttributes);
        DosDateTime dos = ToDosDateTime(want.member.modified);
        EXPECT_EQ(got.dosDate, dos.date);
        EXPECT_EQ(got.dosTime, dos.time);
    }
    // Deflate at level 6 actually shrinks the text half of the large member.
    EXPECT_LT(archive.size(), 1100u * 1024u);
#ifndef _WIN32
    CheckWithStandardTools(archive, members, "");
#endif
}

TEST(ZipWriter, LevelsAndCommentsAreOrdinaryZip) {
    struct Case {
        int level;
        std::string comment;
        std::uint16_t levelFlags;
    };
    const Case cases[] = {
        {0, "", 0},
        {1, "", 4},
        {6, "", 0},
        {9, "$AUTORUN$>.\\gpg_sfx.bat", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        std::vector<ZipMemoryMember> members = TypicalMembers();
        std::string archive;
        ASSERT_EQ(ZipToMemory(members, archive, c.level, c.comment), kZipOk);
        ReadZipArchive read = ReadZip(archive);
        ASSERT_EQ(read.error, "");
        EXPECT_EQ(read.comment, c.comment);
        EXPECT_EQ(read.members[2].flags & 6, c.levelFlags);
        EXPECT_TRUE(read.members[2].data == members[2].contents);
#ifndef _WIN32
        CheckWithStandardTools(archive, members, c.comment);
#endif
    }
}

TEST(ZipWriter, DosDateAndTime) {
    struct Case {
        ZipLocalTime time;
        std::uint16_t date, clock;
    };
    const Case cases[] = {
        {{2024, 2, 29, 13, 45, 30}, (44 << 9) | (2 << 5) | 29, (13 << 11) | (45 << 5) | 15},
        {{2024, 2, 29, 13, 45, 31}, (44 << 9) | (2 << 5) | 29, (13 << 11) | (45 << 5) | 15},  // odd second cut
        {{1980, 1, 1, 0, 0, 0}, (1 << 5) | 1, 0},
        {{1979, 12, 31, 23, 59, 59}, (1 << 5) | 1, 0},  // before the DOS epoch
        {{1601, 1, 1, 0, 0, 0}, (1 << 5) | 1, 0},
        {{2107, 12, 31, 23, 59, 59}, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
        {{2200, 6, 1, 12, 0, 0}, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},  // past its end
    };
    for (const Case& c : cases) {
        DosDateTime dos = ToDosDateTime(c.time);
        EXPECT_EQ(dos.date, c.date) << c.time.year;
        EXPECT_EQ(dos.time, c.clock) << c.time.year;
    }
}

namespace {

class FailingSource : public ZipSource {
public:
    bool Read(unsigned char* buffer, std::size_t capacity, std::size_t& got) override {
        if (calls_++ > 0) return false;
        got = std::min<std::size_t>(capacity, 10);
        std::fill_n(buffer, got, 'x');
        return true;
    }

private:
    int calls_ = 0;
};

class FullSink : public ZipSink {
public:
    bool Append(const unsigned char*, std::size_t size) override {
        written_ += size;
        return written_ < 100;
    }
    bool Overwrite(std::uint64_t, const unsigned char*, std::size_t) override { return true; }

private:
    std::size_t written_ = 0;
};

}  // namespace

TEST(ZipWriter, RefusesBadMembersAndReportsFailures) {
    ZipLocalTime t{2024, 1, 1, 0, 0, 0};
    struct Case {
        const char* what;
        std::vector<ZipMemoryMember> members;
        int level;
        int result;
    };
    const Case cases[] = {
        {"no members", {}, 6, kZipNothingToDo},
        {"empty name", {Member("", "x", t)}, 6, kZipBadParameter},
        {"folder in the name", {Member("gnupg\\pubring.gpg", "x", t)}, 6, kZipBadParameter},
        {"unix folder in the name", {Member("gnupg/pubring.gpg", "x", t)}, 6, kZipBadParameter},
        {"same name twice", {Member("pubring.gpg", "a", t), Member("PubRing.gpg", "b", t)}, 6, kZipBadParameter},
        {"level out of range", {Member("a", "x", t)}, 10, kZipBadParameter},
    };
    for (const Case& c : cases) {
        std::string archive;
        EXPECT_EQ(ZipToMemory(c.members, archive, c.level), c.result) << c.what;
    }

    // A source failing midway, and a sink that fills up, are not covered over: the
    // failure stays with the writer and Finish reports it too.
    std::string bytes;
    struct Sink : ZipSink {
        std::string& out;
        explicit Sink(std::string& o) : out(o) {}
        bool Append(const unsigned char* d, std::size_t n) override {
            out.append(reinterpret_cast<const char*>(d), n);
            return true;
        }
        bool Overwrite(std::uint64_t, const unsigned char*, std::size_t) override { return true; }
    } sink(bytes);
    ZipWriter reading(sink);
    FailingSource failing;
    EXPECT_EQ(reading.Add({"pubring.gpg", t}, failing), kZipReadError);
    EXPECT_EQ(reading.Finish(), kZipReadError);

    FullSink full;
    ZipWriter writing(full);
    std::string large = NoiseBytes(200000, 3);
    struct Bytes : ZipSource {
        const std::string& data;
        std::size_t at = 0;
        explicit Bytes(const std::string& d) : data(d) {}
        bool Read(unsigned char* b, std::size_t cap, std::size_t& got) override {
            got = std::min(cap, data.size() - at);
            std::copy_n(data.data() + at, got, b);
            at += got;
            return true;
        }
    } source(large);
    EXPECT_EQ(writing.Add({"pubring.gpg", t}, source), kZipWriteError);
    EXPECT_EQ(writing.Finish(), kZipWriteError);
}
