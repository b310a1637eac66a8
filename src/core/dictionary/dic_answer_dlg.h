#pragma once
// The result dialog "辞書検索結果": the word that was found and PDIC's
// answer. Ending it with "メモ登録" (OK) keeps the answer as a memo; text
// typed into its fields is not used.

#include <string>

namespace kelmio {

class CDicAnswerDlg {
public:
    CDicAnswerDlg(std::string word, std::string answer) : m_strWord(std::move(word)), m_strAnswer(std::move(answer)) {}

    std::string m_strWord;
    std::string m_strAnswer;

    static std::string Caption();        // "辞書検索結果"
    static std::string KeepButtonText();  // "メモ登録"
    static std::string CloseButtonText();  // "閉じる"
};

}  // namespace kelmio
