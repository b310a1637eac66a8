// A dictionary program that went away or hangs: the lookup starts a new
// one where that helps, never waits on a lost conversation, and says what
// happened instead of "not found".

#include <gtest/gtest.h>

#include <algorithm>

#include "dictionary/dic_answer_dlg.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "support/dictionary_doc.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

class LostDictionaryTest : public DictionaryDocTest {
protected:
    LostDictionaryTest() {
        registry.pdicAnsi = "/usr/lib/kelmio/kelmio-dictbridge";
        dde.answers["cat"] = "neko";
    }

    int Connects() const {
        return static_cast<int>(std::count_if(dde.calls.begin(), dde.calls.end(),
                                              [](const DdeCall& call) { return call.kind == "connect"; }));
    }
};

TEST_F(LostDictionaryTest, ProgramThatWentAwayIsStartedAgainAndTheWordAnswered) {
    dde.goneConnectionsLeft = 1;
    std::string shown;
    prompter.ExpectDicAnswerDialog([&shown](CDicAnswerDlg& dialog) {
        shown = dialog.m_strAnswer;
        return kIdCancel;
    });
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_EQ(shown, "neko");
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(Connects(), 2);
    EXPECT_EQ(dde.PokedItems(), (std::vector<std::string>{"Open", "Open", "Find", "Close"}));
}

TEST_F(LostDictionaryTest, ProgramThatHangsIsToldOnceAndNoSecondOneStarted) {
    // Before the conversation: the connection finds it hanging.
    dde.hungConnectsLeft = 1;
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("cat"));
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("辞書ソフトが応答しません"));
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::kStop);
    EXPECT_TRUE(shell.starts.empty());
    EXPECT_EQ(Connects(), 1);

    // In the middle of it: one time-out, not one per form of the word,
    // no "not found", and no "Close" into the void.
    dde.calls.clear();
    dde.losingItems = {"Find"};
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("Cat"));
    EXPECT_EQ(dde.PokedItems(), (std::vector<std::string>{"Open", "Find"}));
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[1].text, Sj("辞書ソフトが応答しません"));
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(LostDictionaryTest, ProgramThatHangsRightAfterItsStartEndsTheTries) {
    dde.connectFailuresLeft = 1;  // nobody there: the program is started
    dde.hungConnectsLeft = 10;    // and then hangs
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(Connects(), 2);  // not ten more time-outs
    EXPECT_EQ(prompter.Messages().at(0).text, Sj("辞書ソフトが応答しません"));
}

}  // namespace
}  // namespace kelmio
