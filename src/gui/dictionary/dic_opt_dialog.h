#pragma once
// "辞書設定": the dictionary kind of the project and a custom program's
// path and parameters. A binding of the form CDicOptDg: its values go in at
// construction and come back with Result() after OK.

#include <wx/dialog.h>

#include "dictionary/dic_opt_dg.h"

class wxChoice;
class wxTextCtrl;

namespace kelmio {

class CPrompter;

class CDicOptDialog final : public wxDialog {
public:
    static constexpr int kKindId = 1020;
    static constexpr int kPathId = 1021;
    static constexpr int kParamId = 1022;
    static constexpr int kBrowseId = 1013;

    CDicOptDialog(wxWindow* parent, const CDicOptDg& form, CPrompter& prompter);

    // The form with the fields as they stand.
    CDicOptDg Result() const;

private:
    void ShowFields(const CDicOptDg& form);
    void OnBrowse();

    CPrompter& m_prompter;
    wxChoice* m_pKind;
    wxTextCtrl* m_pPath;
    wxTextCtrl* m_pParam;
};

}  // namespace kelmio
