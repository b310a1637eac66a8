#include "recovery/recovery_entry.h"

#include "project/project_file.h"
#include "stream/archive_stream.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr std::string_view kMagic{"KELMREC\x1a", 8};
// Title and text: two empty strings take at least two bytes.
constexpr std::size_t kSmallestMemo = 2;
// A streamed translation text is converted this much at a time.
constexpr std::size_t kTextPiece = std::size_t{1} << 20;

// Version 1 knows no wide strings: its paths are Shift-JIS only.
void WritePath(CArchiveWriter& out, std::uint32_t version, const CFilePath& path) {
    if (version == kRecoveryVersionSjisPaths) out.WriteString(path.Sjis().value_or(std::string()));
    else WriteFilePath(out, path);
}

// The fields before the translation text.
void WriteBodyHead(CArchiveWriter& out, const CRecoveryEntry& entry, std::uint32_t version) {
    out.WriteDword(entry.m_writer.nPid);
    out.WriteQword(entry.m_writer.nStartTime);
    out.WriteQword(static_cast<std::uint64_t>(entry.m_nCopyTime));
    WritePath(out, version, entry.m_strProject);
    WritePath(out, version, entry.m_strEditFile);
}

// The fields after the translation text.
void WriteBodyTail(CArchiveWriter& out, const CRecoveryEntry& entry, std::uint32_t version) {
    out.WriteLong(entry.m_nEditCaret);
    out.WriteLong(entry.m_nEditTopLine);
    out.WriteDword(static_cast<std::uint32_t>(entry.m_arrMemo.size()));
    for (const CKelmioMemo& memo : entry.m_arrMemo) {
        out.WriteString(memo.m_strTitle);
        out.WriteString(memo.m_strText);
    }
    out.WriteLong(entry.m_nSelectedMemo);
    out.WriteByte(entry.m_source ? 1 : 0);
    if (entry.m_source) {
        WritePath(out, version, entry.m_source->m_strPath);
        out.WriteLong(entry.m_source->m_nEncoding);
        out.WriteLong(entry.m_source->m_nLineEnd);
        out.WriteString(entry.m_source->m_strText);
    }
}

void WriteBody(CArchiveWriter& out, const CRecoveryEntry& entry, std::uint32_t version) {
    WriteBodyHead(out, entry, version);
    out.WriteString(entry.m_strEditText);
    WriteBodyTail(out, entry, version);
}

std::string Header(std::uint32_t version, std::uint64_t bodyLength, std::uint64_t checksum) {
    CArchiveWriter out;
    out.WriteBytes(kMagic);
    out.WriteDword(version);
    out.WriteQword(bodyLength);
    out.WriteQword(checksum);
    return out.TakeBytes();
}

bool ReadMemos(CArchiveReader& in, std::vector<CKelmioMemo>& memos) {
    std::uint32_t count = 0;
    if (!in.ReadDword(count) || count > in.Remaining() / kSmallestMemo) return false;
    memos.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        CKelmioMemo memo;
        if (!in.ReadString(memo.m_strTitle) || !in.ReadString(memo.m_strText)) return false;
        memos.push_back(std::move(memo));
    }
    return true;
}

bool ReadPath(CArchiveReader& in, std::uint32_t version, CFilePath& path) {
    if (version != kRecoveryVersionSjisPaths) return ReadFilePath(in, path);
    std::string sjis;
    if (!in.ReadString(sjis)) return false;
    path = sjis;
    return true;
}

bool ReadSource(CArchiveReader& in, std::uint32_t version, std::optional<RecoverySource>& source) {
    std::uint8_t present = 0;
    if (!in.ReadByte(present) || present > 1) return false;
    if (present == 0) return true;
    RecoverySource read;
    if (!ReadPath(in, version, read.m_strPath) || !in.ReadLong(read.m_nEncoding) || !in.ReadLong(read.m_nLineEnd) ||
        !in.ReadString(read.m_strText)) {
        return false;
    }
    source = std::move(read);
    return true;
}

