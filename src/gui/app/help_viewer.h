#pragma once
// The help book on the screen: the book beside the program shown in the
// toolkit's HTML help viewer, at a context number, its default topic or
// its keyword index. A missing or damaged book is reported, never shown.

#include <wx/string.h>

#include <functional>
#include <memory>

#include "app/help_topics.h"

class wxHtmlHelpController;
class wxWindow;

namespace kelmio {

class CPrompter;

class CHelpViewer {
public:
    // `bookPath` is the help book's full (native) path.
    CHelpViewer(wxString bookPath, CPrompter& prompter);
    ~CHelpViewer();
    CHelpViewer(const CHelpViewer&) = delete;
    CHelpViewer& operator=(const CHelpViewer&) = delete;

    // The frame's help entry: a context number's topic or the default
    // topic; other requests show nothing.
    void ShowHelp(HelpCommand command, int number);

    // The keyword index.
    void ShowIndex();

    // Closes the viewer's window, as when the program ends.
    void Close();

    // The viewer's window once something was shown, else null.
    wxWindow* Window() const;

    // The address of the page the viewer shows, empty when none.
    wxString OpenedPage() const;

    const wxString& BookPath() const { return m_strBookPath; }

private:
    bool OpenBook();

    wxString m_strBookPath;
    CPrompter& m_prompter;
    std::unique_ptr<wxHtmlHelpController> m_pController;
    bool m_bBookLoaded = false;
};

}  // namespace kelmio
