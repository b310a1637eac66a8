#pragma once
// The translation editor's own settings: font, tabs, wrapping and the marks
// a Japanese translator wants to see (line ends, tabs, the full-width space
// that is so easily mistaken for an ordinary one). Kept in section "EditX".

#include <string>

namespace kelmio {

class CSettings;

// Pages of the editor settings dialog, as a mask: all pages, or the font
// page alone.
enum EditorSettingsPage : unsigned {
    kPageGeneral = 1u << 0,   // tabs, wrapping, caret line
    kPageDisplay = 1u << 1,   // line numbers and marks
    kPageFont = 1u << 5,
    kAllPages = 1023,
};

struct CEditorSettings {
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;
    static constexpr int kMinTabSize = 1;
    static constexpr int kMaxTabSize = 16;

    std::string m_strFontName = "Noto Sans Mono CJK JP";
    int m_nFontSize = 11;
    int m_nTabSize = 8;
    bool m_bWordWrap = true;
    bool m_bLineNumbers = false;
    bool m_bShowLineEnds = false;
    bool m_bShowTabs = false;
    bool m_bShowWideSpaces = true;
    bool m_bHighlightCaretLine = false;

    // Values outside their range are brought back into it.
    void Load(const CSettings& settings);
    void Save(CSettings& settings) const;

    bool operator==(const CEditorSettings&) const = default;
};

}  // namespace kelmio
