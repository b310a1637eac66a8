#pragma once
// Where the bridge looks for dictd databases: the system's folder
// (/usr/share/dictd, where Debian's dictionary packages put them) and a
// folder the user names in Kelmio's settings file:
//
//   [Dictionary]
//   DictdFolder=/home/me/dictionaries
//   DictServer=localhost:2628
//
// The optional DICT server is asked after the databases.

#include <string>
#include <string_view>
#include <vector>

#include "dictd/dict_protocol.h"

namespace kelmio::dictd {

constexpr const char* kSystemDictdFolder = "/usr/share/dictd";

// The folders, from the settings file's UTF-8 text.
std::vector<std::string> DictionaryFolders(std::string_view settingsText);

// The DICT server named there; no host when none is.
DictServer DictionaryServer(std::string_view settingsText);

// The settings file Kelmio writes: Kelmio.ini in $KELMIO_CONFIG_DIR, else
// $XDG_CONFIG_HOME/Morva, else ~/.config/Morva.
std::string SettingsFilePath();

}  // namespace kelmio::dictd
