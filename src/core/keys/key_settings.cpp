#include "keys/key_settings.h"

namespace kelmio {

bool ReadEditorKeysFirst(const CSettings& settings) {
    return settings.GetInt(kKeySettingsSection, kEditorKeysFirstValue, 0) == 1;
}

void WriteEditorKeysFirst(CSettings& settings, bool editorKeysFirst) {
    settings.WriteInt(kKeySettingsSection, kEditorKeysFirstValue, editorKeysFirst ? 1 : 0);
}

}  // namespace kelmio
