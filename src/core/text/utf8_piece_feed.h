#pragma once
// A Shift-JIS or UTF-8 text read a block at a time, handed on as UTF-8
// pieces for a widget that holds UTF-8.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kelmio {

// Turns the pieces of a text as it is read into UTF-8 pieces of about
// `chunk` bytes, never cut inside a character. Shift-JIS pieces may end
// inside a character (its lead byte waits for the next piece); UTF-8 pieces
// are passed on as they are.
class CUtf8PieceFeed {
public:
    CUtf8PieceFeed(std::size_t chunk, std::function<void(std::string_view utf8)> append);

    void SetUtf8(bool utf8) { m_bUtf8 = utf8; }
    void Take(std::string_view piece);
    // After the last piece: a lead byte left at the very end goes as itself.
    void Finish();

private:
    void TakeUtf8(std::string_view text);
    void TakeSjis(std::string_view text);

    std::size_t m_nChunk;
    std::function<void(std::string_view utf8)> m_append;
    bool m_bUtf8 = false;
    std::string m_strTail;  // a lead byte whose trail has not come yet
};

}  // namespace kelmio
