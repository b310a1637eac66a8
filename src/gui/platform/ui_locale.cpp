#include "gui/platform/ui_locale.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <clocale>
#include <cstdlib>

namespace kelmio {

std::unique_ptr<wxLocale> SetUpJapaneseLocale() {
    auto locale = std::make_unique<wxLocale>();
    bool set = false;
    {
        wxLogNull quiet;  // a system without the locale is handled below
        set = locale->Init(wxLANGUAGE_JAPANESE, wxLOCALE_LOAD_DEFAULT);
    }
    if (!set) {
        // GTK reads its catalogue through the C library, which ignores
        // LANGUAGE only in the plain "C" locale.
        setenv("LANGUAGE", "ja", 1);
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    // Numbers in settings and project texts are read and written the C way.
    std::setlocale(LC_NUMERIC, "C");
    return locale;
}

}  // namespace kelmio
