// The project file layout
// =======================
//
// A .kmp file has no magic number, header or class tags: it is the record's
// fields one after another, all numbers little-endian (BYTE, WORD, DWORD
// unsigned; LONG a signed 32-bit value), strings length-prefixed as
// archive_stream.h describes (Shift-JIS bytes, or UTF-16LE behind the wide
// marker FF FE FF). The three file paths (source, translation, history
// entries) are written in Shift-JIS when the name has an exact Shift-JIS
// form and in the wide form otherwise, so a name such as "é.txt" or one
// holding a byte that is no UTF-8 comes back as the same file.
//
//   DWORD   record version (100; any value is read alike)
//   string  current source          (note: before the translation file)
//   string  translation text file
//   LONG    reserved (kept as read)
//   LONG    dictionary kind
//   string  dictionary program path
//   string  dictionary parameters
//   DWORD   memo count N, then N times:
//             DWORD memo version (100; ignored), string title, string text
//   DWORD   history count M, then M strings, most recent first
//   DWORD   display-state version (101; 100 in older files)
//   LONG x10  scroll x, scroll y, client size, enlarge, reduce,
//             enlarge factor, reduce divisor, fit window, browser mode,
//             editor caret
//   LONG    editor top line (only when the state version is 101 or more)
//
// Nothing is read after the display state; trailing bytes are ignored.
// An empty project is 72 bytes (44-byte state at version 101).
//
// Counts are plain DWORDs and come from the file, so a count is checked
// against the bytes that are left before anything is built for it: a memo
// needs at least 6 bytes (version and two one-byte lengths), a history entry
// at least 1. A file claiming four billion memos fails at once.

#include "project/project_file.h"

#include "platform/file_io.h"
#include "stream/archive_stream.h"
#include "text/cp932.h"

namespace kelmio {

namespace {

constexpr std::size_t kSmallestMemoBytes = 4 + 1 + 1;
constexpr std::size_t kSmallestStringBytes = 1;

void WritePosData(CArchiveWriter& out, const CKelmioPosData& pos) {
    out.WriteDword(kPosDataVersion);
    out.WriteLong(pos.m_nScrollX);
    out.WriteLong(pos.m_nScrollY);
    out.WriteLong(pos.m_bClientSize);
    out.WriteLong(pos.m_bEnlarge);
    out.WriteLong(pos.m_bReduce);
    out.WriteLong(pos.m_nEnlarge);
    out.WriteLong(pos.m_nReduce);
    out.WriteLong(pos.m_bFitWindow);
    out.WriteLong(pos.m_bBrowserMode);
    out.WriteLong(pos.m_nEditCaret);
    out.WriteLong(pos.m_nEditTopLine);
}

std::optional<std::uint32_t> ReadPosData(CArchiveReader& in, CKelmioPosData& pos) {
    std::uint32_t version = 0;
    const bool ok = in.ReadDword(version) && in.ReadLong(pos.m_nScrollX) && in.ReadLong(pos.m_nScrollY) &&
                    in.ReadLong(pos.m_bClientSize) && in.ReadLong(pos.m_bEnlarge) && in.ReadLong(pos.m_bReduce) &&
                    in.ReadLong(pos.m_nEnlarge) && in.ReadLong(pos.m_nReduce) && in.ReadLong(pos.m_bFitWindow) &&
                    in.ReadLong(pos.m_bBrowserMode) && in.ReadLong(pos.m_nEditCaret) &&
                    (version < kPosDataVersion || in.ReadLong(pos.m_nEditTopLine));
    if (!ok) return std::nullopt;
    return version;
}

bool ReadMemos(CArchiveReader& in, CKelmioData& data) {
    std::uint32_t count = 0;
    if (!in.ReadDword(count) || count > in.Remaining() / kSmallestMemoBytes) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t version = 0;
        CKelmioMemo memo;
        if (!in.ReadDword(version) || !in.ReadString(memo.m_strTitle) || !in.ReadString(memo.m_strText)) {
            return false;
        }
        data.AppendMemo(std::move(memo));
    }
    return true;
}

bool ReadHistory(CArchiveReader& in, CKelmioData& data) {
    std::uint32_t count = 0;
    if (!in.ReadDword(count) || count > in.Remaining() / kSmallestStringBytes) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        CFilePath entry;
        if (!ReadFilePath(in, entry)) return false;
        data.m_arrSrcHistory.push_back(std::move(entry));
    }
    return true;
}

}  // namespace

