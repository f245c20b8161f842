#include "common/zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndRecordSignature = 0x06054b50;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kFlagMaximum = 0x0002;  // deflate levels 8 and 9
constexpr std::uint16_t kFlagFast = 0x0004;     // deflate levels 1 and 2
constexpr std::uint16_t kFlagUtf8Name = 0x0800;
constexpr std::uint16_t kVersionStored = 10;    // 1.0
constexpr std::uint16_t kVersionDeflated = 20;  // 2.0
// Made by 2.0 on MS-DOS/FAT: readers then take the low byte of the external
// attributes as DOS attributes.
constexpr std::uint16_t kVersionMadeBy = 20;
constexpr std::uint16_t kExtendedTimestampTag = 0x5455;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint64_t kMax32 = 0xffffffffu;
constexpr std::size_t kMaxEntries = 0xffff;
constexpr std::size_t kChunk = 64 * 1024;

void Put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xff));
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Names that differ only in ASCII case would overwrite each other when the archive
// is unpacked on Windows.
std::string FoldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The extended timestamp keeps the exact modification time in UTC, which the DOS
// form (local, two-second steps) cannot; unzip restores it from here.
std::string ExtendedTimestamp(const std::optional<std::int64_t>& unixTime) {
    std::string extra;
    if (!unixTime || *unixTime < 0 || *unixTime > 0x7fffffff) return extra;
    Put16(extra, kExtendedTimestampTag);
    Put16(extra, 5);
    extra.push_back(1);  // modification time present
    Put32(extra, static_cast<std::uint32_t>(*unixTime));
    return extra;
}

struct DeflateStream {
    z_stream stream{};
    bool open = false;
    ~DeflateStream() {
        if (open) deflateEnd(&stream);
    }
};

}  // namespace

DosDateTime ToDosDateTime(const ZipLocalTime& t) {
    if (t.year < 1980) return {static_cast<std::uint16_t>((1 << 5) | 1), 0};
    if (t.year > 2107) return {static_cast<std::uint16_t>((127 << 9) | (12 << 5) | 31), (23 << 11) | (59 << 5) | 29};
    auto field = [](int value, int low, int high) { return static_cast<unsigned>(std::clamp(value, low, high)); };
    DosDateTime dos;
    dos.date = static_cast<std::uint16_t>(((t.year - 1980) << 9) | (field(t.month, 1, 12) << 5) | field(t.day, 1, 31));
    dos.time = static_cast<std::uint16_t>((field(t.hour, 0, 23) << 11) | (field(t.minute, 0, 59) << 5) |
                                          (field(t.second, 0, 59) / 2));
    return dos;
}

ZipWriter::ZipWriter(ZipSink& sink, int level) : sink_(sink), level_(level) {
    if (level < 0 || level > 9) failure_ = kZipBadParameter;
}

int ZipWriter::Fail(int result) {
    if (failure_ == kZipOk) failure_ = result;
    return failure_;
}

