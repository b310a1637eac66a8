#include "project/recent_projects.h"

#include <algorithm>

#include "platform/settings.h"

namespace kelmio {
namespace {

constexpr std::string_view kSection = "Recent File List";

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void CRecentProjects::ReadList(const CSettings& settings) {
    m_entries.clear();
    for (std::size_t i = 0; i < kSize; ++i) {
        CFilePath path = settings.GetPath(kSection, EntryName(i));
        if (!path.empty()) m_entries.push_back(std::move(path));
    }
}

void CRecentProjects::WriteList(CSettings& settings) const {
    for (std::size_t i = 0; i < kSize; ++i) {
        settings.WritePath(kSection, EntryName(i), i < m_entries.size() ? m_entries[i] : CFilePath());
    }
}

void CRecentProjects::Add(CFilePath path) {
    if (path.empty()) return;
    const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const CFilePath& entry) { return SameFileName(entry, path); });
    if (same != m_entries.end()) m_entries.erase(same);
    m_entries.insert(m_entries.begin(), std::move(path));
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void CRecentProjects::Remove(std::size_t index) {
    if (index < m_entries.size()) m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace kelmio
