#pragma once
// The word a dictionary lookup takes from a shown page.
//
// The browser's selection script answers in UTF-8 with what the page holds
// where the user is, in the frame that has the focus:
//   "S" and the selected text;
//   "C", the number of characters (code points) before the caret, ":" and
//   the text the caret stands in (a text field's value or a run of text);
//   nothing, when the page has neither.
// A selection is looked up as it is; at a caret, the word the caret stands
// in (text/word.h), as the editor and the memo pane do.

#include <string>
#include <string_view>

namespace kelmio {

// The word to look up (Shift-JIS); empty for an empty or malformed answer.
std::string PageLookupWord(std::string_view answer);

}  // namespace kelmio
