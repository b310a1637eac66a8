// Runs the GUI tests inside a real wxWidgets application on the display
// (under Xvfb when run by ctest).

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/intl.h>

#include <memory>

#include "gui/platform/ui_locale.h"

namespace {

class CTestApp final : public wxApp {
public:
    bool OnInit() override { return true; }
};

// A failed toolkit assertion fails the running test instead of waiting
// for someone to close its dialog.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line) << func.utf8_string() << ": " << cond.utf8_string() << " "
                                          << msg.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(FailOnAssert);
    wxApp::SetInstance(new CTestApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxTheApp->CallOnInit();
    // As the application: every toolkit text the tests see is Japanese.
    const std::unique_ptr<wxLocale> locale = kelmio::SetUpJapaneseLocale();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
