// A find the bridge refuses leaves no answer behind: a peer that requests
// the answer all the same gets none, never the answer of the word before.
#include <gtest/gtest.h>

#include "dictbridge/dictzip_writer.h"
#include "dictd/bridge_service.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio::dictd {
namespace {

using namespace kelmio::test;

std::string WithNul(const std::string& text) { return text + '\0'; }

TEST(BridgeStaleAnswerTest, RefusedFindsLeaveNoAnswerOfAnEarlierWord) {
    TempDir dir;
    const auto database = MakeDictdDatabase({{"cat", "cat\n  neko\n"}});
    WriteFileBytes(dir.File("x.index"), database.index);
    WriteFileBytes(dir.File("x.dict"), database.text);
    CDictdShelf shelf({dir.Path().string()});
    CBridgeConversation conversation(shelf);

    ASSERT_TRUE(conversation.OnPoke("Open", WithNul("")));
    ASSERT_TRUE(conversation.OnPoke("Find", WithNul("cat")));
    ASSERT_TRUE(conversation.OnRequest("Find").has_value());
    // A word not found.
    EXPECT_FALSE(conversation.OnPoke("Find", WithNul("dog")));
    EXPECT_FALSE(conversation.OnRequest("Find").has_value());

    ASSERT_TRUE(conversation.OnPoke("Find", WithNul("cat")));
    // A find after the close.
    ASSERT_TRUE(conversation.OnPoke("Close", WithNul("")));
    EXPECT_FALSE(conversation.OnPoke("Find", WithNul("cat")));
    EXPECT_FALSE(conversation.OnRequest("Find").has_value());
}

}  // namespace
}  // namespace kelmio::dictd
