#pragma once
// Marks the characters of the editor's text that Shift-JIS cannot hold (a
// save would write "?" for them) with a wavy underline as they come in,
// typed, pasted or loaded, and tells the user when typing brought one in.

#include <cstddef>
#include <functional>
#include <string>

class wxStyledTextCtrl;
class wxStyledTextEvent;

namespace kelmio {

class CSjisMarks {
public:
    static constexpr int kIndicator = 9;

    explicit CSjisMarks(wxStyledTextCtrl& edit);
    CSjisMarks(const CSjisMarks&) = delete;
    CSjisMarks& operator=(const CSjisMarks&) = delete;

    // Called with the note for the status bar when the user put such
    // characters into the text.
    void SetNoteHandler(std::function<void(const std::string& sjisNote)> handler) { m_onNote = std::move(handler); }

    // How many characters of the whole text have no Shift-JIS form.
    std::size_t Count() const;

private:
    void OnModified(wxStyledTextEvent& event);

    wxStyledTextCtrl& m_edit;
    std::function<void(const std::string&)> m_onNote;
};

}  // namespace kelmio
