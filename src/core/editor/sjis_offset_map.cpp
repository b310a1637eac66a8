#include "editor/sjis_offset_map.h"

#include <algorithm>

#include "editor/text_offsets.h"
#include "text/cp932.h"

namespace kelmio {

CUtf8TextLines::CUtf8TextLines(std::string_view text) : m_text(text), m_starts{0} {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n') m_starts.push_back(i + 1);
    }
}

std::size_t CUtf8TextLines::LineOfPosition(std::size_t position) const {
    return static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin()) - 1;
}

std::string CUtf8TextLines::Text(std::size_t start, std::size_t end) const {
    start = std::min(start, m_text.size());
    return std::string(m_text.substr(start, std::min(end, m_text.size()) - std::min(start, end)));
}

std::string CUtf8TextLines::LineText(std::size_t line) const {
    const std::size_t end = line + 1 < m_starts.size() ? m_starts[line + 1] : m_text.size();
    return std::string(m_text.substr(m_starts[line], end - m_starts[line]));
}

void CSjisOffsetMap::InvalidateFrom(std::size_t line) {
    // The start of the changed line depends only on the lines above it.
    if (line + 1 < m_sjisStarts.size()) m_sjisStarts.resize(line + 1);
}

void CSjisOffsetMap::KnowUpTo(std::size_t line) {
    // Short lines are converted a block at a time: one conversion per line
    // would cost more in setting up the converter than in converting.
    constexpr std::size_t kBlockBytes = 64 * 1024;
    while (m_sjisStarts.size() <= line) {
        const std::size_t first = m_sjisStarts.size() - 1;
        const std::size_t blockStart = m_lines.LineStart(first);
        std::size_t last = first + 1;
        while (last < line && m_lines.LineStart(last + 1) - blockStart <= kBlockBytes) ++last;
        if (last - first > 1 && LearnBlock(first, last)) continue;
        m_sjisStarts.push_back(m_sjisStarts.back() + Utf8ToCp932(m_lines.LineText(first)).size());
    }
}

bool CSjisOffsetMap::LearnBlock(std::size_t first, std::size_t last) {
    // Line ends survive the conversion as themselves, and no Shift-JIS
    // trail byte is a CR or LF, so the converted block splits where the
    // widget's lines do.
    const std::string sjis = Utf8ToCp932(m_lines.Text(m_lines.LineStart(first), m_lines.LineStart(last)));
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        if (sjis[i] == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n') ++i;
        if (sjis[i] == '\r' || sjis[i] == '\n') ends.push_back(i + 1);
    }
    if (ends.size() != last - first || ends.back() != sjis.size()) return false;
    const std::size_t base = m_sjisStarts.back();
    for (const std::size_t end : ends) m_sjisStarts.push_back(base + end);
    return true;
}

std::size_t CSjisOffsetMap::SjisOffset(std::size_t position) {
    const std::size_t line = std::min(m_lines.LineOfPosition(position), m_lines.LineCount() - 1);
    KnowUpTo(line);
    const std::size_t start = m_lines.LineStart(line);
    const std::size_t within = position > start ? position - start : 0;
    return m_sjisStarts[line] + SjisOffsetFromUtf8(m_lines.LineText(line), within);
}

std::size_t CSjisOffsetMap::Utf8Position(std::size_t offset) {
    const std::size_t lastLine = m_lines.LineCount() - 1;
    // Learn line starts only until one lies beyond `offset`, some lines at
    // a time so that they are converted in blocks.
    constexpr std::size_t kLinesAtATime = 256;
    while (m_sjisStarts.size() - 1 < lastLine && m_sjisStarts.back() <= offset) {
        KnowUpTo(std::min(lastLine, m_sjisStarts.size() - 1 + kLinesAtATime));
    }
    const auto after = std::upper_bound(m_sjisStarts.begin(), m_sjisStarts.end(), offset);
    std::size_t line = static_cast<std::size_t>(after - m_sjisStarts.begin()) - 1;
    // Lines of no Shift-JIS bytes cannot be told apart by their starts; only
    // the last line can be empty, and its start is the end of the text.
    line = std::min(line, lastLine);
    return m_lines.LineStart(line) + Utf8OffsetFromSjis(m_lines.LineText(line), offset - m_sjisStarts[line]);
}

}  // namespace kelmio
