#pragma once
// Panes and an application object that remember what the document did to
// them, for tests of the document's flows.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/app_host.h"
#include "platform/file_io.h"
#include "platform/panes.h"
#include "project/kelmio_data.h"

namespace kelmio::test {

class FakeEditPane final : public CEditPane {
public:
    bool modified = false;
    int selStart = 0;
    int firstVisibleLine = 0;
    std::vector<CFilePath> saved;     // paths SaveFile wrote
    // When set, SaveFile really writes `text` through this (to fail a write
    // at any byte); otherwise it only records the path.
    WriteFunction write;
    std::string text = "translation";
    std::size_t unconvertible = 0;    // characters without a Shift-JIS form, reported by every SaveFile that succeeds
    std::vector<CFilePath> loaded;    // paths LoadFile read
    int cleared = 0;
    int scrolledBy = 0;
    int caret = -1;

    bool GetModified() const override { return modified; }
    void PutModified(bool value) override { modified = value; }
    EditSaveResult SaveFile(const CFilePath& path) override {
        EditSaveResult result;
        if (write) result.error = SaveFileAtomically(path, text, write);
        if (result.ok()) {
            saved.push_back(path);
            result.unconvertible = unconvertible;
        }
        return result;
    }
    std::size_t CharsWithoutSjisForm() const override { return unconvertible; }
    void LoadFile(const CFilePath& path) override { loaded.push_back(path); }
    int SelStart() const override { return selStart; }
    int FirstVisibleLine() const override { return firstVisibleLine; }
    void ClearText() override { ++cleared; }
    void ScrollDown(int lines) override { scrolledBy = lines; }
    void SetCaret(int offset) override { caret = offset; }
    void CopyTextUtf8(std::string& into) const override { into.assign(text); }
    std::size_t TextLengthUtf8() const override { return text.size(); }
    void RestoreText(const std::string& sjis) override {
        text = sjis;
        modified = true;
    }
};

class FakeSourcePane final : public CSourcePane {
public:
    bool saveImageAnswer = true;  // false: the user cancelled the image question
    int imageQuestions = 0;
    int initialUpdates = 0;
    std::vector<int> hints;
    CKelmioPosData stateToSave;

    void SaveViewState(CKelmioPosData& pos) override {
        const int caret = pos.m_nEditCaret;
        const int topLine = pos.m_nEditTopLine;
        pos = stateToSave;
        pos.m_nEditCaret = caret;
        pos.m_nEditTopLine = topLine;
    }
    std::function<void()> onImageQuestion;  // sees the project as it is when asked
    bool QuerySaveImage() override {
        ++imageQuestions;
        if (onImageQuestion) onImageQuestion();
        return saveImageAnswer;
    }
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnUpdate(int hint) override { hints.push_back(hint); }

    // The text source shown (its path) and its unsaved edit, if any; a
    // restore only takes when `showsText` and the path is the shown one.
    CFilePath shownPath;
    bool showsText = true;
    std::optional<SourceTextEdit> edit;
    int restores = 0;

    bool IsTextModified() const override { return edit.has_value(); }
    std::optional<SourceTextEdit> CopyModifiedText() const override { return edit; }
    bool RestoreModifiedText(const SourceTextEdit& restored) override {
        ++restores;
        if (!showsText || restored.strPath != shownPath) return false;
        edit = restored;
        return true;
    }
};

class FakeMemoPane final : public CMemoPane {
public:
    int savedTexts = 0;
    int initialUpdates = 0;
    int contentsDeleted = 0;
    std::vector<int> selected;  // indexes SelectMemo was given
    int current = -1;           // what SelectedMemo answers

    void SaveMemoText() override { ++savedTexts; }
    void OnInitialUpdate() override { ++initialUpdates; }
    void SelectMemo(int index) override {
        selected.push_back(index);
        current = index;
    }
    int SelectedMemo() const override { return current; }
    void OnContentsDeleted() override { ++contentsDeleted; }
};

class FakeAppHost final : public CAppHost {
public:
    bool startupFlag = false;
    int closeRequests = 0;

    bool TakeStartupFlag() override {
        const bool flag = startupFlag;
        startupFlag = false;
        return flag;
    }
    void PostCloseRequest() override { ++closeRequests; }
};

}  // namespace kelmio::test
