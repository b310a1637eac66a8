#include "imaging/plugin_trust.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace kelmio {
namespace {

bool OwnedByUsOrSystem(const struct stat& info) { return info.st_uid == ::getuid() || info.st_uid == 0; }

bool OthersMayWrite(const struct stat& info) { return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0; }

std::optional<std::string> RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return std::nullopt;
    return std::string(resolved);
}

// "/", "/a", "/a/b" for the resolved folder "/a/b".
std::vector<std::string> FoldersDownTo(const std::string& real) {
    std::vector<std::string> folders{"/"};
    for (std::size_t slash = real.find('/', 1); slash != std::string::npos; slash = real.find('/', slash + 1)) {
        folders.push_back(real.substr(0, slash));
    }
    if (real.size() > 1) folders.push_back(real);
    return folders;
}

// Every folder from the root down to `real` (resolved, without links); the
// last one, which holds the modules, has no sticky exception.
bool ChainIsTrusted(const std::string& real) {
    const std::vector<std::string> folders = FoldersDownTo(real);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        struct stat info {};
        if (::lstat(folders[i].c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !OwnedByUsOrSystem(info)) {
            return false;
        }
        const bool sticky = (info.st_mode & S_ISVTX) != 0;
        if (OthersMayWrite(info) && (i + 1 == folders.size() || !sticky)) return false;
    }
    return true;
}

}  // namespace

CFilePath PluginFolder(const CFilePath& configured, const CFilePath& programFolder) {
    if (configured.empty()) return programFolder;
    if (configured.Native().front() == '/') return configured;
    return programFolder.Join(configured);
}

std::optional<std::string> TrustedPluginFolder(const std::string& nativeFolder) {
    std::optional<std::string> real = RealPath(nativeFolder);
    if (!real || !ChainIsTrusted(*real)) return std::nullopt;
    return real;
}

std::optional<std::string> TrustedPluginFile(const std::string& nativePath) {
    const std::optional<std::string> real = RealPath(nativePath);
    if (!real) return std::nullopt;
    struct stat info {};
    if (::lstat(real->c_str(), &info) != 0 || !S_ISREG(info.st_mode) || !OwnedByUsOrSystem(info) ||
        OthersMayWrite(info)) {
        return std::nullopt;
    }
    const std::size_t slash = real->rfind('/');
    if (!TrustedPluginFolder(slash == 0 ? "/" : real->substr(0, slash))) return std::nullopt;
    return real;
}

}  // namespace kelmio
