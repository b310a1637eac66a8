#include "project/project_dlg.h"

#include "platform/prompter.h"
#include "project/file_filters.h"
#include "project/kelmio_data.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

CFileDialogEx BrowseDialog(std::string_view initialName, std::string_view filter) {
    return CFileDialogEx{
        .m_bOpen = true,
        .m_strDefExt = std::string("*"),
        .m_strFileName = std::string(initialName),
        .m_nFlags = kPathMustExist | kHideReadOnly,
        .m_strFilter = std::string(filter),
        .m_owner = DialogOwner::kCurrentDialog,
        .m_strTitle = SjisText("ファイルの参照"),
        .m_nFilterIndex = 0,
    };
}

}  // namespace

CProjectDlg::CProjectDlg(CKelmioData& data, CPrompter& prompter) : m_data(data), m_prompter(prompter) {}

void CProjectDlg::OnInitDialog() {
    m_strEditFile = m_data.m_strEditFile;
    m_strSrcFile = m_data.m_strSrcFile;
}

void CProjectDlg::OnBrowseSource() {
    const FileDialogResult result = m_prompter.ChooseFile(BrowseDialog("*.*", SourceFileFilter()));
    if (result.nResult == kIdOk) m_strSrcFile = result.strPath;
}

void CProjectDlg::OnBrowseEditFile() {
    const FileDialogResult result = m_prompter.ChooseFile(BrowseDialog("*.txt", TextFileFilterSpaced()));
    if (result.nResult == kIdOk) m_strEditFile = result.strPath;
}

void CProjectDlg::OnOK() {
    m_data.SetSource(m_strSrcFile);
    m_data.m_strEditFile = m_strEditFile;
}

}  // namespace kelmio
