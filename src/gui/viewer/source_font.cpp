#include "gui/viewer/source_font.h"

#include <wx/fontenum.h>

#include <wx/gdicmn.h>

#include <cmath>
#include <cstdlib>

#include "gui/platform/wx_text.h"

namespace kelmio {

wxFont MakeSourceFont(const CSourceFont& settings) {
    wxString face = ToWx(settings.strFaceName);
    if (!wxFontEnumerator::IsValidFacename(face)) {
        face = wxFontEnumerator::IsValidFacename("Noto Sans Mono CJK JP") ? wxString("Noto Sans Mono CJK JP")
                                                                        : wxString("Monospace");
    }
    // The stored height is in pixels of the screen, as the text controls
    // take points.
    const int pixels = std::max(1, std::abs(settings.nSize));
    const int ppi = std::max(1, wxGetDisplayPPI().GetHeight());
    wxFontInfo info(static_cast<double>(pixels) * 72.0 / ppi);
    info.Family(wxFONTFAMILY_MODERN).FaceName(face).Italic(settings.bItalic).Underlined(settings.bUnderline);
    wxFont font(info);
    font.SetNumericWeight(std::clamp(settings.nWeight, 1, 1000));
    return font;
}

CSourceFont SourceFontSettings(const wxFont& font, int charSet) {
    CSourceFont settings;
    settings.strFaceName = FromWx(font.GetFaceName());
    const int ppi = std::max(1, wxGetDisplayPPI().GetHeight());
    settings.nSize = -static_cast<int>(std::lround(font.GetFractionalPointSize() * ppi / 72.0));
    settings.nWeight = font.GetNumericWeight();
    settings.bItalic = font.GetStyle() == wxFONTSTYLE_ITALIC;
    settings.bUnderline = font.GetUnderlined();
    settings.nCharSet = charSet;
    return settings;
}

}  // namespace kelmio
