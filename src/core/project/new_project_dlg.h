#pragma once
// The New Project dialog's behaviour, without widgets: the name and place of
// a new project and of its translation text file, checked, with the folder
// created. The window copies its controls into these members before calling
// an operation and back afterwards.

#include <string>

#include "platform/file_path.h"

namespace kelmio {

class CPrompter;
class CSettings;

class CNewProjectDlg {
public:
    CNewProjectDlg(CSettings& settings, CPrompter& prompter);

    // Controls' values. The names become file names, so they are kept as
    // typed, whatever characters they hold.
    CFilePath m_strName;
    CFilePath m_strFolder;
    bool m_bSubFolder = false;
    CFilePath m_strTextName;  // without the ".txt"

    // Results after OK: the full paths of the project file and the translation text.
    CFilePath m_strProjectPath;
    CFilePath m_strEditPath;

    // The folder starts as the last one used, or the documents folder.
    void OnInitDialog();

    // The project name edit changed to `name`: the translation file name
    // follows it until the user types a different one.
    void OnNameChanged(const CFilePath& name);

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
