#include "wx_settings.h"

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>
#include <filesystem>

#include "platform/file_io.h"
#include "wx_text.h"

namespace kelmio {
namespace {

constexpr const char* kFileName = "Kelmio.ini";

wxString KeyPath(std::string_view section, std::string_view name) {
    // Names are ASCII; "/" would nest groups, so it cannot appear in either.
    return "/" + ToWx(section) + "/" + ToWx(name);
}

// The toolkit drops the whole file when one byte is not UTF-8; a damaged
// byte should cost only the value it is in.
std::string ValidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >= 0xC2 && lead <= 0xDF) ? 2 : (lead >= 0xE0 && lead <= 0xEF) ? 3
                                             : (lead >= 0xF0 && lead <= 0xF4) ? 4 : 0;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= bytes.size() || (static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) length = 0;
        }
        if (length == 0 || lead == 0) {
            text += '?';
            ++i;
            continue;
        }
        text.append(bytes.substr(i, length));
        i += length;
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Only well-formed lines reach the toolkit's parser, which stops on
// assertions for nameless values, odd group headers or a group that
// appears twice: sections are merged, the first of two equal names wins.
std::string WellFormedIni(std::string_view text) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sections(1);
    std::set<std::pair<std::string, std::string>> seen;
    std::size_t current = 0;  // the unnamed section before the first header
    bool valid = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            const std::string_view name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : "";
            valid = !name.empty() && name.find_first_of("[]/") == std::string_view::npos;
            if (!valid) continue;
            const auto it = std::find_if(sections.begin(), sections.end(),
                                         [&](const auto& section) { return section.first == name; });
            current = static_cast<std::size_t>(it - sections.begin());
            if (it == sections.end()) sections.emplace_back(std::string(name), std::vector<std::string>());
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!valid || equals == std::string_view::npos) continue;
        const std::string_view name = Trim(line.substr(0, equals));
        if (name.empty() || name.find_first_of("[]/") != std::string_view::npos) continue;
        if (!seen.emplace(sections[current].first, std::string(name)).second) continue;
        sections[current].second.emplace_back(line);
    }
    std::string result;
    for (const auto& [name, lines] : sections) {
        if (!name.empty()) result += "[" + name + "]\n";
        for (const std::string& line : lines) result += line + "\n";
    }
    return result;
}

std::unique_ptr<wxFileConfig> ReadConfig(const std::string& file) {
    const FileReadResult read = ReadWholeFile(FromNativePath(file));
    wxLogNull quiet;  // a damaged file yields what could be read, without a dialog
    if (read.ok() && !read.bytes.empty()) {
        const std::string text = WellFormedIni(ValidUtf8(read.bytes));
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
      m_pConfig(ReadConfig(m_strFile)) {}

CWxSettings::~CWxSettings() { Flush(); }

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
    m_pConfig->Write(KeyPath(section, name), static_cast<long>(value));
    m_bDirty = true;
}

void CWxSettings::WriteString(std::string_view section, std::string_view name, std::string_view value) {
    m_pConfig->Write(KeyPath(section, name), ToWx(value));
    m_bDirty = true;
}

bool CWxSettings::Flush() {
    if (!m_bDirty) return true;
    wxMemoryOutputStream stream;
    if (!m_pConfig->Save(stream, wxConvUTF8)) return false;
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(bytes.data(), bytes.size());
    std::error_code ignored;
    std::filesystem::create_directories(m_strFolder, ignored);
    if (SaveFileAtomically(FromNativePath(m_strFile), bytes)) return false;
    m_bDirty = false;
    return true;
}

}  // namespace kelmio
