#include "dictionary/dic_answer_dlg.h"

#include "text/cp932.h"

namespace kelmio {

std::string CDicAnswerDlg::Caption() { return SjisText("辞書検索結果"); }
std::string CDicAnswerDlg::KeepButtonText() { return SjisText("メモ登録"); }
std::string CDicAnswerDlg::CloseButtonText() { return SjisText("閉じる"); }

}  // namespace kelmio
