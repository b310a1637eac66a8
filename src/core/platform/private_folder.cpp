#include "platform/private_folder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/runtime_folder.h"

namespace kelmio {

std::string PrivateFolderBelow(const std::string& base, std::string_view name) {
    if (base.empty() || base.front() != '/') return {};
    std::string folder = base;
    if (folder.back() != '/') folder += '/';
    folder += name;
    return MakePrivateFolder(folder) ? FromNativePath(folder) : std::string();
}

std::string GetPrivateTempFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && IsPrivateFolder(runtime)) {
        std::string folder = PrivateFolderBelow(runtime, "kelmio");
        if (!folder.empty()) return folder;
    }
    return PrivateFolderBelow("/tmp", "kelmio-" + std::to_string(::getuid()));
}

}  // namespace kelmio
