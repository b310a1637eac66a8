// A custom dictionary program named by a project file: it runs only after
// the user has seen its command line and agreed, and that agreement is
// kept in the user's settings for exactly that command line.

#include <gtest/gtest.h>

#include "dictionary/custom_program_approval.h"
#include "dictionary/dic_opt_dg.h"
#include "platform/settings.h"
#include "project/kelmio_doc.h"
#include "project/project_file.h"
#include "support/file_bytes.h"
#include "support/dictionary_doc.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;

class CustomProgramTest : public DictionaryDocTest {
protected:
    // Opens a project file that names `program` with `parameters`.
    void OpenProjectNaming(const std::string& program, const std::string& parameters) {
        CKelmioData data;
        data.m_nDicKind = kDicCustom;
        data.m_strDicPath = program;
        data.m_strDicParam = parameters;
        // A new name each time: the project that is open is not read again.
        const std::string path = dir.File("shared" + std::to_string(++opened) + ".kmp");
        WriteFileBytes(path, WriteProject(data));
        ASSERT_TRUE(doc.OpenDocumentFile(path));
    }

    TempDir dir;
    int opened = 0;
};

TEST_F(CustomProgramTest, ProgramFromAProjectRunsOnlyAfterTheUserAgreedToItsCommandLine) {
    OpenProjectNaming("/tmp/evil", "--do %s");

    prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(doc.LookupWord("cat"));
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const MessageRecord& question = prompter.Messages()[0];
    EXPECT_EQ(question.text, Sj("プロジェクトの辞書設定が次のプログラムを起動しようとしています。\n\n"
                                "プログラム：/tmp/evil\nパラメータ：--do %s\n\n"
                                "%s は検索する語に置き換えられます。\n"
                                "このプログラムを実行しますか？\n"
                                "［はい］を選ぶと、同じプログラムとパラメータでは次から確認しません。"));
    EXPECT_EQ(question.buttons, MessageButtons::kYesNo);
    EXPECT_EQ(question.icon, MessageIcon::kExclamation);

    // "No" was not remembered: the next lookup asks again; "Yes" runs it.
    prompter.ExpectMessage(Answer::kYes);
    doc.LookupWord("dog");
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, "/tmp/evil");
    EXPECT_EQ(shell.starts[0].parameters, "--do dog");

    // Approved: no more questions, also after the project is opened again.
    OpenProjectNaming("/tmp/evil", "--do %s");
    doc.LookupWord("cow");
    EXPECT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(prompter.Messages().size(), 2u);

    // Any change to the program or its parameters asks again.
    for (const auto& [program, parameters] : {std::pair<std::string, std::string>{"/tmp/evil", "--do %s "},
                                              {"/tmp/evil ", "--do %s"},
                                              {"/tmp/evil2", "--do %s"}}) {
        OpenProjectNaming(program, parameters);
        prompter.ExpectMessage(Answer::kNo);
        doc.LookupWord("cat");
    }
    EXPECT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(prompter.Messages().size(), 5u);
    EXPECT_TRUE(prompter.ScriptDone());
}

TEST_F(CustomProgramTest, ProgramChosenInTheSettingsDialogOrTheProfileRunsWithoutAQuestion) {
    prompter.ExpectDicOptDialog([](CDicOptDg& dialog) {
        dialog.m_nKind = kDicCustom;
        dialog.m_strPath = "/usr/bin/sdcv";
        dialog.m_strParam = "-n %s";
        return kIdOk;
    });
    doc.OnDicSettings();
    doc.LookupWord("cat");
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].parameters, "-n cat");
    // The approval is the user's, so it holds for a project naming the same.
    OpenProjectNaming("/usr/bin/sdcv", "-n %s");
    doc.LookupWord("dog");
    EXPECT_EQ(shell.starts.size(), 2u);
    EXPECT_TRUE(prompter.Messages().empty());

    // The profile's defaults are the user's own settings too.
    CMemorySettings profile;
    profile.WriteString("System", "CustomPath", "/opt/dict");
    profile.WriteString("System", "CustomParam", "%s");
    CScriptedPrompter quiet;
    CDicLookup lookup(profile, quiet);
    DicPlatform platform;
    platform.pShell = &shell;
    lookup.SetPlatform(platform);
    lookup.m_nType = kDicCustom;
    lookup.Lookup("cat");
    ASSERT_EQ(shell.starts.size(), 3u);
    EXPECT_EQ(shell.starts[2].file, "/opt/dict");
    EXPECT_TRUE(quiet.Messages().empty());
}

TEST(CustomProgramApprovalTest, KeepsABoundedListEvenWhenTheFileClaimsMore) {
    CMemorySettings settings;
    CCustomProgramApproval approval(settings);
    for (int i = 0; i <= kMaxApprovedPrograms; ++i) approval.Approve({"/bin/p" + std::to_string(i), "%s"});
    EXPECT_FALSE(approval.IsApproved({"/bin/p0", "%s"}));  // the oldest was forgotten
    EXPECT_TRUE(approval.IsApproved({"/bin/p1", "%s"}));
    EXPECT_TRUE(approval.IsApproved({"/bin/p" + std::to_string(kMaxApprovedPrograms), "%s"}));
    EXPECT_FALSE(approval.IsApproved({"/bin/p1", ""}));
    EXPECT_EQ(settings.GetInt("ApprovedDictionaryPrograms", "Count", 0), kMaxApprovedPrograms);

    // A count edited by hand reads no further than the list's limit.
    settings.WriteInt("ApprovedDictionaryPrograms", "Count", 2000000000);
    settings.WriteString("ApprovedDictionaryPrograms", "Program40", "/bin/late");
    settings.WriteString("ApprovedDictionaryPrograms", "Parameters40", "");
    EXPECT_FALSE(approval.IsApproved({"/bin/late", ""}));
    settings.WriteInt("ApprovedDictionaryPrograms", "Count", -5);
    EXPECT_FALSE(approval.IsApproved({"/bin/p1", "%s"}));
    approval.Approve({"/bin/q", ""});
    EXPECT_TRUE(approval.IsApproved({"/bin/q", ""}));
    EXPECT_EQ(settings.GetInt("ApprovedDictionaryPrograms", "Count", 0), 1);
}

}  // namespace
}  // namespace kelmio
