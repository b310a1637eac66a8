#pragma once
// Which help requests are shown and what the user is told when the help
// book cannot be shown. The window code only opens the viewer.

#include <string>
#include <string_view>

namespace kelmio {

// The help book's file name, beside the program.
inline constexpr std::string_view kHelpBookName = "Kelmio.htb";

// Context numbers of the help book's topics.
inline constexpr int kHelpTopicHowTo = 3;      // 使い方
inline constexpr int kHelpTopicKeyDialog = 98;  // the binding dialog

// The kinds of help request the framework and the menus make.
enum class HelpCommand {
    kContext,      // the topic of a context number
    kFinder,       // the book's default topic
    kSetContents,  // choose the contents topic
    kOther,
};

// Requests by context number come from the toolkit (F1 over a menu item
// or a control) and are not shown: the book has no topics for them. Only
// 使い方's own topic passes, and every other kind of request.
bool IsHelpRequestShown(HelpCommand command, int number);

// What the frame does with a request it was handed.
enum class HelpAction { kNothing, kShowTopic, kShowDefaultTopic };
HelpAction HelpActionFor(HelpCommand command);

// "ヘルプファイルがありません：" and the full path (Shift-JIS).
std::string MissingHelpFileMessage(std::string_view path);

// "ヘルプファイルを読み込めません：" and the full path: the book is there
// but is not a help book the viewer can read.
std::string DamagedHelpFileMessage(std::string_view path);

}  // namespace kelmio
