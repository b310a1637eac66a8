#include "gui/keys/wx_key_codes.h"

#include <gtest/gtest.h>
#include <wx/defs.h>
#include <wx/event.h>

namespace kelmio {
namespace {

TEST(VirtualKeyFromWx, LettersDigitsAndFunctionKeys) {
    EXPECT_EQ(VirtualKeyFromWx('A'), 65u);
    EXPECT_EQ(VirtualKeyFromWx('Z'), 90u);
    EXPECT_EQ(VirtualKeyFromWx('q'), static_cast<unsigned>('Q'));
    EXPECT_EQ(VirtualKeyFromWx('0'), 48u);
    EXPECT_EQ(VirtualKeyFromWx('9'), 57u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_F1), 112u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_F12), 123u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_F24), 135u);
}

TEST(VirtualKeyFromWx, MovementEditingAndControlKeys) {
    const std::pair<int, unsigned> keys[] = {
        {WXK_LEFT, 37},   {WXK_UP, 38},       {WXK_RIGHT, 39},    {WXK_DOWN, 40},  {WXK_HOME, 36},
        {WXK_END, 35},    {WXK_PAGEUP, 33},   {WXK_PAGEDOWN, 34}, {WXK_INSERT, 45}, {WXK_DELETE, 46},
        {WXK_BACK, 8},    {WXK_TAB, 9},       {WXK_RETURN, 13},   {WXK_ESCAPE, 27}, {WXK_SPACE, 32},
        {WXK_SHIFT, 16},  {WXK_CONTROL, 17},  {WXK_ALT, 18},      {WXK_PAUSE, 19},  {WXK_CAPITAL, 20},
    };
    for (const auto& [wx, vk] : keys) EXPECT_EQ(VirtualKeyFromWx(wx), vk) << wx;
}

TEST(VirtualKeyFromWx, NumericPadWithAndWithoutNumLock) {
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD0), 96u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD9), 105u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_MULTIPLY), 106u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_ADD), 107u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_SUBTRACT), 109u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_DECIMAL), 110u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_DIVIDE), 111u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_ENTER), 13u);
    // Num Lock off: the keys move the caret as the arrows do.
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_HOME), 36u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_LEFT), 37u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_PAGEDOWN), 34u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD_DELETE), 46u);
}

TEST(VirtualKeyFromWx, PunctuationKeysAndTheAtSignKey) {
    EXPECT_EQ(VirtualKeyFromWx('@'), 192u);  // its own key on a Japanese keyboard
    EXPECT_EQ(VirtualKeyFromWx('`'), 192u);  // the same key on a US keyboard
    EXPECT_EQ(VirtualKeyFromWx(':'), 186u);
    EXPECT_EQ(VirtualKeyFromWx(';'), 187u);
    EXPECT_EQ(VirtualKeyFromWx(','), 188u);
    EXPECT_EQ(VirtualKeyFromWx('-'), 189u);
    EXPECT_EQ(VirtualKeyFromWx('.'), 190u);
    EXPECT_EQ(VirtualKeyFromWx('/'), 191u);
    EXPECT_EQ(VirtualKeyFromWx('['), 219u);
    EXPECT_EQ(VirtualKeyFromWx('\\'), 220u);
    EXPECT_EQ(VirtualKeyFromWx(']'), 221u);
    EXPECT_EQ(VirtualKeyFromWx('^'), 222u);
    // Keys without a code: nothing for the table to match.
    EXPECT_EQ(VirtualKeyFromWx(0), 0u);
    EXPECT_EQ(VirtualKeyFromWx(WXK_NONE), 0u);
}

#ifdef __WXGTK__
TEST(VirtualKeyFromWx, JapaneseInputKeysFromTheirKeySymbols) {
    EXPECT_EQ(VirtualKeyFromWx(0, 0xff23), 28u);  // Henkan: convert
    EXPECT_EQ(VirtualKeyFromWx(0, 0xff22), 29u);  // Muhenkan: non-convert
    EXPECT_EQ(VirtualKeyFromWx(0, 0xff2a), 25u);  // Zenkaku/Hankaku
    EXPECT_EQ(VirtualKeyFromWx(0, 0x41), 0u);
}
#endif

TEST(KeyPressFromWx, TakesTheModifiersOfTheEvent) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = WXK_F5;
    event.SetControlDown(true);
    event.SetShiftDown(true);
    const KeyPress press = KeyPressFromWx(event);
    EXPECT_EQ(press.key, 116u);
    EXPECT_TRUE(press.ctrl);
    EXPECT_TRUE(press.shift);
    EXPECT_FALSE(press.alt);
}

}  // namespace
}  // namespace kelmio
