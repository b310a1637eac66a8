#pragma once
// Key presses as the key table knows them: the toolkit's key codes turned
// into the Windows virtual-key codes that key files store.

#include <cstdint>

#include "keys/key_dispatch.h"

class wxKeyEvent;

namespace kelmio {

// The virtual-key code of a key-down with the toolkit's key code `wxKeyCode`
// and the platform's raw code `rawKeyCode` (used only for keys the toolkit
// has no code for, such as the Japanese input keys). 0 when the key has no
// virtual-key code.
unsigned int VirtualKeyFromWx(int wxKeyCode, std::uint32_t rawKeyCode = 0);

// The key and the modifiers held, as the dispatch takes them.
KeyPress KeyPressFromWx(const wxKeyEvent& event);

}  // namespace kelmio
