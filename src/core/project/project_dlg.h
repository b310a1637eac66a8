#pragma once
// The Project settings dialog's behaviour, without widgets: shows and edits
// the current source and the translation text file of the open project.

#include "platform/file_path.h"

namespace kelmio {

class CKelmioData;
class CPrompter;

class CProjectDlg {
public:
    CProjectDlg(CKelmioData& data, CPrompter& prompter);

    // Controls' values.
    CFilePath m_strSrcFile;
    CFilePath m_strEditFile;

    // Takes both paths from the project.
    void OnInitDialog();

    // "参照(&R)...": choose the source file.
    void OnBrowseSource();

    // "参照(&B)...": choose the translation text file.
    void OnBrowseEditFile();

    // OK: the source becomes current (and moves to the top of the history,
    // even when it did not change) and the translation path is taken.
    void OnOK();

private:
    CKelmioData& m_data;
    CPrompter& m_prompter;
};

}  // namespace kelmio
