#include "viewer/preview_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/private_folder.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

std::time_t LocalTime(int year, int month, int day, int hour, int minute) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(InfoPage, IsTheBodyByteForByte) {
    PreviewFileStatus status;
    status.size = 1234;
    status.created = LocalTime(2010, 3, 5, 9, 7);
    status.modified = LocalTime(2011, 12, 31, 23, 59);
    const std::string path = Sj("/home/u/ツール/b.exe");
    EXPECT_EQ(MakeInfoPageBody(path, Sj("バイナリーファイル"), status),
              Sj("<H1>バイナリーファイル</H1>\nファイル名：<A HREF=\"file://") + path + "\">" + path +
                  Sj("</A><BR><HR>\n<B>サイズ：</B>1234バイト<br><B>作成日付：</B>2010/03/05 09:07<BR>\n"
                     "<B>最終変更日付：</B>2011/12/31 23:59<BR>\n"));
}

TEST(InfoPage, ZeroByteFileAndMissingFile) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("empty.exe"), "");
    const PreviewFileStatus empty = ReadPreviewFileStatus(FromNativePath(dir.File("empty.exe")));
    EXPECT_EQ(empty.size, 0);
    EXPECT_TRUE(empty.modified.has_value());
    const std::string body = MakeInfoPageBody("x", "t", empty);
    EXPECT_NE(body.find(Sj("<B>サイズ：</B>0バイト<br>")), std::string::npos);

    // A file that is not there shows size 0 and no dates.
    const PreviewFileStatus missing = ReadPreviewFileStatus(FromNativePath(dir.File("gone.exe")));
    EXPECT_EQ(missing.size, 0);
    EXPECT_FALSE(missing.created.has_value());
    EXPECT_NE(MakeInfoPageBody("x", "t", missing).find(Sj("<B>作成日付：</B><BR>\n")), std::string::npos);
}

TEST(MediaPage, AudioHasSourceAndAutostartOnlyWithoutLineBreaks) {
    EXPECT_EQ(PreviewPageText(MakeMediaPageBody("/m/a.wav", false, 480)),
              "<HTML>\r\n<BODY><EMBED SRC=\"/m/a.wav\" AUTOSTART=\"FALSE\"></BODY>\r\n</HTML>");
}

TEST(MediaPage, VideoGetsTheClientHeightLessFifty) {
    EXPECT_EQ(MakeMediaPageBody("/m/v.avi", true, 480), "<EMBED SRC=\"/m/v.avi\" AUTOSTART=\"FALSE\" HEIGHT=\"430\">");
}

// A name without a Shift-JIS form cannot be written into the Shift-JIS
// page as it is: the page refers to its bytes percent-encoded.
TEST(MediaPage, NamesWithoutAShiftJisFormArePercentEncoded) {
    EXPECT_EQ(MakeMediaPageBody(CFilePath::FromNative("/m/é a\xFF.wav"), false, 0),
              "<EMBED SRC=\"/m/%C3%A9%20a%FF.wav\" AUTOSTART=\"FALSE\">");
    EXPECT_NE(MakeInfoPageBody(CFilePath::FromNative("/m/ü.txt"), "t", {}).find("HREF=\"file:///m/%C3%BC.txt\""),
              std::string::npos);
}

TEST(MediaPage, QuotesAroundThePathAreDropped) {
    EXPECT_EQ(MakeMediaPageBody("\"\"/m/a.mp3\"", false, 0), "<EMBED SRC=\"/m/a.mp3\" AUTOSTART=\"FALSE\">");
}

// A file name is the user's text: whatever it holds, the page shows and
// links it and never reads it as markup, an attribute or a script.
TEST(InfoPage, HostileNameIsEscapedInTheLinkAndTheText) {
    const std::string name = "/d/<img src=x onerror=\"alert('1')\">&.exe";
    const std::string body = MakeInfoPageBody(name, Sj("バイナリーファイル"), {});
    const std::string escaped = "/d/&lt;img src=x onerror=&quot;alert(&#39;1&#39;)&quot;&gt;&amp;.exe";
    EXPECT_NE(body.find("<A HREF=\"file://" + escaped + "\">" + escaped + "</A>"), std::string::npos) << body;
    EXPECT_EQ(body.find("<img"), std::string::npos);
    EXPECT_EQ(body.find('\''), std::string::npos);
    // Only the page's own quotes: the link's two.
    EXPECT_EQ(std::count(body.begin(), body.end(), '"'), 2);
}

TEST(InfoPage, LinkPointsAtTheFileWhoseNameHoldsAHashOrPercent) {
    const std::string body = MakeInfoPageBody(Sj("/d/#1 100%?.exe"), "t", {});
    EXPECT_NE(body.find(Sj("HREF=\"file:///d/%231 100%25%3F.exe\">/d/#1 100%?.exe</A>")), std::string::npos) << body;
}

