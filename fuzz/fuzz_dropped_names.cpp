// Names of files dropped on the main window, as the toolkit hands them over:
// the file system's bytes, any of them, one name per NUL-separated piece.
// Each becomes a project path: its Shift-JIS form (when it has one) and its
// wide form name the very same file, the caption and messages show it,
// and the list of recent projects keeps at most four different files,
// the last dropped first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_path.h"
#include "project/recent_projects.h"

namespace {

void CheckName(const kelmio::CFilePath& path) {
    if (const auto sjis = path.Sjis(); sjis && !(kelmio::CFilePath(*sjis) == path)) std::abort();
    if (!(kelmio::CFilePath::FromWide(path.Wide()) == path)) std::abort();
    const kelmio::CFilePath name = path.FileName();
    if (name.Native().find('/') != std::string::npos) std::abort();
    (void)name.Display();
    (void)path.Display();
    (void)kelmio::IsUsableName(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view names(reinterpret_cast<const char*>(data), size);
    kelmio::CRecentProjects recent;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = std::min(names.find('\0', start), names.size());
        const kelmio::CFilePath path = kelmio::CFilePath::FromNative(names.substr(start, end - start));
        start = end + 1;
        CheckName(path);
        recent.Add(path);
        const auto& entries = recent.Entries();
        if (entries.size() > kelmio::CRecentProjects::kSize) std::abort();
        if (!path.empty() && !(entries.front() == path)) std::abort();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            for (std::size_t j = i + 1; j < entries.size(); ++j) {
                if (kelmio::SameFileName(entries[i], entries[j])) std::abort();
            }
        }
    }
    return 0;
}
