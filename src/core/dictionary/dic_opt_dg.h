#pragma once
// The dictionary settings dialog "辞書設定": which dictionary program the
// project uses and, for a custom one, its path and parameters. The dialog
// binding copies its fields in and out; browsing for the program is here.

#include <array>
#include <string>

namespace kelmio {

class CPrompter;

// The dictionary kinds, as stored in a project and listed in the dialog.
enum DicKind : int {
    kDicPdic = 0,
    kDicPdicUnicode = 1,
    kDicDdwin = 2,
    kDicBookshelf = 3,
    kDicEbwin = 4,
    kDicCustom = 5,
};
constexpr int kDicKindCount = 6;

class CDicOptDg {
public:
    CDicOptDg() = default;
    CDicOptDg(int kind, std::string path, std::string param)
        : m_strParam(std::move(param)), m_strPath(std::move(path)), m_nKind(kind) {}

    std::string m_strParam;  // custom parameters
    std::string m_strPath;   // custom program path
    int m_nKind = -1;        // index in the list of kinds

    // The list's entries in kind order ("PDIC" ... "カスタム").
    static std::array<std::string, kDicKindCount> KindTexts();
    static std::string Caption();  // "辞書設定"

    // "参照(&R)...": the file chooser; on OK the path field takes the
    // chosen file and true is returned (the other fields stay as typed).
    bool OnBrowse(CPrompter& prompter);
};

}  // namespace kelmio
