#pragma once
// Where recovery entries live: one file per project path in the user's data
// folder ($XDG_DATA_HOME/Morva/Kelmio/recovery), named by a hash of the path:
// of its Shift-JIS form when it has one (as entries always were named),
// else of its file system bytes behind a NUL byte, which no Shift-JIS name
// holds, so that no two names share a file. The entry also holds the path,
// so an entry whose name matches by chance is never taken for another
// project's.
//
// Beside an entry the user kept for later may lie its kept mark (see
// recovery_entry.h), under the same name with ".kept" for ".kmr".
//
// The folder is this user's alone (0700, an older one narrowed to it) and
// every file written into it is 0600: the copies hold the user's work,
// which other users of the machine must not read.

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
    // True when no entry is left for the project (its kept mark goes too).
    bool Remove(const CFilePath& project) const;

    // The kept mark of a project's entry.
    CFilePath KeptMarkPath(const CFilePath& project) const;
    // Marks `entry` as kept for later by the user; nullopt on success.
    std::optional<FileError> MarkKept(const CRecoveryEntry& entry) const;
    // True when the mark beside the entry's file names this very copy.
    bool IsKept(const CRecoveryEntry& entry) const;
    // Takes the project's kept mark away, leaving the entry.
    void Unmark(const CFilePath& project) const;

private:
    // The hash part of the file names of a project's entry and mark.
    static std::string FileStem(const CFilePath& project);

    CFilePath m_folder;
};

// The bytes of the kept mark naming `entry`, and the largest mark read.
std::string KeptMarkText(const CRecoveryEntry& entry);
inline constexpr std::size_t kLargestKeptMark = 256;

// The latest modification time of the files that exist among `paths`, in
// milliseconds since 1970-01-01 UTC; 0 when none exists.
std::int64_t LatestWriteTime(const std::vector<CFilePath>& paths);

}  // namespace kelmio
