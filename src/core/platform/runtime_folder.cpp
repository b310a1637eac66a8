#include "platform/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace kelmio {

bool IsPrivateFolder(const std::string& nativeFolder) {
    struct stat info {};
    if (::lstat(nativeFolder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

std::string RuntimeFolderCandidate() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
        if (IsPrivateFolder(runtime)) return runtime;
    }
    return "/tmp/kelmio-" + std::to_string(::getuid());
}

bool MakePrivateFolder(const std::string& nativeFolder) {
    ::mkdir(nativeFolder.c_str(), 0700);  // an existing one is checked like a new one
    return IsPrivateFolder(nativeFolder);
}

std::string PrivateRuntimeFolder() {
    const std::string folder = RuntimeFolderCandidate();
    return MakePrivateFolder(folder) ? folder : std::string();
}

std::string ServiceSocketPath(std::string_view folder, std::string_view service) {
    std::string path(folder);
    path += "/kelmio-dde-";
    path += service;
    path += ".socket";
    return path;
}

}  // namespace kelmio
