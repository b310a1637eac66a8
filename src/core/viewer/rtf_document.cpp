#include "viewer/rtf_document.h"

#include <algorithm>
#include <set>
#include <iterator>
#include <utility>

#include "viewer/rtf_codepage.h"

namespace kelmio {
namespace {

std::size_t RunLength(const CRtfRun& run) { return Utf8Length(run.m_strText); }

std::size_t ParagraphLength(const CRtfParagraph& paragraph) {
    std::size_t length = 0;
    for (const CRtfRun& run : paragraph.m_runs) length += RunLength(run);
    return length;
}

struct CPlace {
    std::size_t m_nParagraph = 0;
    std::size_t m_nOffset = 0;  // characters into the paragraph
};

CPlace Locate(const std::vector<CRtfParagraph>& paragraphs, std::size_t pos) {
    for (std::size_t i = 0; i + 1 < paragraphs.size(); ++i) {
        const std::size_t length = ParagraphLength(paragraphs[i]);
        if (pos <= length) return {i, pos};
        pos -= length + 1;
    }
    const std::size_t last = paragraphs.size() - 1;
    return {last, std::min(pos, ParagraphLength(paragraphs[last]))};
}

// Makes a run boundary at `offset` and returns the index of the first run
// that starts there (kept runs without width at that offset come after it).
std::size_t SplitAt(CRtfParagraph& paragraph, std::size_t offset) {
    auto& runs = paragraph.m_runs;
    std::size_t start = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (start >= offset) return i;
        const std::size_t length = RunLength(runs[i]);
        if (offset < start + length) {
            CRtfRun tail = runs[i];
            const std::size_t cut = Utf8Offset(runs[i].m_strText, offset - start);
            tail.m_strText.erase(0, cut);
            runs[i].m_strText.resize(cut);
            runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
            return i + 1;
        }
        start += length;
    }
    return runs.size();
}

// Joins neighbouring text runs of one format and drops empty ones, so that
// equal documents have equal runs.
void Normalize(CRtfParagraph& paragraph) {
    std::vector<CRtfRun> runs;
    for (CRtfRun& run : paragraph.m_runs) {
        if (!run.IsKept() && run.m_strText.empty()) continue;
        if (!run.IsKept() && !runs.empty() && !runs.back().IsKept() && runs.back().m_format == run.m_format) {
            runs.back().m_strText += run.m_strText;
            continue;
        }
        runs.push_back(std::move(run));
    }
    paragraph.m_runs = std::move(runs);
}

// Removes from a run of control words ("\super\ulw\lang1041") those whose
// name starts with `prefix`.
std::string WithoutWords(std::string_view words, std::string_view prefix) {
    std::string kept;
    std::size_t pos = 0;
    while (pos < words.size()) {
        std::size_t next = words.find('\\', pos + 1);
        if (next == std::string_view::npos) next = words.size();
        const std::string_view word = words.substr(pos, next - pos);
        if (!word.substr(1).starts_with(prefix)) kept += word;
        pos = next;
    }
    return kept;
}

}  // namespace

const CRtfFont* CRtfDocument::FindFont(int number) const {
    const auto it = std::find_if(m_fonts.begin(), m_fonts.end(),
                                 [&](const CRtfFont& font) { return font.m_nNumber == number; });
    return it == m_fonts.end() ? nullptr : &*it;
}

int CRtfDocument::FontNumberFor(std::string_view face, int charset) {
    // A new number must be one nothing uses yet, not even a run whose font
    // is missing from the table: giving it a face would change how that
    // run reads.
    std::set<int> used;
    for (const CRtfFont& font : m_fonts) {
        if (font.m_strFace == face && font.m_nCharset == charset) return font.m_nNumber;
        used.insert(font.m_nNumber);
    }
    for (const CRtfParagraph& paragraph : m_paragraphs) {
        for (const CRtfRun& run : paragraph.m_runs) used.insert(run.m_format.m_nFont);
    }
    int number = 0;
    while (used.contains(number)) ++number;
    CRtfFont font;
    font.m_nNumber = number;
    font.m_nCharset = charset;
    font.m_strFace = face;
    m_fonts.push_back(std::move(font));
    return number;
}

int CRtfDocument::ColorIndexFor(const CRtfColor& color) {
    for (std::size_t i = 0; i < m_colors.size(); ++i) {
        if (m_colors[i].m_color == color) return static_cast<int>(i);
    }
    if (m_colors.empty()) m_colors.emplace_back();  // index 0 stays "auto"
    m_colors.push_back({color, {}});
    return static_cast<int>(m_colors.size() - 1);
}

