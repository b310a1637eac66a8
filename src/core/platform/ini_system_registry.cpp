#include "platform/ini_system_registry.h"

#include "platform/file_io.h"
#include "platform/settings_text.h"
#include "text/mb_case.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// Key paths compare without regard to case, as the registry's do.
std::string KeyOf(std::string_view text) { return Cp932ToUtf8(MakeUpperMb(Utf8ToCp932(text))); }

}  // namespace

CIniSystemRegistry::CIniSystemRegistry(std::string_view iniText, std::string bridgePath)
    : m_strBridgePath(std::move(bridgePath)) {
    const std::string clean = CleanSettingsText(iniText);
    std::string section;
    std::size_t start = 0;
    while (start < clean.size()) {
        std::size_t end = clean.find('\n', start);
        if (end == std::string::npos) end = clean.size();
        const std::string line = Trim(std::string_view(clean).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = KeyOf(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        m_values[{section, KeyOf(Trim(std::string_view(line).substr(0, equals)))}] =
            Utf8ToCp932(Trim(std::string_view(line).substr(equals + 1)));
    }
}

CIniSystemRegistry CIniSystemRegistry::FromFolder(const std::string& nativeFolder, std::string bridgePath) {
    const FileReadResult file = ReadWholeFile(FromNativePath(nativeFolder + "/registry.ini"));
    return CIniSystemRegistry(file.ok() ? std::string_view(file.bytes) : std::string_view(), std::move(bridgePath));
}

std::string CIniSystemRegistry::Value(std::string_view key, std::string_view name) const {
    const auto found = m_values.find({KeyOf(key), KeyOf(name)});
    return found == m_values.end() ? std::string() : found->second;
}

std::string CIniSystemRegistry::PdicProgramPath(bool unicode) const {
    if (unicode) {
        const std::string folder = Value("HKEY_CURRENT_USER\\Software\\ReliefOffice\\PDIC2\\Common", "Path");
        if (!folder.empty()) return JoinPath(folder, "PDICU.EXE");
    } else {
        const std::string path =
            Value("HKEY_LOCAL_MACHINE\\SOFTWARE\\ReliefOffice\\CurrentVersion\\App Paths\\PDICW32.EXE", "@");
        if (!path.empty()) return path;
    }
    return m_strBridgePath;
}

std::string CIniSystemRegistry::BookshelfProgramPath() const {
    return Value("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Reference\\Bookshelf\\J", "APP");
}

}  // namespace kelmio
