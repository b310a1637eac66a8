#include "gui/platform/wx_settings.h"

#include <wx/app.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstdlib>
#include <filesystem>

#include "gui/platform/wx_text.h"
#include "platform/file_io.h"
#include "platform/settings_text.h"

namespace kelmio {
namespace {

constexpr const char* kFileName = "Kelmio.ini";

wxString KeyPath(std::string_view section, std::string_view name) {
    // Names are ASCII; "/" would nest groups, so it cannot appear in either.
    return "/" + ToWx(section) + "/" + ToWx(name);
}

std::unique_ptr<wxFileConfig> ReadConfig(const FileReadResult& read) {
    wxLogNull quiet;  // a damaged file yields what could be read, without a dialog
    if (read.ok() && !read.bytes.empty()) {
        const std::string text = CleanSettingsText(read.bytes);
        wxMemoryInputStream stream(text.data(), text.size());
        return std::make_unique<wxFileConfig>(stream, wxConvUTF8);
    }
    wxMemoryInputStream empty("", 0);
    return std::make_unique<wxFileConfig>(empty, wxConvUTF8);
}

}  // namespace

CWxSettings::CWxSettings(std::string folder)
    : m_strFolder(std::move(folder)),
      m_strFile((std::filesystem::path(m_strFolder) / kFileName).string()),
      m_pConfig(ReadConfig(Read())),
      m_pSelf(std::make_shared<CWxSettings*>(this)) {}

FileReadResult CWxSettings::Read() {
    FileReadResult read = ReadWholeFile(CFilePath::FromNative(m_strFile), kLargestSettingsFile);
    // A file that is there but cannot be taken (too large, not a plain
    // file, not readable) is the user's to mend: it is never written over.
    if (read.error && read.error->cause != FileErrorCause::kNotFound) {
        m_readError = read.error;
        m_bKeepFile = true;
    }
    return read;
}

std::optional<std::string> CWxSettings::ReadProblem() const {
    if (!m_readError) return std::nullopt;
    return FileErrorMessage(*m_readError);
}

CWxSettings::~CWxSettings() {
    *m_pSelf = nullptr;
    Flush();
}

void CWxSettings::OnChanged() {
    m_bDirty = true;
    if (m_bFlushPending || m_bHeld) return;
    if (wxTheApp == nullptr) {
        Flush();
        return;
    }
    m_bFlushPending = true;
    wxTheApp->CallAfter([self = std::weak_ptr<CWxSettings*>(m_pSelf)] {
        const std::shared_ptr<CWxSettings*> alive = self.lock();
        if (!alive || *alive == nullptr) return;
        (*alive)->m_bFlushPending = false;
        (*alive)->Flush();
    });
}

std::string CWxSettings::DefaultFolder() {
    if (const char* own = std::getenv("KELMIO_CONFIG_DIR"); own != nullptr && *own != '\0') return own;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return (base / "Morva").string();
}

int CWxSettings::GetInt(std::string_view section, std::string_view name, int defaultValue) const {
    long value = defaultValue;
    if (!m_pConfig->Read(KeyPath(section, name), &value)) return defaultValue;
    return static_cast<int>(value);
}

std::string CWxSettings::GetString(std::string_view section, std::string_view name,
                                   std::string_view defaultValue) const {
    wxString value;
    if (!m_pConfig->Read(KeyPath(section, name), &value)) return std::string(defaultValue);
    return FromWx(value);
}

void CWxSettings::WriteInt(std::string_view section, std::string_view name, int value) {
    long old = 0;
    if (m_pConfig->Read(KeyPath(section, name), &old) && old == value) return;
    m_pConfig->Write(KeyPath(section, name), static_cast<long>(value));
    OnChanged();
}

void CWxSettings::WriteString(std::string_view section, std::string_view name, std::string_view value) {
    const wxString text = ToWx(value);
    wxString old;
    if (m_pConfig->Read(KeyPath(section, name), &old) && old == text) return;
    m_pConfig->Write(KeyPath(section, name), text);
    OnChanged();
}

// A file name is kept in the file as the toolkit spells it: UTF-8 text,
// with bytes that are not UTF-8 as private-use characters, so that any name
// comes back as the same bytes.
CFilePath CWxSettings::GetPath(std::string_view section, std::string_view name) const {
    wxString value;
    if (!m_pConfig->Read(KeyPath(section, name), &value)) return {};
    return FromWxPath(value);
}

void CWxSettings::WritePath(std::string_view section, std::string_view name, const CFilePath& value) {
    const wxString text = ToWxPath(value);
    wxString old;
    if (m_pConfig->Read(KeyPath(section, name), &old) && old == text) return;
    m_pConfig->Write(KeyPath(section, name), text);
    OnChanged();
}

bool CWxSettings::Flush() {
    if (!m_bDirty || m_bKeepFile) return true;
    wxMemoryOutputStream stream;
    if (!m_pConfig->Save(stream, wxConvUTF8)) return false;
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(bytes.data(), bytes.size());
    std::error_code ignored;
    std::filesystem::create_directories(m_strFolder, ignored);
    if (SaveFileAtomically(CFilePath::FromNative(m_strFile), bytes)) return false;
    m_bDirty = false;
    return true;
}

}  // namespace kelmio
