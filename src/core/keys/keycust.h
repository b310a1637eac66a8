#pragma once
// One key binding: a key with its Alt, Shift and Ctrl state, joined to the
// command it posts to the main window.

namespace kelmio {

class CKeycust {
public:
    unsigned int m_nKey = 0;      // Windows virtual-key code
    bool m_bAlt = false;
    bool m_bCtrl = false;
    bool m_bShift = false;
    unsigned int m_nCommand = 0;  // command ID; 0 = none

    // A binding in the order the key file keeps its fields.
    static CKeycust Of(unsigned int key, bool alt, bool shift, bool ctrl, unsigned int command) {
        CKeycust binding;
        binding.m_nKey = key;
        binding.m_bAlt = alt;
        binding.m_bShift = shift;
        binding.m_bCtrl = ctrl;
        binding.m_nCommand = command;
        return binding;
    }

    bool Matches(unsigned int key, bool alt, bool shift, bool ctrl) const {
        return m_nKey == key && m_bAlt == alt && m_bShift == shift && m_bCtrl == ctrl;
    }

    // The editor-key flag: true when the combination is one of the
    // translation editor's own editing keys. Derived from the key rather
    // than stored, so it can never disagree with the binding it describes.
    bool IsEditorKey() const;
    // An editor key that changes the text or the clipboard (undo, cut,
    // paste, deleting a word, ...), rather than moving the caret.
    bool IsEditorEditingKey() const;

    friend bool operator==(const CKeycust&, const CKeycust&) = default;
};

}  // namespace kelmio
