#pragma once
// The list of the most recently used projects, most recent first, kept in
// the settings as "Recent File List"/"File1".."File4".

#include <vector>

#include "platform/file_path.h"

namespace kelmio {

class CSettings;

class CRecentProjects {
public:
    static constexpr std::size_t kSize = 4;

    void ReadList(const CSettings& settings);
    void WriteList(CSettings& settings) const;

    // Puts `path` at the top; an entry naming the same file moves up.
    void Add(CFilePath path);
    void Remove(std::size_t index);

    const std::vector<CFilePath>& Entries() const { return m_entries; }

private:
    std::vector<CFilePath> m_entries;
};

}  // namespace kelmio
