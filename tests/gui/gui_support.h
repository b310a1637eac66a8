#pragma once
// Helpers for tests that drive real windows.

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace kelmio::test {

// Lets the toolkit handle everything pending (painting, sizing, deferred
// destruction).
inline void Pump() {
    for (int round = 0; round < 5; ++round) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(10);
    }
}

// The texts a user reads in a window and its children: the title and every
// label. Texts of the toolkit's own dialogs come from its catalogue.
std::vector<wxString> ShownTexts(const wxWindow& window);

// True when `text` holds a word in Latin letters that a Japanese user would
// read as untranslated English. "OK" and a mnemonic such as "(&F)" or
// "(_F)" are at home in Japanese texts.
bool LooksEnglish(const wxString& text);

// What the screen shows of `window`, its frame included.
wxImage GrabFromScreen(const wxWindow& window);

// Saves `image` as a PNG file at `path`; false when it could not be written.
bool SavePng(const wxImage& image, const std::string& path);

// With KELMIO_SCREENSHOT_DIR set, saves what `window` shows there as a PNG
// named `name`; without it, does nothing.
void SaveScreenshot(wxWindow& window, const std::string& name);

// A key-down as `target` receives it from the toolkit; true when the key
// was taken.
bool PressKey(wxWindow& target, int wxKey, bool ctrl = false, bool shift = false);

// Collects what is written to the process's standard error (the toolkit's
// warnings go there) from construction until Take().
class CapturedStderr {
public:
    CapturedStderr();
    ~CapturedStderr();
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;
    std::string Take();

private:
    int m_nSaved = -1;
    std::string m_strFile;
};

// Answers each question with the next of `m_answers` (OK when there is
// none left) and remembers the texts.
class CRecordingPrompter final : public CPrompter {
public:
    Answer Message(std::string_view text, MessageButtons, MessageIcon) override {
        m_messages.emplace_back(text);
        if (m_answers.empty()) return Answer::kOk;
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    FileDialogResult ChooseFile(const CFileDialogEx&) override { return {}; }
    int ChooseFolder(BrowseFolder&) override { return kIdCancel; }
    std::optional<std::string> Input(std::string_view, std::string_view) override { return std::nullopt; }
    std::optional<CFilePath> InputPath(std::string_view, const CFilePath&) override { return std::nullopt; }
    int RunNewProjectDialog(CNewProjectDlg&) override { return kIdCancel; }
    int RunProjectDialog(CProjectDlg&) override { return kIdCancel; }
    int RunSourceHistoryDialog(CSrcHistoryDlg&) override { return kIdCancel; }
    int RunDicAnswerDialog(CDicAnswerDlg&) override { return kIdCancel; }
    int RunDicOptDialog(CDicOptDg&) override { return kIdCancel; }

    std::vector<std::string> m_messages;
    std::deque<Answer> m_answers;
};

// Acts once on the next modal dialog, once its loop runs.
class CAtModalOpen final : public wxModalDialogHook {
public:
    explicit CAtModalOpen(std::function<void(wxDialog&)> act) : m_act(std::move(act)) { Register(); }
    ~CAtModalOpen() override { Unregister(); }

protected:
    // The file dialog's ShowModal passes here twice (its own and its base's).
    int Enter(wxDialog* dialog) override {
        if (m_act) dialog->CallAfter([act = std::move(m_act), dialog] { act(*dialog); });
        m_act = nullptr;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<void(wxDialog&)> m_act;
};

}  // namespace kelmio::test
