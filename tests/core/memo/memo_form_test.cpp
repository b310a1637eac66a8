#include "memo/memo_form.h"

#include <gtest/gtest.h>

#include "dictionary/dic_answer_dlg.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "support/fake_panes.h"
#include "support/scripted_dde.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

// The pane's widgets as plain values: what the user would see.
class FakeMemoControls final : public CMemoControls {
public:
    std::vector<std::string> entries;
    int selected = -1;
    bool memoEnabled = true;
    std::string word;
    std::string memo;

    void SetListEntries(const std::vector<std::string>& list) override {
        entries = list;
        selected = -1;
    }
    void SelectListEntry(int index) override { selected = index; }
    int SelectedListEntry() const override { return selected; }
    void EnableMemoEdit(bool enable) override { memoEnabled = enable; }
    std::string LookupBoxText() const override { return word; }
    std::string MemoEditText() const override { return memo; }
    void ShowTexts(const std::string& w, const std::string& m) override {
        word = w;
        memo = m;
    }
};

// The form as the document's memo pane.
class FormPane final : public CMemoPane {
public:
    explicit FormPane(CMemoForm& form) : m_form(form) {}
    void SaveMemoText() override { m_form.SaveMemoText(); }
    void OnInitialUpdate() override { newProjectPosted = m_form.OnInitialUpdate(); }
    void SelectMemo(int index) override { m_form.SelectMemo(index); }
    int SelectedMemo() const override { return m_form.ShownMemo(); }
    void OnContentsDeleted() override { m_form.OnContentsDeleted(); }
    bool newProjectPosted = false;

private:
    CMemoForm& m_form;
};

class MemoFormTest : public ::testing::Test {
protected:
    MemoFormTest() {
        doc.AttachViews(nullptr, nullptr, &pane);
        DicPlatform platform;
        platform.pTransport = &dde;
        platform.sleep = [](int) {};
        doc.m_dic.SetPlatform(platform);
    }

    void AddMemos(std::initializer_list<std::pair<const char*, const char*>> memos) {
        for (const auto& [title, text] : memos) doc.m_data.AppendMemo(CKelmioMemo{Sj(title), Sj(text)});
        form.OnInitialUpdate();
    }

    // The user types into the lookup box.
    void Type(const std::string& text) {
        controls.word = text;
        form.OnLookupBoxChange();
    }

    std::string NewEntry() const { return Sj("新規追加..."); }

    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc{settings, prompter, app};
    FakeMemoControls controls;
    CMemoForm form{doc, prompter, controls};
    FormPane pane{form};
    CScriptedDde dde;
};

TEST_F(MemoFormTest, ProjectWithoutMemosShowsOnlyTheNewEntryAndCancellingItAddsNothing) {
    EXPECT_TRUE(form.OnInitialUpdate());  // no project file yet: the new-project command follows
    EXPECT_TRUE(form.m_bLayoutReady);
    EXPECT_EQ(controls.entries, std::vector<std::string>{NewEntry()});
    EXPECT_EQ(controls.selected, -1);
    EXPECT_FALSE(controls.memoEnabled);
    EXPECT_EQ(controls.memo, "");

    prompter.ExpectInput(std::nullopt);
    controls.selected = 0;  // the user picks "新規追加..."
    form.OnListSelChange();
    EXPECT_EQ(prompter.InputPrompts().at(0), Sj("メモのタイトルを入力してください"));
    EXPECT_EQ(prompter.InputValues().at(0), "");
    EXPECT_EQ(doc.m_data.GetMemoCount(), 0u);
    EXPECT_EQ(controls.selected, -1);
    EXPECT_FALSE(controls.memoEnabled);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MemoFormTest, NewEntryWithATitleAddsAnEmptyMemoAndKeepsTheEditedOne) {
    AddMemos({{"a", "one"}});
    controls.memo = Sj("edited");
    prompter.ExpectInput(Sj("新しい"));
    controls.selected = 1;
    form.OnListSelChange();
    ASSERT_EQ(doc.m_data.GetMemoCount(), 2u);
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, Sj("edited"));
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strTitle, Sj("新しい"));
    EXPECT_EQ(controls.entries, (std::vector<std::string>{"a", Sj("新しい"), NewEntry()}));
    EXPECT_EQ(controls.selected, 1);
    EXPECT_EQ(controls.memo, "");
    EXPECT_TRUE(controls.memoEnabled);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(MemoFormTest, ChoosingAMemoStoresTheEditedTextAndShowsTheChosenOne) {
    AddMemos({{"a", "one"}, {"b", "two"}});
    EXPECT_EQ(controls.memo, "one");
    controls.memo = "one more";
    controls.selected = 1;
    form.OnListSelChange();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "one more");
    EXPECT_EQ(controls.memo, "two");
    EXPECT_EQ(form.m_nCurMemo, 1);
}

