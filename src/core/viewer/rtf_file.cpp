#include "viewer/rtf_file.h"

#include "encoding/text_source.h"
#include "platform/file_io.h"
#include "platform/prompter.h"
#include "viewer/rtf_writer.h"

namespace kelmio {

CRtfFileResult LoadRtfFile(const CFilePath& path) {
    CRtfFileResult result;
    FileReadResult file = ReadWholeFile(path);
    if (!file.ok()) {
        result.m_fileError = file.error;
        result.m_bTooLarge = file.bTooLarge;
        return result;
    }
    result.m_read = ReadRtf(file.bytes);
    return result;
}

PaneRtfSource LoadRtfForPane(CPrompter& prompter, const CFilePath& path) {
    CRtfFileResult file = LoadRtfFile(path);
    PaneRtfSource pane;
    if (!file.m_fileError) {
        pane.read = std::move(file.m_read);
        return pane;
    }
    // One cause, one message: a file too large is reported as it is for a
    // plain text, not as a file that is missing.
    pane.outcome = file.m_bTooLarge ? PaneLoadOutcome::kToBrowser : PaneLoadOutcome::kNotFound;
    const std::string& message = file.m_bTooLarge ? SourceTooLargeMessage() : SourceNotFoundMessage();
    prompter.Message(message, MessageButtons::kOk, MessageIcon::kExclamation);
    return pane;
}

std::optional<FileError> SaveRtfFile(const CFilePath& path, const CRtfDocument& document) {
    return SaveFileAtomically(path, WriteRtf(document));
}

}  // namespace kelmio
