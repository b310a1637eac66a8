#include "imaging/image_display.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/imaging/image_test_files.h"
#include "platform/settings.h"
#include "project/kelmio_data.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

// The image save dialog, answered from a script.
class CScriptedImageChooser final : public CImageSaveChooser {
public:
    void Answer(CFilePath path, int filterIndex) { m_answers.push_back({kIdOk, std::move(path), filterIndex}); }
    void Cancel() { m_answers.push_back({kIdCancel, "", 0}); }

    FileDialogResult ChooseImageFile(const CFileDialogEx& dialog, const CFilePath& folder) override {
        m_dialogs.push_back(dialog);
        m_folders.emplace_back(folder);
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected image save dialog";
            return {};
        }
        FileDialogResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::vector<CFileDialogEx> m_dialogs;
    std::vector<CFilePath> m_folders;

private:
    std::deque<FileDialogResult> m_answers;
};

class ImageDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_strFile = m_dir.File("page.png");
        ASSERT_TRUE(test::GradientImage(40, 30).SavePng(m_strFile, {}));
    }

    test::TempDir m_dir;
    std::string m_strFile;
    CMemorySettings m_settings;
    test::CScriptedPrompter m_prompter;
    CScriptedImageChooser m_chooser;
    CImageDisplay m_display{m_settings, m_prompter, m_chooser};
    CKelmioData m_project;
};

TEST_F(ImageDisplayTest, ShowsAnImageRaisedToThirtyTwoBits) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    EXPECT_EQ(m_display.GetImage().GetSize(), (ImageSize{40, 30}));
    EXPECT_EQ(m_display.GetImage().GetBitCount(), 32);
    EXPECT_EQ(m_display.GetPath(), m_strFile);
    EXPECT_FALSE(m_display.IsImageModified());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(ImageDisplayTest, UnreadableImageSaysSoAndShowsNothing) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    const std::string broken = m_dir.File("broken.png");
    test::WriteFileBytes(broken, test::PngWithHeader(100000, 100000));
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(m_display.ShowImageFile(broken));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, Sj("表示できません：") + broken);
    EXPECT_FALSE(m_display.HasImage());
    EXPECT_TRUE(m_display.GetPath().empty());
}

TEST_F(ImageDisplayTest, UndoRestoresOnlyTheStateBeforeTheLastTurn) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    EXPECT_FALSE(m_display.CanUndo());
    const std::vector<std::uint8_t> original = m_display.GetImage().GetRgb().bytes;
    ASSERT_TRUE(m_display.Turn(ImageTurn::kLeft90));
    EXPECT_TRUE(m_display.IsImageModified());
    const std::vector<std::uint8_t> turned = m_display.GetImage().GetRgb().bytes;
    ASSERT_TRUE(m_display.Turn(ImageTurn::kFlipHorizontal));
    EXPECT_EQ(m_display.GetImage().GetSize(), (ImageSize{30, 40}));

    ASSERT_TRUE(m_display.Undo());
    EXPECT_EQ(m_display.GetImage().GetRgb().bytes, turned);
    ASSERT_TRUE(m_display.Undo());  // the same copy again, never further back
    EXPECT_EQ(m_display.GetImage().GetRgb().bytes, turned);
    EXPECT_NE(m_display.GetImage().GetRgb().bytes, original);
    EXPECT_TRUE(m_display.IsImageModified());  // undo leaves the flag

    ASSERT_TRUE(m_display.RotateBy(3000));
    EXPECT_GT(m_display.GetImage().GetSize().cx, 30);
    ASSERT_TRUE(m_display.Turn(ImageTurn::kHalf));
    ASSERT_TRUE(m_display.Turn(ImageTurn::kRight90));
    ASSERT_TRUE(m_display.Turn(ImageTurn::kFlipVertical));

    // A new source drops the copy: undo never brings back another file.
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    EXPECT_FALSE(m_display.CanUndo());
    EXPECT_FALSE(m_display.Undo());
}

TEST_F(ImageDisplayTest, ZoomingShowsTheTurnedImageAtTheNewSize) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    ASSERT_TRUE(m_display.Turn(ImageTurn::kLeft90));
    ZoomEnlarge(m_display.Zoom(), 20);
    EXPECT_EQ(m_display.GetImage().GetSize(), (ImageSize{30, 40}));
    EXPECT_EQ(m_display.GetDisplaySize(ImageSize{500, 500}), (ImageSize{60, 80}));
    ZoomReduce(m_display.Zoom(), 20);
    EXPECT_EQ(m_display.GetDisplaySize(ImageSize{500, 500}), (ImageSize{15, 20}));
    ZoomRealSize(m_display.Zoom());
    EXPECT_EQ(m_display.GetDisplaySize(ImageSize{500, 500}), (ImageSize{30, 40}));
    EXPECT_TRUE(m_display.IsImageModified());
    EXPECT_TRUE(m_display.CanUndo());
}

