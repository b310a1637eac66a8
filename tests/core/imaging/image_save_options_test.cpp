#include "imaging/image_save_options.h"

#include <gtest/gtest.h>

#include "core/imaging/image_test_files.h"
#include "imaging/save_by_extension.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Sj;

TEST(ImageSaveDialog, NameFollowsTheChosenType) {
    EXPECT_EQ(ChangeNameForType("scan.bmp", kImageTypeGif), "scan.gif");
    EXPECT_EQ(ChangeNameForType("scan", kImageTypeGif), "scan.gif");
    EXPECT_EQ(ChangeNameForType("a.b.tif", kImageTypePng), "a.b.png");
    EXPECT_EQ(ChangeNameForType(Sj("表.bmp"), kImageTypeJpeg), Sj("表.jpg"));  // 表 ends in byte 0x5C
    EXPECT_EQ(ChangeNameForType("x.png", kImageTypeTiff), "x.tif");
    EXPECT_EQ(ChangeNameForType("x.png", kImageTypePcx), "x.pcx");
    EXPECT_EQ(ChangeNameForType("x.png", kImageTypeBmp), "x.bmp");
}

TEST(ImageSaveDialog, FormatButtonAndItsPage) {
    EXPECT_FALSE(IsFormatButtonEnabled(kImageTypeBmp));
    EXPECT_FALSE(IsFormatButtonEnabled(kImageTypePcx));
    EXPECT_TRUE(IsFormatButtonEnabled(kImageTypePng));
    EXPECT_EQ(PageForImageType(kImageTypePng), FormatPage::kPng);
    EXPECT_EQ(PageForImageType(kImageTypeGif), FormatPage::kGif);
    EXPECT_EQ(PageForImageType(kImageTypeJpeg), FormatPage::kJpeg);
    EXPECT_EQ(PageForImageType(kImageTypeTiff), FormatPage::kTiff);
    EXPECT_EQ(PageForImageType(kImageTypeBmp), FormatPage::kNone);
    EXPECT_EQ(ImageFormatSheetCaption(), Sj("画像形式の設定"));
    EXPECT_EQ(ImageFormatButtonText(), Sj("画像形式(&S)..."));
    EXPECT_EQ(ImageSaveTitle(), Sj("名前を付けて保存"));
    EXPECT_EQ(ExtensionOfImageType(0), "*");
    EXPECT_EQ(ExtensionOfImageType(6), "png");
    EXPECT_EQ(ExtensionOfImageType(7), "*");
}

TEST(ImageSaveDialog, JpegQualityMustBeAnIntegerUpToHundred) {
    CJpegSetDlg page;
    const std::string message = Sj("0 から 100 までの整数を入力してください。");
    EXPECT_EQ(page.SetQualityText("101"), message);
    EXPECT_EQ(page.SetQualityText("-1"), message);
    EXPECT_EQ(page.SetQualityText("5.5"), message);
    EXPECT_EQ(page.SetQualityText(""), message);
    EXPECT_EQ(page.m_nQuality, 0);
    EXPECT_EQ(page.SetQualityText("100"), std::nullopt);
    EXPECT_EQ(page.m_nQuality, 100);
    EXPECT_EQ(page.SetQualityText(" 0 "), std::nullopt);
    EXPECT_EQ(page.m_nQuality, 0);
    EXPECT_EQ(CJpegSetDlg::SubSamplingTexts(), (std::vector<std::string>{"4:1:1", "4:2:2", "4:4:4"}));
    EXPECT_EQ(CTiffSetPage::CompressionTexts().at(0), Sj("非圧縮"));
    EXPECT_EQ(CTiffSetPage::CompressionTexts().at(5), "PACKBITS");
}

TEST(ImageSaveDialog, SheetReadsAndWritesAllEightValues) {
    CMemorySettings settings;
    CImageFormatSheet sheet = CImageFormatSheet::Load(settings, kImageTypeJpeg);
    EXPECT_EQ(sheet.m_page, FormatPage::kJpeg);
    EXPECT_EQ(sheet.m_jpeg.m_nQuality, 75);
    EXPECT_EQ(sheet.m_jpeg.m_nSubSampling, 0);
    EXPECT_EQ(sheet.m_tiff.m_nCompression, 0);
    EXPECT_EQ(sheet.m_gif.m_bInterlace, 0);

    sheet.m_jpeg.m_nQuality = 50;
    sheet.m_tiff.m_nCompression = 5;
    sheet.m_png.m_bTransparent = 1;
    sheet.Store(settings);
    for (const auto& [section, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Gif", "Back"}, {"Gif", "Inter"}, {"Jpeg", "Quality"}, {"Jpeg", "Inter"},
             {"Jpeg", "SubSamp"}, {"Tiff", "Type"}, {"Png", "Back"}, {"Png", "Inter"}}) {
        EXPECT_TRUE(settings.Has(section, name)) << section << "/" << name;
    }
    const ImageSaveSettings values = ImageSaveSettings::Read(settings);
    EXPECT_EQ(values.jpeg.nQuality, 50);
    EXPECT_EQ(values.tiff, TiffCompression::kPackBits);  // PACKBITS passes compression index 5
    EXPECT_EQ(static_cast<int>(values.tiff), 5);
    EXPECT_TRUE(values.png.bTransparent);
    EXPECT_TRUE(values.bDither);  // "Color"/"Dither" defaults to 1
    EXPECT_FALSE(settings.Has("Gif", "BackColor"));  // read only

    CMemorySettings choice;
    EXPECT_EQ(ReadImageSaveType(choice), 1);
    WriteImageSaveChoice(choice, "/tmp/a.png", 6);
    EXPECT_EQ(choice.GetInt("File", "SaveType", 0), 6);
    EXPECT_EQ(choice.GetString("System", "WriteDir", ""), "/tmp/a.png");
}

