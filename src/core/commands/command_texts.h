#pragma once
// The command texts in Shift-JIS: for each command ID the status-bar prompt
// and the tooltip of its record (command_registry.h), also as one string in
// the classic form "prompt\ntooltip" (a string without a line break has no
// tooltip), plus the status bar's fixed texts.

#include <array>
#include <string>

#include "commands/command_ids.h"

namespace kelmio {

// The raw command string of `id`; empty when the command has none.
const std::string& CommandString(CommandId id);

// The status-bar prompt: the first line of the command string.
std::string CommandPrompt(CommandId id);

// The tooltip: the second line, or empty when there is none.
std::string CommandTooltip(CommandId id);

// The status bar's message pane text while nothing is highlighted.
const std::string& IdleStatusText();

// The indicator texts of the status bar's four other panes, in order:
// kana lock, caps lock, num lock, scroll lock.
const std::array<std::string, 4>& StatusIndicatorTexts();

}  // namespace kelmio