TEST_F(ImageDisplayTest, SettingsOfTheViewer) {
    m_settings.WriteInt("View", "ImagePure", 1);
    m_settings.WriteInt("View", "PureLevel", 25);
    CImageDisplay display(m_settings, m_prompter, m_chooser);
    EXPECT_TRUE(display.IsPure());
    EXPECT_EQ(display.GetPureLevel(), 25);
    display.TogglePure();
    EXPECT_EQ(m_settings.GetInt("View", "ImagePure", -1), 0);
    display.FitWindow();
    EXPECT_EQ(m_settings.GetInt("View", "WindowSize", 0), 1);
    EXPECT_TRUE(CImageDisplay(m_settings, m_prompter, m_chooser).Zoom().m_bFitWindow);
}

TEST_F(ImageDisplayTest, QuerySaveImageAnswers) {
    ASSERT_TRUE(m_display.QuerySaveImage(m_project, ""));  // nothing changed: no question
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    m_project.SetSource(m_strFile);
    ASSERT_TRUE(m_display.Turn(ImageTurn::kLeft90));

    m_prompter.ExpectMessage(Answer::kCancel);
    EXPECT_FALSE(m_display.QuerySaveImage(m_project, ""));
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("画像を保存しますか？"));
    EXPECT_EQ(m_prompter.Messages().back().buttons, MessageButtons::kYesNoCancel);
    EXPECT_EQ(m_prompter.Messages().back().icon, MessageIcon::kQuestion);

    m_prompter.ExpectMessage(Answer::kNo);
    EXPECT_TRUE(m_display.QuerySaveImage(m_project, ""));
    EXPECT_TRUE(m_display.IsImageModified());

    m_prompter.ExpectMessage(Answer::kYes);  // saved over the source file
    EXPECT_TRUE(m_display.QuerySaveImage(m_project, ""));
    EXPECT_FALSE(m_display.IsImageModified());
    CImageKit saved;
    ASSERT_TRUE(saved.LoadFile(m_strFile));
    EXPECT_EQ(saved.GetSize(), (ImageSize{30, 40}));
    EXPECT_TRUE(m_prompter.ScriptDone());
}

TEST_F(ImageDisplayTest, SaveImageAsOffersTheSourceNameAndMakesTheFileTheSource) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    m_project.SetSource(m_strFile);
    m_settings.WriteInt("File", "SaveType", 3);
    const std::string target = m_dir.File("page-50.jpg");
    m_chooser.Answer(target, 3);
    m_settings.WriteInt("Jpeg", "Quality", 50);
    ASSERT_TRUE(m_display.SaveImageAs(m_project, "/p/proj.kmp"));

    const CFileDialogEx& dialog = m_chooser.m_dialogs.at(0);
    EXPECT_FALSE(dialog.m_bOpen);
    EXPECT_EQ(dialog.m_strFileName, "page.jpg");
    EXPECT_EQ(dialog.m_strDefExt, "jpg");
    EXPECT_EQ(dialog.m_nFilterIndex, 3);
    EXPECT_EQ(dialog.m_strTitle, Sj("名前を付けて保存"));
    EXPECT_EQ(dialog.m_nFlags & (kOverwritePrompt | kHideReadOnly | kPathMustExist),
              kOverwritePrompt | kHideReadOnly | kPathMustExist);
    EXPECT_EQ(m_chooser.m_folders.at(0), m_dir.Path().string());
    EXPECT_EQ(m_project.m_strSrcFile, target);
    EXPECT_EQ(m_settings.GetString("System", "WriteDir", ""), target);
    EXPECT_EQ(m_settings.GetInt("File", "SaveType", 0), 3);
    CImageKit written;
    ASSERT_TRUE(written.LoadFile(target));
    EXPECT_EQ(written.GetFormat(), "JPEG");
}

