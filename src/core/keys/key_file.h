#pragma once
// The .key file: a table of key bindings as the application framework's
// serialised object array. Users share these files between installations,
// so the writer's bytes are fixed and the reader takes every form the
// framework could have written.
//
// All integers are little-endian.
//
//   count     u16 n when n < 0xFFFF, else u16 0xFFFF then u32 n
//   n entries, each starting with a u16 tag:
//     0xFFFF  a new class: u16 schema (1), u16 name length, the ASCII name
//             ("CKeycust"), then an object of that class
//     0x8000|c  an object of the class numbered c
//     0x7FFF  a u32 follows: with its high bit set, an object of the class
//             numbered by the low 31 bits; otherwise a back-reference
//     0       an empty entry
//     other   a back-reference to the object with that number
//   Classes and objects are numbered from 1 in order of first appearance.
//   An object is 10 bytes: u16 key, alt, shift, ctrl, command.
//
// The writer uses only the new-class form for the first binding and 0x8001
// for the rest. Bytes after the last entry are ignored, as the framework
// ignores them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/keycust.h"

namespace kelmio {

std::string WriteKeyFile(const std::vector<CKeycust>& bindings);

// The bindings in file order; nullopt when the bytes are not a key file
// (cut short, another class or schema, a reference to nothing). An empty
// entry adds no binding; a back-reference adds a copy of the binding it
// names.
std::optional<std::vector<CKeycust>> ReadKeyFile(std::string_view bytes);

}  // namespace kelmio
