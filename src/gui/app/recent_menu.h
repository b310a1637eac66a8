#pragma once
// The recent projects in the file menu, at the place of the
// "最近使ったﾌｧｲﾙ" item: one item per project ("&1 path", ...) or, with no
// project yet, that item itself, shown disabled.

#include <string>
#include <vector>

#include "platform/file_path.h"

class wxMenuBar;

namespace kelmio {

void ShowRecentProjects(wxMenuBar& bar, const std::vector<CFilePath>& entries);

}  // namespace kelmio
