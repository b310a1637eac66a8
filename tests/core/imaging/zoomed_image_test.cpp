#include "imaging/zoomed_image.h"

#include <gtest/gtest.h>

#include "core/imaging/image_test_files.h"

namespace kelmio {
namespace {

TEST(ZoomedImage, RegionsCopiedFromTheFormMadeOnce) {
    const CImageKit image = test::GradientImage(40, 30);
    CZoomedImage zoomed;
    ASSERT_TRUE(zoomed.Build(image, ImageSize{80, 60}, false, 10));
    zoomed.SetGeneration(7);
    EXPECT_TRUE(zoomed.IsWholeCached());
    EXPECT_TRUE(zoomed.Matches(ImageSize{80, 60}, false, 10, 7));
    EXPECT_FALSE(zoomed.Matches(ImageSize{80, 60}, true, 10, 7));
    EXPECT_FALSE(zoomed.Matches(ImageSize{80, 60}, false, 10, 8));

    CImageKit expected(image);
    ASSERT_TRUE(expected.Resize(80, 60));
    RgbPixels region;
    zoomed.CopyRegion(10, 20, 30, 5, region);
    EXPECT_EQ(region.cx, 30);
    EXPECT_EQ(region.cy, 5);
    EXPECT_EQ(region.bytes, expected.GetRgb(10, 20, 30, 5).bytes);

    zoomed.CopyRegion(70, 55, 50, 50, region);  // clipped to the display
    EXPECT_EQ(region.cx, 10);
    EXPECT_EQ(region.cy, 5);
    zoomed.CopyRegion(100, 100, 5, 5, region);
    EXPECT_TRUE(region.bytes.empty());
}

TEST(ZoomedImage, FineModeIsTheSharpenedResize) {
    const CImageKit image = test::GradientImage(40, 30);
    CZoomedImage zoomed;
    ASSERT_TRUE(zoomed.Build(image, ImageSize{20, 15}, true, 10));
    CImageKit expected(image);
    ASSERT_TRUE(expected.Resize(20, 15));
    ASSERT_TRUE(expected.Sharpen(10, 0, 0, 20, 15));
    RgbPixels region;
    zoomed.CopyRegion(0, 0, 20, 15, region);
    EXPECT_EQ(region.bytes, expected.GetRgb().bytes);
}

TEST(ZoomedImage, HugeDisplaysEnlargeTheExposedPartOnly) {
    const CImageKit image = test::GradientImage(40, 30);
    // 40000 x 30000 would be 3.6 GB as a whole.
    CZoomedImage zoomed;
    ASSERT_TRUE(zoomed.Build(image, ImageSize{40000, 30000}, false, 10));
    EXPECT_FALSE(zoomed.IsWholeCached());
    RgbPixels region;
    zoomed.CopyRegion(3000, 2000, 2000, 2, region);  // source pixels (3..4, 2)
    ASSERT_EQ(region.cx, 2000);
    const RgbPixels source = image.GetRgb(3, 2, 2, 1);
    EXPECT_TRUE(std::equal(source.bytes.begin(), source.bytes.begin() + 3, region.bytes.begin()));
    EXPECT_TRUE(std::equal(source.bytes.begin() + 3, source.bytes.end(), region.bytes.end() - 3));
    EXPECT_FALSE(zoomed.Build(CImageKit(), ImageSize{10, 10}, false, 10));
}

}  // namespace
}  // namespace kelmio
