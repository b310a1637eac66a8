#include "gui/keys/wx_key_codes.h"

#include <wx/defs.h>
#include <wx/event.h>

namespace kelmio {
namespace {

// Windows virtual-key codes that have no character of their own.
enum VirtualKey : unsigned int {
    kVkCancel = 3, kVkBack = 8, kVkTab = 9, kVkClear = 12, kVkReturn = 13, kVkShift = 16, kVkControl = 17,
    kVkMenu = 18, kVkPause = 19, kVkCapital = 20, kVkKana = 21, kVkKanji = 25, kVkEscape = 27,
    kVkConvert = 28, kVkNonConvert = 29, kVkSpace = 32, kVkPrior = 33, kVkNext = 34, kVkEnd = 35,
    kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkSelect = 41, kVkPrint = 42,
    kVkExecute = 43, kVkSnapshot = 44, kVkInsert = 45, kVkDelete = 46, kVkHelp = 47, kVkLWin = 91,
    kVkRWin = 92, kVkApps = 93, kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSeparator = 108,
    kVkSubtract = 109, kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112, kVkNumLock = 144, kVkScroll = 145,
    kVkOem1 = 186, kVkOemPlus = 187, kVkOemComma = 188, kVkOemMinus = 189, kVkOemPeriod = 190,
    kVkOem2 = 191, kVkOem3 = 192, kVkOem4 = 219, kVkOem5 = 220, kVkOem6 = 221, kVkOem7 = 222,
    kVkOemAttn = 240,
};

// Punctuation keys report the character they type without Shift. Windows
// names these keys by their place on the keyboard, which differs between
// layouts; the Japanese layout decides where both have the character
// unshifted (the at-sign key is 192 there), the US layout for the others.
unsigned int OemKey(int ch) {
    switch (ch) {
        case '@': case '`': return kVkOem3;
        case ':': return kVkOem1;
        case ';': case '=': return kVkOemPlus;
        case ',': return kVkOemComma;
        case '-': return kVkOemMinus;
        case '.': return kVkOemPeriod;
        case '/': return kVkOem2;
        case '[': return kVkOem4;
        case '\\': case '|': return kVkOem5;
        case ']': return kVkOem6;
        case '^': case '\'': return kVkOem7;
        default: return 0;
    }
}

// The Japanese input keys, by their X key symbols.
unsigned int InputKeyFromKeySym(std::uint32_t keysym) {
    switch (keysym) {
        case 0xff21: return kVkKanji;     // Kanji
        case 0xff22: return kVkNonConvert;  // Muhenkan
        case 0xff23: return kVkConvert;     // Henkan
        case 0xff27: case 0xff2d: case 0xff2e: return kVkKana;  // Hiragana_Katakana, Kana_Lock, Kana_Shift
        case 0xff2a: return kVkKanji;     // Zenkaku_Hankaku
        case 0xff30: return kVkOemAttn;   // Eisu_toggle
        default: return 0;
    }
}

}  // namespace

unsigned int VirtualKeyFromWx(int code, [[maybe_unused]] std::uint32_t rawKeyCode) {
    if (code >= 'A' && code <= 'Z') return static_cast<unsigned int>(code);
    if (code >= 'a' && code <= 'z') return static_cast<unsigned int>(code - 'a' + 'A');
    if (code >= '0' && code <= '9') return static_cast<unsigned int>(code);
    if (code >= WXK_F1 && code <= WXK_F24) return kVkF1 + static_cast<unsigned int>(code - WXK_F1);
    if (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9) return kVkNumpad0 + static_cast<unsigned int>(code - WXK_NUMPAD0);

    switch (code) {
        case WXK_BACK: return kVkBack;
        case WXK_TAB: case WXK_NUMPAD_TAB: return kVkTab;
        case WXK_RETURN: case WXK_NUMPAD_ENTER: return kVkReturn;
        case WXK_ESCAPE: return kVkEscape;
        case WXK_SPACE: case WXK_NUMPAD_SPACE: return kVkSpace;
        case WXK_DELETE: case WXK_NUMPAD_DELETE: return kVkDelete;
        case WXK_INSERT: case WXK_NUMPAD_INSERT: return kVkInsert;
        case WXK_CANCEL: return kVkCancel;
        case WXK_CLEAR: case WXK_NUMPAD_BEGIN: return kVkClear;
        case WXK_SHIFT: return kVkShift;
        case WXK_CONTROL: return kVkControl;
        case WXK_ALT: return kVkMenu;
        case WXK_PAUSE: return kVkPause;
        case WXK_CAPITAL: return kVkCapital;
        // With Num Lock off the pad's keys are the movement keys they show.
        case WXK_PAGEUP: case WXK_NUMPAD_PAGEUP: return kVkPrior;
        case WXK_PAGEDOWN: case WXK_NUMPAD_PAGEDOWN: return kVkNext;
        case WXK_END: case WXK_NUMPAD_END: return kVkEnd;
        case WXK_HOME: case WXK_NUMPAD_HOME: return kVkHome;
        case WXK_LEFT: case WXK_NUMPAD_LEFT: return kVkLeft;
        case WXK_UP: case WXK_NUMPAD_UP: return kVkUp;
        case WXK_RIGHT: case WXK_NUMPAD_RIGHT: return kVkRight;
        case WXK_DOWN: case WXK_NUMPAD_DOWN: return kVkDown;
        case WXK_SELECT: return kVkSelect;
        case WXK_PRINT: return kVkPrint;
        case WXK_EXECUTE: return kVkExecute;
        case WXK_SNAPSHOT: return kVkSnapshot;
        case WXK_HELP: return kVkHelp;
        case WXK_WINDOWS_LEFT: return kVkLWin;
        case WXK_WINDOWS_RIGHT: return kVkRWin;
        case WXK_WINDOWS_MENU: case WXK_MENU: return kVkApps;
        case WXK_MULTIPLY: case WXK_NUMPAD_MULTIPLY: return kVkMultiply;
        case WXK_ADD: case WXK_NUMPAD_ADD: return kVkAdd;
        case WXK_SEPARATOR: case WXK_NUMPAD_SEPARATOR: return kVkSeparator;
        case WXK_SUBTRACT: case WXK_NUMPAD_SUBTRACT: return kVkSubtract;
        case WXK_DECIMAL: case WXK_NUMPAD_DECIMAL: return kVkDecimal;
        case WXK_DIVIDE: case WXK_NUMPAD_DIVIDE: return kVkDivide;
        case WXK_NUMPAD_F1: case WXK_NUMPAD_F2: case WXK_NUMPAD_F3: case WXK_NUMPAD_F4:
            return kVkF1 + static_cast<unsigned int>(code - WXK_NUMPAD_F1);
        case WXK_NUMLOCK: return kVkNumLock;
        case WXK_SCROLL: return kVkScroll;
        default: break;
    }
    if (const unsigned int oem = OemKey(code)) return oem;
#ifdef __WXMSW__
    // There the raw code is the virtual-key code itself.
    return rawKeyCode;
#elif defined(__WXGTK__)
    return code == 0 ? InputKeyFromKeySym(rawKeyCode) : 0;
#else
    return 0;
#endif
}

KeyPress KeyPressFromWx(const wxKeyEvent& event) {
    KeyPress press;
    press.key = VirtualKeyFromWx(event.GetKeyCode(), event.GetRawKeyCode());
    press.alt = event.AltDown();
    press.shift = event.ShiftDown();
    press.ctrl = event.RawControlDown();
    return press;
}

}  // namespace kelmio
