// Detecting a text file's encoding and line ends block by block, as it is
// done on a file: for any bytes, any way the blocks fall, and files past the
// 64 KB block, the answer must be the one the whole bytes give in memory.
// The input is stretched: its first two bytes give a number of kilobytes (up to 96) of
// a filler byte (the third) put before the rest, so small inputs reach past
// the first block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

#include "encoding/detection.h"
#include "encoding/text_source.h"
#include "encoding/unicode_source.h"
#include "encoding/utf16_detection.h"
#include "platform/file_io.h"

namespace {

using kelmio::CByteReader;

// Hands out `bytes` in blocks whose sizes cycle through `sizes`.
CByteReader::Refill Blocks(std::string_view bytes, std::string_view sizes) {
    return [bytes, sizes, at = std::size_t{0}, turn = std::size_t{0}](char* buffer, std::size_t room) mutable {
        std::size_t want = sizes.empty() ? room : static_cast<unsigned char>(sizes[turn++ % sizes.size()]) * 331 + 61;
        want = std::min({want, room, bytes.size() - at});
        bytes.copy(buffer, want, at);
        at += want;
        return want;
    };
}

kelmio::TextSourceKind InMemory(std::string_view bytes) {
    auto unicode = kelmio::DetectUnicode(bytes);
    if (!unicode) unicode = kelmio::DetectUtf16WithoutMark(bytes);
    if (unicode) return {*unicode, kelmio::DetectUnicodeLineEnd(bytes, *unicode)};
    return {kelmio::DetectEncoding(bytes), kelmio::DetectLineEnd(bytes)};
}

kelmio::TextSourceKind InBlocks(std::string_view bytes, std::string_view sizes) {
    CByteReader first(Blocks(bytes, sizes));
    auto unicode = kelmio::DetectUnicode(first);
    if (!unicode) {
        CByteReader zeros(Blocks(bytes, sizes));
        unicode = kelmio::DetectUtf16WithoutMark(zeros);
    }
    if (unicode) {
        CByteReader again(Blocks(bytes, sizes));
        return {*unicode, kelmio::DetectUnicodeLineEnd(again, *unicode)};
    }
    CByteReader encoding(Blocks(bytes, sizes));
    CByteReader lineEnd(Blocks(bytes, sizes));
    return {kelmio::DetectEncoding(encoding), kelmio::DetectLineEnd(lineEnd)};
}

bool Same(kelmio::TextSourceKind a, kelmio::TextSourceKind b) { return a.encoding == b.encoding && a.lineEnd == b.lineEnd; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::size_t kilobytes = (std::size_t{data[0]} << 8 | data[1]) % 97;
    std::string bytes(kilobytes * 1024, static_cast<char>(data[2]));
    const std::size_t sizesLength = data[3] % 8;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::string_view sizes = rest.substr(0, sizesLength);
    bytes.append(rest.substr(sizes.size()));

    const kelmio::TextSourceKind expected = InMemory(bytes);
    if (!Same(InBlocks(bytes, sizes), expected)) std::abort();

    // And through a real file, as the program reads it: a file in memory,
    // opened by its name under /proc, so nothing is written where another
    // user could have put a link.
    static const int memory = ::memfd_create("kelmio-fuzz-detect", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(memory);
    if (memory < 0 || ::ftruncate(memory, 0) != 0) std::abort();
    if (::pwrite(memory, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) std::abort();
    std::optional<kelmio::FileError> error;
    const auto fromFile = kelmio::DetectTextFile(kelmio::FromNativePath(path), error);
    if (!fromFile || !Same(*fromFile, expected)) std::abort();
    return 0;
}
