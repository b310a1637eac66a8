#include "recovery/recovery_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/private_folder.h"

namespace kelmio {

CFilePath DefaultRecoveryFolder() { return GetAppDataPath("Morva", "Kelmio").Join("recovery"); }

std::string CRecoveryStore::FileStem(const CFilePath& project) {
    const std::optional<std::string> sjis = project.Sjis();
    const std::uint64_t hash = sjis ? Fnv1a64(*sjis) : Fnv1a64(std::string(1, '\0') + project.Native());
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return name;
}

CFilePath CRecoveryStore::EntryPath(const CFilePath& project) const {
    return m_folder.Join(FileStem(project) + ".kmr");
}

CFilePath CRecoveryStore::KeptMarkPath(const CFilePath& project) const {
    return m_folder.Join(FileStem(project) + ".kept");
}

std::optional<FileError> CRecoveryStore::Save(const CRecoveryEntry& entry) const {
    return SaveBytes(entry.m_strProject, WriteRecoveryEntry(entry));
}

std::optional<FileError> CRecoveryStore::SaveWithText(const CRecoveryEntry& entry,
                                                     std::string_view editTextUtf8) const {
    MakeWorkCopyFolder(m_folder);
    return SavePrivateFileAtomically(EntryPath(entry.m_strProject), [&entry, editTextUtf8](const ByteSink& sink) {
        WriteRecoveryEntryPieces(entry, editTextUtf8, sink);
    });
}

std::optional<FileError> CRecoveryStore::SaveBytes(const CFilePath& project, std::string_view bytes) const {
    MakeWorkCopyFolder(m_folder);
    return SavePrivateFileAtomically(EntryPath(project), bytes);
}

std::optional<CRecoveryEntry> CRecoveryStore::Load(const CFilePath& project) const {
    const FileReadResult read = ReadWholeFile(EntryPath(project));
    if (!read.ok()) return std::nullopt;
    std::optional<CRecoveryEntry> entry = ReadRecoveryEntry(read.bytes);
    if (!entry || entry->m_strProject != project) return std::nullopt;
    return entry;
}

bool CRecoveryStore::Remove(const CFilePath& project) const {
    const std::string native = EntryPath(project).Native();
    const bool removed = ::unlink(native.c_str()) == 0 || errno == ENOENT;
    // A mark without its entry keeps nothing.
    if (removed) Unmark(project);
    return removed;
}

std::optional<FileError> CRecoveryStore::MarkKept(const CRecoveryEntry& entry) const {
    MakeWorkCopyFolder(m_folder);
    return SavePrivateFileAtomically(KeptMarkPath(entry.m_strProject), KeptMarkText(entry));
}

bool CRecoveryStore::IsKept(const CRecoveryEntry& entry) const {
    const FileReadResult read = ReadWholeFile(KeptMarkPath(entry.m_strProject), kLargestKeptMark);
    return read.ok() && read.bytes == KeptMarkText(entry);
}

void CRecoveryStore::Unmark(const CFilePath& project) const {
    const std::string native = KeptMarkPath(project).Native();
    ::unlink(native.c_str());
}

std::string KeptMarkText(const CRecoveryEntry& entry) {
    return "kept " + std::to_string(entry.m_writer.nPid) + " " + std::to_string(entry.m_writer.nStartTime) + " " +
           std::to_string(entry.m_nCopyTime) + "\n";
}

std::int64_t LatestWriteTime(const std::vector<CFilePath>& paths) {
    std::int64_t latest = 0;
    for (const CFilePath& path : paths) {
        if (!IsUsableName(path)) continue;
        struct stat info {};
        if (::stat(path.Native().c_str(), &info) != 0) continue;
        const std::int64_t time =
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
        latest = std::max(latest, time);
    }
    return latest;
}

}  // namespace kelmio
