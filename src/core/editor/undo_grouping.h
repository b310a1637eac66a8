#pragma once
// How typing is cut into undo steps. One undo takes back a small unit, as
// Japanese editors do: a word with the space or punctuation after it, a
// line break, a conversion the input method committed, or what was typed
// before a pause. Saves, deletions and caret jumps end the unit too; the
// editor calls Reset for them.

#include <cstddef>
#include <cstdint>

namespace kelmio {

// One character about to be inserted by the user.
struct CTypedChar {
    char32_t ch = 0;
    std::int64_t nTimeMs = 0;   // when it was typed, on any steady clock
    std::uint64_t nCommit = 0;  // characters of one input-method commit share a nonzero number
};

class CUndoGrouping {
public:
    // A pause this long between two characters ends the unit.
    static constexpr std::int64_t kPauseMs = 1000;
    // A run without any of the breaks above ends after this many characters.
    static constexpr std::size_t kMaxRun = 20;

    // True when the undo unit must be closed before `typed` goes in.
    bool BreakBefore(const CTypedChar& typed) const;
    // Records `typed` as the last character of the open unit.
    void Add(const CTypedChar& typed);
    // The unit was closed from outside (save, deletion, caret jump, paste).
    void Reset() { m_nRun = 0; }

private:
    CTypedChar m_last;
    std::size_t m_nRun = 0;
};

// White space (ASCII, the ideographic space), ASCII punctuation and the
// Japanese punctuation, brackets and symbols of the CJK and full-width blocks.
bool IsWordDelimiter(char32_t ch);
bool IsLineBreakChar(char32_t ch);

}  // namespace kelmio
