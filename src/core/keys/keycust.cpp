#include "keys/keycust.h"

#include <array>

namespace kelmio {
namespace {

// Virtual-key codes of the keys below.
constexpr unsigned int kBack = 8, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39,
                       kDown = 40, kInsert = 45, kDelete = 46;

struct EditorKey {
    unsigned int key;
    bool alt;
    bool ctrl;
    bool anyShift;  // Shift extends the selection and does not change the meaning
    bool shift;
};

// The translation editor's own editing keys among those that reach the key
// table while it is active (plain typing keys never do): clipboard, undo,
// word-wise movement and deletion. When the user prefers the editor's keys,
// bindings of these combinations are left to the editor.
constexpr std::array<EditorKey, 16> kEditorKeys = {{
    {'Z', false, true, false, false},   // undo
    {'Y', false, true, false, false},   // redo
    {'X', false, true, false, false},   // cut
    {'C', false, true, false, false},   // copy
    {'V', false, true, false, false},   // paste
    {'A', false, true, false, false},   // select all
    {kInsert, false, true, false, false},  // copy
    {kBack, true, false, false, false},    // undo
    {kBack, false, true, false, false},    // delete word left
    {kDelete, false, true, false, false},  // delete word right
    {kHome, false, true, true, false},
    {kEnd, false, true, true, false},
    {kLeft, false, true, true, false},
    {kRight, false, true, true, false},
    {kUp, false, true, true, false},
    {kDown, false, true, true, false},
}};

}  // namespace

bool CKeycust::IsEditorKey() const {
    for (const EditorKey& entry : kEditorKeys) {
        if (entry.key == m_nKey && entry.alt == m_bAlt && entry.ctrl == m_bCtrl &&
            (entry.anyShift || entry.shift == m_bShift)) {
            return true;
        }
    }
    return false;
}

bool CKeycust::IsEditorEditingKey() const {
    // The movement keys are the ones whose meaning Shift does not change.
    for (const EditorKey& entry : kEditorKeys) {
        if (!entry.anyShift && entry.key == m_nKey && entry.alt == m_bAlt && entry.ctrl == m_bCtrl &&
            entry.shift == m_bShift) {
            return true;
        }
    }
    return false;
}

}  // namespace kelmio
