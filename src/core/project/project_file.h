#pragma once
// The project file (.kmp): one CKelmioData record as a flat binary stream.
// The layout is described where it is read, in project_file.cpp.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "project/kelmio_data.h"

namespace kelmio {

class CArchiveReader;
class CArchiveWriter;

// Versions written in front of each record.
inline constexpr std::uint32_t kProjectRecordVersion = 100;
inline constexpr std::uint32_t kMemoRecordVersion = 100;
inline constexpr std::uint32_t kPosDataVersion = 101;
// The display state without the editor's top line.
inline constexpr std::uint32_t kPosDataVersionWithoutTopLine = 100;

// The project file's bytes for `data`.
std::string WriteProject(const CKelmioData& data);

// A file name as the project file stores one: its Shift-JIS form when it
// has one, else the wide form that keeps every byte of it.
void WriteFilePath(CArchiveWriter& out, const CFilePath& path);
bool ReadFilePath(CArchiveReader& in, CFilePath& path);

// Fills `data` from a project stream; bytes after the display state are
// ignored. Returns the display-state version found, or nullopt when the
// stream ends early or a count or length points past its end; `data` is
// cleared then.
std::optional<std::uint32_t> ReadProject(std::string_view bytes, CKelmioData& data);

// "予期しないﾌｧｲﾙ形式です。" in Shift-JIS: what the user is told about a
// stream that cannot be read as a project.
const std::string& UnexpectedFormatMessage();

enum class ProjectLoadStatus {
    kOk,
    kFileError,  // the file could not be read; the record is untouched
    kBadFormat,  // the bytes are not a project; the record is cleared
};

struct ProjectLoadResult {
    ProjectLoadStatus status = ProjectLoadStatus::kOk;
    std::string message;  // Shift-JIS, for the user; empty when ok
    std::uint32_t stateVersion = kPosDataVersion;

    bool ok() const { return status == ProjectLoadStatus::kOk; }
};

// Reads the project file `path` into `data`. A zero-length file is the
// empty project.
ProjectLoadResult LoadProjectFile(const CFilePath& path, CKelmioData& data);

// Saves `data` as the project file `path` atomically. Returns the file
// error message (Shift-JIS) on failure, with the old file left as it was.
std::optional<std::string> SaveProjectFile(const CFilePath& path, const CKelmioData& data);

}  // namespace kelmio
