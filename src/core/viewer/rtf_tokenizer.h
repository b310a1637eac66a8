#pragma once
// Splits RTF bytes into tokens: group braces, control words with their
// parameter, control symbols, \'xx bytes and spans of plain text bytes.
//
// Nothing here allocates: tokens are views into the input. Parameters are
// clamped to the int range however many digits they have, and \binN data
// is cut at the end of the input, so no count from the file is trusted.

#include <cstddef>
#include <string_view>

namespace kelmio {

enum class ERtfToken { End, GroupOpen, GroupClose, Word, Symbol, HexByte, Text };

struct CRtfToken {
    ERtfToken m_kind = ERtfToken::End;
    std::string_view m_name;  // Word: the letters; Text: the bytes
    bool m_bHasParam = false;
    int m_nParam = 0;
    char m_chSymbol = 0;             // Symbol: the character after "\"
    unsigned char m_byte = 0;        // HexByte
    std::string_view m_raw;          // the token as written, without a delimiting space
};

// True when the last byte of `bytes`, read as characters of `codePage`
// from the start, is a lead byte without its trail.
bool EndsInLeadByte(std::string_view bytes, int codePage);

class CRtfTokenizer {
public:
    explicit CRtfTokenizer(std::string_view input) : m_input(input) {}

    CRtfToken Next();

    // The trail byte of a double-byte character whose lead byte ended the
    // last text span: the next byte as it stands, even "\\", "{" or "}",
    // since a raw double-byte character is written as its two bytes. False,
    // consuming nothing, when the next byte cannot be a trail byte.
    bool TakeTrailByte(unsigned char& trail, int codePage);

    // The data of \binN: up to `count` bytes, fewer at the end of the input.
    std::string_view TakeBinary(long long count);

    // Skips past the "}" ending the group whose "{" was just read. False
    // when the input ends first. Only braces count, never the code page:
    // a kept group must end in the same place wherever it is written back.
    bool SkipGroup();

    std::size_t Position() const { return m_pos; }
    std::string_view Input() const { return m_input; }
    bool AtEnd() const { return m_pos >= m_input.size(); }

private:
    CRtfToken ReadControl();

    std::string_view m_input;
    std::size_t m_pos = 0;
};

}  // namespace kelmio
