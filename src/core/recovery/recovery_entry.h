#pragma once
// A recovery entry: the unsaved work of one project, kept beside the user's
// data so that a crash, a killed session or a power cut loses nothing typed.
//
// Layout (all numbers little-endian; strings as the project file writes
// them, see stream/archive_stream.h):
//
//   offset  size  field
//   0       8     magic "KELMREC" followed by 0x1A
//   8       4     format version (DWORD), 1 or 2 (see below)
//   12      8     body length in bytes (QWORD)
//   20      8     FNV-1a 64 checksum of the body (QWORD)
//   28      ...   body:
//     DWORD  writer's process id
//     QWORD  writer's process start time (clock ticks after boot)
//     QWORD  time of the copy, milliseconds since 1970-01-01 UTC
//     string project path (version 2: a file name, see below)
//     string translation text path (likewise)
//     string translation text (Shift-JIS, CR LF lines)
//     LONG   caret (byte offset), LONG first visible line
//     DWORD  memo count, then per memo: string title, string text
//     LONG   selected memo (-1: none)
//     BYTE   1 when the source's modified text follows, else 0; then:
//            string source path (likewise), LONG encoding, LONG line end (the
//            numbers of encoding/text_encoding.h), string text: Shift-JIS,
//            or UTF-8 when the encoding is a Unicode one (6 to 9)
//
// Version 1 holds the paths as Shift-JIS strings. Version 2 holds them as
// the project file holds file names: the Shift-JIS string when the name has
// one, else the wide string form (stream/archive_stream.h) keeping each of
// the file system's bytes. An entry whose names all have a Shift-JIS form
// is written as version 1, byte for byte as before; version 2 only
// where a name needs it, so a program reading only version 1 refuses the
// entry rather than read a name it would get wrong. Nothing else differs.
//
// Reading checks the magic, the version, that the body is exactly as long
// as the header says and that its checksum matches, before it looks at a
// single field: an entry cut short or damaged is refused whole, never half
// used. No count is believed before the bytes it promises are there.
//
// Kept mark. When the user answers the recovery question with ｷｬﾝｾﾙ, the
// entry stays for a later opening, and a file beside it says so: the
// entry's name with ".kept" in place of ".kmr", holding one line of ASCII
//
//   kept <pid> <start time> <copy time>\n
//
// the writer's process id and start time and the time of the copy (the
// first three body fields) of the entry kept, in decimal. A kept entry is
// offered at every opening, also after the project was saved, until it is
// restored or discarded; an entry without the mark is offered only while
// it is newer than the project's files. A mark naming any other copy, or
// holding anything else, is no mark. The entry itself is unchanged by
// keeping it: a Kelmio that knows no marks reads it as before.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_path.h"
#include "project/kelmio_data.h"

namespace kelmio {

// The first version (Shift-JIS paths), and the newest (paths as file names).
constexpr std::uint32_t kRecoveryVersionSjisPaths = 1;
constexpr std::uint32_t kRecoveryVersion = 2;

// Who wrote an entry: a process id is reused, the pair is not.
struct ProcessIdentity {
    std::uint32_t nPid = 0;
    std::uint64_t nStartTime = 0;

    bool operator==(const ProcessIdentity&) const = default;
};

// The source's text as modified in the viewer, not yet saved.
struct RecoverySource {
    CFilePath m_strPath;
    std::int32_t m_nEncoding = 0;
    std::int32_t m_nLineEnd = 0;
    std::string m_strText;  // Shift-JIS; UTF-8 for a Unicode source (see above)

    bool operator==(const RecoverySource&) const = default;
};

struct CRecoveryEntry {
    ProcessIdentity m_writer;
    std::int64_t m_nCopyTime = 0;  // milliseconds since 1970-01-01 UTC
    CFilePath m_strProject;
    CFilePath m_strEditFile;
    std::string m_strEditText;  // Shift-JIS, CR LF lines
    std::int32_t m_nEditCaret = 0;
    std::int32_t m_nEditTopLine = 0;
    std::vector<CKelmioMemo> m_arrMemo;
    std::int32_t m_nSelectedMemo = -1;
    std::optional<RecoverySource> m_source;

    bool operator==(const CRecoveryEntry&) const = default;
};

// The file's bytes for `entry`.
std::string WriteRecoveryEntry(const CRecoveryEntry& entry);

// The same bytes for `entry` with `editTextUtf8` (the editor's own form)
// converted to Shift-JIS as its translation text (the entry's own is not
// looked at), handed to `sink` a piece at a time, so that neither the
// converted text nor the file is ever whole in memory. The text is
// converted three times over: for its length, for the checksum that comes
// before it, and for the bytes. False when the sink refused a piece.
bool WriteRecoveryEntryPieces(const CRecoveryEntry& entry, std::string_view editTextUtf8, const ByteSink& sink);

// The entry in `bytes`, or nullopt when they are not one whole entry of a
// version this program reads.
std::optional<CRecoveryEntry> ReadRecoveryEntry(std::string_view bytes);

// FNV-1a, 64 bits: the body's checksum and the entry's file name. Bytes
// that follow others are hashed on from the others' hash.
constexpr std::uint64_t kFnv1a64Start = 0xcbf29ce484222325ull;
std::uint64_t Fnv1a64(std::string_view bytes, std::uint64_t hash = kFnv1a64Start);

}  // namespace kelmio
