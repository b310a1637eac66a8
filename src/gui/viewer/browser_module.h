#pragma once
// Finds and loads the browser module (the web engine and the toolkit's web
// control, with their hundred libraries) the first time a browser is
// needed, and makes browsers through the module's factory.
//
// The module is loaded through the toolkit's plugin manager, which starts
// the toolkit classes and modules the loaded libraries bring, and stays
// loaded for the rest of the program: the engine cannot be unloaded.

#include <memory>
#include <string>
#include <vector>
#include <wx/string.h>

#include "gui/viewer/web_browser.h"

class wxWindow;

namespace kelmio {

class CBrowserModule {
public:
    // The module's file name in each folder searched.
    static constexpr const char* kFileName = "kelmio-browser.so";

    // Searches the program's own folders: beside the executable, then
    // <executable's folder>/../lib/kelmio (where it is installed), then
    // the folder the build wrote it to.
    CBrowserModule();
    // Searches `folders` in order; the first that holds the file is used.
    explicit CBrowserModule(std::vector<wxString> folders);

    // A new browser, hidden, as a child of `parent`; null when the module
    // cannot be found or loaded or makes no browser (FailureMessage() says
    // why).
    std::unique_ptr<CWebBrowser> Create(wxWindow* parent);

    // The last failure for the user (Shift-JIS): the file and the
    // loader's own words; empty after a success.
    const std::string& FailureMessage() const { return m_strFailure; }

    const std::vector<wxString>& Folders() const { return m_folders; }

private:
    BrowserFactory Factory();
    void Fail(const wxString& file, const wxString& reason);

    std::vector<wxString> m_folders;
    BrowserFactory m_factory = nullptr;
    std::string m_strFailure;
};

}  // namespace kelmio
