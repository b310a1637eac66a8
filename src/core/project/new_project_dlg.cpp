#include "project/new_project_dlg.h"

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr std::string_view kSystem = "System";
constexpr std::string_view kNewFolder = "NewFolder";

CFilePath WithName(const CFilePath& name, std::string_view extension) {
    return CFilePath::FromNative(name.Native() + std::string(extension));
}

}  // namespace

CNewProjectDlg::CNewProjectDlg(CSettings& settings, CPrompter& prompter)
    : m_settings(settings), m_prompter(prompter) {}

void CNewProjectDlg::OnInitDialog() {
    m_strFolder = m_settings.GetPath(kSystem, kNewFolder);
    if (m_strFolder.empty()) m_strFolder = GetDocumentsFolder();
}

void CNewProjectDlg::OnNameChanged(const CFilePath& name) {
    const CFilePath oldName = m_strName;
    m_strName = name;
    if (m_strTextName.empty() || m_strTextName == oldName) m_strTextName = name;
}

void CNewProjectDlg::OnBrowseFolder() {
    BrowseFolder browse;
    browse.m_strPath = m_strFolder;
    browse.m_strTitle = SjisText("フォルダ選択");
    if (m_prompter.ChooseFolder(browse) != kIdOk) return;
    m_strFolder = browse.m_strPath;
    m_settings.WritePath(kSystem, kNewFolder, m_strFolder);
}

bool CNewProjectDlg::OnOK() {
    if (m_strName.empty()) {
        m_prompter.Message(SjisText("プロジェクト名を入力してください"), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    if (m_strTextName.empty()) {
        m_prompter.Message(SjisText("翻訳テキストファイル名を入力してください"), MessageButtons::kOk,
                           MessageIcon::kExclamation);
        return false;
    }
    CFilePath folder = TypedFolder(m_strFolder);
    if (m_bSubFolder) folder = folder.Join(m_strName);

    const CFilePath projectPath = folder.Join(WithName(m_strName, ".kmp"));
    if (PathExists(projectPath) &&
        m_prompter.Message(SjisText("同名のプロジェクトがそのフォルダに存在しますがよろしいですか？"),
                           MessageButtons::kYesNoCancel, MessageIcon::kQuestion) != Answer::kYes) {
        return false;
    }
    const CFilePath editPath = folder.Join(WithName(m_strTextName, ".txt"));
    if (PathExists(editPath) &&
        m_prompter.Message(SjisText("翻訳テキストファイルが既に存在しますがよろしいですか？"),
                           MessageButtons::kYesNoCancel, MessageIcon::kQuestion) != Answer::kYes) {
        return false;
    }
    if (!PathExists(folder) && !CreateFolderTree(folder)) {
        m_prompter.Message(SjisText("フォルダの作成に失敗しました"), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    m_strProjectPath = projectPath;
    m_strEditPath = editPath;
    m_settings.WritePath(kSystem, kNewFolder, m_strFolder);
    return true;
}

}  // namespace kelmio
