#include "source_font.h"

#include <wx/fontenum.h>

#include <cstdlib>

#include "wx_text.h"

namespace kelmio {

wxFont MakeSourceFont(const CSourceFont& settings) {
    wxString face = ToWx(settings.strFaceName);
    if (!wxFontEnumerator::IsValidFacename(face)) {
        face = wxFontEnumerator::IsValidFacename("Noto Sans Mono CJK JP") ? wxString("Noto Sans Mono CJK JP")
                                                                        : wxString("Monospace");
    }
    const int height = std::max(1, std::abs(settings.nSize));
    wxFontInfo info(wxSize(0, height));
    info.Family(wxFONTFAMILY_MODERN).FaceName(face).Italic(settings.bItalic).Underlined(settings.bUnderline);
    wxFont font(info);
    font.SetNumericWeight(std::clamp(settings.nWeight, 1, 1000));
    return font;
}

CSourceFont SourceFontSettings(const wxFont& font, int charSet) {
    CSourceFont settings;
    settings.strFaceName = FromWx(font.GetFaceName());
    const int pixels = font.GetPixelSize().GetHeight();
    settings.nSize = -(pixels > 0 ? pixels : font.GetPointSize());
    settings.nWeight = font.GetNumericWeight();
    settings.bItalic = font.GetStyle() == wxFONTSTYLE_ITALIC;
    settings.bUnderline = font.GetUnderlined();
    settings.nCharSet = charSet;
    return settings;
}

}  // namespace kelmio
