#include "gui/platform/wx_prompter.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/toplevel.h>

#include "gui/dictionary/dic_answer_dialog.h"
#include "gui/dictionary/dic_opt_dialog.h"
#include "dictionary/dic_answer_dlg.h"
#include "gui/memo/input_dlg.h"
#include "gui/platform/file_filter.h"
#include "gui/platform/gtk_style.h"
#include "gui/platform/message_box_dlg.h"
#include "gui/platform/wx_text.h"
#include "gui/project/new_project_dialog.h"
#include "gui/project/project_dialog.h"
#include "gui/project/source_history_dialog.h"
#include "platform/default_extension.h"
#include "platform/file_io.h"
#include "platform/overwrite_question.h"

namespace kelmio {
namespace {

long FileDialogStyle(const CFileDialogEx& dialog) {
    long style = dialog.m_bOpen ? wxFD_OPEN : wxFD_SAVE;
    if (dialog.m_nFlags & kFileMustExist) style |= wxFD_FILE_MUST_EXIST;
    if (dialog.m_nFlags & kOverwritePrompt) style |= wxFD_OVERWRITE_PROMPT;
    return style;
}

}  // namespace

CWxPrompter::CWxPrompter(std::function<wxWindow*()> mainWindow) : m_mainWindow(std::move(mainWindow)) {}

wxWindow* CWxPrompter::Owner(DialogOwner owner) const {
    if (owner == DialogOwner::kCurrentDialog) {
        if (wxWindow* active = wxGetActiveWindow()) return wxGetTopLevelParent(active);
    }
    return ShownMainWindow();
}

Answer CWxPrompter::Message(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    CMessageBoxDlg box(Owner(DialogOwner::kCurrentDialog), text, buttons, icon);
    return box.Ask();
}

FileDialogResult CWxPrompter::ChooseFile(const CFileDialogEx& dialog) {
    wxFileName initial(ToWxPath(dialog.m_strFileName));
    // A pattern as the initial name only selects which files are listed.
    const bool isPattern = initial.GetFullName().find_first_of("*?") != wxString::npos;
    wxFileDialog chooser(Owner(dialog.m_owner), ToWx(dialog.m_strTitle), initial.GetPath(),
                         isPattern ? wxString() : initial.GetFullName(), ToWxWildcard(dialog.m_strFilter),
                         FileDialogStyle(dialog));
    if (dialog.m_nFilterIndex > 0) chooser.SetFilterIndex(dialog.m_nFilterIndex - 1);
    LabelFileChooserButtons(chooser, dialog.m_bOpen);

    FileDialogResult result;
    result.nFilterIndex = dialog.m_nFilterIndex;
    for (;;) {
        if (chooser.ShowModal() != wxID_OK) return result;
        result.nFilterIndex = chooser.GetFilterIndex() + 1;
        const CFilePath typed = FromWxPath(chooser.GetPath());
        result.strPath = typed;
        if (dialog.m_bOpen) break;
        result.strPath = CFilePath::FromNative(
            WithDefaultExtension(typed.Native(), dialog.m_strDefExt, dialog.m_strFilter, result.nFilterIndex));
        // The chooser asked about the name as typed only; a No to the file
        // with the extension added goes back to the chooser, as after its
        // own question.
        if (!(dialog.m_nFlags & kOverwritePrompt) || MayReplaceAddedName(*this, typed, result.strPath)) break;
    }
    result.nResult = kIdOk;
    return result;
}

int CWxPrompter::ChooseFolder(BrowseFolder& folder) {
    static const std::string defaultTitle = SjisText("フォルダ選択");
    const wxString start = folder.m_bCurrentDir ? wxGetCwd() : ToWxPath(folder.m_strPath);
    wxDirDialog chooser(Owner(DialogOwner::kCurrentDialog),
                        ToWx(folder.m_strTitle.empty() ? defaultTitle : folder.m_strTitle), start,
                        wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) return kIdCancel;
    folder.m_strPath = FromWxPath(chooser.GetPath());
    return kIdOk;
}

std::optional<std::string> CWxPrompter::Input(std::string_view prompt, std::string_view value) {
    CInputDlg dialog(Owner(DialogOwner::kCurrentDialog), std::string(prompt), std::string(value));
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.Value();
}

std::optional<CFilePath> CWxPrompter::InputPath(std::string_view prompt, const CFilePath& value) {
    CInputDlg dialog(Owner(DialogOwner::kCurrentDialog), std::string(prompt), "");
    dialog.SetPathValue(value);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.PathValue();
}

// Dialogs belong to the main window once it is on the screen; before that
// (a New Project dialog ahead of the window, a message about a project that
// cannot be opened) they stand alone.
wxWindow* CWxPrompter::ShownMainWindow() const {
    wxWindow* main = m_mainWindow ? m_mainWindow() : nullptr;
    return main != nullptr && main->IsShown() ? main : nullptr;
}

int CWxPrompter::RunNewProjectDialog(CNewProjectDlg& form) {
    CNewProjectDialog dialog(ShownMainWindow(), form);
    return dialog.ShowModal() == wxID_OK ? kIdOk : kIdCancel;
}

int CWxPrompter::RunProjectDialog(CProjectDlg& form) {
    CProjectDialog dialog(ShownMainWindow(), form);
    return dialog.ShowModal() == wxID_OK ? kIdOk : kIdCancel;
}

int CWxPrompter::RunSourceHistoryDialog(CSrcHistoryDlg& form) {
    CSourceHistoryDialog dialog(ShownMainWindow(), form);
    return dialog.ShowModal() == wxID_OK ? kIdOk : kIdCancel;
}

int CWxPrompter::RunDicAnswerDialog(CDicAnswerDlg& form) {
    CDicAnswerDialog dialog(ShownMainWindow(), form);
    return dialog.ShowModal() == wxID_OK ? kIdOk : kIdCancel;
}

int CWxPrompter::RunDicOptDialog(CDicOptDg& form) {
    CDicOptDialog dialog(ShownMainWindow(), form, *this);
    if (dialog.ShowModal() != wxID_OK) return kIdCancel;
    form = dialog.Result();
    return kIdOk;
}

}  // namespace kelmio
