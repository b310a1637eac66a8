#pragma once
// What the application does with its one project document and its main
// window: starts on the right project, binds the document to the panes and
// the commands, keeps the caption and the recent-project menu in step with
// the document, takes projects from a second start or from files dropped
// on the window, and ends when the window closes.
//
// It is apart from the toolkit's application object so that it can run with
// any settings store and prompter, inside any application.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "gui/project/doc_commands.h"
#include "platform/app_host.h"
#include "platform/dde_transport.h"
#include "platform/posix_shell.h"
#include "platform/system_registry.h"
#include "project/kelmio_doc.h"

class wxCommandEvent;
class wxWindowDestroyEvent;

namespace kelmio {

class CKelEditView;
class CMainFrame;
class CModalDialogWatch;
class CPrompter;
class CRecoveryTimer;
class CSettings;
class CSPIControl;

class CAppShell final : public CAppHost {
public:
    // Reads the recent-project list from `settings`.
    // `plugins`: the image plug-ins loaded at start-up; may be null.
    CAppShell(CSettings& settings, CPrompter& prompter, CSPIControl* plugins = nullptr);
    ~CAppShell() override;
    CAppShell(const CAppShell&) = delete;
    CAppShell& operator=(const CAppShell&) = delete;

    // Creates the main window and shows the first project. False when the
    // program is to end now (the project could not be opened, the first
    // New Project dialog was cancelled, or printing was asked for).
    bool Start(const CCommandLineInfo& commandLine);
    // After Start said to end: true when the user chose that (the New
    // Project dialog shown before the window was cancelled), so the
    // program ends as after closing its window, not as a failed start.
    bool EndedByUser() const { return m_bEndedByUser; }

    // A request such as [open("path")] from a second start or the desktop;
    // false when it was refused or nothing was opened. While the user
    // answers a dialog, requests wait until it is closed (and give false).
    bool HandleRequest(const std::string& request);

    // Opens the projects one after another, as when they are dropped on the
    // main window; the last one that opens stays.
    // `refusals`: the messages for dropped names Kelmio cannot hold, shown first.
    void OpenFiles(const std::vector<CFilePath>& paths);

    // Closes the main window as its close box does, once the user has
    // answered any dialog that is open.
    void CloseWhenFree();

    // How a start with "/p" or "/pt" prints the translation text. The
    // application prints; tests put something in its place that does not
    // wait for a printer.
    using PrintStart = std::function<void(CKelEditView& editor, const CCommandLineInfo& commandLine)>;
    void SetPrintStart(PrintStart print) { m_printStart = std::move(print); }

    // The main window, or null before it exists and after it was destroyed.
    CMainFrame* MainFrame() const { return m_pFrame; }
    CKelmioDoc& Document() { return m_doc; }

    // CAppHost
    bool TakeStartupFlag() override;
    void PostCloseRequest() override;
    void OnDocumentTitleChanged() override;
    void OnRecentListChanged() override;
    void OnProjectShown() override;
    void OnProjectSaved() override;

    // The recovery copy of the open project (null without a main window).
    CRecoveryTimer* Recovery() const { return m_pRecovery.get(); }

    // The user came back to Kelmio: the source text and the translation
    // text follow what other programs did to their files meanwhile. Not
    // while a dialog waits for an answer: the flow that asked must not
    // have its text changed under it.
    void CheckOutsideChanges();

private:
    void CreateMainFrame();
    void ShowMainFrame();
    // The window with the empty untitled project, and the New Project
    // dialog over it as soon as the window is on the screen.
    void ShowWithNewProjectDialog();
    void OnFrameDestroyedEvent(wxWindowDestroyEvent& event);
    void OnTextEvent(wxCommandEvent& event);
    // `byUser`: the user chose to end (see EndedByUser).
    bool EndNow(bool byUser);
    void HandleWaitingRequests();

    CSettings& m_settings;
    CPrompter& m_prompter;
    CSPIControl* m_pPlugins;
    // What the dictionary lookup reaches: the conversation transport, the
    // program starter and the registry answers (PDIC is the bridge beside us).
    std::unique_ptr<CDdeTransport> m_pDdeTransport;
    CPosixShell m_shell;
    std::unique_ptr<CSystemRegistry> m_pRegistry;
    CKelmioDoc m_doc;
    CDocCommands m_commands;
    CMainFrame* m_pFrame = nullptr;  // owned by the toolkit
    PrintStart m_printStart;
    bool m_bStartupFlag = false;
    bool m_bEndedByUser = false;
    std::unique_ptr<CModalDialogWatch> m_pModalWatch;
    std::deque<std::string> m_waitingRequests;
    bool m_bCloseWaiting = false;
    std::unique_ptr<CRecoveryTimer> m_pRecovery;
};

}  // namespace kelmio
