#include "gui/keys/key_set_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>

#include "gui/keys/key_list_box.h"
#include "gui/platform/wx_text.h"
#include "keys/key_set_form.h"

namespace kelmio {

CKeySetDialog::CKeySetDialog(wxWindow* parent, CKeySetDlg& form)
    : wxDialog(parent, wxID_ANY, WxText("キーカスタマイズ"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_form(form) {
    m_pList = new CKeyListBox(this, kListId);

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    const std::pair<int, const char*> labels[] = {{kAddId, "追加(&A)..."},   {kChangeId, "変更(&E)..."},
                                                  {kDeleteId, "削除(&D)..."}, {kReadId, "読込(&R)..."},
                                                  {kSaveAsId, "別名保存(&S)..."}};
    for (const auto& [id, label] : labels) buttons->Add(new wxButton(this, id, WxText(label)), 0, wxEXPAND | wxBOTTOM, 6);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(m_pList, 1, wxEXPAND | wxRIGHT, 10);
    top->Add(buttons, 0);

    m_pEditorKeysFirst =
        new wxCheckBox(this, kEditorKeysFirstId, WxText("[テキストエリアの設定]のキーカスタマイズを優先する(&X)"));
    auto* close = new wxButton(this, wxID_OK, WxText("保存して閉じる"));
    close->SetDefault();

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->Add(m_pEditorKeysFirst, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    bottom->Add(close, 0);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND | wxALL, 10);
    sizer->Add(bottom, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);

    m_form.OnInitDialog();
    m_pEditorKeysFirst->SetValue(m_form.m_bEditorKeysFirst);
    ShowList();

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnAdd); }, kAddId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnChange); }, kChangeId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnDelete); }, kDeleteId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnRead); }, kReadId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnSaveAs); }, kSaveAsId);
    m_pList->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { Run(&CKeySetDlg::OnChange); });
    Bind(wxEVT_BUTTON, &CKeySetDialog::OnSaveAndClose, this, wxID_OK);
    // The close box and Escape keep the edits in memory but write nothing;
    // the only button that saves must not be what Escape presses.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(wxID_CANCEL); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
            EndModal(wxID_CANCEL);
            return;
        }
        event.Skip();
    });
    CentreOnParent();
}

void CKeySetDialog::ShowList() {
    m_pList->SetRows(m_form.GetRows(), m_form.GetKeyColumnWidth());
    if (!m_form.GetRows().empty()) m_pList->ScrollToRow(static_cast<size_t>(m_form.m_nTopIndex));
    m_pList->SetSelection(m_form.m_nSelected);
}

void CKeySetDialog::TakeSelection() {
    m_form.m_nSelected = m_pList->GetSelection();
    m_form.m_nTopIndex = static_cast<int>(m_pList->GetVisibleRowsBegin());
    m_form.m_bEditorKeysFirst = m_pEditorKeysFirst->GetValue();
}

void CKeySetDialog::Run(void (CKeySetDlg::*operation)()) {
    TakeSelection();
    (m_form.*operation)();
    ShowList();
}

void CKeySetDialog::OnSaveAndClose(wxCommandEvent&) {
    TakeSelection();
    m_form.OnSaveAndClose();
    EndModal(wxID_OK);
}

}  // namespace kelmio
