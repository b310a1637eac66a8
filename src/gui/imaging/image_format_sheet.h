#pragma once
// The option sheet "画像形式の設定" with the page of one image type (GIF,
// JPEG, TIFF or PNG), and the image save dialog built on the file chooser
// with the button "画像形式(&S)..." that opens it.

#include <wx/propdlg.h>

#include "imaging/image_display.h"
#include "imaging/image_save_options.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace kelmio {

class CPrompter;
class CSettings;

class CImageFormatSheetDlg final : public wxPropertySheetDialog {
public:
    static constexpr int kInterlaceId = 105;
    static constexpr int kTransparentId = 106;
    static constexpr int kTiffListId = 108;
    static constexpr int kSubSamplingId = 140;
    static constexpr int kQualityId = 141;

    // The sheet for a filter index; check HasPage before showing it.
    CImageFormatSheetDlg(wxWindow* parent, CImageFormatSheet form, CPrompter& prompter);

    bool HasPage() const { return m_form.m_page != FormatPage::kNone; }
    const CImageFormatSheet& Form() const { return m_form; }

    // OK: the page's values into the form; a quality outside 0 ... 100 shows
    // the range message and keeps the sheet open.
    bool TransferDataFromWindow() override;

private:
    void AddGifOrPngPage(const char* title, const CGifSetPage& page);
    void AddJpegPage();
    void AddTiffPage();

    CImageFormatSheet m_form;
    CPrompter& m_prompter;
    wxCheckBox* m_pInterlace = nullptr;
    wxCheckBox* m_pTransparent = nullptr;
    wxTextCtrl* m_pQuality = nullptr;
    wxChoice* m_pChoice = nullptr;
};

// Shows the sheet for the filter index; OK writes all eight values back.
void RunImageFormatSheet(wxWindow* parent, CSettings& settings, CPrompter& prompter, int filterIndex);

// The image save dialog of the application.
class CWxImageSaveChooser final : public CImageSaveChooser {
public:
    CWxImageSaveChooser(wxWindow* owner, CSettings& settings, CPrompter& prompter)
        : m_pOwner(owner), m_settings(settings), m_prompter(prompter) {}

    FileDialogResult ChooseImageFile(const CFileDialogEx& dialog, const CFilePath& initialFolder) override;

private:
    wxWindow* m_pOwner;
    CSettings& m_settings;
    CPrompter& m_prompter;
};

}  // namespace kelmio
