#pragma once
// An RTF source on disk: read whole into the model, and saved atomically,
// so that a failed save leaves the old file as it was.

#include <optional>
#include <string_view>

#include "platform/file_error.h"
#include "platform/file_path.h"
#include "viewer/rtf_reader.h"
#include "viewer/source_text.h"

namespace kelmio {

class CPrompter;

struct CRtfFileResult {
    std::optional<FileError> m_fileError;  // the file could not be read
    bool m_bTooLarge = false;              // refused unread: larger than a pane holds
    CRtfReadResult m_read;                 // what was read, when it could be

    bool ok() const { return !m_fileError && m_read.ok(); }
};

CRtfFileResult LoadRtfFile(const CFilePath& path);

// LoadRtfFile for the source pane, the user told as for a plain-text
// source: "ファイルが見つかりません" when the file cannot be read, the
// memory message when it is too large (the browser shows it instead).
// `read` holds the file's RTF (which may not be RTF) when shown.
struct PaneRtfSource {
    PaneLoadOutcome outcome = PaneLoadOutcome::kShown;
    CRtfReadResult read;
};
PaneRtfSource LoadRtfForPane(CPrompter& prompter, const CFilePath& path);

// Writes `document` as `path`; nullopt on success.
std::optional<FileError> SaveRtfFile(const CFilePath& path, const CRtfDocument& document);

}  // namespace kelmio
