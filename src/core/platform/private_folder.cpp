#include "platform/private_folder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/runtime_folder.h"

namespace kelmio {

std::string PrivateFolderBelow(const std::string& base, std::string_view name) {
    if (base.empty() || base.front() != '/') return {};
    std::string folder = base;
    if (folder.back() != '/') folder += '/';
    folder += name;
    return MakePrivateFolder(folder) ? FromNativePath(folder) : std::string();
}

bool MakeWorkCopyFolder(const CFilePath& folder) {
    if (!IsUsableName(folder)) return false;
    const std::string& native = folder.Native();
    if (!PathExists(folder)) {
        const std::size_t separator = native.find_last_of('/', native.size() - 2);
        if (separator != std::string::npos && separator > 0) {
            CreateFolderTree(CFilePath::FromNative(native.substr(0, separator)));
        }
        ::mkdir(native.c_str(), 0700);
    }
    // A folder of ours only; through a link to one, the folder linked to.
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
    if ((info.st_mode & 077) != 0 && ::chmod(native.c_str(), info.st_mode & 07700) != 0) return false;
    return true;
}

std::string GetPrivateTempFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && IsPrivateFolder(runtime)) {
        std::string folder = PrivateFolderBelow(runtime, "kelmio");
        if (!folder.empty()) return folder;
    }
    return PrivateFolderBelow("/tmp", "kelmio-" + std::to_string(::getuid()));
}

}  // namespace kelmio
