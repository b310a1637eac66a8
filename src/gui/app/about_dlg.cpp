#include "gui/app/about_dlg.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "app/about_info.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

// The program's own icon: the main window's, else the desktop icon the
// menu entry names.
wxBitmap ProgramIcon(wxWindow* parent) {
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(parent))) {
        const wxIcon icon = top->GetIcons().GetIcon(48);
        if (icon.IsOk()) return wxBitmap(icon);
    }
    const wxBitmap desktop = wxArtProvider::GetBitmap("accessories-text-editor", wxART_OTHER, wxSize(48, 48));
    return desktop.IsOk() ? desktop : wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX);
}

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, CStaticLink::Opener opener)
    : wxDialog(parent, wxID_ANY, ToWx(AboutCaption())) {
    const wxString mail = wxString::FromUTF8(std::string(kMakerContact.mail));
    const wxString web = wxString::FromUTF8(std::string(kMakerContact.webPage));
    m_pMail = new CStaticLink(this, kMailLinkId, mail, wxString::FromUTF8(MailLinkTarget()), opener);
    m_pWeb = new CStaticLink(this, kWebLinkId, web, {}, opener);

    auto* texts = new wxBoxSizer(wxVERTICAL);
    texts->Add(new wxStaticText(this, wxID_ANY, ToWx(AboutVersionText())), 0, wxBOTTOM, 12);
    texts->Add(m_pMail, 0, wxBOTTOM, 6);
    texts->Add(m_pWeb, 0);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIcon(parent)), 0, wxRIGHT, 16);
    top->Add(texts, 1);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND | wxALL, 16);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(sizer);
    CentreOnParent();
}

}  // namespace kelmio
