#pragma once
// An RTF source on disk: read whole into the model, and saved atomically,
// so that a failed save leaves the old file as it was.

#include <optional>
#include <string_view>

#include "platform/file_error.h"
#include "platform/file_path.h"
#include "viewer/rtf_reader.h"

namespace kelmio {

struct CRtfFileResult {
    std::optional<FileError> m_fileError;  // the file could not be read
    CRtfReadResult m_read;                 // what was read, when it could be

    bool ok() const { return !m_fileError && m_read.ok(); }
};

CRtfFileResult LoadRtfFile(const CFilePath& path);

// Writes `document` as `path`; nullopt on success.
std::optional<FileError> SaveRtfFile(const CFilePath& path, const CRtfDocument& document);

}  // namespace kelmio
