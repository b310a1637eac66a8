#pragma once
// Adjustments to GTK's theme that Kelmio needs; nothing on other toolkits.

#include <string>

class wxWindow;

namespace kelmio {

// While it lives, the toolkit opens the display without looking for OpenGL:
// Kelmio draws nothing with it, and the look loads the whole GL driver
// stack (the software renderer brings a compiler library) at every start.
// Made around the toolkit's start; programs started later do not inherit
// it. A choice the user made in the environment is left alone.
class CDisplayWithoutOpenGl {
public:
    CDisplayWithoutOpenGl();
    ~CDisplayWithoutOpenGl();
    CDisplayWithoutOpenGl(const CDisplayWithoutOpenGl&) = delete;
    CDisplayWithoutOpenGl& operator=(const CDisplayWithoutOpenGl&) = delete;

private:
    bool m_bSet = false;
};

// Toolbar buttons with the padding of a classic Japanese desktop program
// instead of the theme's touch-sized one, so that the whole toolbar fits the
// main window's first-start width. Safe to call more than once.
void UseCompactToolbarButtons();

// Scroll bars and toolbar buttons that change state at once instead of
// fading (a fade repaints the whole window frame after frame). Safe to
// call more than once.
void KeepBarsStill();

// Scroll bars that stay beside a text widget's lines, as on a classic
// desktop, instead of GTK's indicators drawn over them: with the pointer
// over the text, an indicator fades in and out at every keystroke, and each
// step of the fade repaints the text beneath it. The vertical bar is always
// there and a widget that wraps its lines has no horizontal one: a bar that
// came and went while a long text is laid out would change the room the
// lines wrap in, and the widget would lay the text out again, over and over.
// Safe to call again when the wrapping changes.
void UseClassicScrollBars(wxWindow& textWindow, bool wrapsLines);

// How a text caret blinks as the desktop's settings ask. Text widgets of the
// toolkit follow these settings on their own; the editing component Kelmio
// uses for its text panes is told (gui/platform/caret_blink.h).
struct CaretBlinkSettings {
    int nPeriod = 0;          // milliseconds shown, then hidden; 0: it does not blink
    int nTimeoutSeconds = 0;  // it stops blinking this long after the last key or click
};
CaretBlinkSettings DesktopCaretBlink();

// GTK's file chooser takes its buttons' texts from the toolkit's catalogue,
// whose Japanese lacks "&Open": the buttons get Kelmio's own Japanese texts.
void LabelFileChooserButtons(wxWindow& chooser, bool open);

// The text of the chooser's accepting button ("" when it cannot be read).
std::string FileChooserAcceptLabel(wxWindow& chooser);

}  // namespace kelmio
