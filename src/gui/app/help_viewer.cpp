#include "gui/app/help_viewer.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "gui/platform/wx_text.h"
#include "platform/prompter.h"

namespace kelmio {

CHelpViewer::CHelpViewer(wxString bookPath, CPrompter& prompter)
    : m_strBookPath(std::move(bookPath)), m_prompter(prompter) {}

CHelpViewer::~CHelpViewer() = default;

// The book is read once, when help is first asked for; a book that was
// removed since is still reported as missing.
bool CHelpViewer::OpenBook() {
    if (!wxFileName::FileExists(m_strBookPath)) {
        m_prompter.Message(MissingHelpFileMessage(FromWxPath(m_strBookPath).Display()), MessageButtons::kOk,
                           MessageIcon::kExclamation);
        return false;
    }
    if (m_bBookLoaded) return true;
    if (!m_pController) {
        // The book is a zip archive, read through the toolkit's file system.
        // Its pictures are PNG files.
        static const bool archivesReadable = [] {
            wxFileSystem::AddHandler(new wxArchiveFSHandler);
            if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
            return true;
        }();
        (void)archivesReadable;
        m_pController = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE);
        m_pController->SetTitleFormat(WxText("%s - Kelmio ヘルプ"));
    }
    {
        // The viewer would open its own error window; the user gets one
        // message, ours.
        wxLogNull quiet;
        m_bBookLoaded = m_pController->AddBook(wxFileName(m_strBookPath), false);
    }
    if (!m_bBookLoaded) {
        m_prompter.Message(DamagedHelpFileMessage(FromWxPath(m_strBookPath).Display()), MessageButtons::kOk,
                           MessageIcon::kExclamation);
    }
    return m_bBookLoaded;
}

void CHelpViewer::ShowHelp(HelpCommand command, int number) {
    const HelpAction action = HelpActionFor(command);
    if (action == HelpAction::kNothing) return;
    wxBusyCursor wait;
    if (!OpenBook()) return;
    wxLogNull quiet;
    if (action == HelpAction::kShowTopic) {
        m_pController->Display(number);
        return;
    }
    m_pController->DisplayContents();
    const wxHtmlBookRecArray& books = m_pController->GetHelpWindow()->GetData()->GetBookRecArray();
    if (!books.empty()) m_pController->Display(books[0].GetFullPath(books[0].GetStart()));
}

void CHelpViewer::ShowIndex() {
    wxBusyCursor wait;
    if (!OpenBook()) return;
    wxLogNull quiet;
    m_pController->DisplayIndex();
}

void CHelpViewer::Close() {
    if (m_pController) m_pController->Quit();
}

wxWindow* CHelpViewer::Window() const { return m_pController ? m_pController->GetFrame() : nullptr; }

wxString CHelpViewer::OpenedPage() const {
    if (!m_pController || m_pController->GetHelpWindow() == nullptr) return {};
    const wxHtmlWindow* page = m_pController->GetHelpWindow()->GetHtmlWindow();
    return page == nullptr ? wxString() : page->GetOpenedPage();
}

}  // namespace kelmio
