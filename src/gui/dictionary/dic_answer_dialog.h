#pragma once
// "辞書検索結果": the found word, the dictionary's answer, and the buttons
// "メモ登録" (keep the answer as a memo) and "閉じる".

#include <wx/dialog.h>

namespace kelmio {

class CDicAnswerDlg;

class CDicAnswerDialog final : public wxDialog {
public:
    static constexpr int kWordId = 1016;
    static constexpr int kAnswerId = 1017;

    CDicAnswerDialog(wxWindow* parent, const CDicAnswerDlg& form);
};

}  // namespace kelmio