bool ZipWriter::Append(const std::string& bytes) {
    if (!sink_.Append(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) return false;
    offset_ += bytes.size();
    return true;
}

int ZipWriter::Check(const ZipMember& member) const {
    const std::string& name = member.name;
    if (name.empty() || name.size() > 0xffff || name.find_first_of("/\\") != std::string::npos) return kZipBadParameter;
    std::string folded = FoldCase(name);
    for (const Entry& entry : entries_) {
        if (FoldCase(entry.name) == folded) return kZipBadParameter;
    }
    if (entries_.size() >= kMaxEntries || offset_ > kMax32) return kZipTooBig;
    return kZipOk;
}

int ZipWriter::Add(const ZipMember& member, ZipSource& source) {
    if (failure_ != kZipOk) return failure_;
    if (finished_) return Fail(kZipBadParameter);
    if (int result = Check(member); result != kZipOk) return Fail(result);

    Entry entry;
    entry.name = member.name;
    entry.time = ToDosDateTime(member.modified);
    entry.headerOffset = offset_;
    entry.extra = ExtendedTimestamp(member.unixTime);
    entry.dosAttributes = member.dosAttributes;
    if (HasNonAscii(member.name)) entry.flags |= kFlagUtf8Name;

    // The header goes out first with empty sizes and is rewritten once the data is
    // through, so members stream from disk without being held in memory.
    std::string header(kLocalHeaderSize, '\0');
    header += entry.name;
    header += entry.extra;
    if (!Append(header)) return Fail(kZipWriteError);
    if (int result = WriteData(entry, source); result != kZipOk) return Fail(result);

    std::string fixed;
    Put32(fixed, kLocalHeaderSignature);
    Put16(fixed, entry.method == kMethodDeflated ? kVersionDeflated : kVersionStored);
    Put16(fixed, entry.flags);
    Put16(fixed, entry.method);
    Put16(fixed, entry.time.time);
    Put16(fixed, entry.time.date);
    Put32(fixed, entry.crc);
    Put32(fixed, static_cast<std::uint32_t>(entry.compressedSize));
    Put32(fixed, static_cast<std::uint32_t>(entry.size));
    Put16(fixed, static_cast<std::uint16_t>(entry.name.size()));
    Put16(fixed, static_cast<std::uint16_t>(entry.extra.size()));
    if (!sink_.Overwrite(entry.headerOffset, reinterpret_cast<const unsigned char*>(fixed.data()), fixed.size()))
        return Fail(kZipWriteError);
    entries_.push_back(std::move(entry));
    return kZipOk;
}

int ZipWriter::WriteData(Entry& entry, ZipSource& source) {
    std::unique_ptr<unsigned char[]> in(new (std::nothrow) unsigned char[kChunk]);
    std::unique_ptr<unsigned char[]> out(new (std::nothrow) unsigned char[kChunk]);
    if (!in || !out) return kZipOutOfMemory;

    size_t got = 0;
    if (!source.Read(in.get(), kChunk, got)) return kZipReadError;
    if (got == 0) {
        // An empty member is stored: deflate would still write an end-of-stream block.
        entry.method = kMethodStored;
        return kZipOk;
    }
    entry.method = kMethodDeflated;
    if (level_ >= 8)
        entry.flags |= kFlagMaximum;
    else if (level_ >= 1 && level_ <= 2)
        entry.flags |= kFlagFast;

    DeflateStream compressor;
    // Raw deflate (negative window bits): zip members carry no zlib header.
    int init = deflateInit2(&compressor.stream, level_, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (init == Z_MEM_ERROR) return kZipOutOfMemory;
    if (init != Z_OK) return kZipInternalError;
    compressor.open = true;

    uLong crc = crc32(0, nullptr, 0);
    bool atEnd = false;
    while (true) {
        crc = crc32(crc, in.get(), static_cast<uInt>(got));
        entry.size += got;
        if (entry.size > kMax32) return kZipTooBig;
        compressor.stream.next_in = in.get();
        compressor.stream.avail_in = static_cast<uInt>(got);
        int flush = atEnd ? Z_FINISH : Z_NO_FLUSH;
        int status = Z_OK;
        do {
            compressor.stream.next_out = out.get();
            compressor.stream.avail_out = static_cast<uInt>(kChunk);
            status = deflate(&compressor.stream, flush);
            if (status == Z_STREAM_ERROR) return kZipInternalError;
            size_t produced = kChunk - compressor.stream.avail_out;
            if (produced > 0) {
                if (!sink_.Append(out.get(), produced)) return kZipWriteError;
                offset_ += produced;
                entry.compressedSize += produced;
                if (entry.compressedSize > kMax32) return kZipTooBig;
            }
        } while (compressor.stream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
        if (atEnd) break;
        if (!source.Read(in.get(), kChunk, got)) return kZipReadError;
        atEnd = got == 0;
    }
    entry.crc = static_cast<std::uint32_t>(crc);
    return kZipOk;
}

int ZipWriter::Finish(std::string_view comment) {
    if (failure_ != kZipOk) return failure_;
    if (finished_) return Fail(kZipBadParameter);
    if (comment.size() > 0xffff) return Fail(kZipBadParameter);
    finished_ = true;

    const std::uint64_t directoryOffset = offset_;
    for (const Entry& entry : entries_) {
        std::string record;
        Put32(record, kCentralHeaderSignature);
        Put16(record, kVersionMadeBy);
        Put16(record, entry.method == kMethodDeflated ? kVersionDeflated : kVersionStored);
        Put16(record, entry.flags);
        Put16(record, entry.method);
        Put16(record, entry.time.time);
        Put16(record, entry.time.date);
        Put32(record, entry.crc);
        Put32(record, static_cast<std::uint32_t>(entry.compressedSize));
        Put32(record, static_cast<std::uint32_t>(entry.size));
        Put16(record, static_cast<std::uint16_t>(entry.name.size()));
        Put16(record, static_cast<std::uint16_t>(entry.extra.size()));
        Put16(record, 0);  // comment length
        Put16(record, 0);  // disk number
        Put16(record, 0);  // internal attributes
        Put32(record, entry.dosAttributes);
        Put32(record, static_cast<std::uint32_t>(entry.headerOffset));
        record += entry.name;
        record += entry.extra;
        if (!Append(record)) return Fail(kZipWriteError);
    }
    const std::uint64_t directorySize = offset_ - directoryOffset;
    if (directoryOffset > kMax32 || directorySize > kMax32) return Fail(kZipTooBig);

    std::string end;
    Put32(end, kEndRecordSignature);
    Put16(end, 0);  // this disk
    Put16(end, 0);  // disk with the directory
    Put16(end, static_cast<std::uint16_t>(entries_.size()));
    Put16(end, static_cast<std::uint16_t>(entries_.size()));
    Put32(end, static_cast<std::uint32_t>(directorySize));
    Put32(end, static_cast<std::uint32_t>(directoryOffset));
    Put16(end, static_cast<std::uint16_t>(comment.size()));
    end += comment;
    if (!Append(end)) return Fail(kZipWriteError);
    return kZipOk;
}

namespace {

class StringSink : public ZipSink {
public:
    explicit StringSink(std::string& bytes) : bytes_(bytes) {}
    bool Append(const unsigned char* data, std::size_t size) override {
        bytes_.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    bool Overwrite(std::uint64_t offset, const unsigned char* data, std::size_t size) override {
        if (offset > bytes_.size() || size > bytes_.size() - offset) return false;
        std::copy(data, data + size, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }

private:
    std::string& bytes_;
};

class StringSource : public ZipSource {
public:
    explicit StringSource(const std::string& bytes) : bytes_(bytes) {}
    bool Read(unsigned char* buffer, std::size_t capacity, std::size_t& got) override {
        got = std::min(capacity, bytes_.size() - position_);
        std::copy_n(bytes_.data() + position_, got, buffer);
        position_ += got;
        return true;
    }

private:
    const std::string& bytes_;
    std::size_t position_ = 0;
};

}  // namespace

int ZipToMemory(const std::vector<ZipMemoryMember>& members, std::string& archive, int level,
                std::string_view comment) {
    archive.clear();
    if (members.empty()) return kZipNothingToDo;
    try {
        StringSink sink(archive);
        ZipWriter writer(sink, level);
        for (const ZipMemoryMember& member : members) {
            StringSource source(member.contents);
            if (int result = writer.Add(member.member, source); result != kZipOk) return result;
        }
        return writer.Finish(comment);
    } catch (const std::bad_alloc&) {
        return kZipOutOfMemory;
    }
}