std::string CRtfDocument::PlainText() const {
    std::string text;
    for (std::size_t i = 0; i < m_paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        for (const CRtfRun& run : m_paragraphs[i].m_runs) text += run.m_strText;
    }
    return text;
}

std::size_t CRtfDocument::Length() const {
    std::size_t length = m_paragraphs.empty() ? 0 : m_paragraphs.size() - 1;
    for (const CRtfParagraph& paragraph : m_paragraphs) length += ParagraphLength(paragraph);
    return length;
}

CRtfCharFormat CRtfDocument::FormatAt(std::size_t pos) const {
    const CPlace place = Locate(m_paragraphs, pos);
    // The run holding the character at the offset, else the last run with
    // text before it, looking back into earlier paragraphs.
    const CRtfRun* before = nullptr;
    for (std::size_t p = 0; p <= place.m_nParagraph; ++p) {
        std::size_t start = 0;
        for (const CRtfRun& run : m_paragraphs[p].m_runs) {
            const std::size_t length = RunLength(run);
            if (length == 0) continue;
            if (p == place.m_nParagraph && place.m_nOffset < start + length) return run.m_format;
            before = &run;
            start += length;
        }
    }
    if (before != nullptr) return before->m_format;
    CRtfCharFormat format;
    format.m_nFont = m_nDefaultFont;
    return format;
}

CRtfShownFormat CRtfDocument::Shown(const CRtfCharFormat& format) const {
    CRtfShownFormat shown;
    if (const CRtfFont* font = FindFont(format.m_nFont)) {
        shown.m_strFace = font->m_strFace;
        shown.m_nCharset = font->m_nCharset;
    }
    shown.m_nHalfPoints = format.m_nHalfPoints;
    shown.m_bBold = format.m_bBold;
    shown.m_bItalic = format.m_bItalic;
    shown.m_bUnderline = format.m_bUnderline;
    shown.m_bStrikeOut = format.m_bStrikeOut;
    if (format.m_nColor >= 0 && static_cast<std::size_t>(format.m_nColor) < m_colors.size()) {
        shown.m_color = m_colors[static_cast<std::size_t>(format.m_nColor)].m_color;
    }
    return shown;
}

void CRtfDocument::ApplyFormat(std::size_t begin, std::size_t end, const CRtfFormatChange& change) {
    if (begin >= end) return;
    const int font = change.m_strFace ? FontNumberFor(*change.m_strFace, change.m_nCharset) : 0;
    const int color = change.m_color ? ColorIndexFor(*change.m_color) : 0;
    const auto apply = [&](CRtfCharFormat& format) {
        if (change.m_bBold) format.m_bBold = *change.m_bBold;
        if (change.m_bItalic) format.m_bItalic = *change.m_bItalic;
        if (change.m_bUnderline) {
            format.m_bUnderline = *change.m_bUnderline;
            // Other underline kinds would keep the text underlined.
            format.m_strExtra = WithoutWords(format.m_strExtra, "ul");
        }
        if (change.m_bStrikeOut) {
            format.m_bStrikeOut = *change.m_bStrikeOut;
            format.m_strExtra = WithoutWords(format.m_strExtra, "striked");
        }
        if (change.m_strFace) format.m_nFont = font;
        if (change.m_nHalfPoints) format.m_nHalfPoints = std::clamp(*change.m_nHalfPoints, 1, 3276);
        if (change.m_color) format.m_nColor = color;
        if (change.m_bAutoColor) format.m_nColor = 0;
    };
    std::size_t start = 0;
    for (CRtfParagraph& paragraph : m_paragraphs) {
        const std::size_t length = ParagraphLength(paragraph);
        const std::size_t from = std::max(begin, start);
        const std::size_t to = std::min(end, start + length);
        if (from < to) {
            std::size_t last = SplitAt(paragraph, to - start);
            const std::size_t before = paragraph.m_runs.size();
            const std::size_t first = SplitAt(paragraph, from - start);
            last += paragraph.m_runs.size() - before;
            // Kept RTF is read in its own font's code page, so its format stays.
            for (std::size_t i = first; i < last; ++i) {
                if (!paragraph.m_runs[i].IsKept()) apply(paragraph.m_runs[i].m_format);
            }
            Normalize(paragraph);
        }
        start += length + 1;
        if (start > end) break;
    }
}