TEST(SaveByExtension, FormatFollowsTheName) {
    EXPECT_EQ(SaveFormatOfPath("a.JPEG"), SaveFormat::kJpeg);
    EXPECT_EQ(SaveFormatOfPath("a.jpg"), SaveFormat::kJpeg);
    EXPECT_EQ(SaveFormatOfPath("a.TIFF"), SaveFormat::kTiff);
    EXPECT_EQ(SaveFormatOfPath("dir.png/a.Png"), SaveFormat::kPng);
    EXPECT_EQ(SaveFormatOfPath("a.jpe"), std::nullopt);
    EXPECT_EQ(SaveFormatOfPath("noext"), std::nullopt);
    // The extension is read from the name's own bytes, whatever they are.
    EXPECT_EQ(SaveFormatOfPath(CFilePath::FromNative("/d/\xFF\xFE.PNG")), SaveFormat::kPng);
    EXPECT_EQ(SaveFormatOfPath(CFilePath::FromNative("/d/\u00e9.jpeg")), SaveFormat::kJpeg);
    EXPECT_EQ(SaveFormatOfPath(CFilePath::FromNative("/d/a.p\xFFng")), std::nullopt);
    EXPECT_EQ(SaveFormatOfPath(CFilePath::FromNative("/d.png/noext")), std::nullopt);

    test::TempDir dir;
    CMemorySettings settings;
    CImageKit image = test::GradientImage(16, 16);
    ASSERT_TRUE(SaveByExtension(image, dir.File("a.JPEG"), settings));
    CImageKit reread;
    ASSERT_TRUE(reread.LoadFile(dir.File("a.JPEG")));
    EXPECT_EQ(reread.GetFormat(), "JPEG");
    EXPECT_FALSE(SaveByExtension(image, dir.File("a.jpe"), settings));
    EXPECT_FALSE(SaveByExtension(image, dir.File("noext"), settings));
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.jpe")));
}

TEST(SaveByExtension, ColourConversionsChangeTheImageItself) {
    test::TempDir dir;
    CMemorySettings settings;
    CImageKit image = test::GradientImage(16, 16);
    ASSERT_EQ(image.GetBitCount(), 24);
    ASSERT_TRUE(SaveByExtension(image, dir.File("a.gif"), settings));
    EXPECT_EQ(image.GetBitCount(), 8);  // 24 bits are reduced first

    CImageKit palette = test::GradientImage(16, 16);
    ASSERT_TRUE(palette.ConvertColor(8, 0, false));
    const std::vector<std::uint8_t> before = palette.GetRgb().bytes;
    ASSERT_TRUE(SaveByExtension(palette, dir.File("b.gif"), settings));
    EXPECT_EQ(palette.GetBitCount(), 8);  // saved as it is
    CImageKit reread;
    ASSERT_TRUE(reread.LoadFile(dir.File("b.gif")));
    EXPECT_EQ(reread.GetRgb().bytes, before);

    CImageKit wide = test::GradientImage(16, 16);
    ASSERT_TRUE(wide.ConvertColor(32, 0, false));
    ASSERT_TRUE(SaveByExtension(wide, dir.File("c.png"), settings));
    EXPECT_EQ(wide.GetBitCount(), 24);
    CImageKit eight = test::GradientImage(16, 16);
    ASSERT_TRUE(eight.ConvertColor(8, 1, true));  // a fixed palette
    ASSERT_TRUE(SaveByExtension(eight, dir.File("d.jpg"), settings));
    EXPECT_EQ(eight.GetBitCount(), 24);
}

TEST(SaveByExtension, OptionsComeFromTheSettings) {
    test::TempDir dir;
    CMemorySettings settings;
    settings.WriteInt("Tiff", "Type", 5);
    settings.WriteInt("Jpeg", "Quality", 50);
    CImageKit image = test::GradientImage(16, 16);
    ASSERT_TRUE(SaveByExtension(image, dir.File("a.tif"), settings));
    const std::string tiff = test::ReadFileBytes(dir.File("a.tif"));
    EXPECT_EQ(test::TiffCompressionTag(tiff), 32773);
    ASSERT_TRUE(SaveByExtension(image, dir.File("a.jpg"), settings));
    JpegSaveOptions fifty;
    fifty.nQuality = 50;
    EXPECT_EQ(image.EncodeJpeg(fifty), test::ReadFileBytes(dir.File("a.jpg")));
}

}  // namespace
}  // namespace kelmio
