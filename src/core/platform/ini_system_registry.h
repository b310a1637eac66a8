#pragma once
// The registry lookups on Linux: an optional read-only file "registry.ini"
// beside the settings, whose sections are named by the full key path and
// whose values by the value name ("@" for a key's default value):
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\ReliefOffice\CurrentVersion\App Paths\PDICW32.EXE]
//   @=/opt/pdic/pdic
//
// With no entry for PDIC the answer is the dictionary bridge installed
// beside Kelmio, so a lookup works without any set-up.

#include <string>
#include <string_view>

#include "platform/ini_text.h"
#include "platform/system_registry.h"

namespace kelmio {

class CIniSystemRegistry final : public CSystemRegistry {
public:
    // `iniText` is the file's UTF-8 text (empty when there is none);
    // `bridgePath` the bridge program's Shift-JIS path.
    CIniSystemRegistry(std::string_view iniText, std::string bridgePath);

    // Reads "registry.ini" from `folder` (native path), if it is there.
    static CIniSystemRegistry FromFolder(const std::string& nativeFolder, std::string bridgePath);

    std::string PdicProgramPath(bool unicode) const override;
    std::string BookshelfProgramPath() const override;

    // A value as stored (Shift-JIS), empty when missing.
    std::string Value(std::string_view key, std::string_view name) const;

private:
    CIniText m_ini;
    std::string m_strBridgePath;
};

// The bridge's file name beside kelmio.
constexpr const char* kDictBridgeName = "kelmio-dictbridge";

}  // namespace kelmio
