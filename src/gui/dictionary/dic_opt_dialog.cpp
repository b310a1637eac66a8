#include "gui/dictionary/dic_opt_dialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/dialog_buttons.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

CDicOptDialog::CDicOptDialog(wxWindow* parent, const CDicOptDg& form, CPrompter& prompter)
    : wxDialog(parent, wxID_ANY, ToWx(CDicOptDg::Caption())), m_prompter(prompter) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, WxText("使用する辞書ソフトを設定してください。")), 0, wxALL, 8);
    wxArrayString kinds;
    for (const std::string& text : CDicOptDg::KindTexts()) kinds.Add(ToWx(text));
    m_pKind = new wxChoice(this, kKindId, wxDefaultPosition, wxDefaultSize, kinds);
    sizer->Add(m_pKind, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* custom = new wxStaticBoxSizer(wxVERTICAL, this, WxText("カスタム"));
    custom->Add(new wxStaticText(custom->GetStaticBox(), wxID_ANY, WxText("ソフトのパス(&S)")), 0, wxALL, 4);
    auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
    m_pPath = new wxTextCtrl(custom->GetStaticBox(), kPathId, "", wxDefaultPosition, wxSize(300, -1));
    pathRow->Add(m_pPath, 1, wxRIGHT, 4);
    auto* browse = new wxButton(custom->GetStaticBox(), kBrowseId, WxText("参照(&R)..."));
    pathRow->Add(browse);
    custom->Add(pathRow, 0, wxEXPAND | wxALL, 4);
    custom->Add(new wxStaticText(custom->GetStaticBox(), wxID_ANY, WxText("パラメータ")), 0, wxALL, 4);
    m_pParam = new wxTextCtrl(custom->GetStaticBox(), kParamId, "");
    custom->Add(m_pParam, 0, wxEXPAND | wxALL, 4);
    sizer->Add(custom, 0, wxEXPAND | wxALL, 8);

    sizer->Add(OkCancelButtons(*this), 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(sizer);

    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
    ShowFields(form);
    CentreOnParent();
}

void CDicOptDialog::ShowFields(const CDicOptDg& form) {
    const bool listed = form.m_nKind >= 0 && form.m_nKind < kDicKindCount;
    m_pKind->SetSelection(listed ? form.m_nKind : wxNOT_FOUND);
    m_pPath->ChangeValue(ToWx(form.m_strPath));
    m_pParam->ChangeValue(ToWx(form.m_strParam));
}

CDicOptDg CDicOptDialog::Result() const {
    const int selection = m_pKind->GetSelection();
    return CDicOptDg(selection == wxNOT_FOUND ? -1 : selection, FromWx(m_pPath->GetValue()),
                     FromWx(m_pParam->GetValue()));
}

// The fields are read back first, so parameters typed before browsing stay.
void CDicOptDialog::OnBrowse() {
    CDicOptDg form = Result();
    if (form.OnBrowse(m_prompter)) ShowFields(form);
}

}  // namespace kelmio
