#include "dictionary/dic_opt_dg.h"

#include "platform/file_io.h"
#include "platform/prompter.h"
#include "text/cp932.h"

namespace kelmio {

std::array<std::string, kDicKindCount> CDicOptDg::KindTexts() {
    return {"PDIC", "PDIC/Unicode", "DDWIN", "BookShelf", "EBWIN", SjisText("カスタム")};
}

std::string CDicOptDg::Caption() { return SjisText("辞書設定"); }

bool CDicOptDg::OnBrowse(CPrompter& prompter) {
    CFileDialogEx dialog;
    dialog.m_bOpen = true;
    dialog.m_strDefExt = "EXE";
    dialog.m_strFileName = "*.EXE";
    dialog.m_nFlags = kHideReadOnly | kNoChangeDir;
    dialog.m_strFilter = SjisText("実行可能ﾌｧｲﾙ(*.EXE) |*.EXE| 全てのﾌｧｲﾙ(*.*) |*.*||");
    dialog.m_owner = DialogOwner::kCurrentDialog;
    dialog.m_strTitle = SjisText("アプリケーション");
    const FileDialogResult result = prompter.ChooseFile(dialog);
    if (result.nResult != kIdOk) return false;
    // The project keeps the program's name in Shift-JIS.
    const std::optional<std::string> chosen = result.strPath.Sjis();
    if (!chosen) {
        prompter.Message(BadPathMessage(result.strPath), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    m_strPath = *chosen;
    return true;
}

}  // namespace kelmio
