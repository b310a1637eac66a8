#include "imaging/pixel_ops.h"

#include <gtest/gtest.h>

#include "core/imaging/image_test_files.h"

namespace kelmio {
namespace {

RgbPixels Flat(int w, int h, std::uint8_t value) {
    RgbPixels pixels;
    pixels.cx = w;
    pixels.cy = h;
    pixels.bytes.assign(static_cast<std::size_t>(w) * h * 3, value);
    return pixels;
}

std::uint8_t At(const RgbPixels& pixels, int x, int y, int channel = 0) {
    return pixels.bytes[(static_cast<std::size_t>(y) * pixels.cx + x) * 3 + channel];
}

TEST(PixelOps, ReducingAveragesAndEnlargingKeepsFlatAreasFlat) {
    RgbPixels checker = Flat(4, 2, 0);
    for (int x = 0; x < 4; x += 2) checker.bytes[static_cast<std::size_t>(x) * 3] = 200;  // red in every other column, top row
    const RgbPixels half = ResizeRgb(checker, 2, 1);
    ASSERT_EQ(half.cx, 2);
    EXPECT_EQ(At(half, 0, 0), 50);  // one of four pixels at 200
    EXPECT_EQ(At(half, 1, 0), 50);

    const RgbPixels large = ResizeRgb(Flat(3, 3, 77), 31, 17);
    EXPECT_EQ(large.cx, 31);
    EXPECT_EQ(large.cy, 17);
    for (std::uint8_t value : large.bytes) ASSERT_EQ(value, 77);
    EXPECT_TRUE(ResizeRgb(Flat(3, 3, 1), 0, 5).bytes.empty());

    // Enlarging twice and reducing back gives the picture again, nearly.
    RgbPixels picture = Flat(40, 30, 0);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * 40 + x) * 3;
            picture.bytes[at] = static_cast<std::uint8_t>(x * 5);
            picture.bytes[at + 1] = static_cast<std::uint8_t>(y * 6);
        }
    }
    const RgbPixels back = ResizeRgb(ResizeRgb(picture, 80, 60), 40, 30);
    for (std::size_t i = 0; i < picture.bytes.size(); ++i) {
        ASSERT_NEAR(back.bytes[i], picture.bytes[i], 8) << i;
    }
}

TEST(PixelOps, TurningLeftMovesCornersAndFillsTheRest) {
    const RgbPixels picture = test::GradientPixels(40, 30);
    const RgbPixels left = RotateRgb(picture, 90.0, Rgb8{1, 2, 3});
    ASSERT_EQ(left.cx, 30);
    ASSERT_EQ(left.cy, 40);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(At(left, 0, 0, c), At(picture, 39, 0, c));    // top right to top left
        EXPECT_EQ(At(left, 29, 39, c), At(picture, 0, 29, c));  // bottom left to bottom right
    }

    const RgbPixels tilted = RotateRgb(Flat(100, 60, 90), 30.0, Rgb8{255, 0, 0});
    EXPECT_EQ(RotatedSize(ImageSize{100, 60}, 30.0), (ImageSize{tilted.cx, tilted.cy}));
    EXPECT_EQ(tilted.cx, 117);  // 100 cos 30 + 60 sin 30 = 116.6
    EXPECT_EQ(At(tilted, 0, 0, 0), 255);
    EXPECT_EQ(At(tilted, 0, 0, 1), 0);
    EXPECT_EQ(At(tilted, tilted.cx / 2, tilted.cy / 2, 0), 90);  // the middle stays the picture
    EXPECT_EQ(At(tilted, tilted.cx / 2, tilted.cy / 2, 1), 90);
}

TEST(PixelOps, SharpeningLeavesFlatAreasAndSteepensEdges) {
    RgbPixels flat = Flat(20, 20, 120);
    SharpenRgb(flat, 1.0);
    for (std::uint8_t value : flat.bytes) ASSERT_EQ(value, 120);

    RgbPixels edge = Flat(20, 4, 100);
    for (int y = 0; y < 4; ++y) {
        for (int x = 10; x < 20; ++x) {
            for (int c = 0; c < 3; ++c) edge.bytes[(static_cast<std::size_t>(y) * 20 + x) * 3 + c] = 200;
        }
    }
    SharpenRgb(edge, 1.0);
    EXPECT_LT(At(edge, 9, 1), 100);   // darker just before the edge
    EXPECT_GT(At(edge, 10, 1), 200);  // brighter just after
    EXPECT_EQ(At(edge, 0, 1), 100);   // far from it, unchanged
    EXPECT_EQ(At(edge, 19, 1), 200);
}

}  // namespace
}  // namespace kelmio
