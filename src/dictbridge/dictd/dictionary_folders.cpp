#include "dictd/dictionary_folders.h"

#include <cstdlib>

#include "platform/ini_text.h"

namespace kelmio::dictd {

std::vector<std::string> DictionaryFolders(std::string_view settingsText) {
    std::vector<std::string> folders{kSystemDictdFolder};
    const std::string own = CIniText(settingsText).Value("Dictionary", "DictdFolder");
    if (!own.empty() && own != kSystemDictdFolder) folders.push_back(own);
    return folders;
}

DictServer DictionaryServer(std::string_view settingsText) {
    return ParseDictServer(CIniText(settingsText).Value("Dictionary", "DictServer"));
}

std::string SettingsFilePath() {
    if (const char* own = std::getenv("KELMIO_CONFIG_DIR"); own != nullptr && *own != '\0') {
        return std::string(own) + "/Kelmio.ini";
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        return std::string(xdg) + "/Morva/Kelmio.ini";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/Morva/Kelmio.ini";
}

}  // namespace kelmio::dictd
