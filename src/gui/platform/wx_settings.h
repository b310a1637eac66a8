#pragma once
// The settings store of the application: the file "Kelmio.ini" in the
// folder "Morva" of the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config), or in $KELMIO_CONFIG_DIR when that is set. Sections and
// value names are the ones the rest of Kelmio asks for; strings are kept in
// UTF-8 in the file and handed out as Shift-JIS.
//
// A change is written to the file as soon as the program is idle again,
// atomically, so that a crash loses nothing that was set before it; the
// changes of one step (a window's whole placement) make one write.

#include <memory>
#include <optional>
#include <string>

#include "platform/file_io.h"
#include "platform/settings.h"

class wxFileConfig;

namespace kelmio {

class CWxSettings final : public CSettings {
public:
    // Reads the file in `folder` (a UTF-8 path); a missing or unreadable
    // file gives an empty store.
    explicit CWxSettings(std::string folder);
    ~CWxSettings() override;
    CWxSettings(const CWxSettings&) = delete;
    CWxSettings& operator=(const CWxSettings&) = delete;

    // The folder the application uses.
    static std::string DefaultFolder();

    int GetInt(std::string_view section, std::string_view name, int defaultValue) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view defaultValue) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    void WriteString(std::string_view section, std::string_view name, std::string_view value) override;
    CFilePath GetPath(std::string_view section, std::string_view name) const override;
    void WritePath(std::string_view section, std::string_view name, const CFilePath& value) override;

    // Writes the file if anything changed; false when it could not be written.
    bool Flush();

    // While held, changes wait for the next write (a later change, Flush
    // or the end): what start-up itself sets is no reason to rewrite the
    // user's file, and a start that hands over to a running Kelmio must
    // leave it alone.
    void HoldWrites(bool hold) { m_bHeld = hold; }

    // From now on the file is never written; changes stay in memory.
    void KeepFileUnwritten() { m_bKeepFile = true; }

    // The message for a settings file that exists but could not be taken
    // (larger than any settings file, not a plain file, not readable).
    // Such a file is kept as it is: nothing is written over it.
    std::optional<std::string> ReadProblem() const;

    const std::string& FilePath() const { return m_strFile; }

private:
    void OnChanged();

    std::string m_strFolder;
    std::string m_strFile;
    FileReadResult Read();

    std::optional<FileError> m_readError;  // before m_pConfig: set while it is read
    bool m_bKeepFile = false;
    std::unique_ptr<wxFileConfig> m_pConfig;
    bool m_bDirty = false;
    bool m_bFlushPending = false;
    bool m_bHeld = false;
    // Lets a pending write find out that the store is gone.
    std::shared_ptr<CWxSettings*> m_pSelf;
};

}  // namespace kelmio
