#pragma once
// The per-user settings store: named integer and string values in sections.
//
// Each subsystem names its own sections, values and defaults beside the code
// that owns them. Strings are Shift-JIS. The application backs this with a
// settings file; tests use CMemorySettings.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_path.h"

namespace kelmio {

class CSettings {
public:
    virtual ~CSettings() = default;

    // A value that was never written reads as `defaultValue`.
    virtual int GetInt(std::string_view section, std::string_view name, int defaultValue) const = 0;
    virtual std::string GetString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) const = 0;

    virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
    virtual void WriteString(std::string_view section, std::string_view name, std::string_view value) = 0;

    // A file name, kept whole even where it has no Shift-JIS form. A value
    // written as a Shift-JIS string reads back as the file it names; a
    // value never written reads as the empty path.
    virtual CFilePath GetPath(std::string_view section, std::string_view name) const = 0;
    virtual void WritePath(std::string_view section, std::string_view name, const CFilePath& value) = 0;
};

// Settings kept in memory: the stand-in for tests and for tools that must
// not touch the user's settings.
class CMemorySettings final : public CSettings {
public:
    int GetInt(std::string_view section, std::string_view name, int defaultValue) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view defaultValue) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    void WriteString(std::string_view section, std::string_view name, std::string_view value) override;
    CFilePath GetPath(std::string_view section, std::string_view name) const override;
    void WritePath(std::string_view section, std::string_view name, const CFilePath& value) override;

    bool Has(std::string_view section, std::string_view name) const;

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, int> m_ints;
    std::map<Key, std::string> m_strings;
    std::map<Key, CFilePath> m_paths;  // what WritePath wrote last for its key
};

}  // namespace kelmio
