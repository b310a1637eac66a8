#include "viewer/rtf_file.h"

#include "platform/file_io.h"
#include "viewer/rtf_writer.h"

namespace kelmio {

CRtfFileResult LoadRtfFile(const CFilePath& path) {
    CRtfFileResult result;
    FileReadResult file = ReadWholeFile(path);
    if (!file.ok()) {
        result.m_fileError = file.error;
        return result;
    }
    result.m_read = ReadRtf(file.bytes);
    return result;
}

std::optional<FileError> SaveRtfFile(const CFilePath& path, const CRtfDocument& document) {
    return SaveFileAtomically(path, WriteRtf(document));
}

}  // namespace kelmio
