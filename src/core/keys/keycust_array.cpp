#include "keys/keycust_array.h"

#include <utility>

#include "keys/key_file.h"
#include "keys/key_names.h"
#include "keys/key_settings.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "text/sjis.h"

namespace kelmio {

KeyFileFolders KeyFileFolders::FromSystem() { return {GetProgramFolder(), GetAppDataPath()}; }

int FindKeyIn(const std::vector<CKeycust>& bindings, unsigned int key, bool alt, bool shift, bool ctrl) {
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i].Matches(key, alt, shift, ctrl)) return static_cast<int>(i);
    }
    return -1;
}

CKeycustArray::CKeycustArray(CSettings& settings, KeyFileFolders folders)
    : m_settings(settings), m_folders(std::move(folders)) {}

CKeycustArray::~CKeycustArray() { StorePath(); }

CFilePath CKeycustArray::GetDefaultPath() const { return m_folders.programFolder.Join("Kelmio.key"); }

CFilePath CKeycustArray::GetPerUserPath() const {
    return BuildAppDataPath(m_folders.appDataFolder, "Morva", "Sprigbox", "sprigbox.key");
}

bool CKeycustArray::LoadAtStartup() {
    const CFilePath defaultPath = GetDefaultPath();
    CFilePath path = m_settings.GetPath(kKeySettingsSection, kKeyFileValue);
    if (path.empty()) path = defaultPath;
    return Load(path);
}

bool CKeycustArray::Load(std::optional<CFilePath> path) {
    if (path) m_strPath = *path;
    const FileReadResult file = ReadWholeFile(m_strPath, kLargestKeyFile);
    if (!file.ok()) return false;
    std::optional<std::vector<CKeycust>> bindings = ReadKeyFile(file.bytes);
    if (!bindings) return false;
    m_arrBindings = std::move(*bindings);
    StorePath();
    return true;
}

bool CKeycustArray::Save(std::optional<CFilePath> path) {
    if (path) m_strPath = *path;
    const std::string bytes = WriteKeyFile(m_arrBindings);
    if (SaveFileAtomically(m_strPath, bytes).has_value()) {
        // The chosen folder cannot take the file (typically the program's
        // folder of a system-wide installation): keep the table per user.
        const CFilePath perUser = GetPerUserPath();
        if (SaveFileAtomically(perUser, bytes).has_value()) return false;
        m_strPath = perUser;
    }
    StorePath();
    return true;
}

bool CKeycustArray::SaveAs(const CFilePath& path) {
    if (SaveFileAtomically(path, WriteKeyFile(m_arrBindings)).has_value()) return false;
    m_strPath = path;
    StorePath();
    return true;
}

unsigned int CKeycustArray::LookupCommand(unsigned int key, bool alt, bool shift, bool ctrl) const {
    const int index = FindKey(key, alt, shift, ctrl);
    return index < 0 ? 0 : m_arrBindings[static_cast<std::size_t>(index)].m_nCommand;
}

int CKeycustArray::FindKey(unsigned int key, bool alt, bool shift, bool ctrl) const {
    return FindKeyIn(m_arrBindings, key, alt, shift, ctrl);
}

int CKeycustArray::FindCommand(unsigned int command) const {
    for (std::size_t i = 0; i < m_arrBindings.size(); ++i) {
        if (m_arrBindings[i].m_nCommand == command) return static_cast<int>(i);
    }
    return -1;
}

std::string CKeycustArray::GetKeyName(unsigned int code) { return kelmio::GetKeyName(code); }

std::string CKeycustArray::GetKeyText(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_arrBindings.size()) return {};
    return MakeKeyText(m_arrBindings[static_cast<std::size_t>(index)]);
}

void CKeycustArray::ApplyToMenu(MenuBar& menu) const {
    for (const CKeycust& binding : m_arrBindings) SetMenuKeyText(menu, MakeKeyText(binding), binding.m_nCommand);
}

bool CKeycustArray::SetMenuKeyText(MenuBar& menu, std::optional<std::string_view> keyText, unsigned int command) {
    const std::optional<CommandId> id = ToCommandId(static_cast<int>(command));
    CMenuItem* item = id ? FindMenuCommand(menu, *id) : nullptr;
    if (item == nullptr) return false;
    item->strCaption = CaptionWithKeyText(item->strCaption, keyText);
    return true;
}

void CKeycustArray::RemoveAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_arrBindings.size()) return;
    m_arrBindings.erase(m_arrBindings.begin() + index);
}

void CKeycustArray::StorePath() { m_settings.WritePath(kKeySettingsSection, kKeyFileValue, m_strPath); }

}  // namespace kelmio
