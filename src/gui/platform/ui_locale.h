#pragma once
// The language of the toolkit's own texts. Kelmio is a Japanese program:
// the standard dialogs, the print preview and GTK's choosers speak Japanese
// whatever language the desktop is set to.

#include <memory>

class wxLocale;

namespace kelmio {

// Sets the toolkit and the C library up for Japanese and loads the
// toolkit's Japanese catalogue. Keep the result for the life of the program.
// Without a Japanese C locale on the system the toolkit's catalogue still
// answers, and GTK is asked for Japanese through LANGUAGE.
std::unique_ptr<wxLocale> SetUpJapaneseLocale();

}  // namespace kelmio
