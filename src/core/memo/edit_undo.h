#pragma once
// One level of undo for a plain edit box, as the classic edit control keeps
// it: the text before the last edit can be brought back, and undoing again
// brings the edit back. Typing a run of characters one after another is one
// edit, as is a run of Backspace or Delete presses; anything else starts a
// new edit. The widget reports every change the user makes; a text the
// program shows clears what there was to undo.
//
// Texts are UTF-8 as the widget holds them; positions are byte offsets.

#include <cstddef>
#include <optional>
#include <string>

namespace kelmio {

struct UndoneText {
    std::string text;
    std::size_t caret = 0;  // the end of what changed back, in bytes of `text`
};

class CEditUndo {
public:
    // The program showed `text`: nothing to undo.
    void Reset(std::string text);

    // The user's edit turned the text into `text`.
    void OnChanged(const std::string& text);

    // The program showed the text of the last edit in another form (the
    // characters it keeps): undo still brings back the text before the edit.
    void OnShownAs(std::string text);

    bool CanUndo() const { return m_undo.has_value(); }

    // The text before the last edit, to be shown; nothing when there is no
    // edit to undo. The text it replaces becomes what the next undo brings back.
    std::optional<UndoneText> Undo();

private:
    enum class Kind { kNone, kTyping, kDeleting };

    std::string m_strCurrent;
    std::optional<std::string> m_undo;  // the text before the last edit
    Kind m_lastKind = Kind::kNone;
    std::size_t m_nLastAt = 0;  // typing: where it ended; deleting: where the text was cut
};

}  // namespace kelmio
