#pragma once
// A prompter that answers from a script and records every question, so a
// test reads like the conversation it checks:
//
//   prompter.ExpectMessage(Answer::kCancel);
//   doc.SaveModified();
//   EXPECT_EQ(prompter.Messages()[0].text, Sj("翻訳テキストを保存しますか？"));
//
// A question the script did not expect fails the test and is answered with
// Cancel.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/prompter.h"

namespace kelmio::test {

struct MessageRecord {
    std::string text;  // Shift-JIS
    MessageButtons buttons;
    MessageIcon icon;
};

class CScriptedPrompter final : public CPrompter {
public:
    // Script steps, answered in the order they were given.
    void ExpectMessage(Answer answer);
    void ExpectFile(CFilePath path, int filterIndex = 1);
    void ExpectFileCancel();
    void ExpectFolder(std::optional<std::string> folder);
    void ExpectInput(std::optional<std::string> value);
    // Text typed as is: a name or address asked for as one keeps it whole,
    // a Shift-JIS answer has "?" for each character without a form.
    void ExpectInputPath(const CFilePath& typed);
    void ExpectNewProjectDialog(std::function<int(CNewProjectDlg&)> run);
    void ExpectProjectDialog(std::function<int(CProjectDlg&)> run);
    void ExpectSourceHistoryDialog(std::function<int(CSrcHistoryDlg&)> run);
    void ExpectDicAnswerDialog(std::function<int(CDicAnswerDlg&)> run);
    void ExpectDicOptDialog(std::function<int(CDicOptDg&)> run);

    // What was asked.
    const std::vector<MessageRecord>& Messages() const { return m_messages; }
    const std::vector<CFileDialogEx>& FileDialogs() const { return m_fileDialogs; }
    const std::vector<BrowseFolder>& FolderDialogs() const { return m_folderDialogs; }
    const std::vector<std::string>& InputPrompts() const { return m_inputPrompts; }
    const std::vector<std::string>& InputValues() const { return m_inputValues; }
    int NewProjectDialogs() const { return m_newProjectDialogs; }
    int ProjectDialogs() const { return m_projectDialogs; }
    bool ScriptDone() const { return m_script.empty(); }

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
    struct FolderAnswer {
        std::optional<std::string> folder;
    };
    struct InputAnswer {
        std::optional<std::string> value;
        std::optional<CFilePath> typed;  // set when the text was typed as a name
    };
    using NewProjectRun = std::function<int(CNewProjectDlg&)>;
    using ProjectRun = std::function<int(CProjectDlg&)>;
    using SourceHistoryRun = std::function<int(CSrcHistoryDlg&)>;
    struct DicAnswerRun {
        std::function<int(CDicAnswerDlg&)> run;
    };
    struct DicOptRun {
        std::function<int(CDicOptDg&)> run;
    };
    using Step = std::variant<Answer, FileDialogResult, FolderAnswer, InputAnswer, NewProjectRun, ProjectRun,
                              SourceHistoryRun, DicAnswerRun, DicOptRun>;

    template <typename T>
    std::optional<T> Next(const char* what);

    std::deque<Step> m_script;
    std::vector<MessageRecord> m_messages;
    std::vector<CFileDialogEx> m_fileDialogs;
    std::vector<BrowseFolder> m_folderDialogs;
    std::vector<std::string> m_inputPrompts;
    std::vector<std::string> m_inputValues;
    int m_newProjectDialogs = 0;
    int m_projectDialogs = 0;
};

}  // namespace kelmio::test
