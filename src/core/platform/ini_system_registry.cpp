#include "platform/ini_system_registry.h"

#include "platform/file_io.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {

CIniSystemRegistry::CIniSystemRegistry(std::string_view iniText, std::string bridgePath)
    : m_ini(iniText), m_strBridgePath(std::move(bridgePath)) {}

CIniSystemRegistry CIniSystemRegistry::FromFolder(const std::string& nativeFolder, std::string bridgePath) {
    const FileReadResult file = ReadWholeFile(CFilePath::FromNative(nativeFolder + "/registry.ini"));
    return CIniSystemRegistry(file.ok() ? std::string_view(file.bytes) : std::string_view(), std::move(bridgePath));
}

std::string CIniSystemRegistry::Value(std::string_view key, std::string_view name) const {
    return Utf8ToCp932(m_ini.Value(key, name));
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
