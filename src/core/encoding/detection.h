#pragma once
// Guessing a text source's encoding and line-end kind from its bytes.
//
// Both read from the start and stop as soon as the answer is known, so a
// large file is read only as far as it has to be (a file of plain ASCII is
// the one case read to its end).

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

#include "encoding/text_encoding.h"

namespace kelmio {

// Hands out bytes one at a time, like getc, from memory or from a source
// that refills a block at a time. Next() returns -1 at the end, and keeps
// returning -1 after it.
class CByteReader {
public:
    // Fills `buffer` with up to `size` bytes and returns how many; 0 at the end.
    using Refill = std::function<std::size_t(char* buffer, std::size_t size)>;

    explicit CByteReader(std::string_view bytes);
    explicit CByteReader(Refill refill);
    CByteReader(const CByteReader&) = delete;
    CByteReader& operator=(const CByteReader&) = delete;

    int Next() {
        if (m_pNext == m_pEnd && !Fill()) return -1;
        return *m_pNext++;
    }

private:
    bool Fill();

    Refill m_refill;
    const unsigned char* m_pNext = nullptr;
    const unsigned char* m_pEnd = nullptr;
    std::array<char, 65536> m_block{};
};

// One of the Japanese encodings, kAscii or kSjisOrEuc (never a Unicode one).
TextEncoding DetectEncoding(CByteReader& reader);
LineEnd DetectLineEnd(CByteReader& reader);

TextEncoding DetectEncoding(std::string_view bytes);
LineEnd DetectLineEnd(std::string_view bytes);

}  // namespace kelmio
