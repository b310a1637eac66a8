#pragma once
// The translation text file read for the editor widget, which holds UTF-8:
// the Shift-JIS bytes are read, converted and handed on a block at a time,
// so that opening a large translation never holds its bytes whole beside
// the widget's text. The pieces joined are exactly Cp932ToUtf8 of the file.

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/file_error.h"
#include "platform/file_path.h"

namespace kelmio {

struct SjisFileFeed {
    // Called once before the first piece (also for an empty file) with the
    // UTF-8 text's size as Cp932ToUtf8SizeEstimate gives it: room to reserve.
    std::function<void(std::size_t utf8Size)> begin;
    // The text, in pieces of about the chunk asked for, cut between characters.
    std::function<void(std::string_view utf8)> append;
};

struct SjisFeedResult {
    std::optional<FileError> error;
    bool bStarted = false;  // `begin` was called: after an error, part of the text went out
};

// Reads the file twice over, a block at a time: once for the size, once for
// the text (CUtf8PieceFeed). Files larger than kLargestTextFile, also one that grows while it
// is read, are refused like ReadWholeFile refuses them.
SjisFeedResult FeedSjisFileAsUtf8(const CFilePath& path, std::size_t chunk, const SjisFileFeed& feed,
                                  std::size_t block = std::size_t{1} << 20);

}  // namespace kelmio
