#pragma once
// Where recovery entries live: one file per project path in the user's data
// folder ($XDG_DATA_HOME/Morva/Kelmio/recovery), named by a hash of the path:
// of its Shift-JIS form when it has one (as entries always were named),
// else of its file system bytes behind a NUL byte, which no Shift-JIS name
// holds, so that no two names share a file. The entry also holds the path,
// so an entry whose name matches by chance is never taken for another
// project's.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_error.h"
#include "platform/file_path.h"
#include "recovery/recovery_entry.h"

namespace kelmio {

// The user's recovery folder (not created here).
CFilePath DefaultRecoveryFolder();

class CRecoveryStore {
public:
    explicit CRecoveryStore(CFilePath folder) : m_folder(std::move(folder)) {}

    const CFilePath& Folder() const { return m_folder; }
    // The entry file of a project path.
    CFilePath EntryPath(const CFilePath& project) const;

    // Writes the entry atomically, creating the folder when missing;
    // nullopt on success.
    std::optional<FileError> Save(const CRecoveryEntry& entry) const;
    // The same for `entry` with `editTextUtf8` converted to Shift-JIS as its
    // translation text, a piece at a time while it is written.
    std::optional<FileError> SaveWithText(const CRecoveryEntry& entry, std::string_view editTextUtf8) const;
    // The same with the entry's bytes already made.
    std::optional<FileError> SaveBytes(const CFilePath& project, std::string_view bytes) const;
    // The project's entry; nullopt when there is none or it is not whole.
    std::optional<CRecoveryEntry> Load(const CFilePath& project) const;
    // True when no entry is left for the project.
    bool Remove(const CFilePath& project) const;

private:
    CFilePath m_folder;
};

// The latest modification time of the files that exist among `paths`, in
// milliseconds since 1970-01-01 UTC; 0 when none exists.
std::int64_t LatestWriteTime(const std::vector<CFilePath>& paths);

}  // namespace kelmio
