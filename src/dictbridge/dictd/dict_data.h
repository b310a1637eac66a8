#pragma once
// The text part of a dictd database: a plain .dict file, or a .dict.dz file
// compressed by dictzip.
//
// dictzip is gzip with a random-access table in the header's extra field
// (subfield "RA": version 1, chunk length, chunk count, then the compressed
// size of every chunk). Each chunk was deflated on its own after a full
// flush, so a range of the text is read by inflating only the chunks it
// touches, never the whole file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kelmio::dictd {

// Entries longer than this are not read: no database has them, and a
// damaged index must not make us allocate gigabytes.
constexpr std::uint64_t kMaxEntryLength = 1u << 20;

struct DataError {
    std::string message;  // UTF-8, for the bridge's answer
};

// Where the chunks of a dictzip file lie.
struct DictzipLayout {
    std::uint64_t dataStart = 0;       // first byte of the first chunk
    std::uint32_t chunkLength = 0;     // uncompressed bytes per chunk
    std::vector<std::uint64_t> chunkOffsets;  // file offset of each chunk, plus the end
};

// Reads the gzip header of a dictzip file from its first bytes.
std::variant<DictzipLayout, DataError> ParseDictzipHeader(std::string_view header);

class CDictData {
public:
    // Opens `nativePath`; a name ending in ".dz" is read as dictzip.
    static std::variant<std::unique_ptr<CDictData>, DataError> Open(const std::string& nativePath);
    ~CDictData();
    CDictData(const CDictData&) = delete;
    CDictData& operator=(const CDictData&) = delete;

    // `length` bytes of text from `offset`.
    std::variant<std::string, DataError> Read(std::uint64_t offset, std::uint64_t length) const;

private:
    CDictData(int fd, std::optional<DictzipLayout> layout, std::uint64_t fileSize);
    std::variant<std::string, DataError> ReadPlain(std::uint64_t offset, std::uint64_t length) const;
    std::variant<std::string, DataError> ReadChunk(std::size_t chunk) const;

    int m_fd;
    std::optional<DictzipLayout> m_layout;
    std::uint64_t m_nFileSize;
};

}  // namespace kelmio::dictd
