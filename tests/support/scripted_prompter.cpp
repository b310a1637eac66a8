#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include "text/cp932.h"

namespace kelmio::test {

void CScriptedPrompter::ExpectMessage(Answer answer) { m_script.emplace_back(answer); }

void CScriptedPrompter::ExpectFile(CFilePath path, int filterIndex) {
    m_script.emplace_back(FileDialogResult{kIdOk, std::move(path), filterIndex});
}

void CScriptedPrompter::ExpectFileCancel() { m_script.emplace_back(FileDialogResult{kIdCancel, "", 0}); }

void CScriptedPrompter::ExpectFolder(std::optional<std::string> folder) {
    m_script.emplace_back(FolderAnswer{std::move(folder)});
}

void CScriptedPrompter::ExpectInput(std::optional<std::string> value) {
    m_script.emplace_back(InputAnswer{std::move(value), std::nullopt});
}

void CScriptedPrompter::ExpectInputPath(const CFilePath& typed) {
    m_script.emplace_back(InputAnswer{typed.Display(), typed});
}

void CScriptedPrompter::ExpectNewProjectDialog(std::function<int(CNewProjectDlg&)> run) {
    m_script.emplace_back(NewProjectRun(std::move(run)));
}

void CScriptedPrompter::ExpectProjectDialog(std::function<int(CProjectDlg&)> run) {
    m_script.emplace_back(ProjectRun(std::move(run)));
}

void CScriptedPrompter::ExpectSourceHistoryDialog(std::function<int(CSrcHistoryDlg&)> run) {
    m_script.emplace_back(SourceHistoryRun(std::move(run)));
}

void CScriptedPrompter::ExpectDicAnswerDialog(std::function<int(CDicAnswerDlg&)> run) {
    m_script.emplace_back(DicAnswerRun{std::move(run)});
}

void CScriptedPrompter::ExpectDicOptDialog(std::function<int(CDicOptDg&)> run) {
    m_script.emplace_back(DicOptRun{std::move(run)});
}

template <typename T>
std::optional<T> CScriptedPrompter::Next(const char* what) {
    if (m_script.empty() || !std::holds_alternative<T>(m_script.front())) {
        ADD_FAILURE() << "unexpected " << what << (m_script.empty() ? " (script is empty)" : " (script expects another step)");
        return std::nullopt;
    }
    T step = std::get<T>(std::move(m_script.front()));
    m_script.pop_front();
    return step;
}

Answer CScriptedPrompter::Message(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    m_messages.push_back({std::string(text), buttons, icon});
    const std::optional<Answer> answer = Next<Answer>(("message: " + Cp932ToUtf8(text)).c_str());
    return answer.value_or(Answer::kCancel);
}

FileDialogResult CScriptedPrompter::ChooseFile(const CFileDialogEx& dialog) {
    m_fileDialogs.push_back(dialog);
    return Next<FileDialogResult>(("file dialog: " + Cp932ToUtf8(dialog.m_strTitle)).c_str())
        .value_or(FileDialogResult{});
}

int CScriptedPrompter::ChooseFolder(BrowseFolder& folder) {
    m_folderDialogs.push_back(folder);
    const std::optional<FolderAnswer> answer = Next<FolderAnswer>("folder dialog");
    if (!answer || !answer->folder) return kIdCancel;
    folder.m_strPath = *answer->folder;
    return kIdOk;
}

std::optional<std::string> CScriptedPrompter::Input(std::string_view prompt, std::string_view value) {
    m_inputPrompts.emplace_back(prompt);
    m_inputValues.emplace_back(value);
    const std::optional<InputAnswer> answer = Next<InputAnswer>("input dialog");
    return answer ? answer->value : std::nullopt;
}

std::optional<CFilePath> CScriptedPrompter::InputPath(std::string_view prompt, const CFilePath& value) {
    m_inputPrompts.emplace_back(prompt);
    m_inputValues.push_back(value.Display());
    const std::optional<InputAnswer> answer = Next<InputAnswer>("input dialog");
    if (!answer || !answer->value) return std::nullopt;
    return answer->typed ? *answer->typed : CFilePath(*answer->value);
}

int CScriptedPrompter::RunNewProjectDialog(CNewProjectDlg& form) {
    ++m_newProjectDialogs;
    const std::optional<NewProjectRun> run = Next<NewProjectRun>("new project dialog");
    return run ? (*run)(form) : kIdCancel;
}

int CScriptedPrompter::RunProjectDialog(CProjectDlg& form) {
    ++m_projectDialogs;
    const std::optional<ProjectRun> run = Next<ProjectRun>("project dialog");
    return run ? (*run)(form) : kIdCancel;
}

int CScriptedPrompter::RunSourceHistoryDialog(CSrcHistoryDlg& form) {
    const std::optional<SourceHistoryRun> run = Next<SourceHistoryRun>("source history dialog");
    return run ? (*run)(form) : kIdCancel;
}

int CScriptedPrompter::RunDicAnswerDialog(CDicAnswerDlg& form) {
    const std::optional<DicAnswerRun> step = Next<DicAnswerRun>("dictionary answer dialog");
    return step ? step->run(form) : kIdCancel;
}

int CScriptedPrompter::RunDicOptDialog(CDicOptDg& form) {
    const std::optional<DicOptRun> step = Next<DicOptRun>("dictionary settings dialog");
    return step ? step->run(form) : kIdCancel;
}

}  // namespace kelmio::test
