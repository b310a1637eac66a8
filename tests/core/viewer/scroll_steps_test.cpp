#include "viewer/scroll_steps.h"

#include <gtest/gtest.h>

#include "commands/command_ids.h"

namespace kelmio {
namespace {

TEST(ScrollSteps, CommandsKeysAndWheelMeetInOneTable) {
    EXPECT_EQ(ScrollOpForCommand(ID_SOURCE_SCROLL_UP), ScrollOp::kUp);
    EXPECT_EQ(ScrollOpForCommand(ID_SOURCE_SCROLL_RIGHT), ScrollOp::kRight);
    EXPECT_EQ(ScrollOpForCommand(ID_SOURCE_SCROLL_LEFT), ScrollOp::kLeft);
    EXPECT_EQ(ScrollOpForCommand(ID_SOURCE_PAGE_DOWN), ScrollOp::kPageDown);
    EXPECT_FALSE(ScrollOpForCommand(ID_EDIT_COPY));
    EXPECT_EQ(ScrollOpForKey(0x26), ScrollOp::kUp);
    EXPECT_EQ(ScrollOpForKey(0x21), ScrollOp::kPageUp);
    EXPECT_FALSE(ScrollOpForKey(0x24));  // Home passes on
    EXPECT_FALSE(ScrollOpForKey('A'));
    EXPECT_EQ(ScrollOpForWheel(120), ScrollOp::kUp);
    EXPECT_EQ(ScrollOpForWheel(0), ScrollOp::kDown);
    EXPECT_EQ(ScrollOpForWheel(-120), ScrollOp::kDown);
}

TEST(ScrollSteps, ArrowKeysScrollTheTextPaneByLinesAndLeftRightDoNothing) {
    EXPECT_EQ(TextStep(ScrollOp::kUp).nLines, -1);
    EXPECT_EQ(TextStep(ScrollOp::kDown).nLines, 1);
    EXPECT_EQ(TextStep(ScrollOp::kPageDown).nPages, 1);
    EXPECT_EQ(TextStep(ScrollOp::kLeft).nLines, 0);
    EXPECT_EQ(TextStep(ScrollOp::kRight).nPages, 0);
}

TEST(ScrollSteps, BrowserNames) {
    EXPECT_EQ(BrowserScrollName(ScrollOp::kUp), "scrollbarUp");
    EXPECT_EQ(BrowserScrollName(ScrollOp::kDown), "scrollbarDown");
    EXPECT_EQ(BrowserScrollName(ScrollOp::kLeft), "scrollbarLeft");
    EXPECT_EQ(BrowserScrollName(ScrollOp::kRight), "scrollbarRight");
    EXPECT_EQ(BrowserScrollName(ScrollOp::kPageUp), "scrollbarPageUp");
    EXPECT_EQ(BrowserScrollName(ScrollOp::kPageDown), "scrollbarPageDown");
}

}  // namespace
}  // namespace kelmio
