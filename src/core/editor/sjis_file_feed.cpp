#include "editor/sjis_file_feed.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/file_io.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

// Where the whole characters of `bytes` end: a lead byte at the very end
// waits for the byte after it.
std::size_t WholeCharactersEnd(std::string_view bytes) {
    std::size_t end = 0;
    while (end < bytes.size()) {
        if (IsSjisLeadByte(static_cast<unsigned char>(bytes[end])) && end + 1 == bytes.size()) break;
        end += CharLengthAt(bytes, end);
    }
    return end;
}

// Reads the file from its start, handing `take` its bytes in runs of whole
// characters (the last run may end in a lone lead byte). False when the
// file could not be read or was too large.
bool ForEachRun(CFileReader& file, const CFilePath& path, std::size_t block,
                const std::function<void(std::string_view)>& take, std::optional<FileError>& error) {
    if (!file.Rewind()) {
        error = file.Error();
        return false;
    }
    std::string pending;
    std::size_t total = 0;
    for (;;) {
        const std::size_t kept = pending.size();
        pending.resize(kept + block);
        const std::size_t n = file.Read(pending.data() + kept, block);
        pending.resize(kept + n);
        total += n;
        if (total > kLargestTextFile) {
            error = FileErrorFor(path, EACCES);
            return false;
        }
        if (n == 0) break;
        const std::size_t end = WholeCharactersEnd(pending);
        take(std::string_view(pending).substr(0, end));
        pending.erase(0, end);
    }
    if (file.Error()) {
        error = file.Error();
        return false;
    }
    if (!pending.empty()) take(pending);
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
    block = std::max<std::size_t>(block, 2);
    std::size_t size = 0;
    if (!ForEachRun(file, path, block, [&size](std::string_view sjis) { size += Cp932ToUtf8SizeEstimate(sjis); },
                    result.error)) {
        return result;
    }
    feed.begin(size);
    result.bStarted = true;
    ForEachRun(file, path, block, [&](std::string_view sjis) { Cp932ToUtf8Pieces(sjis, chunk, feed.append); },
               result.error);
    return result;
}

}  // namespace kelmio
