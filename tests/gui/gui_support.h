#pragma once
// Helpers for tests that drive real windows.

#include <wx/app.h>
#include <wx/utils.h>

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

// Answers every question with a fixed answer and remembers the texts.
class CRecordingPrompter final : public CPrompter {
public:
    Answer Message(std::string_view text, MessageButtons, MessageIcon) override {
        m_messages.emplace_back(text);
        return Answer::kOk;
    }
    FileDialogResult ChooseFile(const CFileDialogEx&) override { return {}; }
    int ChooseFolder(BrowseFolder&) override { return kIdCancel; }
    std::optional<std::string> Input(std::string_view, std::string_view) override { return std::nullopt; }
    int RunNewProjectDialog(CNewProjectDlg&) override { return kIdCancel; }
    int RunProjectDialog(CProjectDlg&) override { return kIdCancel; }
    int RunSourceHistoryDialog(CSrcHistoryDlg&) override { return kIdCancel; }
    int RunDicAnswerDialog(CDicAnswerDlg&) override { return kIdCancel; }
    int RunDicOptDialog(CDicOptDg&) override { return kIdCancel; }

    std::vector<std::string> m_messages;
};

}  // namespace kelmio::test
