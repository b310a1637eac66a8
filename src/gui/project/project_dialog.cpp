#include "gui/project/project_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/wx_text.h"
#include "project/project_dlg.h"

namespace kelmio {
namespace {

constexpr int kGap = 8;
constexpr int kEditWidth = 440;

}  // namespace

CProjectDialog::CProjectDialog(wxWindow* parent, CProjectDlg& form)
    : wxDialog(parent, wxID_ANY, WxText("プロジェクトの設定")), m_form(form) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const auto row = [&](const char* caption, int editId, int buttonId, const char* button) {
        sizer->Add(new wxStaticText(this, wxID_ANY, WxText(caption)), 0, wxLEFT | wxRIGHT | wxTOP, kGap);
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        auto* edit = new wxTextCtrl(this, editId, wxString(), wxDefaultPosition, wxSize(kEditWidth, -1));
        line->Add(edit, 1, wxALIGN_CENTER_VERTICAL);
        line->Add(new wxButton(this, buttonId, WxText(button)), 0, wxLEFT | wxALIGN_CENTER_VERTICAL, kGap / 2);
        sizer->Add(line, 0, wxEXPAND | wxLEFT | wxRIGHT, kGap);
        return edit;
    };
    m_pSource = row("ソースファイル(&S):", kSourceId, kBrowseSourceId, "参照(&R)...");
    m_pEditFile = row("翻訳テキストファイル(&T)", kEditFileId, kBrowseEditFileId, "参照(&B)...");

    auto* buttons = new wxStdDialogButtonSizer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->AddButton(ok);
    buttons->AddButton(new wxButton(this, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));
    buttons->Realize();
    sizer->Add(buttons, 0, wxEXPAND | wxALL, kGap);
    SetSizerAndFit(sizer);
    ShowMembers();

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        TakeValues();
        m_form.OnBrowseSource();
        ShowMembers();
    }, kBrowseSourceId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        TakeValues();
        m_form.OnBrowseEditFile();
        ShowMembers();
    }, kBrowseEditFileId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        TakeValues();
        m_form.OnOK();
        EndModal(wxID_OK);
    }, wxID_OK);
    CentreOnParent();
}

void CProjectDialog::ShowMembers() {
    m_pSource->ChangeValue(ToWxPath(m_form.m_strSrcFile));
    m_pEditFile->ChangeValue(ToWxPath(m_form.m_strEditFile));
}

void CProjectDialog::TakeValues() {
    m_form.m_strSrcFile = FromWxPath(m_pSource->GetValue());
    m_form.m_strEditFile = FromWxPath(m_pEditFile->GetValue());
}

}  // namespace kelmio
