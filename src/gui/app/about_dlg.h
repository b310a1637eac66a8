#pragma once
// "Kelmioのﾊﾞｰｼﾞｮﾝ情報": the program's icon and version, and links to the
// maker's e-mail address and web page.

#include <wx/dialog.h>

#include "gui/app/static_link.h"

namespace kelmio {

class CAboutDlg final : public wxDialog {
public:
    static constexpr int kMailLinkId = 206;
    static constexpr int kWebLinkId = 207;

    explicit CAboutDlg(wxWindow* parent, CStaticLink::Opener opener = CStaticLink::DesktopOpener());

    CStaticLink& MailLink() { return *m_pMail; }
    CStaticLink& WebLink() { return *m_pWeb; }

private:
    CStaticLink* m_pMail;
    CStaticLink* m_pWeb;
};

}  // namespace kelmio
