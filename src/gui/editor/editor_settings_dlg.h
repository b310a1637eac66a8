#pragma once
// The editor settings dialog: a property sheet with the pages a mask asks
// for (all pages, or the font page alone). It edits a copy of the settings;
// the caller applies and stores them after OK.

#include <wx/propdlg.h>

#include "editor/editor_settings.h"

class wxCheckBox;
class wxFontPickerCtrl;
class wxSpinCtrl;

namespace kelmio {

class CEditorSettingsDlg final : public wxPropertySheetDialog {
public:
    CEditorSettingsDlg(wxWindow* parent, const CEditorSettings& settings, unsigned pages);

    // The settings as the user left them (call after OK).
    CEditorSettings Result() const;

private:
    wxWindow* MakeGeneralPage(wxWindow* book);
    wxWindow* MakeDisplayPage(wxWindow* book);
    wxWindow* MakeFontPage(wxWindow* book);

    CEditorSettings m_settings;
    wxSpinCtrl* m_pTabSize = nullptr;
    wxCheckBox* m_pWordWrap = nullptr;
    wxCheckBox* m_pCaretLine = nullptr;
    wxCheckBox* m_pLineNumbers = nullptr;
    wxCheckBox* m_pLineEnds = nullptr;
    wxCheckBox* m_pTabs = nullptr;
    wxCheckBox* m_pWideSpaces = nullptr;
    wxFontPickerCtrl* m_pFont = nullptr;
};

}  // namespace kelmio
