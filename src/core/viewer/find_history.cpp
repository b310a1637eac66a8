#include "viewer/find_history.h"

#include <cstdio>

#include "platform/settings.h"

namespace kelmio {
namespace {

std::string ValueName(int index) {
    char name[8];
    std::snprintf(name, sizeof name, "Str%02d", index);
    return name;
}

}  // namespace

std::vector<std::string> LoadFindHistory(const CSettings& settings, std::string_view section) {
    std::vector<std::string> entries;
    for (int i = 0; i < kFindHistorySize; ++i) {
        std::string value = settings.GetString(section, ValueName(i), "");
        if (!value.empty()) entries.push_back(std::move(value));
    }
    return entries;
}

std::vector<std::string> PushFindHistory(std::string_view current, const std::vector<std::string>& listed) {
    std::vector<std::string> entries{std::string(current)};
    for (const std::string& entry : listed) {
        if (entries.size() >= static_cast<std::size_t>(kFindHistorySize)) break;
        if (entry != current) entries.push_back(entry);
    }
    return entries;
}

void SaveFindHistory(CSettings& settings, std::string_view section, std::string_view current,
                     const std::vector<std::string>& listed) {
    const std::vector<std::string> entries = PushFindHistory(current, listed);
    for (std::size_t i = 0; i < entries.size(); ++i) settings.WriteString(section, ValueName(static_cast<int>(i)), entries[i]);
}

}  // namespace kelmio
