#include "gui/imaging/image_format_sheet.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/cursor.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/filedlgcustomize.h>
#include <wx/filename.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/platform/file_chooser_type.h"
#include "gui/platform/file_filter.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "gui/platform/wx_text.h"

namespace kelmio {

CImageFormatSheetDlg::CImageFormatSheetDlg(wxWindow* parent, CImageFormatSheet form, CPrompter& prompter)
    : m_form(std::move(form)), m_prompter(prompter) {
    Create(parent, wxID_ANY, ToWx(ImageFormatSheetCaption()));
    CreateButtons(wxOK | wxCANCEL);
    switch (m_form.m_page) {
        case FormatPage::kGif: AddGifOrPngPage("GIF形式", m_form.m_gif); break;
        case FormatPage::kPng: AddGifOrPngPage("PNG形式", m_form.m_png); break;
        case FormatPage::kJpeg: AddJpegPage(); break;
        case FormatPage::kTiff: AddTiffPage(); break;
        case FormatPage::kNone: break;
    }
    LayoutDialog();
}

void CImageFormatSheetDlg::AddGifOrPngPage(const char* title, const CGifSetPage& page) {
    auto* panel = new wxPanel(GetBookCtrl());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pInterlace = new wxCheckBox(panel, kInterlaceId, WxText("インターレース形式で保存(&I)"));
    m_pTransparent = new wxCheckBox(panel, kTransparentId, WxText("透過形式で保存(&T)"));
    m_pInterlace->SetValue(page.m_bInterlace != 0);
    m_pTransparent->SetValue(page.m_bTransparent != 0);
    sizer->Add(m_pInterlace, 0, wxALL, 8);
    sizer->Add(m_pTransparent, 0, wxLEFT | wxRIGHT, 8);
    sizer->Add(new wxStaticText(panel, wxID_ANY, WxText("(背景色が透過色になります)")), 0, wxALL, 8);
    panel->SetSizer(sizer);
    GetBookCtrl()->AddPage(panel, WxText(title), true);
}

void CImageFormatSheetDlg::AddJpegPage() {
    auto* panel = new wxPanel(GetBookCtrl());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pInterlace = new wxCheckBox(panel, kInterlaceId, WxText("プログレッシブ形式で保存(&P)"));
    m_pInterlace->SetValue(m_form.m_jpeg.m_bInterlace != 0);
    sizer->Add(m_pInterlace, 0, wxALL, 8);
    auto* quality = new wxBoxSizer(wxHORIZONTAL);
    quality->Add(new wxStaticText(panel, wxID_ANY, WxText("圧縮品質係数(&Q):")), 0, wxALIGN_CENTER_VERTICAL);
    m_pQuality = new wxTextCtrl(panel, kQualityId, wxString::Format("%d", m_form.m_jpeg.m_nQuality),
                                wxDefaultPosition, wxSize(60, -1));
    quality->Add(m_pQuality, 0, wxLEFT, 6);
    quality->Add(new wxStaticText(panel, wxID_ANY, WxText("(0～100)")), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    sizer->Add(quality, 0, wxLEFT | wxRIGHT, 8);
    auto* sampling = new wxBoxSizer(wxHORIZONTAL);
    sampling->Add(new wxStaticText(panel, wxID_ANY, WxText("サブサンプリング(&S):")), 0, wxALIGN_CENTER_VERTICAL);
    m_pChoice = new wxChoice(panel, kSubSamplingId);
    for (const std::string& text : CJpegSetDlg::SubSamplingTexts()) m_pChoice->Append(ToWx(text));
    m_pChoice->SetSelection(m_form.m_jpeg.m_nSubSampling);
    sampling->Add(m_pChoice, 0, wxLEFT, 6);
    sizer->Add(sampling, 0, wxALL, 8);
    panel->SetSizer(sizer);
    GetBookCtrl()->AddPage(panel, WxText("JPEG形式"), true);
}

void CImageFormatSheetDlg::AddTiffPage() {
    auto* panel = new wxPanel(GetBookCtrl());
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(new wxStaticText(panel, wxID_ANY, WxText("圧縮方法(&A):")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 8);
    m_pChoice = new wxChoice(panel, kTiffListId);
    for (const std::string& text : CTiffSetPage::CompressionTexts()) m_pChoice->Append(ToWx(text));
    m_pChoice->SetSelection(m_form.m_tiff.m_nCompression);
    sizer->Add(m_pChoice, 0, wxALL, 8);
    panel->SetSizer(sizer);
    GetBookCtrl()->AddPage(panel, WxText("TIFF形式"), true);
}

bool CImageFormatSheetDlg::TransferDataFromWindow() {
    switch (m_form.m_page) {
        case FormatPage::kGif:
        case FormatPage::kPng: {
            CGifSetPage& page = m_form.m_page == FormatPage::kGif ? m_form.m_gif : m_form.m_png;
            page.m_bInterlace = m_pInterlace->GetValue() ? 1 : 0;
            page.m_bTransparent = m_pTransparent->GetValue() ? 1 : 0;
            break;
        }
        case FormatPage::kJpeg:
            if (const auto message = m_form.m_jpeg.SetQualityText(FromWx(m_pQuality->GetValue()))) {
                m_prompter.Message(*message, MessageButtons::kOk, MessageIcon::kExclamation);
                m_pQuality->SetFocus();
                return false;
            }
            m_form.m_jpeg.m_bInterlace = m_pInterlace->GetValue() ? 1 : 0;
            m_form.m_jpeg.m_nSubSampling = m_pChoice->GetSelection();
            break;
        case FormatPage::kTiff: m_form.m_tiff.m_nCompression = m_pChoice->GetSelection(); break;
        case FormatPage::kNone: break;
    }
    return true;
}

void RunImageFormatSheet(wxWindow* parent, CSettings& settings, CPrompter& prompter, int filterIndex) {
    CImageFormatSheetDlg sheet(parent, CImageFormatSheet::Load(settings, filterIndex), prompter);
    if (!sheet.HasPage()) return;
    if (sheet.ShowModal() == wxID_OK) sheet.Form().Store(settings);
}

namespace {

// The button "画像形式(&S)..." in the save dialog, enabled for the types
// that have options; another type chosen also gives the name its extension.
class CFormatButtonHook final : public wxFileDialogCustomizeHook {
public:
    CFormatButtonHook(wxFileDialog& dialog, CSettings& settings, CPrompter& prompter)
        : m_dialog(dialog), m_settings(settings), m_prompter(prompter),
          m_typeWatch(dialog, [this] { OnTypeChanged(); }) {}

    void AddCustomControls(wxFileDialogCustomize& customizer) override {
        m_pButton = customizer.AddButton(ToWx(ImageFormatButtonText()));
        m_pButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            RunImageFormatSheet(&m_dialog, m_settings, m_prompter, CurrentType());
        });
    }

    void UpdateCustomControls() override {
        if (m_pButton != nullptr) m_pButton->Enable(IsFormatButtonEnabled(CurrentType()));
    }

private:
    int CurrentType() const { return FileChooserTypeIndex(m_dialog) + 1; }

    // An empty name box stays empty rather than holding a bare extension.
    void OnTypeChanged() {
        const std::string name = FileChooserName(m_dialog);
        if (!name.empty()) SetFileChooserName(m_dialog, ChangeNameForType(name, CurrentType()));
        UpdateCustomControls();
    }

    wxFileDialog& m_dialog;
    CSettings& m_settings;
    CPrompter& m_prompter;
    wxFileDialogButton* m_pButton = nullptr;
    CFileChooserTypeWatch m_typeWatch;
};

}  // namespace

FileDialogResult CWxImageSaveChooser::ChooseImageFile(const CFileDialogEx& dialog, const CFilePath& initialFolder) {
    // The save that follows may show the wait cursor; the dialog must not.
    wxBusyCursorSuspender notBusy;
    wxFileDialog chooser(m_pOwner, ToWx(dialog.m_strTitle), ToWxPath(initialFolder), ToWxPath(dialog.m_strFileName),
                         ToWxWildcard(dialog.m_strFilter), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.m_nFilterIndex > 0) chooser.SetFilterIndex(dialog.m_nFilterIndex - 1);
    CFormatButtonHook hook(chooser, m_settings, m_prompter);
    chooser.SetCustomizeHook(hook);

    FileDialogResult result;
    result.nFilterIndex = dialog.m_nFilterIndex;
    if (chooser.ShowModal() != wxID_OK) return result;
    result.nResult = kIdOk;
    result.strPath = FromWxPath(chooser.GetPath());
    result.nFilterIndex = chooser.GetFilterIndex() + 1;
    return result;
}

}  // namespace kelmio