TEST_F(ImageDisplayTest, SaveImageAsWithoutSourceAndOnCancel) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    m_chooser.Cancel();
    EXPECT_FALSE(m_display.SaveImageAs(m_project, "/p/proj.kmp"));
    EXPECT_EQ(m_chooser.m_dialogs.at(0).m_strFileName, Sj("新規イメージ.bmp"));  // SaveType 1
    EXPECT_EQ(m_chooser.m_folders.at(0), "/p");
    EXPECT_TRUE(m_project.m_strSrcFile.empty());

    // The base name of a Shift-JIS source whose last character ends in the
    // byte of a backslash is kept whole.
    m_project.SetSource("/p/" + Sj("表.png"));
    m_chooser.Cancel();
    EXPECT_FALSE(m_display.SaveImageAs(m_project, "/p/proj.kmp"));
    EXPECT_EQ(m_chooser.m_dialogs.at(1).m_strFileName, Sj("表.bmp"));
    EXPECT_EQ(m_chooser.m_folders.at(1), "/p");
    m_project.SetSource("");

    // A name without one of the six extensions gets the chosen type's.
    m_chooser.Answer(m_dir.File("plain"), 6);
    ASSERT_TRUE(m_display.SaveImageAs(m_project, "/p/proj.kmp"));
    EXPECT_EQ(m_project.m_strSrcFile, m_dir.File("plain.png"));
}

// A name typed without an extension is written with the type's; an image
// of that name already there is replaced only after the question.
TEST_F(ImageDisplayTest, SaveUnderATypedNameAsksBeforeReplacingTheFileWithTheExtension) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    const std::string existing = m_dir.File("scan.png");
    test::WriteFileBytes(existing, "old");
    m_chooser.Answer(m_dir.File("scan"), 6);
    m_prompter.ExpectMessage(Answer::kNo);
    EXPECT_FALSE(m_display.SaveImageAs(m_project, ""));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, existing + Sj(" は既に存在します。\n上書きしますか?"));
    EXPECT_EQ(m_prompter.Messages()[0].buttons, MessageButtons::kYesNo);
    EXPECT_EQ(test::ReadFileBytes(existing), "old");
    EXPECT_TRUE(m_project.m_strSrcFile.empty());

    m_chooser.Answer(m_dir.File("scan"), 6);
    m_prompter.ExpectMessage(Answer::kYes);
    ASSERT_TRUE(m_display.SaveImageAs(m_project, ""));
    EXPECT_EQ(m_project.m_strSrcFile, existing);
    EXPECT_NE(test::ReadFileBytes(existing), "old");

    // A name with its extension was asked about by the dialog itself.
    m_chooser.Answer(existing, 6);
    ASSERT_TRUE(m_display.SaveImageAs(m_project, ""));
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
}

TEST_F(ImageDisplayTest, FailedSaveReportsTheFileErrorAndKeepsTheSource) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    m_project.SetSource(m_strFile);
    m_chooser.Answer(m_dir.File("no-such-folder/x.png"), 6);
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(m_display.SaveImageAs(m_project, ""));
    EXPECT_EQ(m_project.m_strSrcFile, m_strFile);
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_NE(m_prompter.Messages()[0].text.find(m_dir.File("no-such-folder/x.png")), std::string::npos);
}

TEST_F(ImageDisplayTest, ScanKeptInMemoryOrSaved) {
    m_project.SetSource(m_strFile);
    m_prompter.ExpectMessage(Answer::kCancel);
    m_display.AcceptScan(test::GradientImage(12, 9), m_project, "");
    EXPECT_EQ(m_prompter.Messages().at(0).text, Sj("ファイルに保存しますか？"));
    EXPECT_EQ(m_prompter.Messages().at(0).buttons, MessageButtons::kOkCancel);
    EXPECT_TRUE(m_project.m_strSrcFile.empty());
    ASSERT_TRUE(m_display.ShowMemoryImage());
    EXPECT_TRUE(m_display.IsImageModified());
    EXPECT_EQ(m_display.GetImage().GetSize(), (ImageSize{12, 9}));

    // Saved: the scan's file becomes the source.
    const std::string scan = m_dir.File("scan.png");
    m_prompter.ExpectMessage(Answer::kOk);
    m_chooser.Answer(scan, 6);
    m_display.AcceptScan(test::GradientImage(12, 9), m_project, "");
    EXPECT_EQ(m_project.m_strSrcFile, scan);

    // OK, then the dialog cancelled: the source becomes empty.
    m_prompter.ExpectMessage(Answer::kOk);
    m_chooser.Cancel();
    m_display.AcceptScan(test::GradientImage(12, 9), m_project, "");
    EXPECT_TRUE(m_project.m_strSrcFile.empty());
}

// A source cleared while its image is shown: the image stays on screen
// but nobody changed it, so nothing asks to save it; a turned one still asks.
TEST_F(ImageDisplayTest, ImageOfAClearedSourceIsNotAChangedScan) {
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    ASSERT_TRUE(m_display.ShowMemoryImage());
    EXPECT_FALSE(m_display.IsImageModified());
    EXPECT_TRUE(m_display.QuerySaveImage(m_project, ""));
    EXPECT_TRUE(m_prompter.Messages().empty());

    ASSERT_TRUE(m_display.Turn(ImageTurn::kLeft90));
    ASSERT_TRUE(m_display.ShowMemoryImage());
    EXPECT_TRUE(m_display.IsImageModified());

    // A scan kept in memory after a file was shown is still a changed image.
    ASSERT_TRUE(m_display.ShowImageFile(m_strFile));
    m_prompter.ExpectMessage(Answer::kCancel);
    m_display.AcceptScan(test::GradientImage(12, 9), m_project, "");
    ASSERT_TRUE(m_display.ShowMemoryImage());
    EXPECT_TRUE(m_display.IsImageModified());
}

