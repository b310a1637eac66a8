#include "editor/undo_grouping.h"

namespace kelmio {

bool IsLineBreakChar(char32_t ch) { return ch == U'\r' || ch == U'\n'; }

bool IsWordDelimiter(char32_t ch) {
    if (ch == U' ' || ch == U'\t' || IsLineBreakChar(ch)) return true;
    if (ch < 0x80) {
        return (ch >= U'!' && ch <= U'/') || (ch >= U':' && ch <= U'@') || (ch >= U'[' && ch <= U'`') ||
               (ch >= U'{' && ch <= U'~');
    }
    // Ideographic space, 、。〃 and the brackets of the CJK symbols block.
    if (ch >= 0x3000 && ch <= 0x303F) return true;
    // Full-width and half-width punctuation: ！＂＃… ［＼］… ｛｜｝～ ｡｢｣､･
    return (ch >= 0xFF01 && ch <= 0xFF0F) || (ch >= 0xFF1A && ch <= 0xFF20) || (ch >= 0xFF3B && ch <= 0xFF40) ||
           (ch >= 0xFF5B && ch <= 0xFF65) || ch == 0x2026 || ch == 0x2025 || (ch >= 0x2010 && ch <= 0x201F);
}

bool CUndoGrouping::BreakBefore(const CTypedChar& typed) const {
    if (m_nRun == 0) return false;
    if (typed.nTimeMs - m_last.nTimeMs >= kPauseMs) return true;
    // A commit of the input method is a unit of its own.
    if (typed.nCommit != m_last.nCommit) return true;
    if (typed.nCommit != 0) return false;
    // A line break stands alone.
    if (IsLineBreakChar(typed.ch) || IsLineBreakChar(m_last.ch)) return true;
    // A word keeps the spaces and punctuation typed after it.
    if (IsWordDelimiter(m_last.ch) && !IsWordDelimiter(typed.ch)) return true;
    return m_nRun >= kMaxRun;
}

void CUndoGrouping::Add(const CTypedChar& typed) {
    if (BreakBefore(typed)) m_nRun = 0;
    m_last = typed;
    ++m_nRun;
}

}  // namespace kelmio
