#include "memo/memo_form.h"

#include <algorithm>

#include "platform/prompter.h"
#include "project/kelmio_doc.h"
#include "text/cp932.h"
#include "text/mb_case.h"
#include "text/sjis.h"
#include "text/word.h"

namespace kelmio {

CMemoForm::CMemoForm(CKelmioDoc& doc, CPrompter& prompter, CMemoControls& controls)
    : m_doc(doc), m_prompter(prompter), m_controls(controls) {}

std::string CMemoForm::NewEntryText() { return SjisText("新規追加..."); }

std::string CMemoForm::TitlePrompt() { return SjisText("メモのタイトルを入力してください"); }

int CMemoForm::MemoCount() const { return static_cast<int>(m_doc.m_data.GetMemoCount()); }

void CMemoForm::UpdateData(bool save) {
    if (save) {
        m_strWord = m_controls.LookupBoxText();
        m_strMemo = m_controls.MemoEditText();
    } else {
        m_controls.ShowTexts(m_strWord, m_strMemo);
    }
}

bool CMemoForm::OnInitialUpdate() {
    m_bLayoutReady = true;
    m_controls.EnableMemoEdit(true);
    SelectMemo(0);
    return m_doc.GetPathName().empty();
}

void CMemoForm::SelectMemo(int index) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(MemoCount()) + 1);
    for (int i = 0; i < MemoCount(); ++i) entries.push_back(m_doc.m_data.GetMemo(static_cast<std::size_t>(i)).m_strTitle);
    entries.push_back(NewEntryText());
    m_controls.SetListEntries(entries);
    if (IsMemoIndex(index)) {
        m_controls.EnableMemoEdit(true);
        m_controls.SelectListEntry(index);
        m_strMemo = m_doc.m_data.GetMemo(static_cast<std::size_t>(index)).m_strText;
        m_nCurMemo = index;
    } else {
        m_controls.SelectListEntry(-1);
        m_strMemo.clear();
        m_controls.EnableMemoEdit(false);
    }
    UpdateData(false);
}

int CMemoForm::ShownMemo() const {
    const int selected = m_controls.SelectedListEntry();
    return IsMemoIndex(selected) ? selected : -1;
}

void CMemoForm::SaveMemoText() {
    const int selected = m_controls.SelectedListEntry();
    if (!IsMemoIndex(selected)) return;
    UpdateData(true);
    m_doc.m_data.GetMemo(static_cast<std::size_t>(selected)).m_strText = m_strMemo;
}

void CMemoForm::OnContentsDeleted() {
    // Nothing shown belongs to a memo any more: forget the selection so a
    // later save cannot store this text into a memo of another project.
    m_nCurMemo = -1;
    SelectMemo(-1);
}

void CMemoForm::AppendMemo(std::string title) {
    CKelmioMemo memo;
    memo.m_strTitle = std::move(title);
    m_doc.m_data.AppendMemo(std::move(memo));
}

void CMemoForm::OnListSelChange() {
    UpdateData(true);
    if (IsMemoIndex(m_nCurMemo)) m_doc.m_data.GetMemo(static_cast<std::size_t>(m_nCurMemo)).m_strText = m_strMemo;
    const int selected = m_controls.SelectedListEntry();
    if (selected == MemoCount()) {
        const std::optional<std::string> title = m_prompter.Input(TitlePrompt(), "");
        if (title) {
            AppendMemo(*title);
            m_doc.SetModifiedFlag(true);
            SelectMemo(selected);
            m_controls.EnableMemoEdit(true);
        } else {
            m_controls.SelectListEntry(IsMemoIndex(m_nCurMemo) ? m_nCurMemo : -1);
        }
    } else if (IsMemoIndex(selected)) {
        m_strMemo = m_doc.m_data.GetMemo(static_cast<std::size_t>(selected)).m_strText;
        m_nCurMemo = selected;
        m_controls.EnableMemoEdit(true);
    }
    UpdateData(false);
}

void CMemoForm::OnMemoEditChange() { m_doc.SetModifiedFlag(true); }

int CMemoForm::FindMemoByPrefix(const CKelmioDoc& doc, std::string_view word) {
    const int count = static_cast<int>(doc.m_data.GetMemoCount());
    if (word.empty() || count == 0) return -1;
    for (int step = 0; step < count; ++step) {
        const int index = (step + 1) % count;  // 1 .. N-1, then 0
        if (StartsWithNoCaseMb(doc.m_data.GetMemo(static_cast<std::size_t>(index)).m_strTitle, word)) return index;
    }
    return -1;
}

void CMemoForm::OnLookupBoxChange() {
    UpdateData(true);
    const int found = FindMemoByPrefix(m_doc, m_strWord);
    if (found < 0) return;
    SaveMemoText();
    m_controls.SelectListEntry(found);
    m_controls.EnableMemoEdit(true);
    m_strMemo = m_doc.m_data.GetMemo(static_cast<std::size_t>(found)).m_strText;
    m_nCurMemo = found;
    UpdateData(false);
}

void CMemoForm::OnDicButton() {
    UpdateData(true);
    if (m_doc.LookupWord(m_strWord)) {
        m_controls.EnableMemoEdit(true);
        m_strWord.clear();
    }
    UpdateData(false);
}

void CMemoForm::OnMemoAdd() {
    const std::optional<std::string> title = m_prompter.Input(TitlePrompt(), "");
    if (!title) return;
    SaveMemoText();
    AppendMemo(*title);
    SelectMemo(MemoCount() - 1);
    m_doc.SetModifiedFlag(true);
    m_controls.EnableMemoEdit(true);
}

void CMemoForm::OnMemoDelete() {
    const int selected = m_controls.SelectedListEntry();
    if (!IsMemoIndex(selected)) return;
    const std::string& title = m_doc.m_data.GetMemo(static_cast<std::size_t>(selected)).m_strTitle;
    const Answer answer =
        m_prompter.Message(title + SjisText(" を削除しますか？"), MessageButtons::kOkCancel, MessageIcon::kQuestion);
    if (answer != Answer::kOk) return;
    m_doc.m_data.RemoveMemo(static_cast<std::size_t>(selected));
    SelectMemo(std::min(selected, MemoCount() - 1));
    m_doc.SetModifiedFlag(true);
}

void CMemoForm::OnMemoRename() {
    const int selected = m_controls.SelectedListEntry();
    if (!IsMemoIndex(selected)) return;
    const std::optional<std::string> title =
        m_prompter.Input(TitlePrompt(), m_doc.m_data.GetMemo(static_cast<std::size_t>(selected)).m_strTitle);
    if (!title) return;
    SaveMemoText();
    m_doc.m_data.GetMemo(static_cast<std::size_t>(selected)).m_strTitle = *title;
    m_doc.SetModifiedFlag(true);
    SelectMemo(selected);
    m_controls.EnableMemoEdit(true);
}

void CMemoForm::OnLookupFromMemo(std::string_view text, std::size_t selStart, std::size_t selEnd) {
    if (selStart > selEnd) std::swap(selStart, selEnd);
    selStart = std::min(selStart, text.size());
    selEnd = std::min(selEnd, text.size());
    const std::string word =
        selStart == selEnd ? GetWordAt(text, selStart) : std::string(text.substr(selStart, selEnd - selStart));
    m_doc.LookupWord(word);
}

}  // namespace kelmio
