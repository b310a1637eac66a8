#pragma once
// Everything that asks the user something: message boxes, the file and
// folder choosers, the one-line input dialog and the project dialogs.
//
// The core reaches the user only through this interface. The application
// implements it with real dialogs; tests use CScriptedPrompter, which records
// each question with its exact text and answers from a script.

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_path.h"

namespace kelmio {

class CDicAnswerDlg;
class CDicOptDg;
class CNewProjectDlg;
class CProjectDlg;
class CSrcHistoryDlg;

enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };

enum class MessageIcon { kNone, kInformation, kExclamation, kQuestion, kStop };

// The answer to a message box; the values are the classic dialog result codes.
enum class Answer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// Dialog results of the choosers and dialogs: 1 = OK, 2 = Cancel.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Options of the file chooser.
enum FileDialogFlag : unsigned {
    kPathMustExist = 1u << 0,
    kFileMustExist = 1u << 1,
    kOverwritePrompt = 1u << 2,
    kHideReadOnly = 1u << 3,
    kNoChangeDir = 1u << 4,
};

// Which window a chooser belongs to.
enum class DialogOwner { kNone, kMainWindow, kCurrentDialog };

// The inputs of a file chooser, in the order the callers give them. The
// filter lists display texts and patterns, each followed by "|", ended by a
// second "|" ("Text (*.txt)|*.txt|All (*.*)|*.*||"); patterns are separated
// by ";". Strings are Shift-JIS; file names are CFilePath.
struct CFileDialogEx {
    bool m_bOpen = true;
    std::string m_strDefExt;
    CFilePath m_strFileName;  // initial name; may be a pattern such as "*.txt"
    unsigned m_nFlags = 0;
    std::string m_strFilter;
    DialogOwner m_owner = DialogOwner::kNone;
    std::string m_strTitle;     // empty: the system's title for open or save
    int m_nFilterIndex = 0;     // 1-based; 0 = the first filter
};

struct FileDialogResult {
    int nResult = kIdCancel;  // kIdOk or kIdCancel
    CFilePath strPath;        // the chosen file's full path after OK
    int nFilterIndex = 0;     // the filter selected when the dialog ended
};

// The folder chooser's input and output.
struct BrowseFolder {
    CFilePath m_strPath;     // in: folder to pre-select (may be empty); out: the chosen folder
    std::string m_strTitle;  // text above the folder tree; empty: "フォルダ選択"
    bool m_bCurrentDir = false;  // pre-select the current directory instead of m_strPath
};

class CPrompter {
public:
    virtual ~CPrompter() = default;

    // A message box; returns the button the user pressed. Closing the box
    // counts as Cancel where there is one, else as the only or "No" button.
    // The first button (OK or Yes) is the default one, which Enter presses.
    virtual Answer Message(std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;

    virtual FileDialogResult ChooseFile(const CFileDialogEx& dialog) = 0;

    // kIdOk with `folder.m_strPath` set to the chosen folder, or kIdCancel
    // with it unchanged.
    virtual int ChooseFolder(BrowseFolder& folder) = 0;

    // The one-line input dialog: the typed value, or nullopt on Cancel.
    virtual std::optional<std::string> Input(std::string_view prompt, std::string_view value) = 0;
    // The same dialog for a file name or an address: the text as typed, so
    // a character without a Shift-JIS form is kept; nullopt on Cancel.
    virtual std::optional<CFilePath> InputPath(std::string_view prompt, const CFilePath& value) = 0;

    // The project dialogs run their forms; kIdOk or kIdCancel.
    virtual int RunNewProjectDialog(CNewProjectDlg& form) = 0;
    virtual int RunProjectDialog(CProjectDlg& form) = 0;
    // The source history dialog; on kIdOk the form holds the chosen source.
    virtual int RunSourceHistoryDialog(CSrcHistoryDlg& form) = 0;

    // The dictionary's result and settings dialogs; kIdOk ("メモ登録" or
    // OK) or kIdCancel ("閉じる" or ｷｬﾝｾﾙ).
    virtual int RunDicAnswerDialog(CDicAnswerDlg& form) = 0;
    virtual int RunDicOptDialog(CDicOptDg& form) = 0;
};

}  // namespace kelmio