// Names the file system allows but Shift-JIS cannot write: a Latin letter,
// an emoji and a byte that is no UTF-8.
const char* const kNamesWithoutSjis[] = {"\u00e9.png", "\U0001F600.png", "\xFF.png"};

TEST_F(ImageDisplayTest, ImagesUnderNamesWithoutShiftJisAreTurnedAndSavedBackUnderTheirOwnNames) {
    for (const char* name : kNamesWithoutSjis) {
        SCOPED_TRACE(name);
        const CFilePath path = CFilePath::FromNative(m_dir.File(name));
        ASSERT_FALSE(path.Sjis());
        ASSERT_TRUE(test::GradientImage(40, 30).SavePng(path, {}));
        ASSERT_TRUE(m_display.ShowImageFile(path));
        EXPECT_EQ(m_display.GetPath(), path);
        m_project.SetSource(path);
        ASSERT_TRUE(m_display.Turn(ImageTurn::kLeft90));
        m_prompter.ExpectMessage(Answer::kYes);
        ASSERT_TRUE(m_display.QuerySaveImage(m_project, ""));
        EXPECT_FALSE(m_display.IsImageModified());
        CImageKit saved;
        ASSERT_TRUE(saved.LoadFile(path));
        EXPECT_EQ(saved.GetSize(), (ImageSize{30, 40}));
    }
    EXPECT_TRUE(m_prompter.ScriptDone());
    // Written over each file itself, never under a look-alike such as "?.png".
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.Path())) ++files;
    EXPECT_EQ(files, 4u);  // page.png and the three
}

TEST_F(ImageDisplayTest, SaveImageAsKeepsTheBytesOfTheSourceAndOfTheChosenName) {
    const CFilePath source = CFilePath::FromNative(m_dir.File("\u00e9t\u00e9.png"));
    ASSERT_TRUE(test::GradientImage(40, 30).SavePng(source, {}));
    ASSERT_TRUE(m_display.ShowImageFile(source));
    m_project.SetSource(source);
    m_settings.WriteInt("File", "SaveType", 6);
    const CFilePath chosen = CFilePath::FromNative(m_dir.File("\xFFscan"));
    m_chooser.Answer(chosen, 6);
    ASSERT_TRUE(m_display.SaveImageAs(m_project, "/p/proj.kmp"));

    EXPECT_EQ(m_chooser.m_dialogs.at(0).m_strFileName, CFilePath::FromNative("\u00e9t\u00e9.png"));
    EXPECT_EQ(m_chooser.m_folders.at(0), CFilePath::FromNative(m_dir.Path().string()));
    const CFilePath written = CFilePath::FromNative(m_dir.File("\xFFscan.png"));
    EXPECT_EQ(m_project.m_strSrcFile, written);
    EXPECT_EQ(m_display.GetPath(), written);
    EXPECT_EQ(m_settings.GetPath("System", "WriteDir"), chosen);
    CImageKit reread;
    ASSERT_TRUE(reread.LoadFile(written));
    EXPECT_EQ(reread.GetFormat(), "PNG");

    // A file that cannot be shown is named in the message by its display form.
    const CFilePath missing = CFilePath::FromNative(m_dir.File("\xFFmissing.png"));
    m_prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(m_display.ShowImageFile(missing));
    EXPECT_EQ(m_prompter.Messages().back().text, Sj("表示できません：") + missing.Display());
}

TEST_F(ImageDisplayTest, DisplayStateGoesIntoTheProject) {
    ZoomReduce(m_display.Zoom(), 30);
    CKelmioPosData pos;
    m_display.StoreViewState(ScrollPoint{12, 34}, pos);
    EXPECT_EQ(pos.m_nScrollX, 12);
    EXPECT_EQ(pos.m_nScrollY, 34);
    EXPECT_EQ(pos.m_bReduce, 1);
    EXPECT_EQ(pos.m_nReduce, 30);

    CImageDisplay other(m_settings, m_prompter, m_chooser);
    EXPECT_EQ(other.RestoreViewState(pos), (ScrollPoint{12, 34}));
    EXPECT_EQ(other.Zoom(), m_display.Zoom());
}

}  // namespace
}  // namespace kelmio
