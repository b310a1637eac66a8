#include "gui/platform/wx_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "gui_support.h"
#include "platform/file_io.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(CWxSettings, ValuesSurviveInKelmioIniWithTheirSectionNames) {
    test::TempDir folder;
    const std::string nested = (folder.Path() / "Morva").string();
    {
        CWxSettings settings(nested);
        EXPECT_EQ(settings.GetInt("System", "InitFile", 1), 1);
        settings.WriteInt("Window size", "showCmd", 3);
        settings.WriteString("Recent File List", "File1", Sj("/home/訳者/プロジェクト.kmp"));
        settings.WriteString("System", "Empty", "");
    }
    const std::string text = test::ReadFileBytes(folder.File("Morva/Kelmio.ini"));
    EXPECT_NE(text.find("showCmd=3"), std::string::npos);

    CWxSettings again(nested);
    EXPECT_EQ(again.GetInt("Window size", "showCmd", 1), 3);
    EXPECT_EQ(again.GetString("Recent File List", "File1", ""), Sj("/home/訳者/プロジェクト.kmp"));
    EXPECT_EQ(again.GetString("System", "Empty", "x"), "");
    EXPECT_EQ(again.GetString("System", "Missing", "dflt"), "dflt");
}

TEST(CWxSettings, ADamagedFileGivesWhatCanBeReadAndNoCrash) {
    test::TempDir folder;
    {
        std::ofstream file(folder.File("Kelmio.ini"), std::ios::binary);
        const char bytes[] = "[View]\nFormWidth=321\n[[broken\n\xff\xfe\0garbage=\n=\n[View]\nPreviewHeight=abc\n";
        file.write(bytes, sizeof bytes - 1);
    }
    CWxSettings settings(folder.Path().string());
    EXPECT_EQ(settings.GetInt("View", "FormWidth", 0), 321);
    EXPECT_EQ(settings.GetInt("View", "PreviewHeight", 77), 77);
}

// A crash after a change must not lose it: the file holds every change as
// soon as the program is idle, while the store is still open.
TEST(CWxSettings, EveryChangeIsOnDiskOnceTheProgramIsIdle) {
    test::TempDir folder;
    CWxSettings settings(folder.Path().string());
    settings.WriteInt("EditX", "TabSize", 4);
    settings.WriteString("Recent File List", "File1", Sj("/訳/a.kmp"));
    test::Pump();
    {
        const CWxSettings reader(folder.Path().string());
        EXPECT_EQ(reader.GetInt("EditX", "TabSize", 8), 4);
        EXPECT_EQ(reader.GetString("Recent File List", "File1", ""), Sj("/訳/a.kmp"));
    }
    settings.WriteInt("EditX", "TabSize", 2);
    test::Pump();
    const CWxSettings reader(folder.Path().string());
    EXPECT_EQ(reader.GetInt("EditX", "TabSize", 8), 2);
}

// A settings file larger than any Kelmio writes is not read (in linear
// time or otherwise): the user is told, and the file is never written
// over, whatever changes in the session.
TEST(CWxSettings, AnOversizedFileIsReportedAndKept) {
    test::TempDir folder;
    const std::string path = folder.File("Kelmio.ini");
    std::string bytes = "[View]\nFormWidth=321\n";
    while (bytes.size() <= kLargestSettingsFile) bytes += "[Big]\nvalue" + std::to_string(bytes.size()) + "=1\n";
    test::WriteFileBytes(path, bytes);
    {
        CWxSettings settings(folder.Path().string());
        ASSERT_TRUE(settings.ReadProblem());
        EXPECT_EQ(*settings.ReadProblem(), path + Sj(" へのｱｸｾｽは拒否されました。"));
        EXPECT_EQ(settings.GetInt("View", "FormWidth", 7), 7);
        settings.WriteInt("View", "FormWidth", 5);
        EXPECT_TRUE(settings.Flush());
        EXPECT_EQ(settings.GetInt("View", "FormWidth", 7), 5);
    }
    EXPECT_EQ(test::ReadFileBytes(path), bytes);
}

// A start that only hands its request over leaves the file to the Kelmio
// that runs; a missing file is no problem.
TEST(CWxSettings, KeptUnwrittenWritesNothing) {
    test::TempDir folder;
    const std::string path = folder.File("Kelmio.ini");
    test::WriteFileBytes(path, "; the user's own note\n[View]\nFormWidth=321\n");
    {
        CWxSettings settings(folder.Path().string());
        EXPECT_FALSE(settings.ReadProblem());
        settings.WriteInt("View", "FormWidth", 5);
        settings.KeepFileUnwritten();
    }
    EXPECT_EQ(test::ReadFileBytes(path), "; the user's own note\n[View]\nFormWidth=321\n");
    CWxSettings fresh((folder.Path() / "none").string());
    EXPECT_FALSE(fresh.ReadProblem());
}

}  // namespace
}  // namespace kelmio
