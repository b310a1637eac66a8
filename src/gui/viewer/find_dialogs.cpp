#include "gui/viewer/find_dialogs.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/prompter.h"
#include "gui/viewer/r_edit_ctrl.h"
#include "text/cp932.h"
#include "viewer/find_history.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

constexpr int kFindCombo = 109;
constexpr int kReplaceCombo = 110;
constexpr int kReplaceNextButton = 110;
constexpr int kSkipButton = 111;

std::string Utf8Of(const wxComboBox& combo) { return combo.GetValue().utf8_string(); }

wxComboBox* AddCombo(wxDialog& dialog, wxFlexGridSizer& grid, int id, const char* label,
                     const std::vector<std::string>& listed) {
    grid.Add(new wxStaticText(&dialog, wxID_ANY, WxText(label)), 0, wxALIGN_CENTER_VERTICAL);
    auto* combo = new wxComboBox(&dialog, id, wxString(), wxDefaultPosition, wxSize(260, -1));
    for (const std::string& entry : listed) combo->Append(ToWx(entry));
    if (!listed.empty()) combo->SetValue(ToWx(listed.front()));
    grid.Add(combo, 1, wxEXPAND);
    return combo;
}

// "開始" and "ｷｬﾝｾﾙ" below the fields; F1 asks for no help here.
void FinishInputDialog(wxDialog& dialog, wxSizer& fields) {
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(&dialog, wxID_OK, WxText("開始"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(&dialog, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(&fields, 1, wxEXPAND | wxALL, 10);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    dialog.SetSizerAndFit(top);
    dialog.Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
        if (event.GetKeyCode() != WXK_F1) event.Skip();
    });
    dialog.CentreOnParent();
}

}  // namespace

CFindDlg::CFindDlg(wxWindow* parent, CSettings& settings)
    : wxDialog(parent, 110, WxText("検索")), m_settings(settings), m_listed(LoadFindHistory(settings, kFindSection)) {
    auto* grid = new wxFlexGridSizer(2, 8, 8);
    grid->AddGrowableCol(1);
    m_pFind = AddCombo(*this, *grid, kFindCombo, "検索語(&W):", m_listed);
    FinishInputDialog(*this, *grid);
    Bind(wxEVT_BUTTON, &CFindDlg::OnOK, this, wxID_OK);
}

std::string CFindDlg::FindText() const { return Utf8Of(*m_pFind); }

void CFindDlg::OnOK(wxCommandEvent& event) {
    SaveFindHistory(m_settings, kFindSection, FromWx(m_pFind->GetValue()), m_listed);
    event.Skip();
}

CReplaceDlg::CReplaceDlg(wxWindow* parent, CSettings& settings)
    : wxDialog(parent, 1537, WxText("置換")),
      m_settings(settings),
      m_listedFind(LoadFindHistory(settings, kFindSection)),
      m_listedReplace(LoadFindHistory(settings, kReplaceSection)) {
    auto* grid = new wxFlexGridSizer(2, 8, 8);
    grid->AddGrowableCol(1);
    m_pFind = AddCombo(*this, *grid, kFindCombo, "検索語(&W):", m_listedFind);
    m_pReplace = AddCombo(*this, *grid, kReplaceCombo, "置換後(&R):", m_listedReplace);
    FinishInputDialog(*this, *grid);
    Bind(wxEVT_BUTTON, &CReplaceDlg::OnOK, this, wxID_OK);
}

std::string CReplaceDlg::FindText() const { return Utf8Of(*m_pFind); }
std::string CReplaceDlg::ReplaceText() const { return Utf8Of(*m_pReplace); }

void CReplaceDlg::OnOK(wxCommandEvent& event) {
    SaveFindHistory(m_settings, kFindSection, FromWx(m_pFind->GetValue()), m_listedFind);
    SaveFindHistory(m_settings, kReplaceSection, FromWx(m_pReplace->GetValue()), m_listedReplace);
    event.Skip();
}

CReplaceInfoDlg::CReplaceInfoDlg(wxWindow* parent, CREditCtrl& pane, CPrompter& prompter, std::string find,
                                 std::string replacement)
    : wxDialog(parent, 111, WxText("置換")),
      m_pane(pane),
      m_prompter(prompter),
      m_strFind(std::move(find)),
      m_strReplace(std::move(replacement)) {
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* next = new wxButton(this, kReplaceNextButton, WxText("置換して次へ(&R)"));
    next->SetDefault();
    buttons->Add(next, 0, wxALL, 5);
    buttons->Add(new wxButton(this, kSkipButton, WxText("次候補(&N)")), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_OK, WxText("全て置換")), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText("中止")), 0, wxALL, 5);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(buttons, 0, wxALL, 8);
    SetSizerAndFit(top);
    CentreOnParent();
    Bind(wxEVT_BUTTON, &CReplaceInfoDlg::OnReplaceNext, this, kReplaceNextButton);
    Bind(wxEVT_BUTTON, &CReplaceInfoDlg::OnSkip, this, kSkipButton);
    Bind(wxEVT_BUTTON, &CReplaceInfoDlg::OnReplaceAll, this, wxID_OK);
}

void CReplaceInfoDlg::FindNextOrClose() {
    if (m_pane.FindFirst(m_strFind)) return;
    m_prompter.Message(SjisText("見つかりません"), MessageButtons::kOk, MessageIcon::kExclamation);
    EndModal(wxID_CANCEL);
}

void CReplaceInfoDlg::OnReplaceNext(wxCommandEvent&) {
    m_pane.ReplaceSelection(m_strReplace);
    FindNextOrClose();
}

void CReplaceInfoDlg::OnSkip(wxCommandEvent&) { FindNextOrClose(); }

void CReplaceInfoDlg::OnReplaceAll(wxCommandEvent&) {
    const int count = m_pane.ReplaceAll(m_strFind, m_strReplace);
    m_prompter.Message(SjisText(std::to_string(count) + "個置換しました"), MessageButtons::kOk, MessageIcon::kQuestion);
    EndModal(wxID_OK);
}

}  // namespace kelmio
