#include "gui/app/app_shell.h"

#include <wx/app.h>
#include <wx/dnd.h>
#include <wx/modalhook.h>

#include <functional>

#include "commands/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/app/print_and_exit.h"
#include "gui/app/recent_menu.h"
#include "gui/app/recovery_timer.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/memo/kel_form_view.h"
#include "gui/platform/wx_settings.h"
#include "gui/platform/wx_text.h"
#include "gui/viewer/text_view.h"
#include "ipc/wx_dde_transport.h"
#include "platform/file_io.h"
#include "platform/ini_system_registry.h"
#include "platform/paths.h"
#include "platform/runtime_folder.h"

namespace kelmio {
namespace {

// Files dropped on the main window are opened as projects.
class CProjectDropTarget final : public wxFileDropTarget {
public:
    explicit CProjectDropTarget(CAppShell& shell) : m_shell(shell) {}

    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        std::vector<CFilePath> paths;
        for (const wxString& name : names) paths.push_back(FromWxPath(name));
        // Opening asks questions; let the drop end first.
        wxTheApp->CallAfter([&shell = m_shell, paths] { shell.OpenFiles(paths); });
        return true;
    }

private:
    CAppShell& m_shell;
};

}  // namespace

// Counts the modal dialogs on the screen (message boxes and choosers
// included) and says when the last one closed.
class CModalDialogWatch final : public wxModalDialogHook {
public:
    explicit CModalDialogWatch(std::function<void()> onAllClosed) : m_onAllClosed(std::move(onAllClosed)) {
        Register();
    }

    bool AnyOpen() const { return m_nOpen > 0; }

protected:
    int Enter(wxDialog*) override {
        ++m_nOpen;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {
        if (m_nOpen > 0 && --m_nOpen == 0) m_onAllClosed();
    }

private:
    std::function<void()> m_onAllClosed;
    int m_nOpen = 0;
};

CAppShell::CAppShell(CSettings& settings, CPrompter& prompter, CSPIControl* plugins)
    : m_settings(settings),
      m_prompter(prompter),
      m_pPlugins(plugins),
      m_pDdeTransport(std::make_unique<CWxDdeTransport>(PrivateRuntimeFolder())),
      m_pRegistry(std::make_unique<CIniSystemRegistry>(
          CIniSystemRegistry::FromFolder(CWxSettings::DefaultFolder(), GetProgramFilePath(kDictBridgeName).Display()))),
      m_doc(settings, prompter, *this),
      m_commands(m_doc),
      m_printStart([](CKelEditView& editor, const CCommandLineInfo& commandLine) {
          PrintTranslationAndExit(editor, commandLine);
      }) {
    m_doc.RecentProjects().ReadList(m_settings);
    DicPlatform dictionary;
    dictionary.pTransport = m_pDdeTransport.get();
    dictionary.pShell = &m_shell;
    dictionary.pRegistry = m_pRegistry.get();
    m_doc.m_dic.SetPlatform(std::move(dictionary));
    m_pModalWatch = std::make_unique<CModalDialogWatch>([this] {
        if ((m_waitingRequests.empty() && !m_bCloseWaiting) || m_pFrame == nullptr) return;
        CMainFrame* frame = m_pFrame;
        frame->CallAfter([this, frame] {
            if (frame->IsBeingDeleted()) return;
            HandleWaitingRequests();
            if (m_bCloseWaiting) CloseWhenFree();
        });
    });
}

CAppShell::~CAppShell() {
    if (m_pFrame == nullptr) return;
    // The window may outlive this object by a moment; it must not call back.
    m_pFrame->SetCloseQuery({});
    m_pFrame->SetReturnHandler({});
    m_pFrame->SetDocumentTarget(nullptr);
    m_pFrame->TextView().SetDocument(nullptr);
    m_pFrame->TextView().SetLookupHandler({});
    m_commands.SetViewer(nullptr);
    m_pFrame->EditView().SetModifiedHandler({});
    m_pFrame->TextView().SetTextChangeHandler({});
    m_pFrame->EditView().SetLookupHandler({});
    m_pFrame->FormView().AttachDocument(nullptr);
    m_commands.SetMemoTarget(nullptr);
    m_pFrame->Unbind(wxEVT_DESTROY, &CAppShell::OnFrameDestroyedEvent, this);
    m_pFrame->Unbind(wxEVT_TEXT, &CAppShell::OnTextEvent, this);
    m_pFrame->Destroy();
}

void CAppShell::CreateMainFrame() {
    m_pFrame = new CMainFrame(m_settings, m_prompter, m_pPlugins);
    m_pFrame->SetDocumentTarget(&m_commands);
    m_pFrame->SetCloseQuery([this] {
        // An edited source that could not be saved keeps the window unless
        // the user lets it go.
        if (!m_pFrame->TextView().QuerySaveText()) return false;
        return m_doc.SaveModified();
    });
    m_pFrame->SetReturnHandler([this] { CheckOutsideChanges(); });
    m_pFrame->TextView().SetDocument(&m_doc);
    m_pFrame->TextView().SetLookupHandler([this](const std::string& word) { m_doc.LookupWord(word); });
    m_commands.SetViewer(&m_pFrame->TextView());
    m_pRecovery = std::make_unique<CRecoveryTimer>(m_doc, m_prompter);
    m_pFrame->EditView().SetModifiedHandler([this] {
        m_doc.SetModifiedFlag(true);
        if (m_pRecovery) m_pRecovery->OnEdit();
    });
    m_pFrame->TextView().SetTextChangeHandler([this] {
        if (m_pRecovery) m_pRecovery->OnEdit();
    });
    m_pFrame->Bind(wxEVT_TEXT, &CAppShell::OnTextEvent, this);
    m_pFrame->EditView().SetLookupHandler([this](const std::string& word) { return m_doc.LookupWord(word); });
    m_pFrame->FormView().AttachDocument(&m_doc);
    m_commands.SetMemoTarget(&m_pFrame->FormView());
    m_pFrame->SetDropTarget(new CProjectDropTarget(*this));
    m_pFrame->Bind(wxEVT_DESTROY, &CAppShell::OnFrameDestroyedEvent, this);
    m_doc.AttachViews(&m_pFrame->TextView(), &m_pFrame->EditView(), &m_pFrame->FormView());
    OnDocumentTitleChanged();
    ShowRecentProjects(*m_pFrame->GetMenuBar(), m_doc.RecentProjects().Entries());
}

void CAppShell::CheckOutsideChanges() {
    if (m_pFrame == nullptr || m_pFrame->IsBeingDeleted() || m_pModalWatch->AnyOpen()) return;
    m_pFrame->TextView().CheckShownFile();
    m_doc.CheckTranslationFile();
}

// Typing in a memo: text events rise from the memo pane's boxes.
void CAppShell::OnTextEvent(wxCommandEvent& event) {
    event.Skip();
    if (m_pRecovery) m_pRecovery->OnEdit();
}

void CAppShell::OnFrameDestroyedEvent(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pFrame) return;
    m_pFrame = nullptr;
    m_commands.SetViewer(nullptr);
    m_commands.SetMemoTarget(nullptr);
    // The window closed after the user saved or let the work go.
    if (m_pRecovery) m_pRecovery->OnProjectClosed();
    m_pRecovery.reset();
    m_doc.AttachViews(nullptr, nullptr, nullptr);
    // Written last, after the window stored its panes and placement.
    m_doc.RecentProjects().WriteList(m_settings);
}

