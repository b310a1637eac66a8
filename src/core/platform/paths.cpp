#include "platform/paths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

std::string UserDataFolderNative() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    std::string homeFolder = home != nullptr ? home : "";
    if (homeFolder.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
            homeFolder = entry->pw_dir;
        }
    }
    if (homeFolder.empty()) return {};
    while (homeFolder.size() > 1 && homeFolder.back() == '/') homeFolder.pop_back();
    return homeFolder + "/.local/share";
}

bool MakeFolder(std::string_view path) { return ::mkdir(ToNativePath(path).c_str(), 0777) == 0; }

}  // namespace

std::string GetProgramFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    const std::string path = FromNativePath(std::string_view(buffer, static_cast<std::size_t>(length)));
    const std::size_t slash = FindLastPathSeparator(path);
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BuildAppDataPath(std::string_view base, std::string_view sub, std::string_view inner,
                             std::string_view file) {
    if (sub.empty()) return std::string(base);
    std::string folder = JoinPath(base, sub);
    if (inner.empty()) return folder;
    folder = JoinPath(folder, inner);
    if (file.empty()) return folder;
    if (!PathExists(folder)) CreateFolderTree(folder);
    return JoinPath(folder, file);
}

std::string GetAppDataPath(std::string_view sub, std::string_view inner, std::string_view file) {
    return BuildAppDataPath(FromNativePath(UserDataFolderNative()), sub, inner, file);
}

bool CreateFolderTree(std::string_view path) {
    if (path.empty() || path == "/") return false;
    if (MakeFolder(path)) return true;
    if (errno == EEXIST) return false;
    const std::size_t slash = FindLastPathSeparator(path);
    if (slash == std::string_view::npos || slash == 0) return false;
    // A trailing separator is allowed: for a/b/ the parent step makes a/b.
    if (!PathExists(path.substr(0, slash)) && !CreateFolderTree(path.substr(0, slash))) return false;
    return MakeFolder(path) || slash == path.size() - 1;
}

}  // namespace kelmio
