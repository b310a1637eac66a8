#include "viewer/rtf_file.h"

#include "platform/file_io.h"
#include "viewer/rtf_writer.h"

namespace kelmio {

CRtfFileResult LoadRtfFile(std::string_view sjisPath) {
    CRtfFileResult result;
    FileReadResult file = ReadWholeFile(sjisPath);
    if (!file.ok()) {
        result.m_fileError = file.error;
        return result;
    }
    result.m_read = ReadRtf(file.bytes);
    return result;
}

std::optional<FileError> SaveRtfFile(std::string_view sjisPath, const CRtfDocument& document) {
    return SaveFileAtomically(sjisPath, WriteRtf(document));
}

}  // namespace kelmio
