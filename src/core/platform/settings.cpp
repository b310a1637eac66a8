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
    const auto it = m_strings.find(MakeKey(section, name));
    return it == m_strings.end() ? std::string(defaultValue) : it->second;
}

void CMemorySettings::WriteInt(std::string_view section, std::string_view name, int value) {
    m_ints[MakeKey(section, name)] = value;
}

void CMemorySettings::WriteString(std::string_view section, std::string_view name, std::string_view value) {
    m_strings[MakeKey(section, name)] = std::string(value);
}

bool CMemorySettings::Has(std::string_view section, std::string_view name) const {
    const Key key = MakeKey(section, name);
    return m_ints.count(key) != 0 || m_strings.count(key) != 0;
}

}  // namespace kelmio
