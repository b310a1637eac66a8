#include "editor/editor_settings.h"

#include <algorithm>

#include "platform/settings.h"

namespace kelmio {
namespace {

constexpr std::string_view kSection = "EditX";

bool GetBool(const CSettings& settings, std::string_view name, bool defaultValue) {
    return settings.GetInt(kSection, name, defaultValue ? 1 : 0) != 0;
}

}  // namespace

void CEditorSettings::Load(const CSettings& settings) {
    const CEditorSettings defaults;
    m_strFontName = settings.GetString(kSection, "FontName", defaults.m_strFontName);
    if (m_strFontName.empty()) m_strFontName = defaults.m_strFontName;
    m_nFontSize = std::clamp(settings.GetInt(kSection, "FontSize", defaults.m_nFontSize), kMinFontSize, kMaxFontSize);
    m_nTabSize = std::clamp(settings.GetInt(kSection, "TabSize", defaults.m_nTabSize), kMinTabSize, kMaxTabSize);
    m_bWordWrap = GetBool(settings, "WordWrap", defaults.m_bWordWrap);
    m_bLineNumbers = GetBool(settings, "LineNumbers", defaults.m_bLineNumbers);
    m_bShowLineEnds = GetBool(settings, "ShowLineEnds", defaults.m_bShowLineEnds);
    m_bShowTabs = GetBool(settings, "ShowTabs", defaults.m_bShowTabs);
    m_bShowWideSpaces = GetBool(settings, "ShowWideSpaces", defaults.m_bShowWideSpaces);
    m_bHighlightCaretLine = GetBool(settings, "HighlightCaretLine", defaults.m_bHighlightCaretLine);
}

void CEditorSettings::Save(CSettings& settings) const {
    settings.WriteString(kSection, "FontName", m_strFontName);
    settings.WriteInt(kSection, "FontSize", m_nFontSize);
    settings.WriteInt(kSection, "TabSize", m_nTabSize);
    settings.WriteInt(kSection, "WordWrap", m_bWordWrap ? 1 : 0);
    settings.WriteInt(kSection, "LineNumbers", m_bLineNumbers ? 1 : 0);
    settings.WriteInt(kSection, "ShowLineEnds", m_bShowLineEnds ? 1 : 0);
    settings.WriteInt(kSection, "ShowTabs", m_bShowTabs ? 1 : 0);
    settings.WriteInt(kSection, "ShowWideSpaces", m_bShowWideSpaces ? 1 : 0);
    settings.WriteInt(kSection, "HighlightCaretLine", m_bHighlightCaretLine ? 1 : 0);
}

}  // namespace kelmio