TEST_F(MemoFormTest, TheShownMemoIsTheSelectedListEntryWhenThatIsAMemo) {
    AddMemos({{"a", "one"}, {"b", "two"}});
    EXPECT_EQ(pane.SelectedMemo(), 0);
    pane.SelectMemo(1);
    EXPECT_EQ(pane.SelectedMemo(), 1);
    // The fixed last entry is no memo, nor is anything once the project goes.
    controls.selected = 2;
    EXPECT_EQ(pane.SelectedMemo(), -1);
    pane.SelectMemo(1);
    form.OnContentsDeleted();
    EXPECT_EQ(pane.SelectedMemo(), -1);
}

TEST_F(MemoFormTest, DeletingTheLastMemoSelectsTheNewLastAndTheOnlyMemoLeavesNothing) {
    AddMemos({{"a", "one"}, {"b", "two"}, {"c", "three"}});
    controls.selected = 2;
    form.OnListSelChange();
    prompter.ExpectMessage(Answer::kOk);
    form.OnMemoDelete();
    EXPECT_EQ(prompter.Messages().at(0).text, Sj("c を削除しますか？"));
    EXPECT_EQ(prompter.Messages().at(0).buttons, MessageButtons::kOkCancel);
    EXPECT_EQ(prompter.Messages().at(0).icon, MessageIcon::kQuestion);
    EXPECT_EQ(doc.m_data.GetMemoCount(), 2u);
    EXPECT_EQ(controls.selected, 1);
    EXPECT_EQ(controls.memo, "two");
    EXPECT_TRUE(doc.IsModified());

    // Not confirmed: nothing changes.
    prompter.ExpectMessage(Answer::kCancel);
    form.OnMemoDelete();
    EXPECT_EQ(doc.m_data.GetMemoCount(), 2u);

    prompter.ExpectMessage(Answer::kOk);
    form.OnMemoDelete();
    prompter.ExpectMessage(Answer::kOk);
    form.OnMemoDelete();
    EXPECT_EQ(doc.m_data.GetMemoCount(), 0u);
    EXPECT_EQ(controls.entries, std::vector<std::string>{NewEntry()});
    EXPECT_EQ(controls.selected, -1);
    EXPECT_FALSE(controls.memoEnabled);
    EXPECT_EQ(controls.memo, "");
    form.OnMemoDelete();  // nothing selected: no question
    form.OnMemoRename();
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(MemoFormTest, DeletingAMiddleMemoShowsTheOneThatFollowedAndDropsTheEdits) {
    AddMemos({{"a", "one"}, {"b", "two"}, {"c", "three"}});
    controls.selected = 1;
    form.OnListSelChange();
    controls.memo = "lost";
    prompter.ExpectMessage(Answer::kOk);
    form.OnMemoDelete();
    EXPECT_EQ(controls.selected, 1);
    EXPECT_EQ(controls.memo, "three");
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "one");
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strText, "three");
}

