#include "gui/editor/editor_settings_dlg.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/fontpicker.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

wxCheckBox* AddCheck(wxWindow* page, wxSizer* sizer, const char* caption, bool value) {
    auto* box = new wxCheckBox(page, wxID_ANY, WxText(caption));
    box->SetValue(value);
    sizer->Add(box, 0, wxALL, 6);
    return box;
}

}  // namespace

CEditorSettingsDlg::CEditorSettingsDlg(wxWindow* parent, const CEditorSettings& settings, unsigned pages)
    : m_settings(settings) {
    Create(parent, wxID_ANY, WxText("エディタの設定"));
    CreateButtons(wxOK | wxCANCEL);
    wxBookCtrlBase* book = GetBookCtrl();
    if (pages & kPageGeneral) book->AddPage(MakeGeneralPage(book), WxText("全般"));
    if (pages & kPageDisplay) book->AddPage(MakeDisplayPage(book), WxText("表示"));
    if (pages & kPageFont) book->AddPage(MakeFontPage(book), WxText("フォント"));
    if (wxWindow* cancel = FindWindow(wxID_CANCEL)) cancel->SetLabel(WxText("ｷｬﾝｾﾙ"));
    LayoutDialog();
}

wxWindow* CEditorSettingsDlg::MakeGeneralPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* tabRow = new wxBoxSizer(wxHORIZONTAL);
    tabRow->Add(new wxStaticText(page, wxID_ANY, WxText("タブの幅(&T):")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    m_pTabSize = new wxSpinCtrl(page, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                                CEditorSettings::kMinTabSize, CEditorSettings::kMaxTabSize, m_settings.m_nTabSize);
    tabRow->Add(m_pTabSize, 0);
    sizer->Add(tabRow, 0, wxALL, 6);
    m_pWordWrap = AddCheck(page, sizer, "ウィンドウの幅で折り返す(&W)", m_settings.m_bWordWrap);
    m_pCaretLine = AddCheck(page, sizer, "カーソル行を強調する(&C)", m_settings.m_bHighlightCaretLine);
    page->SetSizer(sizer);
    return page;
}

wxWindow* CEditorSettingsDlg::MakeDisplayPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pLineNumbers = AddCheck(page, sizer, "行番号を表示する(&N)", m_settings.m_bLineNumbers);
    m_pLineEnds = AddCheck(page, sizer, "改行マークを表示する(&R)", m_settings.m_bShowLineEnds);
    m_pTabs = AddCheck(page, sizer, "タブと空白を表示する(&T)", m_settings.m_bShowTabs);
    m_pWideSpaces = AddCheck(page, sizer, "全角スペースを表示する(&Z)", m_settings.m_bShowWideSpaces);
    page->SetSizer(sizer);
    return page;
}

wxWindow* CEditorSettingsDlg::MakeFontPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(page, wxID_ANY, WxText("フォント(&F):")), 0, wxALL, 6);
    const wxFont font(wxFontInfo(m_settings.m_nFontSize).FaceName(ToWx(m_settings.m_strFontName)));
    m_pFont = new wxFontPickerCtrl(page, wxID_ANY, font, wxDefaultPosition, wxDefaultSize,
                                   wxFNTP_FONTDESC_AS_LABEL | wxFNTP_USEFONT_FOR_LABEL);
    m_pFont->SetMinPointSize(CEditorSettings::kMinFontSize);
    m_pFont->SetMaxPointSize(CEditorSettings::kMaxFontSize);
    sizer->Add(m_pFont, 0, wxEXPAND | wxALL, 6);
    page->SetSizer(sizer);
    return page;
}

CEditorSettings CEditorSettingsDlg::Result() const {
    CEditorSettings result = m_settings;
    if (m_pTabSize != nullptr) result.m_nTabSize = m_pTabSize->GetValue();
    if (m_pWordWrap != nullptr) result.m_bWordWrap = m_pWordWrap->GetValue();
    if (m_pCaretLine != nullptr) result.m_bHighlightCaretLine = m_pCaretLine->GetValue();
    if (m_pLineNumbers != nullptr) result.m_bLineNumbers = m_pLineNumbers->GetValue();
    if (m_pLineEnds != nullptr) result.m_bShowLineEnds = m_pLineEnds->GetValue();
    if (m_pTabs != nullptr) result.m_bShowTabs = m_pTabs->GetValue();
    if (m_pWideSpaces != nullptr) result.m_bShowWideSpaces = m_pWideSpaces->GetValue();
    if (m_pFont != nullptr) {
        const wxFont font = m_pFont->GetSelectedFont();
        if (font.IsOk()) {
            result.m_strFontName = FromWx(font.GetFaceName());
            result.m_nFontSize = font.GetPointSize();
        }
    }
    return result;
}

}  // namespace kelmio