TEST(MediaPage, HostileNameStaysInsideTheSourceValue) {
    EXPECT_EQ(MakeMediaPageBody(Sj("/m/\" onload=\"x()\" a='<b>&.wav"), false, 0),
              "<EMBED SRC=\"/m/&quot; onload=&quot;x()&quot; a=&#39;&lt;b&gt;&amp;.wav\" AUTOSTART=\"FALSE\">");
    // Quotes around the whole path still go, as they always have.
    EXPECT_EQ(MakeMediaPageBody("\"/m/<a>.mp3\"", false, 0), "<EMBED SRC=\"/m/&lt;a&gt;.mp3\" AUTOSTART=\"FALSE\">");
    // A Shift-JIS name whose kanji ends in the byte 0x5C passes unchanged.
    EXPECT_EQ(MakeMediaPageBody(Sj("/m/表示.wav"), false, 0), Sj("<EMBED SRC=\"/m/表示.wav\" AUTOSTART=\"FALSE\">"));
}

TEST(PreviewPagePath, HasExactlyOneSeparator) {
    EXPECT_EQ(PreviewPagePath("/run/user/1/kelmio"), "/run/user/1/kelmio/MorvaHtmlPreview.html");
    EXPECT_EQ(PreviewPagePath("/run/user/1/kelmio/"), "/run/user/1/kelmio/MorvaHtmlPreview.html");
}

class PreviewWriting : public ::testing::Test {
protected:
    std::string Folder() const { return FromNativePath(m_dir.Path().string()); }
    std::string Page() const { return m_dir.File("MorvaHtmlPreview.html"); }

    test::TempDir m_dir;  // created 0700 by mkdtemp
    test::CScriptedPrompter m_prompter;
};

TEST_F(PreviewWriting, SecondPageReplacesTheFirst) {
    EXPECT_EQ(WritePreviewPage(m_prompter, Folder(), "one"), FromNativePath(Page()));
    EXPECT_EQ(test::ReadFileBytes(Page()), "<HTML>\r\n<BODY>one</BODY>\r\n</HTML>");
    WritePreviewPage(m_prompter, Folder(), "two");
    EXPECT_EQ(test::ReadFileBytes(Page()), "<HTML>\r\n<BODY>two</BODY>\r\n</HTML>");
    EXPECT_TRUE(m_prompter.Messages().empty());
    // Nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1);
}

TEST_F(PreviewWriting, PlantedLinkIsReplacedNotFollowed) {
    const std::string victim = m_dir.File("victim.txt");
    test::WriteFileBytes(victim, "precious");
    ASSERT_EQ(::symlink(victim.c_str(), Page().c_str()), 0);
    WritePreviewPage(m_prompter, Folder(), "page");
    EXPECT_EQ(test::ReadFileBytes(victim), "precious");
    struct stat info {};
    ASSERT_EQ(::lstat(Page().c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(test::ReadFileBytes(Page()), "<HTML>\r\n<BODY>page</BODY>\r\n</HTML>");
}

TEST_F(PreviewWriting, FolderOpenToOthersIsRefusedWithTheOpenMessage) {
    ::chmod(m_dir.Path().c_str(), 0777);
    m_prompter.ExpectMessage(Answer::kOk);
    const std::string path = WritePreviewPage(m_prompter, Folder(), "page");
    EXPECT_EQ(path, FromNativePath(Page()));  // returned all the same
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("ファイルのオープンに失敗しました:") + path);
    EXPECT_EQ(m_prompter.Messages()[0].buttons, MessageButtons::kOk);
    EXPECT_TRUE(test::ReadFileBytes(Page()).empty());
}

TEST_F(PreviewWriting, MissingFolderGivesTheOpenMessage) {
    m_prompter.ExpectMessage(Answer::kOk);
    const std::string path = WritePreviewPage(m_prompter, Folder() + "/none", "page");
    EXPECT_EQ(m_prompter.Messages().at(0).text, Sj("ファイルのオープンに失敗しました:") + path);
}

TEST(PrivateTempFolder, IsCreatedClosedBelowTheRuntimeFolder) {
    test::TempDir runtime;
    test::ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path().string());
    const std::string folder = GetPrivateTempFolder();
    EXPECT_EQ(folder, FromNativePath(runtime.File("kelmio")));
    struct stat info {};
    ASSERT_EQ(::lstat(runtime.File("kelmio").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(PrivateTempFolder, LinkOrOpenFolderIsNotTaken) {
    test::TempDir base;
    test::TempDir elsewhere;
    ASSERT_EQ(::symlink(elsewhere.Path().c_str(), base.File("linked").c_str()), 0);
    EXPECT_EQ(PrivateFolderBelow(base.Path().string(), "linked"), "");
    ::mkdir(base.File("open").c_str(), 0755);
    ::chmod(base.File("open").c_str(), 0755);
    EXPECT_EQ(PrivateFolderBelow(base.Path().string(), "open"), "");
    EXPECT_EQ(PrivateFolderBelow("relative", "x"), "");
}

}  // namespace
}  // namespace kelmio