TEST_F(MemoFormTest, RenamingKeepsEditsNotYetStored) {
    AddMemos({{"a", "one"}, {"b", "two"}});
    controls.memo = "unsaved edits";
    prompter.ExpectInput(Sj("題名"));
    form.OnMemoRename();
    EXPECT_EQ(prompter.InputValues().at(0), "a");
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strTitle, Sj("題名"));
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "unsaved edits");
    EXPECT_EQ(controls.memo, "unsaved edits");
    EXPECT_EQ(controls.entries.at(0), Sj("題名"));
    EXPECT_EQ(controls.selected, 0);

    prompter.ExpectInput(std::nullopt);
    form.OnMemoRename();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strTitle, Sj("題名"));
}

TEST_F(MemoFormTest, AddingStoresTheEditedTextFirstAndAcceptsAnyTitle) {
    AddMemos({{"a", "one"}});
    controls.memo = "kept";
    prompter.ExpectInput("a");  // the same title as another memo
    form.OnMemoAdd();
    prompter.ExpectInput("");   // an empty title
    form.OnMemoAdd();
    ASSERT_EQ(doc.m_data.GetMemoCount(), 3u);
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "kept");
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strTitle, "a");
    EXPECT_EQ(doc.m_data.GetMemo(2).m_strTitle, "");
    EXPECT_EQ(controls.selected, 2);
    prompter.ExpectInput(std::nullopt);
    form.OnMemoAdd();
    EXPECT_EQ(doc.m_data.GetMemoCount(), 3u);
}

TEST_F(MemoFormTest, PrefixSharedByMemoZeroAndTwoBringsUpMemoTwo) {
    AddMemos({{"Apple", "zero"}, {"banana", "one"}, {"apricot", "two"}});
    controls.memo = "zero edited";
    Type("AP");
    EXPECT_EQ(controls.selected, 2);
    EXPECT_EQ(controls.memo, "two");
    EXPECT_EQ(form.m_nCurMemo, 2);
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "zero edited");
    EXPECT_EQ(controls.word, "AP");

    Type("appl");
    EXPECT_EQ(controls.selected, 0);
    Type("x");  // no match: nothing moves
    EXPECT_EQ(controls.selected, 0);
}

TEST_F(MemoFormTest, PrefixOfTheNewEntryNeverSelectsIt) {
    AddMemos({{"a", "one"}});
    Type(Sj("新規"));
    Type(Sj("新規追加..."));
    Type("");
    EXPECT_EQ(controls.selected, 0);
    EXPECT_TRUE(prompter.InputPrompts().empty());
}

TEST_F(MemoFormTest, PrefixSearchComparesDoubleByteCharactersWhole) {
    AddMemos({{"x", ""}, {"\x95\x5C", ""}, {"\\", ""}});  // "表" ends in 0x5C
    Type("\\");
    EXPECT_EQ(controls.selected, 2);
    Type("\x95");  // a lone lead byte is no prefix of "表"
    EXPECT_EQ(controls.selected, 2);
    Type(Sj("ＡＢ"));
    EXPECT_EQ(controls.selected, 2);
    doc.m_data.AppendMemo(CKelmioMemo{Sj("ａｂｃ"), ""});
    Type(Sj("ＡＢ"));
    EXPECT_EQ(controls.selected, 3);
}

TEST_F(MemoFormTest, DictionaryButtonKeepsTheWordUnlessTheAnswerIsStored) {
    AddMemos({{"a", "one"}});
    dde.answers["cat"] = "neko";
    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdCancel; });
    controls.word = "Cat";
    form.OnDicButton();
    EXPECT_EQ(controls.word, "Cat");
    EXPECT_EQ(doc.m_data.GetMemoCount(), 1u);

    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdOk; });
    form.OnDicButton();
    EXPECT_EQ(controls.word, "");
    ASSERT_EQ(doc.m_data.GetMemoCount(), 2u);
    EXPECT_EQ(controls.selected, 1);
    EXPECT_EQ(controls.entries.at(1), "Cat");
    EXPECT_EQ(controls.memo, "neko");
    EXPECT_TRUE(controls.memoEnabled);
}

