#include "dictd/bridge_service.h"

#include <gtest/gtest.h>

#include "dictbridge/dictzip_writer.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio::dictd {
namespace {

using namespace kelmio::test;

std::string WithNul(const std::string& text) { return text + '\0'; }

TEST(AnswerTextTest, JoinsDefinitionsWithCrLfAndCountsWhatShiftJisCannotHold) {
    LookupResult result;
    result.definitions = {"cat\n  猫\n\n", std::string("dog\n  犬 \xF0\x9F\x90\x95 ") + '\0' + "x"};
    const std::string text = AnswerText(result);
    EXPECT_EQ(text, Sj("cat\r\n  猫\r\n\r\ndog\r\n  犬 ? x\r\n\r\n(Shift-JISにない文字 1 個を ? で置き換えました)"));
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(AnswerText(LookupResult{}), "");
}

class BridgeConversationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto database = MakeDictdDatabase({{"cat", "cat\n  neko\n"}, {"猫", "猫\n  cat\n"}});
        WriteFileBytes(dir.File("x.index"), database.index);
        WriteFileBytes(dir.File("x.dict.dz"), Dictzip(database.text, 16));
    }

    std::string Status() { return conversation.OnRequest(kPokeStatusItem).value_or("none"); }

    TempDir dir;
    CDictdShelf shelf{{dir.Path().string()}};
    CBridgeConversation conversation{shelf};
};

TEST_F(BridgeConversationTest, OpenFindRequestClose) {
    EXPECT_TRUE(conversation.OnPoke("SetAnsi", WithNul("")));
    EXPECT_FALSE(conversation.OnPoke("Find", WithNul("cat")));  // not open yet
    EXPECT_EQ(Status(), WithNul("0"));
    EXPECT_TRUE(conversation.OnPoke("Open", WithNul("")));
    EXPECT_EQ(Status(), WithNul("1"));
    EXPECT_TRUE(conversation.OnPoke("Find", WithNul("cat")));
    EXPECT_EQ(conversation.OnRequest("Find"), WithNul("cat\r\n  neko"));
    EXPECT_TRUE(conversation.OnPoke("Find", WithNul(Sj("猫"))));
    EXPECT_EQ(conversation.OnRequest("Find"), WithNul(Sj("猫\r\n  cat")));
    EXPECT_FALSE(conversation.OnPoke("Find", WithNul("CAT")));
    EXPECT_EQ(Status(), WithNul("0"));
    EXPECT_FALSE(conversation.OnRequest("Find"));
    EXPECT_FALSE(conversation.OnRequest("Other"));
    EXPECT_FALSE(conversation.OnPoke("Other", ""));
    EXPECT_TRUE(conversation.OnPoke("Close", WithNul("")));
    EXPECT_FALSE(conversation.OnPoke("Find", WithNul("cat")));
}

TEST_F(BridgeConversationTest, WordsWithoutNulOrWithBrokenShiftJisAreJustNotFound) {
    ASSERT_TRUE(conversation.OnPoke("Open", ""));
    EXPECT_TRUE(conversation.OnPoke("Find", "cat"));
    EXPECT_FALSE(conversation.OnPoke("Find", "\x82"));
    EXPECT_FALSE(conversation.OnPoke("Find", std::string("\0cat", 4)));
}

TEST(BridgeConversationEmptyTest, OpenFailsWithoutAnyDatabase) {
    TempDir dir;
    CDictdShelf shelf({dir.Path().string()});
    CBridgeConversation conversation(shelf);
    EXPECT_FALSE(conversation.OnPoke("Open", WithNul("")));
}

}  // namespace
}  // namespace kelmio::dictd
