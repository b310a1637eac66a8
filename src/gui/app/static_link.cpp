#include "gui/app/static_link.h"

#include <wx/log.h>
#include <wx/utils.h>

namespace kelmio {
namespace {

const wxColour kUnvisited(0, 0, 255);
const wxColour kVisited(128, 0, 128);

}  // namespace

CStaticLink::CStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& target,
                         Opener opener)
    : wxGenericHyperlinkCtrl(parent, id, label, target.empty() ? label : target, wxDefaultPosition, wxDefaultSize,
                      wxHL_ALIGN_LEFT | wxNO_BORDER),
      m_strTarget(target),
      m_opener(std::move(opener)) {
    SetNormalColour(kUnvisited);
    SetHoverColour(kUnvisited);
    SetVisitedColour(kVisited);
    SetCursor(wxCursor(wxCURSOR_HAND));
    Bind(wxEVT_HYPERLINK, &CStaticLink::OnClick, this);
}

CStaticLink::Opener CStaticLink::DesktopOpener() {
    return [](const wxString& target) {
        wxLogNull quiet;  // a failure is told by the beep
        return wxLaunchDefaultBrowser(target);
    };
}

wxString CStaticLink::Target() const { return m_strTarget.empty() ? GetLabel() : m_strTarget; }

void CStaticLink::Follow() {
    const wxString target = Target();
    if (target.empty()) return;
    if (!m_opener(target)) {
        wxBell();
        return;
    }
    SetVisited(true);
    SetNormalColour(kVisited);
    SetHoverColour(kVisited);
    Refresh();
}

void CStaticLink::OnClick(wxHyperlinkEvent&) { Follow(); }

}  // namespace kelmio
