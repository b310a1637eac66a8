#include "gui/platform/stc_keys.h"

#include <wx/stc/stc.h>

#include <array>

namespace kelmio {
namespace {

struct KeyCommand {
    int key;
    int modifiers;
    int command;
};

constexpr int kNorm = wxSTC_KEYMOD_NORM;
constexpr int kShift = wxSTC_KEYMOD_SHIFT;
constexpr int kCtrl = wxSTC_KEYMOD_CTRL;
constexpr int kCtrlShift = wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT;

// As the widget's own defaults have these keys.
constexpr std::array<KeyCommand, 35> kTypingKeys = {{
    {wxSTC_KEY_DOWN, kNorm, wxSTC_CMD_LINEDOWN},
    {wxSTC_KEY_DOWN, kShift, wxSTC_CMD_LINEDOWNEXTEND},
    {wxSTC_KEY_DOWN, kCtrl, wxSTC_CMD_LINESCROLLDOWN},
    {wxSTC_KEY_UP, kNorm, wxSTC_CMD_LINEUP},
    {wxSTC_KEY_UP, kShift, wxSTC_CMD_LINEUPEXTEND},
    {wxSTC_KEY_UP, kCtrl, wxSTC_CMD_LINESCROLLUP},
    {wxSTC_KEY_LEFT, kNorm, wxSTC_CMD_CHARLEFT},
    {wxSTC_KEY_LEFT, kShift, wxSTC_CMD_CHARLEFTEXTEND},
    {wxSTC_KEY_LEFT, kCtrl, wxSTC_CMD_WORDLEFT},
    {wxSTC_KEY_LEFT, kCtrlShift, wxSTC_CMD_WORDLEFTEXTEND},
    {wxSTC_KEY_RIGHT, kNorm, wxSTC_CMD_CHARRIGHT},
    {wxSTC_KEY_RIGHT, kShift, wxSTC_CMD_CHARRIGHTEXTEND},
    {wxSTC_KEY_RIGHT, kCtrl, wxSTC_CMD_WORDRIGHT},
    {wxSTC_KEY_RIGHT, kCtrlShift, wxSTC_CMD_WORDRIGHTEXTEND},
    {wxSTC_KEY_HOME, kNorm, wxSTC_CMD_VCHOME},
    {wxSTC_KEY_HOME, kShift, wxSTC_CMD_VCHOMEEXTEND},
    {wxSTC_KEY_HOME, kCtrl, wxSTC_CMD_DOCUMENTSTART},
    {wxSTC_KEY_HOME, kCtrlShift, wxSTC_CMD_DOCUMENTSTARTEXTEND},
    {wxSTC_KEY_END, kNorm, wxSTC_CMD_LINEEND},
    {wxSTC_KEY_END, kShift, wxSTC_CMD_LINEENDEXTEND},
    {wxSTC_KEY_END, kCtrl, wxSTC_CMD_DOCUMENTEND},
    {wxSTC_KEY_END, kCtrlShift, wxSTC_CMD_DOCUMENTENDEXTEND},
    {wxSTC_KEY_PRIOR, kNorm, wxSTC_CMD_PAGEUP},
    {wxSTC_KEY_PRIOR, kShift, wxSTC_CMD_PAGEUPEXTEND},
    {wxSTC_KEY_NEXT, kNorm, wxSTC_CMD_PAGEDOWN},
    {wxSTC_KEY_NEXT, kShift, wxSTC_CMD_PAGEDOWNEXTEND},
    {wxSTC_KEY_BACK, kNorm, wxSTC_CMD_DELETEBACK},
    {wxSTC_KEY_BACK, kShift, wxSTC_CMD_DELETEBACK},
    {wxSTC_KEY_DELETE, kNorm, wxSTC_CMD_CLEAR},
    {wxSTC_KEY_RETURN, kNorm, wxSTC_CMD_NEWLINE},
    {wxSTC_KEY_RETURN, kShift, wxSTC_CMD_NEWLINE},
    {wxSTC_KEY_TAB, kNorm, wxSTC_CMD_TAB},
    {wxSTC_KEY_TAB, kShift, wxSTC_CMD_BACKTAB},
    // Escape closes what the widget shows on top of the text (none here,
    // but its character must not be typed).
    {wxSTC_KEY_ESCAPE, kNorm, wxSTC_CMD_CANCEL},
    {wxSTC_KEY_ESCAPE, kShift, wxSTC_CMD_CANCEL},
}};

constexpr std::array<KeyCommand, 10> kEditorEditingKeys = {{
    {'Z', kCtrl, wxSTC_CMD_UNDO},
    {wxSTC_KEY_BACK, wxSTC_KEYMOD_ALT, wxSTC_CMD_UNDO},
    {'Y', kCtrl, wxSTC_CMD_REDO},
    {'X', kCtrl, wxSTC_CMD_CUT},
    {'C', kCtrl, wxSTC_CMD_COPY},
    {'V', kCtrl, wxSTC_CMD_PASTE},
    {wxSTC_KEY_INSERT, kCtrl, wxSTC_CMD_COPY},
    {'A', kCtrl, wxSTC_CMD_SELECTALL},
    {wxSTC_KEY_BACK, kCtrl, wxSTC_CMD_DELWORDLEFT},
    {wxSTC_KEY_DELETE, kCtrl, wxSTC_CMD_DELWORDRIGHT},
}};

template <std::size_t N>
void Assign(wxStyledTextCtrl& widget, const std::array<KeyCommand, N>& keys) {
    for (const KeyCommand& entry : keys) widget.CmdKeyAssign(entry.key, entry.modifiers, entry.command);
}

// A character below the space (or DEL) reaches the widget only from a key
// its map does not hold, Escape or Shift+Delete say; the widget would put
// it into the text.
bool IsControlCharacter(int code) { return (code >= 0 && code < ' ') || code == 0x7f; }

}  // namespace

void UseTypingKeysOnly(wxStyledTextCtrl& widget) {
    widget.CmdKeyClearAll();
    Assign(widget, kTypingKeys);
    widget.Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
        const int code = event.GetUnicodeKey() != WXK_NONE ? static_cast<int>(event.GetUnicodeKey()) : event.GetKeyCode();
        // With Ctrl or Alt alone the widget passes a character on unused.
        const bool passedOn = event.ControlDown() != event.AltDown();
        if (IsControlCharacter(code) && !passedOn) return;
        event.Skip();
    });
}

void AddEditorEditingKeys(wxStyledTextCtrl& widget) { Assign(widget, kEditorEditingKeys); }

}  // namespace kelmio
