#include <gtest/gtest.h>

#include "app/about_info.h"
#include "app/help_topics.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(HelpRequests, ContextRequestsOfTheToolkitAreDroppedExceptHowTo) {
    EXPECT_TRUE(IsHelpRequestShown(HelpCommand::kContext, kHelpTopicHowTo));
    EXPECT_FALSE(IsHelpRequestShown(HelpCommand::kContext, 32775));  // F1 over a menu item
    EXPECT_FALSE(IsHelpRequestShown(HelpCommand::kContext, kHelpTopicKeyDialog));
    EXPECT_FALSE(IsHelpRequestShown(HelpCommand::kSetContents, 0));
    EXPECT_TRUE(IsHelpRequestShown(HelpCommand::kFinder, 0));

    EXPECT_EQ(HelpActionFor(HelpCommand::kContext), HelpAction::kShowTopic);
    EXPECT_EQ(HelpActionFor(HelpCommand::kFinder), HelpAction::kShowDefaultTopic);
    EXPECT_EQ(HelpActionFor(HelpCommand::kOther), HelpAction::kNothing);
}

TEST(HelpRequests, MessagesNameTheWholePath) {
    const std::string path = Sj("/opt/ケルミオ/bin/Kelmio.htb");
    EXPECT_EQ(MissingHelpFileMessage(path), Sj("ヘルプファイルがありません：/opt/ケルミオ/bin/Kelmio.htb"));
    EXPECT_EQ(DamagedHelpFileMessage(path), Sj("ヘルプファイルを読み込めません：/opt/ケルミオ/bin/Kelmio.htb"));
}

TEST(AboutBox, TextsAndTheMailLink) {
    EXPECT_EQ(AboutCaption(), Sj("Kelmioのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(AboutVersionText(), "Kelmio Version 1.01");
    EXPECT_EQ(MailLinkTarget(), "mailto:" + std::string(kMakerContact.mail));
    EXPECT_EQ(std::string_view(kMakerContact.webPage).substr(0, 8), "https://");
}

}  // namespace
}  // namespace kelmio
