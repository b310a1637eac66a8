#include "imaging/image_kit.h"

#include <Magick++.h>
#include <cmath>
#include <gtest/gtest.h>

#include "core/imaging/image_test_files.h"
#include "imaging/image_library.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::GradientImage;

std::array<std::uint8_t, 3> PixelAt(const CImageKit& image, int x, int y) {
    const RgbPixels pixel = image.GetRgb(x, y, 1, 1);
    return {pixel.bytes[0], pixel.bytes[1], pixel.bytes[2]};
}

TEST(ImageKit, LoadsByContentWhateverTheName) {
    test::TempDir dir;
    const CImageKit source = GradientImage(40, 30);
    const std::string path = dir.File("really-a-png.jpg");
    ASSERT_TRUE(source.SavePng(path, {}));

    CImageKit image;
    ASSERT_TRUE(image.LoadFile(path));
    EXPECT_EQ(image.GetFormat(), "PNG");
    EXPECT_EQ(image.GetSize(), (ImageSize{40, 30}));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(PixelAt(image, 3, 2), (std::array<std::uint8_t, 3>{21, 10, 15}));
    EXPECT_FALSE(image.IsToWindowImage());
}

TEST(ImageKit, PaletteImagesReportTheirDepth) {
    CImageKit image = GradientImage(64, 64);
    ASSERT_TRUE(image.ConvertColor(8, 0, true));
    EXPECT_EQ(image.GetBitCount(), 8);
    CImageKit reread;
    ASSERT_TRUE(reread.LoadBlob(image.EncodeGif({})));
    EXPECT_LE(reread.GetBitCount(), 8);
    ASSERT_TRUE(reread.ConvertColor(32, 0, false));
    EXPECT_EQ(reread.GetBitCount(), 32);
    ASSERT_TRUE(reread.ConvertColor(24, 0, false));
    EXPECT_EQ(reread.GetBitCount(), 24);
    EXPECT_FALSE(reread.ConvertColor(16, 0, false));  // not a depth the library keeps
    EXPECT_EQ(reread.GetBitCount(), 24);
}

TEST(ImageKit, HostileFilesFailFastAndKeepTheOldImage) {
    test::TempDir dir;
    CImageKit image = GradientImage(8, 8);
    const std::string cases[] = {
        std::string(),                                   // zero bytes
        test::PngWithHeader(100000, 100000),             // absurd header
        test::ZeroPng(11000, 11000),                     // small file, 121 million pixels
        test::TiffWithBadDirectory(),                    // directory past the end
        std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16),  // cut off in the header
        std::string("<svg xmlns='http://www.w3.org/2000/svg'><image href='/etc/passwd'/></svg>"),
        std::string("GIF89a\xff\xff\xff\xff", 10),
    };
    int index = 0;
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(index);
        const std::string path = dir.File("hostile" + std::to_string(index++));
        test::WriteFileBytes(path, bytes);
        EXPECT_FALSE(image.LoadFile(path));
        EXPECT_FALSE(image.LastError().empty());
        EXPECT_EQ(image.GetSize(), (ImageSize{8, 8}));  // the old image stays
    }
    EXPECT_FALSE(image.LoadFile(dir.File("missing.png")));
}

TEST(ImageKit, LibraryRunsUnderResourceLimits) {
    const ImageLimits limits = ActiveImageLimits();
    const ImageLimits expected = DefaultImageLimits();
    EXPECT_EQ(limits.nMaxWidth, expected.nMaxWidth);
    EXPECT_EQ(limits.nMaxHeight, expected.nMaxHeight);
    EXPECT_EQ(limits.nMaxPixels, expected.nMaxPixels);
    EXPECT_EQ(limits.nMaxMemoryMb, expected.nMaxMemoryMb);
}

TEST(ImageKit, QuarterTurnsAndMirrors) {
    CImageKit image = GradientImage(40, 30);
    const auto topRight = PixelAt(image, 39, 0);
    const auto bottomLeft = PixelAt(image, 0, 29);

    ASSERT_TRUE(image.Rotate(9000, 0));  // left: the top right corner goes to the top left
    EXPECT_EQ(image.GetSize(), (ImageSize{30, 40}));
    EXPECT_EQ(PixelAt(image, 0, 0), topRight);

    CImageKit right = GradientImage(40, 30);
    ASSERT_TRUE(right.Rotate(-9000, 0));  // right: the bottom left corner goes to the top left
    EXPECT_EQ(PixelAt(right, 0, 0), bottomLeft);

    CImageKit half = GradientImage(40, 30);
    ASSERT_TRUE(half.Rotate(18000, 0));
    EXPECT_EQ(half.GetSize(), (ImageSize{40, 30}));
    EXPECT_EQ(PixelAt(half, 39, 0), bottomLeft);

    CImageKit flipped = GradientImage(40, 30);
    ASSERT_TRUE(flipped.Flip(true, false));
    EXPECT_EQ(PixelAt(flipped, 0, 0), bottomLeft);
    ASSERT_TRUE(flipped.Flip(false, true));
    EXPECT_EQ(PixelAt(flipped, 0, 0), PixelAt(GradientImage(40, 30), 39, 29));
}

