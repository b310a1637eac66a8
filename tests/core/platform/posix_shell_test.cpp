#include "platform/posix_shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "dictionary/dic_lookup.h"
#include "dictionary/dic_opt_dg.h"
#include "platform/command_line_args.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using namespace kelmio::test;
namespace fs = std::filesystem;

// A program that writes each argument it gets on a line of its own, then
// "end", so the test knows it has finished.
std::string WriteRecorder(const TempDir& dir, const std::string& name, const std::string& record) {
    const std::string path = dir.File(name);
    WriteFileBytes(path, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\" >> '" + record +
                             "'; done\necho end >> '" + record + "'\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

// The recorded arguments, once the program has written its last line.
std::vector<std::string> RecordedArguments(const std::string& record) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(record) && ReadFileBytes(record).find("end\n") != std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<std::string> arguments;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') arguments.push_back(line.substr(1, line.size() - 2));
    }
    return arguments;
}

class PosixShellTest : public ::testing::Test {
protected:
    PosixShellTest() : lookup(settings, prompter) {
        DicPlatform platform;
        platform.pShell = &shell;
        lookup.SetPlatform(platform);
        lookup.m_nType = kDicCustom;
    }

    TempDir dir;
    CMemorySettings settings;
    CScriptedPrompter prompter;
    CPosixShell shell;
    CDicLookup lookup;
};

TEST_F(PosixShellTest, ShellMetacharactersAndLeadingDashesReachTheProgramAsData) {
    const std::string record = dir.File("args.txt");
    lookup.SetCustomPath(WriteRecorder(dir, "recorder", record));
    lookup.SetCustomParam("/k %s");
    lookup.ApproveCustomCommand();  // the user chose it in the settings dialog
    const std::string marker = dir.File("PWNED");
    const std::string word = "-rf;x|y$(touch " + marker + ")`touch " + marker + "`\"q\"'r'&&touch " + marker;
    lookup.Lookup(word);
    const std::vector<std::string> recorded = RecordedArguments(record);
    EXPECT_EQ(recorded, SplitCommandLine("/k " + word));
    ASSERT_GE(recorded.size(), 2u);
    EXPECT_EQ(recorded[0], "/k");
    EXPECT_EQ(recorded[1].rfind("-rf;x|y$(touch", 0), 0u);
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(PosixShellTest, ArgumentsCrossAsUtf8) {
    const std::string record = dir.File("args.txt");
    lookup.SetCustomPath(Sj(WriteRecorder(dir, "録音", record)));
    lookup.SetCustomParam("%s");
    lookup.ApproveCustomCommand();  // the user chose it in the settings dialog
    lookup.Lookup(Sj("猫ソ"));
    EXPECT_EQ(RecordedArguments(record), std::vector<std::string>{"猫ソ"});
}

TEST_F(PosixShellTest, UrlsGoToTheDesktopHandlerBehindAnEndOfOptions) {
    const std::string record = dir.File("gio.txt");
    WriteRecorder(dir, "gio", record);
    ScopedEnv path("PATH", dir.Path().string() + ":" + std::getenv("PATH"));
    lookup.SetCustomPath("https://example.org/search?q=%s");
    lookup.SetCustomParam("");
    lookup.ApproveCustomCommand();  // the user chose it in the settings dialog
    lookup.Lookup("-a;b");
    EXPECT_EQ(RecordedArguments(record), (std::vector<std::string>{"open", "--", "https://example.org/search?q=-a;b"}));
}

TEST_F(PosixShellTest, NothingStartsForAMissingProgram) {
    EXPECT_FALSE(shell.Execute(dir.File("missing"), "x", ShowMode::kNormal));
    EXPECT_FALSE(shell.Execute("--help", "", ShowMode::kNormal));
    EXPECT_FALSE(shell.Execute("", "", ShowMode::kNormal));
    EXPECT_TRUE(IsUrl("https://x"));
    EXPECT_FALSE(IsUrl("C:\\x"));
    EXPECT_FALSE(IsUrl("/a:b"));
}

}  // namespace
}  // namespace kelmio
