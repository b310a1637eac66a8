// A start that cannot make sure it is the one Kelmio, and cannot hand over
// to the one that is, says why and ends instead of running a second time.

#include "app/single_start.h"

#include <gtest/gtest.h>

#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"

namespace kelmio {
namespace {

using test::Sj;

class SingleStart : public ::testing::Test {
protected:
    StartRole Decide(InstanceClaim claim, const std::vector<std::string>& args, bool reachable = true) {
        return DecideStartRole(
            claim, ParseCommandLine(args),
            [&](const std::string& request) {
                m_sent.push_back(request);
                return reachable;
            },
            "/tmp/kelmio-1000", m_prompter);
    }

    test::CScriptedPrompter m_prompter;
    std::vector<std::string> m_sent;
};

TEST_F(SingleStart, TheLockHolderRunsAndOthersHandOver) {
    EXPECT_EQ(Decide(InstanceClaim::kOurs, {"/home/u/a.kmp"}), StartRole::kRun);
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(Decide(InstanceClaim::kElsewhere, {"/home/u/a.kmp"}), StartRole::kHandedOver);
    EXPECT_EQ(Decide(InstanceClaim::kElsewhere, {}), StartRole::kHandedOver);
    EXPECT_EQ(m_sent, (std::vector<std::string>{MakeOpenRequest("/home/u/a.kmp"), ""}));
    // A print start prints on its own, whoever holds the lock.
    EXPECT_EQ(Decide(InstanceClaim::kElsewhere, {"/p", "/home/u/a.kmp"}), StartRole::kRun);
    EXPECT_EQ(Decide(InstanceClaim::kNoFolder, {"/pt", "/home/u/a.kmp", "Laser"}), StartRole::kRun);
    EXPECT_EQ(m_sent.size(), 2u);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(SingleStart, AStartThatCannotMakeSureSaysWhyAndEnds) {
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Decide(InstanceClaim::kElsewhere, {"/home/u/a.kmp"}, false), StartRole::kEnd);
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Decide(InstanceClaim::kNoFolder, {"/home/u/a.kmp"}), StartRole::kEnd);
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_EQ(Decide(InstanceClaim::kNoLock, {}), StartRole::kEnd);
    EXPECT_TRUE(m_prompter.ScriptDone());
    ASSERT_EQ(m_prompter.Messages().size(), 3u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("Kelmioは既に起動していますが、応答がありません。\n"
                                                "しばらくしてから、もう一度起動してください。"));
    EXPECT_EQ(m_prompter.Messages()[1].text, Sj("Kelmioを起動できません。\n起動の確認に使うフォルダが、他のユーザーの"
                                                "ものか、他のユーザーも書き込めるフォルダです：\n/tmp/kelmio-1000"));
    EXPECT_NE(m_prompter.Messages()[2].text.find("/tmp/kelmio-1000"), std::string::npos);
    EXPECT_EQ(m_prompter.Messages()[2].icon, MessageIcon::kStop);
    EXPECT_EQ(m_sent.size(), 1u);  // only the start that found a Kelmio tried it
}

}  // namespace
}  // namespace kelmio
