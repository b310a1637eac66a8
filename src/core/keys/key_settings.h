#pragma once
// The settings the key table owns, in section "System": the path of the
// current key file and the editor-keys-first preference.

#include <string>

#include "platform/settings.h"

namespace kelmio {

inline constexpr std::string_view kKeySettingsSection = "System";
inline constexpr std::string_view kKeyFileValue = "Keycust";
inline constexpr std::string_view kEditorKeysFirstValue = "KeycustEditx";

// "KeycustEditx": leave the editor's own keys to the editor (default off).
bool ReadEditorKeysFirst(const CSettings& settings);
void WriteEditorKeysFirst(CSettings& settings, bool editorKeysFirst);

}  // namespace kelmio