// A kept answer becomes the shown memo; what the user had typed into the
// memo shown before must be in that memo, whichever pane asked.
TEST_F(MemoFormTest, KeepingAnAnswerStoresTheEditsOfTheMemoShownBefore) {
    AddMemos({{"a", "one"}, {"b", "two"}});
    dde.answers["cat"] = "neko";
    dde.answers["dog"] = "inu";
    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdOk; });
    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdOk; });

    controls.memo = Sj("訳語の候補");
    controls.word = "cat";
    form.OnDicButton();
    ASSERT_EQ(doc.m_data.GetMemoCount(), 3u);
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, Sj("訳語の候補"));
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strText, "two");
    EXPECT_EQ(controls.memo, "neko");

    // The editor pane's lookup goes straight to the document.
    controls.memo = "neko, cat";
    ASSERT_TRUE(doc.LookupWord("dog"));
    EXPECT_EQ(doc.m_data.GetMemo(2).m_strText, "neko, cat");
    EXPECT_EQ(doc.m_data.GetMemo(3).m_strText, "inu");
    EXPECT_EQ(controls.memo, "inu");
}

TEST_F(MemoFormTest, LookupFromTheMemoTakesTheSelectionOrTheWordAtTheCaret) {
    AddMemos({{"a", ""}});
    dde.answers["dog"] = "inu";
    dde.answers[Sj("猫")] = "cat";
    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdCancel; });
    prompter.ExpectDicAnswerDialog([](CDicAnswerDlg&) { return kIdCancel; });
    const std::string text = Sj("the dog and 猫です");
    form.OnLookupFromMemo(text, 5, 5);
    form.OnLookupFromMemo(text, 12, 14);
    EXPECT_EQ(dde.FoundWords(), (std::vector<std::string>{"dog", Sj("猫")}));
}

TEST_F(MemoFormTest, EditsMarkTheProjectModified) {
    AddMemos({{"a", ""}});
    form.OnMemoEditChange();
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(MemoFormTest, NothingIsStoredIntoAMemoAfterTheRecordWasEmptied) {
    AddMemos({{"a", "one"}, {"b", "two"}});
    controls.selected = 1;
    form.OnListSelChange();
    controls.memo = "edits of the old project";
    doc.m_data.Clear();
    pane.OnContentsDeleted();
    // Another project's memos arrive before the pane lists them again.
    doc.m_data.AppendMemo(CKelmioMemo{"x", "first"});
    doc.m_data.AppendMemo(CKelmioMemo{"y", "second"});
    form.SaveMemoText();
    EXPECT_EQ(doc.m_data.GetMemo(0).m_strText, "first");
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strText, "second");
    controls.selected = 0;
    form.OnListSelChange();
    EXPECT_EQ(doc.m_data.GetMemo(1).m_strText, "second");
    EXPECT_EQ(controls.memo, "first");
}

TEST(MemoPrefixTest, EmptyWordOrListMatchesNothing) {
    CMemorySettings settings;
    CScriptedPrompter prompter;
    FakeAppHost app;
    CKelmioDoc doc{settings, prompter, app};
    EXPECT_EQ(CMemoForm::FindMemoByPrefix(doc, "a"), -1);
    doc.m_data.AppendMemo(CKelmioMemo{"abc", ""});
    EXPECT_EQ(CMemoForm::FindMemoByPrefix(doc, ""), -1);
    EXPECT_EQ(CMemoForm::FindMemoByPrefix(doc, "ABC"), 0);
    EXPECT_EQ(CMemoForm::FindMemoByPrefix(doc, "abcd"), -1);
}

}  // namespace
}  // namespace kelmio
