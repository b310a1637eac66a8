#include "platform/paths.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"

namespace kelmio {
namespace {

std::string EnvOr(const char* name, std::string_view fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : std::string(fallback);
}

std::string HomeFolder() { return EnvOr("HOME", "/"); }

bool IsFolder(const std::string& native) {
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// XDG_DOCUMENTS_DIR from user-dirs.dirs: a line such as
// XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string XdgDocumentsFolder() {
    const std::string config = EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config");
    // Read whole through the file reader: a FIFO or device put there must
    // not stop the start, and a few lines of folder names are all it holds.
    constexpr std::size_t kLargestDirsFile = 64 * 1024;
    std::istringstream dirs(ReadWholeFile(CFilePath::FromNative(config + "/user-dirs.dirs"), kLargestDirsFile).bytes);
    std::string line;
    while (std::getline(dirs, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=";
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
        if (!value.empty() && value.front() == '/') return value;
    }
    return {};
}

bool MakeFolder(const std::string& native) { return ::mkdir(native.c_str(), 0777) == 0; }

bool IsRoot(std::string_view path) { return path.find_first_not_of('/') == std::string_view::npos; }

CFilePath JoinName(const CFilePath& folder, std::string_view sjisName) { return folder.Join(CFilePath(sjisName)); }

}  // namespace

CFilePath GetProgramFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return CFilePath::FromNative(EnvOr("PWD", "."));
    std::string exe(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return CFilePath::FromNative(slash == 0 ? "/" : exe.substr(0, slash));
}

CFilePath GetProgramFilePath(const CFilePath& name) { return GetProgramFolder().Join(name); }

CFilePath GetTempFolder() {
    std::string folder = EnvOr("TMPDIR", "/tmp");
    if (folder.back() != '/') folder += '/';
    return CFilePath::FromNative(folder);
}

CFilePath GetDocumentsFolder() {
    const std::string xdg = XdgDocumentsFolder();
    if (!xdg.empty()) return CFilePath::FromNative(xdg);
    const std::string documents = HomeFolder() + "/Documents";
    return CFilePath::FromNative(IsFolder(documents) ? documents : HomeFolder());
}

CFilePath TypedFolder(const CFilePath& typed) {
    const std::string& native = typed.Native();
    if (!native.empty() && native.front() == '/') return typed;
    if (native == "~") return CFilePath::FromNative(HomeFolder());
    if (native.rfind("~/", 0) == 0) {
        return CFilePath::FromNative(HomeFolder()).Join(CFilePath::FromNative(native.substr(2)));
    }
    return native.empty() ? GetDocumentsFolder() : GetDocumentsFolder().Join(typed);
}

CFilePath BuildAppDataPath(const CFilePath& base, std::string_view sub, std::string_view inner,
                           std::string_view file) {
    if (sub.empty()) return base;
    CFilePath folder = JoinName(base, sub);
    if (inner.empty()) return folder;
    folder = JoinName(folder, inner);
    if (file.empty()) return folder;
    if (!PathExists(folder)) CreateFolderTree(folder);
    return JoinName(folder, file);
}

CFilePath GetAppDataPath(std::string_view sub, std::string_view inner, std::string_view file) {
    // A relative XDG_DATA_HOME is to be ignored.
    std::string data = EnvOr("XDG_DATA_HOME", "");
    if (data.empty() || data.front() != '/') data = HomeFolder() + "/.local/share";
    return BuildAppDataPath(CFilePath::FromNative(data), sub, inner, file);
}

bool CreateFolderTree(const CFilePath& path) {
    const std::string& native = path.Native();
    if (IsRoot(native) || !IsUsableName(path)) return false;
    if (MakeFolder(native)) return true;
    const std::size_t separator = native.find_last_of('/', native.size() - 2);
    if (separator == std::string::npos) return false;
    if (!CreateFolderTree(CFilePath::FromNative(native.substr(0, separator)))) return false;
    MakeFolder(native);
    return true;
}

}  // namespace kelmio
