#include <Magick++.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/imaging/image_test_files.h"
#include "imaging/image_kit.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::GradientImage;

Magick::Image Decode(const std::string& bytes) {
    Magick::Image image;
    image.read(Magick::Blob(bytes.data(), bytes.size()));
    return image;
}

bool GifInterlaced(const std::string& gif) {
    std::size_t at = 13;
    const auto packed = static_cast<unsigned char>(gif.at(10));
    if (packed & 0x80) at += 3u << ((packed & 7) + 1);
    while (gif.at(at) == '!') {  // extensions: label, then sized blocks
        at += 2;
        while (const auto size = static_cast<unsigned char>(gif.at(at))) at += size + 1u;
        ++at;
    }
    EXPECT_EQ(gif.at(at), ',');
    return (static_cast<unsigned char>(gif.at(at + 9)) & 0x40) != 0;
}

TEST(ImageKitSave, SixFormatsDecodeToTheSameSize) {
    const CImageKit image = GradientImage(33, 17);
    const std::pair<std::string, std::string> encoded[] = {
        {"BMP", image.EncodeBmp()},          {"GIF", image.EncodeGif({})},
        {"JPEG", image.EncodeJpeg({})},      {"TIFF", image.EncodeTiff(TiffCompression::kLzw)},
        {"PCX", image.EncodePcx()},          {"PNG", image.EncodePng({})},
    };
    for (const auto& [format, bytes] : encoded) {
        SCOPED_TRACE(format);
        CImageKit reread;
        ASSERT_TRUE(reread.LoadBlob(bytes)) << reread.LastError() << " " << bytes.size();
        EXPECT_EQ(reread.GetFormat(), format);
        EXPECT_EQ(reread.GetSize(), (ImageSize{33, 17}));
    }
    // Lossless formats keep every pixel.
    CImageKit png;
    ASSERT_TRUE(png.LoadBlob(image.EncodePng({})));
    EXPECT_EQ(png.GetRgb().bytes, image.GetRgb().bytes);
    CImageKit bmp;
    ASSERT_TRUE(bmp.LoadBlob(image.EncodeBmp()));
    EXPECT_EQ(bmp.GetRgb().bytes, image.GetRgb().bytes);
}

TEST(ImageKitSave, JpegQualityProgressiveAndSubSampling) {
    const CImageKit image = GradientImage(64, 48);
    JpegSaveOptions options;
    options.nQuality = 50;
    options.bProgressive = true;
    options.nSubSampling = 1;
    Magick::Image decoded = Decode(image.EncodeJpeg(options));
    EXPECT_EQ(decoded.attribute("JPEG-Quality"), "50");
    EXPECT_EQ(decoded.interlaceType(), Magick::LineInterlace);
    EXPECT_EQ(decoded.attribute("JPEG-Sampling-factors"), "2x1,1x1,1x1");

    options = JpegSaveOptions{};
    options.nQuality = 90;
    options.nSubSampling = 2;
    decoded = Decode(image.EncodeJpeg(options));
    EXPECT_EQ(decoded.attribute("JPEG-Quality"), "90");
    EXPECT_EQ(decoded.interlaceType(), Magick::NoInterlace);
    EXPECT_EQ(decoded.attribute("JPEG-Sampling-factors"), "1x1,1x1,1x1");
    options.nSubSampling = 0;
    EXPECT_EQ(Decode(image.EncodeJpeg(options)).attribute("JPEG-Sampling-factors"), "2x2,1x1,1x1");
}

TEST(ImageKitSave, TiffCompressionsAsTheListNamesThem) {
    const CImageKit image = GradientImage(32, 16);
    const std::pair<TiffCompression, int> expected[] = {
        {TiffCompression::kNone, 1},        {TiffCompression::kGroup3OneD, 3},
        {TiffCompression::kGroup3TwoD, 3},  {TiffCompression::kGroup4, 4},
        {TiffCompression::kPackBits, 32773}, {TiffCompression::kLzw, 5},
        {TiffCompression::kCcittRle, 3},
    };
    for (const auto& [compression, tag] : expected) {
        SCOPED_TRACE(static_cast<int>(compression));
        const std::string tiff = image.EncodeTiff(compression);
        ASSERT_FALSE(tiff.empty()) << image.LastError();
        EXPECT_EQ(test::TiffCompressionTag(tiff), tag);
        CImageKit reread;
        EXPECT_TRUE(reread.LoadBlob(tiff));
        EXPECT_EQ(reread.GetSize(), (ImageSize{32, 16}));
    }
}

TEST(ImageKitSave, InterlaceAndTransparencyOfGifAndPng) {
    CImageKit image = GradientImage(40, 40);
    ASSERT_TRUE(image.ConvertColor(8, 0, false));
    EXPECT_TRUE(GifInterlaced(image.EncodeGif(GifSaveOptions{true, false, 0})));
    EXPECT_FALSE(GifInterlaced(image.EncodeGif(GifSaveOptions{false, false, 0})));

    // Two colours survive the palette exactly; the background one turns transparent.
    RgbPixels halves = test::GradientPixels(8, 8);
    for (std::size_t i = 0; i < halves.bytes.size(); ++i) halves.bytes[i] = (i / 3) % 8 < 4 ? 0x10 : 0xF0;
    CImageKit twoColours;
    ASSERT_TRUE(twoColours.LoadRgb(halves));
    ASSERT_TRUE(twoColours.ConvertColor(8, 0, false));
    CImageKit transparent;
    ASSERT_TRUE(transparent.LoadBlob(twoColours.EncodeGif(GifSaveOptions{false, true, 0x101010})));
    EXPECT_EQ(transparent.GetRgb(7, 0, 1, 1).bytes, (std::vector<std::uint8_t>{0xF0, 0xF0, 0xF0}));
    EXPECT_EQ(transparent.GetRgb(0, 0, 1, 1).bytes, (std::vector<std::uint8_t>{255, 255, 255}));

    const CImageKit rgb = GradientImage(40, 40);
    const std::string interlaced = rgb.EncodePng(PngSaveOptions{true, false, 0});
    const std::string plain = rgb.EncodePng(PngSaveOptions{false, false, 0});
    EXPECT_EQ(interlaced.at(28), 1);  // IHDR interlace method: Adam7
    EXPECT_EQ(plain.at(28), 0);
}

TEST(ImageKitSave, FailedSaveLeavesTheOldFileAndReportsTheFileError) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    test::TempDir dir;
    const std::string folder = dir.File("locked");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/scan.png";
    test::WriteFileBytes(path, "previous bytes");
    ::chmod(folder.c_str(), 0555);

    const ImageSaveResult result = GradientImage(10, 10).SavePng(path, {});
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(result);
    ASSERT_TRUE(result.fileError.has_value());
    EXPECT_EQ(result.fileError->cause, FileErrorCause::kAccessDenied);
    EXPECT_EQ(test::ReadFileBytes(path), "previous bytes");
}

TEST(ImageKitSave, WritesAFileThatReadsBack) {
    test::TempDir dir;
    const std::string path = dir.File("out.jpg");
    JpegSaveOptions options;
    options.nQuality = 30;
    ASSERT_TRUE(GradientImage(20, 20).SaveJpeg(path, options));
    EXPECT_EQ(Decode(test::ReadFileBytes(path)).attribute("JPEG-Quality"), "30");
    EXPECT_FALSE(CImageKit().SaveBmp(path));  // no image: nothing written
    EXPECT_EQ(Decode(test::ReadFileBytes(path)).attribute("JPEG-Quality"), "30");
}

}  // namespace
}  // namespace kelmio
