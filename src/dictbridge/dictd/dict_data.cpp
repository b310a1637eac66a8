#include "dictd/dict_data.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace kelmio::dictd {
namespace {

constexpr std::size_t kHeaderProbe = 1u << 17;  // the RA table of a 2 GB file fits in 64 KB

std::uint32_t Le16(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

DataError Damaged(const char* what) { return DataError{std::string("damaged dictzip file: ") + what}; }

bool ReadAt(int fd, std::uint64_t offset, std::size_t length, std::string& out) {
    out.resize(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Skips a NUL-terminated header field; npos when it runs past the end.
std::size_t SkipZeroTerminated(std::string_view header, std::size_t at) {
    const std::size_t end = header.find('\0', at);
    return end == std::string_view::npos ? end : end + 1;
}

}  // namespace

std::variant<DictzipLayout, DataError> ParseDictzipHeader(std::string_view header) {
    if (header.size() < 12 || static_cast<unsigned char>(header[0]) != 0x1F ||
        static_cast<unsigned char>(header[1]) != 0x8B || header[2] != 8) {
        return Damaged("not a gzip file");
    }
    const auto flags = static_cast<unsigned char>(header[3]);
    if ((flags & 0x04) == 0) return Damaged("no random-access table");
    const std::size_t extraLength = Le16(header, 10);
    std::size_t at = 12;
    if (header.size() < at + extraLength) return Damaged("truncated header");
    const std::string_view extra = header.substr(at, extraLength);
    at += extraLength;

    DictzipLayout layout;
    std::vector<std::uint32_t> sizes;
    for (std::size_t field = 0; field + 4 <= extra.size();) {
        const std::size_t fieldLength = Le16(extra, field + 2);
        if (field + 4 + fieldLength > extra.size()) return Damaged("truncated extra field");
        if (extra[field] == 'R' && extra[field + 1] == 'A') {
            const std::string_view ra = extra.substr(field + 4, fieldLength);
            if (ra.size() < 6 || Le16(ra, 0) != 1) return Damaged("unknown table version");
            layout.chunkLength = Le16(ra, 2);
            const std::size_t count = Le16(ra, 4);
            if (layout.chunkLength == 0 || ra.size() < 6 + 2 * count) return Damaged("bad chunk table");
            for (std::size_t i = 0; i < count; ++i) sizes.push_back(Le16(ra, 6 + 2 * i));
        }
        field += 4 + fieldLength;
    }
    if (layout.chunkLength == 0) return Damaged("no random-access table");
    if ((flags & 0x08) != 0) at = SkipZeroTerminated(header, at);  // file name
    if (at != std::string_view::npos && (flags & 0x10) != 0) at = SkipZeroTerminated(header, at);  // comment
    if (at != std::string_view::npos && (flags & 0x02) != 0) at += 2;  // header CRC
    if (at == std::string_view::npos || at > header.size()) return Damaged("truncated header");
    layout.dataStart = at;
    std::uint64_t offset = at;
    layout.chunkOffsets.reserve(sizes.size() + 1);
    for (const std::uint32_t size : sizes) {
        layout.chunkOffsets.push_back(offset);
        offset += size;
    }
    layout.chunkOffsets.push_back(offset);
    return layout;
}

CDictData::CDictData(int fd, std::optional<DictzipLayout> layout, std::uint64_t fileSize)
    : m_fd(fd), m_layout(std::move(layout)), m_nFileSize(fileSize) {}

CDictData::~CDictData() { ::close(m_fd); }

std::variant<std::unique_ptr<CDictData>, DataError> CDictData::Open(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return DataError{"cannot open " + nativePath};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return DataError{"not a file: " + nativePath};
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    std::optional<DictzipLayout> layout;
    if (nativePath.size() > 3 && nativePath.compare(nativePath.size() - 3, 3, ".dz") == 0) {
        std::string header;
        const std::size_t probe = static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeaderProbe));
        if (!ReadAt(fd, 0, probe, header)) {
            ::close(fd);
            return DataError{"cannot read " + nativePath};
        }
        auto parsed = ParseDictzipHeader(header);
        if (auto* error = std::get_if<DataError>(&parsed)) {
            ::close(fd);
            return DataError{error->message + " (" + nativePath + ")"};
        }
        layout = std::get<DictzipLayout>(std::move(parsed));
        if (layout->chunkOffsets.back() > size) {
            ::close(fd);
            return DataError{"damaged dictzip file: chunks past the end (" + nativePath + ")"};
        }
    }
    return std::unique_ptr<CDictData>(new CDictData(fd, std::move(layout), size));
}

std::variant<std::string, DataError> CDictData::ReadPlain(std::uint64_t offset, std::uint64_t length) const {
    if (offset > m_nFileSize || length > m_nFileSize - offset) return DataError{"entry past the end of the data"};
    std::string text;
    if (!ReadAt(m_fd, offset, static_cast<std::size_t>(length), text)) return DataError{"cannot read the data"};
    return text;
}

std::variant<std::string, DataError> CDictData::ReadChunk(std::size_t chunk) const {
    const std::uint64_t start = m_layout->chunkOffsets[chunk];
    const std::uint64_t compressedSize = m_layout->chunkOffsets[chunk + 1] - start;
    std::string compressed;
    if (!ReadAt(m_fd, start, static_cast<std::size_t>(compressedSize), compressed)) {
        return DataError{"cannot read the data"};
    }
    std::string plain(m_layout->chunkLength, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return DataError{"cannot start zlib"};
    stream.next_in = reinterpret_cast<Bytef*>(compressed.data());
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(plain.data());
    stream.avail_out = static_cast<uInt>(plain.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    const std::size_t produced = plain.size() - stream.avail_out;
    inflateEnd(&stream);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
        return Damaged("a chunk does not inflate");
    }
    plain.resize(produced);
    return plain;
}

std::variant<std::string, DataError> CDictData::Read(std::uint64_t offset, std::uint64_t length) const {
    if (length > kMaxEntryLength) return DataError{"entry too long"};
    if (!m_layout) return ReadPlain(offset, length);
    const std::uint64_t chunkLength = m_layout->chunkLength;
    const std::size_t chunkCount = m_layout->chunkOffsets.size() - 1;
    if (length == 0) return std::string();
    const std::uint64_t first = offset / chunkLength;
    const std::uint64_t last = (offset + length - 1) / chunkLength;
    if (last >= chunkCount) return DataError{"entry past the end of the data"};
    std::string text;
    for (std::uint64_t chunk = first; chunk <= last; ++chunk) {
        auto plain = ReadChunk(static_cast<std::size_t>(chunk));
        if (auto* error = std::get_if<DataError>(&plain)) return *error;
        text += std::get<std::string>(plain);
    }
    const std::uint64_t skip = offset - first * chunkLength;
    if (skip + length > text.size()) return Damaged("a chunk is shorter than its table says");
    return text.substr(static_cast<std::size_t>(skip), static_cast<std::size_t>(length));
}

}  // namespace kelmio::dictd
