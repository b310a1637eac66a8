#pragma once
// The prompter of the running application: real message boxes, file and
// folder choosers and dialogs, owned by the main window when there is one.

#include <functional>

#include "platform/prompter.h"

class wxWindow;

namespace kelmio {

class CWxPrompter final : public CPrompter {
public:
    // `mainWindow` gives the current main window, or null before it exists.
    explicit CWxPrompter(std::function<wxWindow*()> mainWindow);

    Answer Message(std::string_view text, MessageButtons buttons, MessageIcon icon) override;
    FileDialogResult ChooseFile(const CFileDialogEx& dialog) override;
    int ChooseFolder(BrowseFolder& folder) override;
    std::optional<std::string> Input(std::string_view prompt, std::string_view value) override;
    std::optional<CFilePath> InputPath(std::string_view prompt, const CFilePath& value) override;
    int RunNewProjectDialog(CNewProjectDlg& form) override;
    int RunProjectDialog(CProjectDlg& form) override;
    int RunSourceHistoryDialog(CSrcHistoryDlg& form) override;
    int RunDicAnswerDialog(CDicAnswerDlg& form) override;
    int RunDicOptDialog(CDicOptDg& form) override;

private:
    wxWindow* Owner(DialogOwner owner) const;
    wxWindow* ShownMainWindow() const;

    std::function<wxWindow*()> m_mainWindow;
};

}  // namespace kelmio
