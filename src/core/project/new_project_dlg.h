#pragma once
// The New Project dialog's behaviour, without widgets: the name and place of
// a new project and of its translation text file, checked, with the folder
// created. The window copies its controls into these members before calling
// an operation and back afterwards.

#include <string>

namespace kelmio {

class CPrompter;
class CSettings;

class CNewProjectDlg {
public:
    CNewProjectDlg(CSettings& settings, CPrompter& prompter);

    // Controls' values.
    std::string m_strName;
    std::string m_strFolder;
    bool m_bSubFolder = false;
    std::string m_strTextName;  // without the ".txt"

    // Results after OK: the full paths of the project file and the translation text.
    std::string m_strProjectPath;
    std::string m_strEditPath;

    // The folder starts as the last one used, or the documents folder.
    void OnInitDialog();

    // The project name edit changed to `name`: the translation file name
    // follows it until the user types a different one.
    void OnNameChanged(const std::string& name);

    // The "..." button: choose the folder and remember it.
    void OnBrowseFolder();

    // The "作成" button: true when the dialog may close with OK; false keeps
    // it open with the input intact (a message has told the user why).
    bool OnOK();

private:
    CSettings& m_settings;
    CPrompter& m_prompter;
};

}  // namespace kelmio