void CAppShell::ShowMainFrame() {
    if (m_pFrame == nullptr) return;
    m_pFrame->ShowWindow();
    m_pFrame->Update();
}

// Nothing was shown and nothing is to be saved: the window goes without
// asking the document.
bool CAppShell::EndNow(bool byUser) {
    m_bEndedByUser = byUser;
    m_doc.RecentProjects().WriteList(m_settings);
    if (m_pFrame != nullptr) m_pFrame->Destroy();
    return false;
}

bool CAppShell::HandleRequest(const std::string& request) {
    if (m_pFrame == nullptr) return false;
    // The document is in the middle of something the user is being asked
    // about; a project opened now would pull it from under that question.
    if (m_pModalWatch->AnyOpen()) {
        m_waitingRequests.push_back(request);
        return false;
    }
    // A start without a project just brings the window forward.
    if (request.empty()) {
        if (m_pFrame->IsShown()) ShowMainFrame();
        return true;
    }
    const std::optional<ShellRequest> parsed = ParseShellRequest(request);
    if (!parsed || parsed->args.empty()) return false;
    // A running Kelmio shows a project it is asked to print; it does not end.
    // The request names the file in the system's own bytes.
    const bool opened = m_doc.OpenDocumentFile(CFilePath::FromNative(parsed->args.front()));
    // A project made in the New Project dialog after a failed read is shown too.
    if (opened || m_pFrame->IsShown() || !m_doc.GetPathName().empty()) ShowMainFrame();
    return opened;
}

void CAppShell::HandleWaitingRequests() {
    while (!m_waitingRequests.empty() && !m_pModalWatch->AnyOpen()) {
        const std::string request = std::move(m_waitingRequests.front());
        m_waitingRequests.pop_front();
        HandleRequest(request);
    }
}

void CAppShell::CloseWhenFree() {
    if (m_pFrame == nullptr) return;
    m_bCloseWaiting = m_pModalWatch->AnyOpen();
    if (!m_bCloseWaiting) m_pFrame->Close();
}

void CAppShell::OpenFiles(const std::vector<CFilePath>& paths) {
    for (const CFilePath& path : paths) m_doc.OpenDocumentFile(path);
}

bool CAppShell::TakeStartupFlag() {
    const bool flag = m_bStartupFlag;
    m_bStartupFlag = false;
    return flag;
}

void CAppShell::PostCloseRequest() {
    if (m_pFrame == nullptr) return;
    CMainFrame* frame = m_pFrame;
    frame->CallAfter([frame] {
        if (!frame->IsBeingDeleted()) frame->Close();
    });
}

void CAppShell::OnDocumentTitleChanged() {
    if (m_pFrame != nullptr) m_pFrame->SetTitle(ToWx(m_doc.GetWindowTitle()));
}

void CAppShell::OnProjectShown() {
    if (m_pRecovery) m_pRecovery->OnProjectShown();
}

void CAppShell::OnProjectSaved() {
    if (m_pRecovery) m_pRecovery->OnProjectSaved();
}

void CAppShell::OnRecentListChanged() {
    // Kept at once: a crash must not take the list with it.
    m_doc.RecentProjects().WriteList(m_settings);
    if (m_pFrame != nullptr) ShowRecentProjects(*m_pFrame->GetMenuBar(), m_doc.RecentProjects().Entries());
}

}  // namespace kelmio
