#include "gui/platform/wx_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "gui_support.h"
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

}  // namespace
}  // namespace kelmio
