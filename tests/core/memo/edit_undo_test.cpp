#include "memo/edit_undo.h"

#include <gtest/gtest.h>

#include <string>

namespace kelmio {
namespace {

// Types `text` at the end of `shown`, one character per key press.
void TypeAfter(CEditUndo& undo, std::string& shown, const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
        shown += text.substr(i, length);
        undo.OnChanged(shown);
        i += length;
    }
}

TEST(EditUndoTest, NothingToUndoUntilTheUserEditsAndAfterTheProgramShowsAText) {
    CEditUndo undo;
    EXPECT_FALSE(undo.Undo().has_value());
    undo.Reset("memo");
    EXPECT_FALSE(undo.CanUndo());
    undo.OnChanged("memo!");
    EXPECT_TRUE(undo.CanUndo());
    undo.Reset("another memo");
    EXPECT_FALSE(undo.Undo().has_value());
}

TEST(EditUndoTest, ARunOfTypingIsOneEditAndUndoingTwiceBringsItBack) {
    CEditUndo undo;
    undo.Reset("訳語：");
    std::string shown = "訳語：";
    TypeAfter(undo, shown, "ねこ cat");
    const std::optional<UndoneText> back = undo.Undo();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->text, "訳語：");
    EXPECT_EQ(back->caret, std::string("訳語：").size());
    const std::optional<UndoneText> again = undo.Undo();
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->text, "訳語：ねこ cat");
    EXPECT_EQ(again->caret, again->text.size());
}

TEST(EditUndoTest, TypingElsewhereOrDeletingStartsANewEdit) {
    CEditUndo undo;
    undo.Reset("");
    undo.OnChanged("ab");
    undo.OnChanged("Xab");  // typed at the start: a new edit
    EXPECT_EQ(undo.Undo()->text, "ab");

    undo.Reset("first line");
    undo.OnChanged("first lin");  // Backspace, Backspace: one edit
    undo.OnChanged("first li");
    undo.OnChanged("first");      // a selection deleted after them: another
    EXPECT_EQ(undo.Undo()->text, "first li");

    undo.Reset("abcdef");
    undo.OnChanged("abdef");  // Delete, Delete at the same place: one edit
    undo.OnChanged("abef");
    const std::optional<UndoneText> back = undo.Undo();
    EXPECT_EQ(back->text, "abcdef");
    EXPECT_EQ(back->caret, 4u);
}

TEST(EditUndoTest, PastedOrCutTextIsUndoneWhole) {
    CEditUndo undo;
    undo.Reset("源氏物語");
    undo.OnChanged("源氏");  // 物語 cut
    undo.OnChanged("源氏の物語");  // pasted back with a character more: a new edit
    EXPECT_EQ(undo.Undo()->text, "源氏");
    // A paste replacing a selection of double-byte characters, then typing on.
    undo.Reset("あいう");
    undo.OnChanged("あかう");
    undo.OnChanged("あかきう");
    const std::optional<UndoneText> back = undo.Undo();
    EXPECT_EQ(back->text, "あいう");
    EXPECT_EQ(back->caret, std::string("あい").size());
}

TEST(EditUndoTest, AnEditShownInTheFormItIsKeptAsIsStillOneEdit) {
    CEditUndo undo;
    undo.Reset("memo");
    undo.OnChanged("memo café");
    undo.OnShownAs("memo caf?");
    EXPECT_EQ(undo.Undo()->text, "memo");
    EXPECT_EQ(undo.Undo()->text, "memo caf?");
}

}  // namespace
}  // namespace kelmio
