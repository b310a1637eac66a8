#pragma once
// The source pane's find ("検索"), replace ("置換") and replace-progress
// dialogs. The first two remember their strings in the settings (core
// viewer/find_history.h); the third works on the text pane itself.

#include <wx/dialog.h>

#include <string>
#include <vector>

class wxComboBox;

namespace kelmio {

class CPrompter;
class CREditCtrl;
class CSettings;

class CFindDlg final : public wxDialog {
public:
    CFindDlg(wxWindow* parent, CSettings& settings);

    // The search string, UTF-8, after OK.
    std::string FindText() const;

private:
    void OnOK(wxCommandEvent& event);

    CSettings& m_settings;
    wxComboBox* m_pFind;
    std::vector<std::string> m_listed;
};

class CReplaceDlg final : public wxDialog {
public:
    CReplaceDlg(wxWindow* parent, CSettings& settings);

    std::string FindText() const;
    std::string ReplaceText() const;

private:
    void OnOK(wxCommandEvent& event);

    CSettings& m_settings;
    wxComboBox* m_pFind;
    wxComboBox* m_pReplace;
    std::vector<std::string> m_listedFind;
    std::vector<std::string> m_listedReplace;
};

// Opened on a match that is selected in the pane.
class CReplaceInfoDlg final : public wxDialog {
public:
    CReplaceInfoDlg(wxWindow* parent, CREditCtrl& pane, CPrompter& prompter, std::string find, std::string replacement);

private:
    void OnReplaceNext(wxCommandEvent& event);
    void OnSkip(wxCommandEvent& event);
    void OnReplaceAll(wxCommandEvent& event);
    // Finds the next match; "見つかりません" and the dialog closes when none.
    void FindNextOrClose();

    CREditCtrl& m_pane;
    CPrompter& m_prompter;
    std::string m_strFind;
    std::string m_strReplace;
};

}  // namespace kelmio
