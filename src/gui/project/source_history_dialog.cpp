#include "gui/project/source_history_dialog.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "project/source_history_dlg.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

CSourceHistoryDialog::CSourceHistoryDialog(wxWindow* parent, CSrcHistoryDlg& form)
    : wxDialog(parent, 191, ToWx(CSrcHistoryDlg::Caption()), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_form(form) {
    m_pList = new wxListCtrl(this, 1025, wxDefaultPosition, wxSize(520, 220),
                             wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    m_pList->AppendColumn(ToWx(CSrcHistoryDlg::FileNameColumn()), wxLIST_FORMAT_LEFT, 100);
    m_pList->AppendColumn(ToWx(CSrcHistoryDlg::FolderColumn()), wxLIST_FORMAT_LEFT, 100);
    long index = 0;
    for (const SourceHistoryRow& row : form.Rows()) {
        m_pList->InsertItem(index, ToWxPath(row.strFileName));
        m_pList->SetItem(index, 1, ToWxPath(row.strFolder));
        ++index;
    }
    // Wide enough for both the header and the longest entry.
    for (int column = 0; column < 2; ++column) {
        m_pList->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
        const int header = m_pList->GetColumnWidth(column);
        m_pList->SetColumnWidth(column, wxLIST_AUTOSIZE);
        if (m_pList->GetColumnWidth(column) < header) m_pList->SetColumnWidth(column, header);
    }
    if (form.InitialSelection() >= 0) {
        m_pList->SetItemState(form.InitialSelection(), wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                              wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText("ｷｬﾝｾﾙ")));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(m_pList, 1, wxEXPAND | wxALL, 8);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);
    CentreOnParent();
    m_pList->SetFocus();
    Bind(wxEVT_BUTTON, &CSourceHistoryDialog::OnOK, this, wxID_OK);
    m_pList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CSourceHistoryDialog::OnActivated, this);
}

void CSourceHistoryDialog::Choose() {
    const long selected = m_pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    // Without a chosen row the dialog stays open: OK must name a source.
    if (m_form.OnOK(static_cast<int>(selected))) EndModal(wxID_OK);
}

void CSourceHistoryDialog::OnOK(wxCommandEvent&) { Choose(); }

void CSourceHistoryDialog::OnActivated(wxListEvent&) { Choose(); }

}  // namespace kelmio
