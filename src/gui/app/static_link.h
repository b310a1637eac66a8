#pragma once
// A text that behaves like a hyperlink: blue and underlined, the hand
// cursor over it; a click asks the desktop to open the target, turns the
// link purple when that worked and beeps when it did not.

#include <wx/hyperlink.h>
#include <wx/generic/hyperlink.h>

#include <functional>
#include <string>

namespace kelmio {

// The generic control draws itself, so the colours are the ones set here on
// every desktop.
class CStaticLink final : public wxGenericHyperlinkCtrl {
public:
    // Opens a target with the desktop's default handler; true on success.
    using Opener = std::function<bool(const wxString& target)>;

    // With an empty `target` the link opens its own text.
    CStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& target = {},
                Opener opener = DesktopOpener());

    static Opener DesktopOpener();

    // The target a click opens.
    wxString Target() const;

    // As a left click on the link.
    void Follow();

private:
    void OnClick(wxHyperlinkEvent& event);

    wxString m_strTarget;
    Opener m_opener;
};

}  // namespace kelmio