void WriteFilePath(CArchiveWriter& out, const CFilePath& path) {
    if (const std::optional<std::string> sjis = path.Sjis()) {
        out.WriteString(*sjis);
    } else {
        out.WriteWideString(path.Wide());
    }
}

bool ReadFilePath(CArchiveReader& in, CFilePath& path) {
    ArchiveString text;
    if (!in.ReadEitherString(text)) return false;
    path = text.bWide ? CFilePath::FromWide(text.wide) : CFilePath(text.narrow);
    return true;
}

std::string WriteProject(const CKelmioData& data) {
    CArchiveWriter out;
    out.WriteDword(kProjectRecordVersion);
    WriteFilePath(out, data.m_strSrcFile);
    WriteFilePath(out, data.m_strEditFile);
    out.WriteLong(data.m_nReserved);
    out.WriteLong(data.m_nDicKind);
    out.WriteString(data.m_strDicPath);
    out.WriteString(data.m_strDicParam);
    out.WriteDword(static_cast<std::uint32_t>(data.GetMemoCount()));
    for (std::size_t i = 0; i < data.GetMemoCount(); ++i) {
        const CKelmioMemo& memo = data.GetMemo(i);
        out.WriteDword(kMemoRecordVersion);
        out.WriteString(memo.m_strTitle);
        out.WriteString(memo.m_strText);
    }
    out.WriteDword(static_cast<std::uint32_t>(data.m_arrSrcHistory.size()));
    for (const CFilePath& entry : data.m_arrSrcHistory) WriteFilePath(out, entry);
    WritePosData(out, data.m_pos);
    return out.TakeBytes();
}

std::optional<std::uint32_t> ReadProject(std::string_view bytes, CKelmioData& data) {
    // Built aside and moved in whole, so a failure never leaves half a project.
    CKelmioData read;
    CArchiveReader in(bytes);
    std::uint32_t recordVersion = 0;
    std::optional<std::uint32_t> stateVersion;
    const bool ok = in.ReadDword(recordVersion) && ReadFilePath(in, read.m_strSrcFile) &&
                    ReadFilePath(in, read.m_strEditFile) && in.ReadLong(read.m_nReserved) &&
                    in.ReadLong(read.m_nDicKind) && in.ReadString(read.m_strDicPath) &&
                    in.ReadString(read.m_strDicParam) && ReadMemos(in, read) && ReadHistory(in, read) &&
                    (stateVersion = ReadPosData(in, read.m_pos)).has_value();
    if (!ok) {
        data.Clear();
        return std::nullopt;
    }
    data = std::move(read);
    return stateVersion;
}

const std::string& UnexpectedFormatMessage() {
    static const std::string message = SjisText("予期しないﾌｧｲﾙ形式です。");
    return message;
}

ProjectLoadResult LoadProjectFile(const CFilePath& path, CKelmioData& data) {
    ProjectLoadResult result;
    const FileReadResult file = ReadWholeFile(path, kLargestProjectFile);
    if (file.bTooLarge) {
        result.status = ProjectLoadStatus::kBadFormat;
        result.message = UnexpectedFormatMessage();
        return result;
    }
    if (!file.ok()) {
        result.status = ProjectLoadStatus::kFileError;
        result.message = FileErrorMessage(*file.error);
        return result;
    }
    if (file.bytes.empty()) {
        data.Clear();
        return result;
    }
    const std::optional<std::uint32_t> stateVersion = ReadProject(file.bytes, data);
    if (!stateVersion) {
        result.status = ProjectLoadStatus::kBadFormat;
        result.message = UnexpectedFormatMessage();
        return result;
    }
    result.stateVersion = *stateVersion;
    return result;
}

std::optional<std::string> SaveProjectFile(const CFilePath& path, const CKelmioData& data) {
    const std::optional<FileError> error = SaveFileAtomically(path, WriteProject(data));
    if (error) return FileErrorMessage(*error);
    return std::nullopt;
}

}  // namespace kelmio
