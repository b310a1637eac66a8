#include "dictionary/pdic_client.h"

#include <gtest/gtest.h>

#include "support/scripted_dde.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

class PdicClientTest : public ::testing::Test {
protected:
    PdicClientTest() {
        platform.pTransport = &dde;
        platform.pShell = &shell;
        platform.pRegistry = &registry;
        platform.sleep = [this](int ms) { sleeps.push_back(ms); };
        registry.pdicAnsi = "/opt/kelmio/kelmio-dictbridge";
        registry.pdicUnicode = "/opt/pdic/PDICU.EXE";
    }

    CScriptedDde dde;
    CRecordingShell shell;
    CFixedRegistry registry;
    DicPlatform platform;
    CScriptedPrompter prompter;
    std::vector<int> sleeps;
};

TEST_F(PdicClientTest, ConnectsToTheEditionsServiceAndTopicWithTheTimeOut) {
    CPdicClient ansi(platform, prompter, false);
    ASSERT_TRUE(ansi.Open());
    CPdicClient unicode(platform, prompter, true);
    ASSERT_TRUE(unicode.Open());
    ASSERT_GE(dde.calls.size(), 4u);
    EXPECT_EQ(dde.calls[0].item, "PDICW");
    EXPECT_EQ(dde.calls[0].data, "Dictionary");
    const auto unicodeConnect = std::find_if(dde.calls.begin() + 1, dde.calls.end(),
                                             [](const DdeCall& c) { return c.kind == "connect"; });
    ASSERT_NE(unicodeConnect, dde.calls.end());
    EXPECT_EQ(unicodeConnect->item, "PDICU");
    for (const DdeCall& call : dde.calls) EXPECT_EQ(call.timeoutMs, 10000) << call.kind << " " << call.item;
    EXPECT_TRUE(shell.starts.empty());
}

TEST_F(PdicClientTest, UnicodeEditionGetsSetAnsiBeforeOpenAndAnsiEditionDoesNot) {
    CPdicClient unicode(platform, prompter, true);
    ASSERT_TRUE(unicode.Open());
    EXPECT_EQ(dde.PokedItems(), (std::vector<std::string>{"SetAnsi", "Open"}));
    dde.calls.clear();
    CPdicClient ansi(platform, prompter, false);
    ASSERT_TRUE(ansi.Open());
    EXPECT_EQ(dde.PokedItems(), (std::vector<std::string>{"Open"}));
}

TEST_F(PdicClientTest, PokedTextsCarryTheirTerminatingNul) {
    dde.answers["cat"] = std::string("neko\0", 5);
    CPdicClient client(platform, prompter, false);
    ASSERT_TRUE(client.Open());
    std::string answer;
    ASSERT_TRUE(client.Find("cat", answer));
    EXPECT_EQ(answer, "neko");
    EXPECT_EQ(dde.calls[1].data, std::string("\0", 1));   // "Open" with an empty text
    EXPECT_EQ(dde.calls[2].data, std::string("cat\0", 4));
}

TEST_F(PdicClientTest, StartsPdicWhenNoServiceAnswersAndRetriesTenTimes) {
    dde.connectFailuresLeft = 4;  // the first try and three retries
    CPdicClient client(platform, prompter, false);
    ASSERT_TRUE(client.Open());
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, "/opt/kelmio/kelmio-dictbridge");
    EXPECT_EQ(shell.starts[0].parameters, "");
    EXPECT_EQ(shell.starts[0].show, ShowMode::kMinimized);
    EXPECT_EQ(sleeps, (std::vector<int>{100, 100, 100}));
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(PdicClientTest, NoAnswerAfterStartingPdicIsAConnectionFailure) {
    dde.services.clear();
    prompter.ExpectMessage(Answer::kOk);
    CPdicClient client(platform, prompter, true);
    EXPECT_FALSE(client.Open());
    EXPECT_EQ(shell.starts.at(0).file, "/opt/pdic/PDICU.EXE");
    EXPECT_EQ(sleeps, std::vector<int>(10, 100));
    EXPECT_EQ(std::count_if(dde.calls.begin(), dde.calls.end(), [](const DdeCall& c) { return c.kind == "connect"; }),
              11);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, Sj("接続失敗"));
    EXPECT_EQ(prompter.Messages()[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::kNone);
}

TEST_F(PdicClientTest, NoProgramOrAFailedStartMeansNoRetries) {
    dde.services.clear();
    shell.result = false;
    prompter.ExpectMessage(Answer::kOk);
    CPdicClient client(platform, prompter, false);
    EXPECT_FALSE(client.Open());
    EXPECT_TRUE(sleeps.empty());

    registry.pdicAnsi.clear();
    shell.starts.clear();
    prompter.ExpectMessage(Answer::kOk);
    CPdicClient again(platform, prompter, false);
    EXPECT_FALSE(again.Open());
    EXPECT_TRUE(shell.starts.empty());
    EXPECT_EQ(prompter.Messages().back().text, Sj("接続失敗"));
}

TEST_F(PdicClientTest, RefusedOpenOrSetAnsiOrCloseReportsTheCommandFailureWithTheStopIcon) {
    for (const char* item : {"SetAnsi", "Open", "Close"}) {
        SCOPED_TRACE(item);
        dde.refusedItems = {item};
        CScriptedPrompter local;
        local.ExpectMessage(Answer::kOk);
        CPdicClient client(platform, local, true);
        const bool opened = client.Open();
        EXPECT_EQ(opened, std::string(item) == "Close");
        if (opened) {
            EXPECT_FALSE(client.Close());
        }
        ASSERT_EQ(local.Messages().size(), 1u);
        EXPECT_EQ(local.Messages()[0].text, Sj("DDEｺﾏﾝﾄﾞ送信に失敗しました"));
        EXPECT_EQ(local.Messages()[0].icon, MessageIcon::kStop);
        EXPECT_EQ(local.Messages()[0].buttons, MessageButtons::kOk);
    }
}

TEST(AnswerFromDataTest, KeepsAtMost2047BytesAndNeverSplitsACharacter) {
    EXPECT_EQ(AnswerFromData(std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(AnswerFromData(""), "");
    EXPECT_EQ(AnswerFromData(std::string(5000, 'x')), std::string(2047, 'x'));
    // A NUL exactly at byte 2048 is past the buffer: the text is still cut.
    EXPECT_EQ(AnswerFromData(std::string(2047, 'y') + '\0').size(), 2047u);

    // "あ" is 0x82 0xA0: with 2046 ASCII bytes before it the cut falls
    // between its bytes, and the half is dropped.
    const std::string split = std::string(2046, 'a') + Sj("あい");
    EXPECT_EQ(AnswerFromData(split), std::string(2046, 'a'));
    const std::string whole = std::string(2045, 'a') + Sj("あい");
    EXPECT_EQ(AnswerFromData(whole), std::string(2045, 'a') + Sj("あ"));

    // A lone lead byte before the NUL, and a trail byte 0x5C kept whole.
    EXPECT_EQ(AnswerFromData(std::string("ab\x82\0", 4)), "ab");
    EXPECT_EQ(AnswerFromData(Sj("表")), Sj("表"));
}

}  // namespace
}  // namespace kelmio
