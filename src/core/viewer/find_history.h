#pragma once
// The last ten search and replacement strings of the source pane's find
// and replace dialogs, kept in the settings: section "Find" for search
// strings, "Replace" for replacements, values "Str00" (the newest) to
// "Str09".

#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

class CSettings;

constexpr std::string_view kFindSection = "Find";
constexpr std::string_view kReplaceSection = "Replace";
constexpr int kFindHistorySize = 10;

// The non-empty strings of the section, newest first: the combo box's list.
// Its first entry, when "Str00" holds one, is the dialog's initial string.
std::vector<std::string> LoadFindHistory(const CSettings& settings, std::string_view section);

// On OK: `current` becomes "Str00" (also when empty), then the listed
// entries that differ from it follow in list order up to ten in all;
// values past the last one written keep what they held.
void SaveFindHistory(CSettings& settings, std::string_view section, std::string_view current,
                     const std::vector<std::string>& listed);

// The list a combo box shows after `current` was used: `current` first,
// then the others without a repeat of it, at most ten.
std::vector<std::string> PushFindHistory(std::string_view current, const std::vector<std::string>& listed);

}  // namespace kelmio
