#pragma once
// The fixture of the source viewer tests: the whole shell with a project,
// the browser's finished loads recorded, and waiting for a page.

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/uiaction.h>
#include <wx/stc/stc.h>
#include <wx/webview.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "gui_support.h"
#include "platform/file_io.h"
#include "project/kelmio_doc.h"
#include "shell_test.h"
#include "gui/memo/kel_form_view.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/web_browser.h"

namespace kelmio {

// Pumps events until `done` holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 15000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(20);
    }
    return done();
}

// A PDF file of numbered objects (object 1 the catalogue), with its
// cross-reference table.
inline std::string PdfFromObjects(const std::vector<std::string>& objects) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// A PDF of `pages` empty A4 pages.
inline std::string MakePdf(int pages) {
    std::vector<std::string> objects;
    std::string kids;
    for (int i = 0; i < pages; ++i) kids += std::to_string(3 + i) + " 0 R ";
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>");
    for (int i = 0; i < pages; ++i) objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>");
    return PdfFromObjects(objects);
}

class SourceViewTest : public test::ShellTest {
protected:
    void Start(const std::vector<std::string>& args = {}) {
        StartShell(args);
        if (HasFatalFailure()) return;
        m_loaded.clear();
        View().Browser().Window().Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) {
            event.Skip();
            m_loaded.push_back(wxFileName::URLToFileName(event.GetURL()).GetFullPath().utf8_string());
        });
        test::Pump();
    }
    void StartWithNewProject(const std::string& name) {
        ExpectNewProject(name);
        Start();
    }

    CKelmioDoc& Doc() { return m_pShell->Document(); }
    wxStyledTextCtrl& Pane() {
        auto* plain = dynamic_cast<CPlainEditCtrl*>(View().TextPane());
        EXPECT_NE(plain, nullptr);
        return plain->Control();
    }
    std::string PaneUtf8() { return Pane().GetText().utf8_string(); }

    // Chooses a source as the source command does.
    void ChooseSource(const std::string& nativePath) {
        m_prompter.ExpectFile(FromNativePath(nativePath));
        Send(ID_FILE_SRC);
    }
    bool WaitForPage(const std::string& nativePath) {
        const bool ok = WaitFor([&] {
            return std::find(m_loaded.begin(), m_loaded.end(), nativePath) != m_loaded.end() &&
                   View().Browser().LocationUrl() == "file://" + FromNativePath(nativePath);
        });
        if (!ok) ADD_FAILURE() << View().Browser().LocationUrl() << " instead of " << nativePath;
        return ok;
    }
    std::string PageText() {
        wxString text;
        View().Browser().Window().RunScript("document.body ? document.body.innerText : ''", &text);
        return text.utf8_string();
    }

    // Shows `page` in browser mode with the memo pane active, as after
    // typing a memo.
    void ShowPageFromTheMemoPane(const std::string& page) {
        Frame().SetActiveView(View());
        if (!View().IsBrowserMode()) Send(ID_VIEW_BROWSER_MODE);
        ChooseSource(page);
        ASSERT_TRUE(WaitForPage(page));
        Frame().SetActiveView(Frame().FormView());
        test::Pump();
        ASSERT_EQ(Frame().ActiveView(), static_cast<CPaneView*>(&Frame().FormView()));
    }
    // A click (or a double click) with the mouse at `at` in the page.
    void ClickInPage(wxPoint at, bool twice = false) {
        wxUIActionSimulator mouse;
        mouse.MouseMove(View().Browser().Window().ClientToScreen(at));
        test::Pump();
        if (twice) mouse.MouseDblClick();
        else mouse.MouseClick();
        WaitFor([] { return false; }, 800);
    }
    std::string PageTitle() {
        wxString title;
        View().Browser().Window().RunScript("document.title", &title);
        return title.utf8_string();
    }

    std::vector<std::string> m_loaded;  // the files the browser finished loading
};

}  // namespace kelmio
