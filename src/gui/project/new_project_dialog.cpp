#include "gui/project/new_project_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/wx_text.h"
#include "project/new_project_dlg.h"

namespace kelmio {
namespace {

constexpr int kGap = 8;
constexpr int kEditWidth = 380;

// Sets a control's text without raising its change event and without
// moving its caret when nothing changed.
void ShowText(wxTextCtrl& edit, const wxString& text) {
    if (edit.GetValue() != text) edit.ChangeValue(text);
}

}  // namespace

CNewProjectDialog::CNewProjectDialog(wxWindow* parent, CNewProjectDlg& form)
    : wxDialog(parent, wxID_ANY, WxText("新規プロジェクト")), m_form(form) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const auto label = [&](const char* text) {
        sizer->Add(new wxStaticText(this, wxID_ANY, WxText(text)), 0, wxLEFT | wxRIGHT | wxTOP, kGap);
    };

    label("プロジェクト名(&N):");
    m_pName = new wxTextCtrl(this, kNameId, wxString(), wxDefaultPosition, wxSize(kEditWidth, -1));
    sizer->Add(m_pName, 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);

    label("フォルダ(&F):");
    auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
    m_pFolder = new wxTextCtrl(this, kFolderId);
    folderRow->Add(m_pFolder, 1, wxALIGN_CENTER_VERTICAL);
    folderRow->Add(new wxButton(this, kBrowseId, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT), 0,
                   wxLEFT | wxALIGN_CENTER_VERTICAL, kGap / 2);
    sizer->Add(folderRow, 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);

    m_pSubFolder = new wxCheckBox(this, kSubFolderId, WxText("プロジェクト名でサブフォルダ作成(&P)"));
    sizer->Add(m_pSubFolder, 0, wxLEFT | wxRIGHT | wxTOP, kGap);

    label("翻訳テキストファイル名(&T)");
    auto* textRow = new wxBoxSizer(wxHORIZONTAL);
    m_pTextName = new wxTextCtrl(this, kTextNameId);
    textRow->Add(m_pTextName, 1, wxALIGN_CENTER_VERTICAL);
    textRow->Add(new wxStaticText(this, wxID_ANY, ".TXT"), 0, wxLEFT | wxALIGN_CENTER_VERTICAL, kGap / 2);
    sizer->Add(textRow, 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);

    auto* buttons = new wxStdDialogButtonSizer();
    auto* create = new wxButton(this, wxID_OK, WxText("作成"));
    create->SetDefault();
    buttons->AddButton(create);
    buttons->AddButton(new wxButton(this, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));
    buttons->Realize();
    sizer->Add(buttons, 0, wxEXPAND | wxALL, kGap);
    SetSizerAndFit(sizer);

    ShowMembers();
    m_pName->SetFocus();
    m_pName->Bind(wxEVT_TEXT, &CNewProjectDialog::OnNameChanged, this);
    Bind(wxEVT_BUTTON, &CNewProjectDialog::OnBrowse, this, kBrowseId);
    Bind(wxEVT_BUTTON, &CNewProjectDialog::OnCreate, this, wxID_OK);
    CentreOnParent();
}

void CNewProjectDialog::ShowMembers() {
    ShowText(*m_pName, ToWxPath(m_form.m_strName));
    ShowText(*m_pFolder, ToWxPath(m_form.m_strFolder));
    m_pSubFolder->SetValue(m_form.m_bSubFolder);
    ShowText(*m_pTextName, ToWxPath(m_form.m_strTextName));
}

void CNewProjectDialog::TakeValues(bool withName) {
    if (withName) m_form.m_strName = FromWxPath(m_pName->GetValue());
    m_form.m_strFolder = FromWxPath(m_pFolder->GetValue());
    m_form.m_bSubFolder = m_pSubFolder->GetValue();
    m_form.m_strTextName = FromWxPath(m_pTextName->GetValue());
}

// The form compares the new name with the one it had, so the name is the
// one value not taken before it is told.
void CNewProjectDialog::OnNameChanged(wxCommandEvent&) {
    TakeValues(false);
    m_form.OnNameChanged(FromWxPath(m_pName->GetValue()));
    ShowMembers();
}

void CNewProjectDialog::OnBrowse(wxCommandEvent&) {
    TakeValues(true);
    m_form.OnBrowseFolder();
    ShowMembers();
}

void CNewProjectDialog::OnCreate(wxCommandEvent&) {
    TakeValues(true);
    const bool done = m_form.OnOK();
    ShowMembers();
    if (done) EndModal(wxID_OK);
}

}  // namespace kelmio
