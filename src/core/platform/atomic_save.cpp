// Saving a whole file so that the old one survives any failure.
//
// The new bytes go to an unnamed file in the target's folder (O_TMPFILE),
// which is flushed, given a short name and renamed over the target. A save
// killed before the rename leaves nothing behind; only a kill between naming
// and renaming leaves a ".kelmio-save-<pid>-XXXXXX" file, and where the file
// system has no unnamed files the temporary file carries such a name from
// the start. Every save into a folder removes those names whose process is
// gone. The short name keeps the temporary file within the name limit
// whatever the length of the target's name.
//
// Hard links: the rename gives the saved name a new file; other names of the
// old file keep the old contents, as with any editor that saves safely.

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/unique_fd.h"

namespace kelmio {
namespace {

constexpr std::string_view kTempPrefix = ".kelmio-save-";
constexpr mode_t kOwnerOnly = 0600;

std::string FolderOf(const std::string& native) {
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

// The file a save really replaces: symbolic links are followed, also a
// dangling one, so the link stays a link and its target gets the contents.
std::optional<std::string> SaveTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::array<char, PATH_MAX> link{};
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size() - 1);
        if (n <= 0) return path;
        std::string next(link.data(), static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
    }
    return std::nullopt;  // a loop of links
}

// Whether the caller's class (owner, group, others) may write the file by
// its mode bits. Deliberately also asked for root, who could write anyway:
// a file the user made read-only stays read-only.
bool ModeAllowsWriting(const struct stat& info) {
    if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
    if (info.st_gid == ::getegid()) return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view bytes, const WriteFunction& write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string TempNamePattern(const std::string& folder) {
    return folder + "/" + std::string(kTempPrefix) + std::to_string(::getpid()) + "-XXXXXX";
}

// A fresh short name in the folder (the pattern's X's replaced at random).
std::string FreshTempName(const std::string& folder) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    std::string name = TempNamePattern(folder);
    for (std::size_t i = name.size() - 6; i < name.size(); ++i) name[i] = kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// Removes what killed saves left in the folder: our temporary names whose
// process no longer runs.
void RemoveLeftovers(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(kTempPrefix)) continue;
        const std::string_view rest = name.substr(kTempPrefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == std::string_view::npos || dash == 0) continue;
        char* end = nullptr;
        const std::string pidText(rest.substr(0, dash));
        const long pid = std::strtol(pidText.c_str(), &end, 10);
        if (*end != '\0' || pid <= 0) continue;
        const bool gone = ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (gone) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// The temporary file: unnamed where the file system allows it.
struct TempFile {
    UniqueFd fd;
    std::string name;  // empty while the file has no name
};

std::optional<TempFile> OpenTempFile(const std::string& folder, int& error) {
    TempFile file;
    file.fd = UniqueFd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (file.fd.Valid()) return file;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        error = errno;
        return std::nullopt;
    }
    file.name = TempNamePattern(folder);
    file.fd = UniqueFd(::mkostemp(file.name.data(), O_CLOEXEC));
    if (!file.fd.Valid()) {
        error = errno;
        return std::nullopt;
    }
    return file;
}

// Gives an unnamed temporary file a name, so that it can be renamed.
int NameTempFile(TempFile& file, const std::string& folder) {
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd.Get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = FreshTempName(folder);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            file.name = std::move(name);
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

ssize_t SystemWrite(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }

// `mode`: the saved file's mode whatever the old file's was; unset: the old
// file's mode, or the default for a new one.
std::optional<FileError> SaveProduced(const CFilePath& path, const ByteProducer& produce, const WriteFunction& write,
                                      std::optional<mode_t> mode = std::nullopt) {
    if (!IsUsableName(path)) return FileErrorFor(path, path.empty() ? ENOENT : EINVAL);
    const std::optional<std::string> resolved = SaveTarget(path.Native());
    if (!resolved) return FileErrorFor(path, ELOOP);
    const std::string& target = *resolved;
    const std::string folder = FolderOf(target);
    if (target.back() == '/') return FileErrorFor(path, EISDIR);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return FileErrorFor(path, EISDIR);
    if (exists && (!S_ISREG(old.st_mode) || !ModeAllowsWriting(old))) return FileErrorFor(path, EACCES);

    RemoveLeftovers(folder);
    int error = 0;
    std::optional<TempFile> temp = OpenTempFile(folder, error);
    if (!temp) return FileErrorFor(path, error);

    produce([&](std::string_view piece) {
        if (error == 0) error = WriteAll(temp->fd.Get(), piece, write);
        return error == 0;
    });
    if (!mode) mode = exists ? (old.st_mode & 07777) : DefaultMode();
    if (error == 0 && ::fchmod(temp->fd.Get(), *mode) != 0) error = errno;
    // Keeping the owner only works for a privileged user; keeping the group
    // may work for anyone in it. Neither failing is a reason to fail the save.
    if (error == 0 && exists && ::fchown(temp->fd.Get(), old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(temp->fd.Get(), static_cast<uid_t>(-1), old.st_gid);
    }
    if (error == 0 && ::fsync(temp->fd.Get()) != 0) error = errno;
    if (error == 0 && temp->name.empty()) error = NameTempFile(*temp, folder);
    if (error == 0) error = temp->fd.Close();
    if (error == 0 && ::rename(temp->name.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        if (!temp->name.empty()) ::unlink(temp->name.c_str());
        return FileErrorFor(path, error);
    }
    // Make the rename itself durable; a failure here loses nothing.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
    return std::nullopt;
}

}  // namespace

std::optional<FileError> SaveFileAtomically(const CFilePath& path, std::string_view bytes) {
    return SaveFileAtomically(path, bytes, SystemWrite);
}

std::optional<FileError> SaveFileAtomically(const CFilePath& path, std::string_view bytes,
                                            const WriteFunction& write) {
    return SaveProduced(path, [bytes](const ByteSink& sink) { sink(bytes); }, write);
}

std::optional<FileError> SaveFileAtomically(const CFilePath& path, const ByteProducer& produce) {
    return SaveProduced(path, produce, SystemWrite);
}

std::optional<FileError> SavePrivateFileAtomically(const CFilePath& path, std::string_view bytes) {
    return SaveProduced(path, [bytes](const ByteSink& sink) { sink(bytes); }, SystemWrite, kOwnerOnly);
}

std::optional<FileError> SavePrivateFileAtomically(const CFilePath& path, const ByteProducer& produce) {
    return SaveProduced(path, produce, SystemWrite, kOwnerOnly);
}

}  // namespace kelmio
