#include <gtest/gtest.h>

#include <set>

#include "keys/command_list.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(CommandList, HoldsTheEightySixCommandsInOrder) {
    const std::vector<CommandListEntry>& list = GetCommandList();
    ASSERT_EQ(list.size(), 86u);
    EXPECT_EQ(list.front().name, Sj("[ﾌｧｲﾙ]ソースファイルの指定"));
    EXPECT_EQ(list.front().id, 32775u);
    EXPECT_EQ(list[17].name, Sj("[ﾌｧｲﾙ]ｱﾌﾟﾘｹｰｼｮﾝの終了"));
    EXPECT_EQ(list[45].name, Sj("[画像]実寸表示"));
    EXPECT_EQ(list.back().name, Sj("[ﾍﾙﾌﾟ]Kelmio のバージョン情報"));
    EXPECT_EQ(list.back().id, 57664u);
    // Half-width katakana stay single bytes: "[ﾌｧｲﾙ]" is six bytes.
    EXPECT_EQ(list.front().name.substr(0, 6), "[\xCC\xA7\xB2\xD9]");

    std::set<unsigned int> ids;
    for (const CommandListEntry& entry : list) ids.insert(entry.id);
    EXPECT_EQ(ids.size(), 86u) << "every command appears once";
}

TEST(CommandList, NamesTwoCustomZoomCommandsAlike) {
    const std::vector<CommandListEntry>& list = GetCommandList();
    EXPECT_EQ(list[55].name, Sj("[画像]カスタム"));
    EXPECT_EQ(list[55].id, 32817u);
    EXPECT_EQ(list[65].name, Sj("[画像]カスタム"));
    EXPECT_EQ(list[65].id, 32818u);
    EXPECT_EQ(GetCommandName(32818), Sj("[画像]カスタム"));
    EXPECT_EQ(GetCommandName(57605), "") << "page setup is bindable only by ID";
}

}  // namespace
}  // namespace kelmio
