#pragma once
// The source pane's font between the "EFont" settings and the toolkit.

#include <wx/font.h>

#include "viewer/view_settings.h"

namespace kelmio {

// The settings' face, or a Japanese monospaced face this system has when
// it lacks that one (the default face is a Windows font).
wxFont MakeSourceFont(const CSourceFont& settings);

// What the font command stores; the character set stays as it was.
CSourceFont SourceFontSettings(const wxFont& font, int charSet);

}  // namespace kelmio
