#include "memo/edit_undo.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace kelmio {
namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The end of the character that starts at `at`.
std::size_t CharacterEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && IsContinuationByte(text[end])) ++end;
    return end;
}

// Where two texts differ: from `start`, `removed` bytes of the old text
// became `added` bytes of the new one. Both ends lie on character bounds.
struct Change {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::size_t added = 0;
};

Change Difference(std::string_view before, std::string_view after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    while (prefix > 0 && prefix < before.size() && IsContinuationByte(before[prefix])) --prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    while (suffix > 0 && IsContinuationByte(before[before.size() - suffix])) --suffix;
    return {prefix, before.size() - prefix - suffix, after.size() - prefix - suffix};
}

}  // namespace

void CEditUndo::Reset(std::string text) {
    m_strCurrent = std::move(text);
    m_undo.reset();
    m_lastKind = Kind::kNone;
}

void CEditUndo::OnChanged(const std::string& text) {
    if (text == m_strCurrent) return;
    const Change change = Difference(m_strCurrent, text);
    Kind kind = Kind::kNone;  // a selection cut is an edit of its own
    bool continues = false;
    if (change.added > 0) {
        // Typing over a selection starts an edit that the next keys continue.
        kind = Kind::kTyping;
        continues = change.removed == 0 && m_lastKind == Kind::kTyping && change.start == m_nLastAt;
        m_nLastAt = change.start + change.added;
    } else if (CharacterEnd(m_strCurrent, change.start) == change.start + change.removed) {
        // Backspace cuts one character just before where the last cut was,
        // Delete one at the same place.
        kind = Kind::kDeleting;
        continues = m_lastKind == Kind::kDeleting &&
                    (change.start + change.removed == m_nLastAt || change.start == m_nLastAt);
        m_nLastAt = change.start;
    }
    if (!continues) m_undo = m_strCurrent;
    m_lastKind = kind;
    m_strCurrent = text;
}

void CEditUndo::OnShownAs(std::string text) {
    m_strCurrent = std::move(text);
    m_lastKind = Kind::kNone;
}

std::optional<UndoneText> CEditUndo::Undo() {
    if (!m_undo) return std::nullopt;
    const Change change = Difference(m_strCurrent, *m_undo);
    UndoneText undone{std::move(*m_undo), change.start + change.added};
    m_undo = std::move(m_strCurrent);
    m_strCurrent = undone.text;
    m_lastKind = Kind::kNone;
    return undone;
}

}  // namespace kelmio