TEST(ImageKit, AnyAngleFillsTheUncoveredCornersWithTheBackground) {
    CImageKit image = GradientImage(100, 60);
    ASSERT_TRUE(image.Rotate(3000, 0x0000FF));  // 30 degrees left, red corners
    const ImageSize size = image.GetSize();
    EXPECT_GT(size.cx, 100);
    EXPECT_GT(size.cy, 60);
    EXPECT_EQ(PixelAt(image, 0, 0), (std::array<std::uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(PixelAt(image, size.cx - 1, size.cy - 1), (std::array<std::uint8_t, 3>{255, 0, 0}));
}

TEST(ImageKit, ResizeAndSharpen) {
    CImageKit image = GradientImage(40, 30);
    ASSERT_TRUE(image.Resize(80, 15));
    EXPECT_EQ(image.GetSize(), (ImageSize{80, 15}));
    EXPECT_FALSE(image.Resize(0, 10));
    EXPECT_EQ(image.GetSize(), (ImageSize{80, 15}));

    // Sharpening a part changes nothing outside it.
    CImageKit blocks;
    RgbPixels pixels = test::GradientPixels(40, 40);
    for (std::size_t i = 0; i < pixels.bytes.size(); i += 3) pixels.bytes[i] = (i / 3 % 40) < 20 ? 40 : 200;
    ASSERT_TRUE(blocks.LoadRgb(pixels));
    CImageKit sharpened(blocks);
    ASSERT_TRUE(sharpened.Sharpen(10, 0, 0, 40, 20));
    EXPECT_EQ(sharpened.GetRgb(0, 20, 40, 20).bytes, blocks.GetRgb(0, 20, 40, 20).bytes);
    EXPECT_NE(sharpened.GetRgb(0, 0, 40, 20).bytes, blocks.GetRgb(0, 0, 40, 20).bytes);
    EXPECT_FALSE(sharpened.Sharpen(10, 30, 30, 30, 35));  // empty rectangle
}

TEST(ImageKit, ResultsBeyondThePixelLimitAreRefused) {
    CImageKit image = GradientImage(40, 30);
    const std::int64_t limit = DefaultImageLimits().nMaxPixels;
    const int side = static_cast<int>(std::sqrt(static_cast<double>(limit))) + 10;
    EXPECT_FALSE(image.Resize(side, side));
    EXPECT_FALSE(image.LastError().empty());
    EXPECT_EQ(image.GetSize(), (ImageSize{40, 30}));
}

TEST(ImageKit, CopiesAreIndependent) {
    CImageKit image = GradientImage(20, 10);
    CImageKit copy(image);
    ASSERT_TRUE(image.Rotate(9000, 0));
    EXPECT_EQ(copy.GetSize(), (ImageSize{20, 10}));
    copy.CopyFrom(image);
    EXPECT_EQ(copy.GetSize(), (ImageSize{10, 20}));
    copy.Free();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.GetSize(), (ImageSize{0, 0}));
    EXPECT_EQ(copy.GetBitCount(), 0);
    EXPECT_FALSE(copy.Rotate(9000, 0));
    EXPECT_TRUE(copy.EncodePng({}).empty());
}

TEST(ImageKit, TransparentPixelsAreShownOverWhite) {
    CImageKit image = GradientImage(4, 4);
    PngSaveOptions options;
    options.bTransparent = true;
    options.nBackColor = 0x000000;  // pixel (0, 0) is black
    CImageKit reread;
    ASSERT_TRUE(reread.LoadBlob(image.EncodePng(options)));
    EXPECT_EQ(reread.GetBitCount(), 32);
    EXPECT_EQ(PixelAt(reread, 0, 0), (std::array<std::uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(PixelAt(reread, 1, 1), (std::array<std::uint8_t, 3>{7, 5, 6}));
}

}  // namespace
}  // namespace kelmio

namespace kelmio {
namespace {

// A red picture saved with inks (CMYK), as print work comes: shown red.
TEST(ImageKit, InkPicturesAreShownInTheirColours) {
    EnsureImageLibrary();
    for (const char* format : {"JPEG", "TIFF"}) {
        Magick::Image ink(Magick::Geometry(8, 8), Magick::Color("red"));
        ink.colorSpace(MagickLib::CMYKColorspace);
        ink.magick(format);
        Magick::Blob blob;
        ink.write(&blob);
        CImageKit image;
        ASSERT_TRUE(image.LoadBlob(std::string_view(static_cast<const char*>(blob.data()), blob.length()))) << format;
        const std::array<std::uint8_t, 3> shown = PixelAt(image, 4, 4);
        EXPECT_GT(shown[0], 230) << format;
        EXPECT_LT(shown[1], 25) << format;
        EXPECT_LT(shown[2], 25) << format;
        // Saved again it stays red.
        CImageKit reread;
        ASSERT_TRUE(reread.LoadBlob(image.EncodePng({})));
        EXPECT_GT(PixelAt(reread, 4, 4)[0], 230) << format;
    }
}

}  // namespace
}  // namespace kelmio
