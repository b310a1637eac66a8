#include "platform/settings.h"

namespace kelmio {
namespace {

std::pair<std::string, std::string> MakeKey(std::string_view section, std::string_view name) {
    return {std::string(section), std::string(name)};
}

}  // namespace

int CMemorySettings::GetInt(std::string_view section, std::string_view name, int defaultValue) const {
    const auto it = m_ints.find(MakeKey(section, name));
    return it == m_ints.end() ? defaultValue : it->second;
}

std::string CMemorySettings::GetString(std::string_view section, std::string_view name,
                                       std::string_view defaultValue) const {
    const Key key = MakeKey(section, name);
    if (const auto path = m_paths.find(key); path != m_paths.end()) return path->second.Display();
    const auto it = m_strings.find(key);
    return it == m_strings.end() ? std::string(defaultValue) : it->second;
}

CFilePath CMemorySettings::GetPath(std::string_view section, std::string_view name) const {
    const Key key = MakeKey(section, name);
    if (const auto path = m_paths.find(key); path != m_paths.end()) return path->second;
    const auto it = m_strings.find(key);
    return it == m_strings.end() ? CFilePath() : CFilePath(it->second);
}

void CMemorySettings::WritePath(std::string_view section, std::string_view name, const CFilePath& value) {
    const Key key = MakeKey(section, name);
    m_strings.erase(key);
    m_paths[key] = value;
}

void CMemorySettings::WriteInt(std::string_view section, std::string_view name, int value) {
    m_ints[MakeKey(section, name)] = value;
}

void CMemorySettings::WriteString(std::string_view section, std::string_view name, std::string_view value) {
    const Key key = MakeKey(section, name);
    m_paths.erase(key);
    m_strings[key] = std::string(value);
}

bool CMemorySettings::Has(std::string_view section, std::string_view name) const {
    const Key key = MakeKey(section, name);
    return m_ints.count(key) != 0 || m_strings.count(key) != 0 || m_paths.count(key) != 0;
}

}  // namespace kelmio
