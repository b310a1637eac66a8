#include "editor/sjis_file_feed.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/file_io.h"
#include "text/sjis.h"
#include "text/utf8_piece_feed.h"

namespace kelmio {
namespace {

// Cp932ToUtf8SizeEstimate of a text taken a block at a time: a lead byte
// at a block's end takes the next block's first byte along.
class CUtf8SizeCount {
public:
    void Take(std::string_view bytes) {
        for (const char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            if (m_bTrailDue) {
                m_bTrailDue = false;  // counted with its lead byte
            } else {
                m_nSize += value < 0x80 ? 1 : 3;
                m_bTrailDue = IsSjisLeadByte(value);
            }
        }
    }
    std::size_t Size() const { return m_nSize; }

private:
    std::size_t m_nSize = 0;
    bool m_bTrailDue = false;
};

// Reads the file from its start, handing `take` each block. False when the
// file could not be read or was too large.
bool ForEachBlock(CFileReader& file, const CFilePath& path, std::size_t block,
                  const std::function<void(std::string_view)>& take, std::optional<FileError>& error) {
    if (!file.Rewind()) {
        error = file.Error();
        return false;
    }
    std::string buffer(block, '\0');
    std::size_t total = 0;
    while (const std::size_t n = file.Read(buffer.data(), block)) {
        total += n;
        if (total > kLargestTextFile) {
            error = FileErrorFor(path, EACCES);
            return false;
        }
        take(std::string_view(buffer).substr(0, n));
    }
    if (file.Error()) {
        error = file.Error();
        return false;
    }
    return true;
}

}  // namespace

SjisFeedResult FeedSjisFileAsUtf8(const CFilePath& path, std::size_t chunk, const SjisFileFeed& feed,
                                  std::size_t block) {
    SjisFeedResult result;
    CFileReader file(path);
    if (file.Error()) {
        result.error = file.Error();
        return result;
    }
    if (file.Size() > kLargestTextFile) {
        result.error = FileErrorFor(path, EACCES);
        return result;
    }
    block = std::max<std::size_t>(block, 1);
    CUtf8SizeCount size;
    if (!ForEachBlock(file, path, block, [&size](std::string_view bytes) { size.Take(bytes); }, result.error)) {
        return result;
    }
    feed.begin(size.Size());
    result.bStarted = true;
    CUtf8PieceFeed pieces(chunk, feed.append);
    if (ForEachBlock(file, path, block, [&pieces](std::string_view bytes) { pieces.Take(bytes); }, result.error)) {
        pieces.Finish();
    }
    return result;
}

}  // namespace kelmio
