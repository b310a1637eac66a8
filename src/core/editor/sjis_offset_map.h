#pragma once
// Shift-JIS byte offsets for positions in the editor widget's UTF-8 text,
// without converting the whole text on every query.
//
// The map keeps the Shift-JIS offset of each line start, worked out once
// from the first line down as far as a query needs, and converts only
// within the one line a position falls in. An edit invalidates the cached
// starts after the changed line, so typing near the end of a long text
// costs one line's conversion, not the whole text's.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmio {

// The widget's text as the map reads it: lines with their line ends, in
// UTF-8, and the byte positions where they start.
class CUtf8Lines {
public:
    virtual ~CUtf8Lines() = default;
    virtual std::size_t LineCount() const = 0;  // at least 1, the empty text has one empty line
    virtual std::size_t LineStart(std::size_t line) const = 0;
    virtual std::size_t LineOfPosition(std::size_t position) const = 0;
    virtual std::string LineText(std::size_t line) const = 0;  // including its line end
    virtual std::string Text(std::size_t start, std::size_t end) const = 0;  // the bytes from start up to end
};

// The same for a text held in memory, split as the widget splits it: after
// CR LF, after LF, and after a CR not followed by LF.
class CUtf8TextLines final : public CUtf8Lines {
public:
    explicit CUtf8TextLines(std::string_view text);

    std::size_t LineCount() const override { return m_starts.size(); }
    std::size_t LineStart(std::size_t line) const override { return m_starts[line]; }
    std::size_t LineOfPosition(std::size_t position) const override;
    std::string LineText(std::size_t line) const override;
    std::string Text(std::size_t start, std::size_t end) const override;

private:
    std::string_view m_text;
    std::vector<std::size_t> m_starts;
};

class CSjisOffsetMap {
public:
    explicit CSjisOffsetMap(const CUtf8Lines& lines) : m_lines(lines) {}
    CSjisOffsetMap(const CSjisOffsetMap&) = delete;
    CSjisOffsetMap& operator=(const CSjisOffsetMap&) = delete;

    // The Shift-JIS offset of the character at UTF-8 `position`; a position
    // inside a character means that character.
    std::size_t SjisOffset(std::size_t position);
    // The UTF-8 position of the character at Shift-JIS `offset`; an offset
    // inside a double-byte character means that character, one past the
    // end (or more) means the end.
    std::size_t Utf8Position(std::size_t offset);

    // The text changed at `line` or below: starts after it are recomputed
    // when next needed.
    void InvalidateFrom(std::size_t line);

private:
    // Makes the start of `line` known (and every line above it).
    void KnowUpTo(std::size_t line);
    // Learns the starts after lines [first, last), all ending in a line end,
    // from one conversion of their text; false when its line ends do not
    // match the lines (nothing is learnt then).
    bool LearnBlock(std::size_t first, std::size_t last);

    const CUtf8Lines& m_lines;
    std::vector<std::size_t> m_sjisStarts{0};  // known Shift-JIS starts of lines 0..size()-1
};

}  // namespace kelmio