// The version an entry is written as: the first, unless a name needs more.
std::uint32_t VersionFor(const CRecoveryEntry& entry) {
    const bool sjisPaths = entry.m_strProject.Sjis() && entry.m_strEditFile.Sjis() &&
                           (!entry.m_source || entry.m_source->m_strPath.Sjis());
    return sjisPaths ? kRecoveryVersionSjisPaths : kRecoveryVersion;
}

std::optional<CRecoveryEntry> ReadBody(std::string_view body, std::uint32_t version) {
    CArchiveReader in(body);
    CRecoveryEntry entry;
    std::uint64_t copyTime = 0;
    if (!in.ReadDword(entry.m_writer.nPid) || !in.ReadQword(entry.m_writer.nStartTime) || !in.ReadQword(copyTime) ||
        !ReadPath(in, version, entry.m_strProject) || !ReadPath(in, version, entry.m_strEditFile) ||
        !in.ReadString(entry.m_strEditText) || !in.ReadLong(entry.m_nEditCaret) ||
        !in.ReadLong(entry.m_nEditTopLine) || !ReadMemos(in, entry.m_arrMemo) ||
        !in.ReadLong(entry.m_nSelectedMemo) || !ReadSource(in, version, entry.m_source)) {
        return std::nullopt;
    }
    // Bytes after the last field mean the entry is not what this version wrote.
    if (in.Remaining() != 0) return std::nullopt;
    if (entry.m_nSelectedMemo < -1 || entry.m_nSelectedMemo >= static_cast<std::int64_t>(entry.m_arrMemo.size())) {
        entry.m_nSelectedMemo = entry.m_arrMemo.empty() ? -1 : 0;
    }
    entry.m_nCopyTime = static_cast<std::int64_t>(copyTime);
    return entry;
}

}  // namespace

std::uint64_t Fnv1a64(std::string_view bytes, std::uint64_t hash) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string WriteRecoveryEntry(const CRecoveryEntry& entry) {
    const std::uint32_t version = VersionFor(entry);
    CArchiveWriter body;
    WriteBody(body, entry, version);
    return Header(version, body.Bytes().size(), Fnv1a64(body.Bytes())) + body.Bytes();
}

bool WriteRecoveryEntryPieces(const CRecoveryEntry& entry, std::string_view editTextUtf8, const ByteSink& sink) {
    const auto eachTextPiece = [editTextUtf8](const ByteSink& take) {
        return Utf8ToCp932Pieces(editTextUtf8, kTextPiece, take);
    };
    std::uint64_t textLength = 0;
    eachTextPiece([&textLength](std::string_view sjis) {
        textLength += sjis.size();
        return true;
    });
    const std::uint32_t version = VersionFor(entry);
    CArchiveWriter head;
    WriteBodyHead(head, entry, version);
    head.WriteStringLength(textLength);
    CArchiveWriter tail;
    WriteBodyTail(tail, entry, version);

    std::uint64_t checksum = Fnv1a64(head.Bytes());
    eachTextPiece([&checksum](std::string_view sjis) {
        checksum = Fnv1a64(sjis, checksum);
        return true;
    });
    checksum = Fnv1a64(tail.Bytes(), checksum);
    const std::uint64_t bodyLength = head.Bytes().size() + textLength + tail.Bytes().size();
    return sink(Header(version, bodyLength, checksum)) && sink(head.Bytes()) && eachTextPiece(sink) &&
           sink(tail.Bytes());
}

std::optional<CRecoveryEntry> ReadRecoveryEntry(std::string_view bytes) {
    CArchiveReader in(bytes);
    std::string_view magic;
    std::uint32_t version = 0;
    std::uint64_t length = 0;
    std::uint64_t checksum = 0;
    if (!in.ReadBytes(kMagic.size(), magic) || magic != kMagic || !in.ReadDword(version) ||
        version < kRecoveryVersionSjisPaths || version > kRecoveryVersion || !in.ReadQword(length) ||
        !in.ReadQword(checksum) || length != in.Remaining()) {
        return std::nullopt;
    }
    std::string_view body;
    if (!in.ReadBytes(length, body) || Fnv1a64(body) != checksum) return std::nullopt;
    return ReadBody(body, version);
}

}  // namespace kelmio
