#pragma once
// The key table: every shortcut of the main window, in table order, with
// the path of the .key file it was read from or saved to.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/keycust.h"
#include "keys/menu_model.h"
#include "platform/file_path.h"
#include "platform/settings.h"

namespace kelmio {

// The folders the key file lives in: the program's folder holds the
// default file; the per-user file below application data is the fallback
// when the program's folder cannot be written.
struct KeyFileFolders {
    CFilePath programFolder;
    CFilePath appDataFolder;

    static KeyFileFolders FromSystem();
};

// Index of the first binding of that combination, -1 when none.
int FindKeyIn(const std::vector<CKeycust>& bindings, unsigned int key, bool alt, bool shift, bool ctrl);

class CKeycustArray {
public:
    CKeycustArray(CSettings& settings, KeyFileFolders folders);
    // Remembers the current path in the settings.
    ~CKeycustArray();
    CKeycustArray(const CKeycustArray&) = delete;
    CKeycustArray& operator=(const CKeycustArray&) = delete;

    // "Kelmio.key" in the program's folder.
    CFilePath GetDefaultPath() const;
    // The per-user file, with its folders created when missing.
    CFilePath GetPerUserPath() const;

    // Reads the file named in the settings (the default file when none is
    // named). A missing or unreadable file leaves the table empty.
    bool LoadAtStartup();

    // Reads a key file, replacing the stored path first when one is given.
    // All or nothing: a file that cannot be read leaves the table as it was.
    bool Load(std::optional<CFilePath> path = std::nullopt);

    // Writes the table atomically, replacing the stored path first when one
    // is given. When that file cannot be written the table goes to the
    // per-user file, which becomes the stored path.
    bool Save(std::optional<CFilePath> path = std::nullopt);

    // Writes the table atomically to exactly the file the user chose, which
    // becomes the stored path; on failure the file and the stored path stay
    // as they were.
    bool SaveAs(const CFilePath& path);

    unsigned int LookupCommand(unsigned int key, bool alt, bool shift, bool ctrl) const;
    int FindKey(unsigned int key, bool alt, bool shift, bool ctrl) const;
    int FindCommand(unsigned int command) const;
    static std::string GetKeyName(unsigned int code);
    // The key text of the binding at `index`; "" for an index out of range.
    std::string GetKeyText(int index) const;

    // Writes every binding's key text into the menu captions, in table
    // order, so the last binding of a command is the one shown.
    void ApplyToMenu(MenuBar& menu) const;
    // Sets or (without a key text) clears the shortcut text of the
    // command's menu item; false when the menu has no such item.
    static bool SetMenuKeyText(MenuBar& menu, std::optional<std::string_view> keyText, unsigned int command);

    const std::vector<CKeycust>& GetBindings() const { return m_arrBindings; }
    int GetSize() const { return static_cast<int>(m_arrBindings.size()); }
    const CKeycust& GetAt(int index) const { return m_arrBindings.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, const CKeycust& binding) { m_arrBindings.at(static_cast<std::size_t>(index)) = binding; }
    void Add(const CKeycust& binding) { m_arrBindings.push_back(binding); }
    void RemoveAt(int index);
    void RemoveAll() { m_arrBindings.clear(); }

    const CFilePath& GetPath() const { return m_strPath; }

private:
    void StorePath();

    CSettings& m_settings;
    KeyFileFolders m_folders;
    std::vector<CKeycust> m_arrBindings;
    CFilePath m_strPath;
};

}  // namespace kelmio
