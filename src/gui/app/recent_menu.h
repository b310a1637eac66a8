#pragma once
// The recent projects in the file menu, at the place of the
// "最近使ったﾌｧｲﾙ" item: one item per project ("&1 path", ...) or, with no
// project yet, that item itself, shown disabled.

#include <string>
#include <vector>

class wxMenuBar;

namespace kelmio {

void ShowRecentProjects(wxMenuBar& bar, const std::vector<std::string>& entries);

}  // namespace kelmio
