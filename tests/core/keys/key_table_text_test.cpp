#include <gtest/gtest.h>

#include "keys/key_table_text.h"

namespace kelmio {
namespace {

TEST(KeyTableText, ReadsBindingsAndSkipsCommentsAndBlankLines) {
    const KeyTableTextResult result = ParseKeyTableText(
        "# defaults\n"
        "Ctrl+S\t57603\t[ﾌｧｲﾙ]プロジェクトの上書き保存\r\n"
        "\n"
        "Shift+F3\t32834\t[編集]↑前を検索\n"
        "Ctrl+Shift+P\t57605\t");
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.bindings.size(), 3u);
    EXPECT_TRUE(result.bindings[0].Matches('S', false, false, true));
    EXPECT_EQ(result.bindings[0].m_nCommand, 57603u);
    EXPECT_TRUE(result.bindings[1].Matches(114, false, true, false));
    EXPECT_EQ(result.bindings[2].m_nCommand, 57605u) << "a command outside the list has an empty name";
}

TEST(KeyTableText, NamesTheFirstBadLine) {
    EXPECT_EQ(ParseKeyTableText("Ctrl+S\t57603\t[ﾌｧｲﾙ]印刷\n").error,
              "line 1: command 57603 is not named '[ﾌｧｲﾙ]印刷'");
    EXPECT_EQ(ParseKeyTableText("#\nCtrl+Q\t0\t\n").error, "line 2: command ID must be a number from 1 to 65535");
    EXPECT_EQ(ParseKeyTableText("Hyper+S\t57603\tx\n").error, "line 1: unknown key text 'Hyper+S'");
    const KeyTableTextResult missing = ParseKeyTableText("F1\t57667\n");
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.bindings.empty());
}

}  // namespace
}  // namespace kelmio
