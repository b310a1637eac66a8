#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/startup.h"
#include "platform/settings.h"

namespace kelmio {
namespace {

using Action = CCommandLineInfo::Action;

TEST(ParseCommandLine, FilesAndFlags) {
    EXPECT_EQ(ParseCommandLine({}).m_nShellCommand, Action::kFileNew);

    const CCommandLineInfo open = ParseCommandLine({"/home/u/a.kmp"});
    EXPECT_EQ(open.m_nShellCommand, Action::kFileOpen);
    EXPECT_EQ(open.m_strFileName, "/home/u/a.kmp");  // an absolute path is no flag

    const CCommandLineInfo print = ParseCommandLine({"/P", "a.kmp"});
    EXPECT_EQ(print.m_nShellCommand, Action::kFilePrint);
    EXPECT_EQ(print.m_strFileName, "a.kmp");

    const CCommandLineInfo printTo = ParseCommandLine({"-pt", "a.kmp", "Laser", "drv", "lp0"});
    EXPECT_EQ(printTo.m_nShellCommand, Action::kFilePrintTo);
    EXPECT_EQ(printTo.m_strPrinterName, "Laser");
    EXPECT_EQ(printTo.m_strDriverName, "drv");
    EXPECT_EQ(printTo.m_strPortName, "lp0");

    EXPECT_EQ(ParseCommandLine({"/dde"}).m_nShellCommand, Action::kFileDde);
    EXPECT_EQ(ParseCommandLine({"/p"}).m_nShellCommand, Action::kFileNew);  // nothing to print
}

TEST(ShellRequests, OpenPrintAndPrintTo) {
    const std::optional<ShellRequest> open = ParseShellRequest("[open(\"/a b/c.kmp\")]");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->verb, "open");
    EXPECT_EQ(open->args, std::vector<std::string>{"/a b/c.kmp"});

    const std::optional<ShellRequest> printTo = ParseShellRequest("[printto(\"a\",\"b\",\"c\",\"d\")]");
    ASSERT_TRUE(printTo);
    EXPECT_EQ(printTo->args.size(), 4u);

    for (const char* bad : {"", "[open]", "[open(a)]", "[open(\"a\")", "[open(\"a\",)]", "[delete(\"a\")]",
                            "[open(\"a\",\"b\")]", "[printto(\"a\")]", "[open(\"a)]"}) {
        EXPECT_FALSE(ParseShellRequest(bad)) << bad;
    }
}

TEST(ShellRequests, QuotesInAPathSurviveTheTrip) {
    const std::string path = "/tmp/say \"hi\".kmp";
    const std::optional<ShellRequest> request = ParseShellRequest(MakeOpenRequest(path));
    ASSERT_TRUE(request);
    EXPECT_EQ(request->args.front(), path);
}

TEST(DecideStartup, CommandLineFirstThenTheRecentProject) {
    CMemorySettings settings;
    const CCommandLineInfo none;
    EXPECT_EQ(DecideStartup(none, settings, "", false).action, StartupAction::kNewUntitled);  // first start
    EXPECT_EQ(DecideStartup(none, settings, "/r.kmp", false).action, StartupAction::kNewUntitled);  // deleted
    const StartupDecision recent = DecideStartup(none, settings, "/r.kmp", true);
    EXPECT_EQ(recent.action, StartupAction::kOpenRecent);
    EXPECT_EQ(recent.path, "/r.kmp");

    const StartupDecision named = DecideStartup(ParseCommandLine({"/c.kmp"}), settings, "/r.kmp", true);
    EXPECT_EQ(named.action, StartupAction::kOpenFile);
    EXPECT_EQ(named.path, "/c.kmp");

    settings.WriteInt("System", "InitFile", 0);
    EXPECT_EQ(DecideStartup(none, settings, "/r.kmp", true).action, StartupAction::kNewWithDialog);
    EXPECT_EQ(DecideStartup(ParseCommandLine({"/dde"}), settings, "", false).action,
              StartupAction::kWaitForRequest);
    EXPECT_EQ(DecideStartup(ParseCommandLine({"/p", "/x.kmp"}), settings, "", false).action,
              StartupAction::kPrintFile);
}

}  // namespace
}  // namespace kelmio