void CRtfDocument::InsertText(std::size_t pos, std::string_view utf8) {
    if (utf8.empty()) return;
    const CPlace place = Locate(m_paragraphs, pos);
    // Typing continues the format before the caret; at a paragraph start,
    // the format of what follows.
    const CRtfCharFormat format = FormatAt(place.m_nOffset > 0 ? pos - 1 : pos);
    CRtfParagraph& paragraph = m_paragraphs[place.m_nParagraph];
    const std::size_t split = SplitAt(paragraph, place.m_nOffset);
    std::vector<CRtfRun> tail(std::make_move_iterator(paragraph.m_runs.begin() + static_cast<std::ptrdiff_t>(split)),
                              std::make_move_iterator(paragraph.m_runs.end()));
    paragraph.m_runs.resize(split);

    std::vector<CRtfParagraph> added;
    added.reserve(static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n')));  // `current` stays valid
    CRtfParagraph* current = &paragraph;
    const std::string props = paragraph.m_strProps;
    const std::string end = paragraph.m_strEnd;
    std::size_t pieceStart = 0;
    while (true) {
        const std::size_t lf = utf8.find('\n', pieceStart);
        const std::string_view piece = utf8.substr(pieceStart, lf == std::string_view::npos ? lf : lf - pieceStart);
        AppendText(*current, piece, format);
        if (lf == std::string_view::npos) break;
        current->m_strEnd = "par";
        added.emplace_back();
        added.back().m_strProps = props;
        current = &added.back();
        pieceStart = lf + 1;
    }
    current->m_runs.insert(current->m_runs.end(), std::make_move_iterator(tail.begin()),
                           std::make_move_iterator(tail.end()));
    current->m_strEnd = end;
    Normalize(*current);
    Normalize(paragraph);
    m_paragraphs.insert(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(place.m_nParagraph) + 1,
                        std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

void CRtfDocument::DeleteText(std::size_t begin, std::size_t end) {
    if (begin >= end) return;
    const CPlace from = Locate(m_paragraphs, begin);
    const CPlace to = Locate(m_paragraphs, end);
    const auto keepsOnlyZeroWidth = [](std::vector<CRtfRun>& runs, std::size_t first, std::size_t last) {
        std::vector<CRtfRun> kept(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(first));
        for (std::size_t i = first; i < last; ++i) {
            if (RunLength(runs[i]) == 0) kept.push_back(std::move(runs[i]));
        }
        kept.insert(kept.end(), std::make_move_iterator(runs.begin() + static_cast<std::ptrdiff_t>(last)),
                    std::make_move_iterator(runs.end()));
        runs = std::move(kept);
    };
    CRtfParagraph& first = m_paragraphs[from.m_nParagraph];
    if (from.m_nParagraph == to.m_nParagraph) {
        std::size_t last = SplitAt(first, to.m_nOffset);
        const std::size_t before = first.m_runs.size();
        const std::size_t start = SplitAt(first, from.m_nOffset);
        last += first.m_runs.size() - before;
        keepsOnlyZeroWidth(first.m_runs, start, last);
        Normalize(first);
        return;
    }
    const std::size_t start = SplitAt(first, from.m_nOffset);
    keepsOnlyZeroWidth(first.m_runs, start, first.m_runs.size());
    for (std::size_t p = from.m_nParagraph + 1; p <= to.m_nParagraph; ++p) {
        CRtfParagraph& paragraph = m_paragraphs[p];
        const std::size_t last = p == to.m_nParagraph ? SplitAt(paragraph, to.m_nOffset) : paragraph.m_runs.size();
        keepsOnlyZeroWidth(paragraph.m_runs, 0, last);
        first.m_runs.insert(first.m_runs.end(), std::make_move_iterator(paragraph.m_runs.begin()),
                            std::make_move_iterator(paragraph.m_runs.end()));
    }
    first.m_strEnd = m_paragraphs[to.m_nParagraph].m_strEnd;
    Normalize(first);
    m_paragraphs.erase(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(from.m_nParagraph) + 1,
                       m_paragraphs.begin() + static_cast<std::ptrdiff_t>(to.m_nParagraph) + 1);
}

void CRtfDocument::AppendText(CRtfParagraph& paragraph, std::string_view utf8, const CRtfCharFormat& format) {
    if (utf8.empty()) return;
    if (!paragraph.m_runs.empty() && !paragraph.m_runs.back().IsKept() && paragraph.m_runs.back().m_format == format) {
        paragraph.m_runs.back().m_strText += utf8;
        return;
    }
    paragraph.m_runs.push_back({std::string(utf8), format, {}});
}

}  // namespace kelmio
