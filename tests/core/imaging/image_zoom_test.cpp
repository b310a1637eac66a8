#include "imaging/image_zoom.h"

#include <gtest/gtest.h>

#include "commands/command_ids.h"
#include "project/kelmio_data.h"

namespace kelmio {
namespace {

TEST(ImageZoom, DisplaySizeByLayout) {
    const ImageSize image{4000, 3000};
    const ImageSize client{1000, 500};
    CImageZoom zoom;
    EXPECT_EQ(GetDisplaySize(zoom, image, client), image);

    zoom.m_bReduce = true;
    zoom.m_nReduce = 30;
    EXPECT_EQ(GetDisplaySize(zoom, image, client), (ImageSize{1333, 1000}));
    zoom = CImageZoom{};
    zoom.m_bEnlarge = true;
    zoom.m_nEnlarge = 11;
    EXPECT_EQ(GetDisplaySize(zoom, ImageSize{301, 7}, client), (ImageSize{331, 7}));

    // Fit: a = 200, b = 133, so the height is fitted: 4000*100 / (300000/500) = 666.
    zoom = CImageZoom{};
    zoom.m_bFitWindow = true;
    EXPECT_EQ(GetDisplaySize(zoom, image, client), (ImageSize{666, 500}));
    // Width fitted when the window is the taller shape.
    EXPECT_EQ(GetDisplaySize(zoom, image, ImageSize{500, 1000}), (ImageSize{500, 375}));
    // Never enlarged, and a client of 0 counts as 1.
    EXPECT_EQ(GetDisplaySize(zoom, ImageSize{300, 200}, ImageSize{1000, 800}), (ImageSize{300, 200}));
    EXPECT_EQ(GetDisplaySize(zoom, ImageSize{300, 200}, ImageSize{0, 0}), (ImageSize{1, 1}));

    // The stored client-size layout wins over everything.
    zoom.m_bClientSize = true;
    zoom.m_bReduce = true;
    zoom.m_nReduce = 20;
    EXPECT_EQ(GetDisplaySize(zoom, image, client), client);
}

TEST(ImageZoom, FineModeSharpensOnlyReducedOrEnlargedPictures) {
    CImageZoom zoom;
    EXPECT_FALSE(IsSharpenedInFineMode(zoom, false));  // own size
    ZoomEnlarge(zoom, 20);
    EXPECT_TRUE(IsSharpenedInFineMode(zoom, false));
    EXPECT_FALSE(IsSharpenedInFineMode(zoom, true));  // a vector picture is drawn into the window
    ZoomReduce(zoom, 11);
    EXPECT_TRUE(IsSharpenedInFineMode(zoom, false));
    zoom.m_bClientSize = true;
    EXPECT_FALSE(IsSharpenedInFineMode(zoom, false));
    zoom.m_bClientSize = false;
    ZoomFitWindow(zoom);
    EXPECT_FALSE(IsSharpenedInFineMode(zoom, false));
}

TEST(ImageZoom, OneStepChainPassesThroughOnePointOne) {
    CImageZoom zoom;
    ZoomStepLarger(zoom);
    EXPECT_TRUE(zoom.m_bEnlarge);
    EXPECT_EQ(zoom.m_nEnlarge, 11);
    for (int i = 0; i < 9; ++i) ZoomStepLarger(zoom);
    EXPECT_EQ(zoom.m_nEnlarge, 20);
    for (int i = 0; i < 10; ++i) ZoomStepSmaller(zoom);
    EXPECT_FALSE(zoom.m_bEnlarge);  // 1.1 one step smaller: own size
    EXPECT_TRUE(IsRealSizeChecked(zoom));
    ZoomStepSmaller(zoom);
    EXPECT_TRUE(zoom.m_bReduce);
    EXPECT_EQ(zoom.m_nReduce, 11);
    ZoomStepLarger(zoom);
    EXPECT_FALSE(zoom.m_bReduce);
}

TEST(ImageZoom, StepsStopAtTenTimesBothWays) {
    CImageZoom zoom;
    ZoomEnlarge(zoom, 100);
    ZoomStepLarger(zoom);
    EXPECT_EQ(zoom.m_nEnlarge, 100);
    ZoomReduce(zoom, 100);
    ZoomStepSmaller(zoom);
    EXPECT_EQ(zoom.m_nReduce, 100);
    EXPECT_TRUE(zoom.m_bReduce);

    // Steps switch fit off.
    ZoomFitWindow(zoom);
    EXPECT_FALSE(zoom.m_bReduce);
    ZoomStepLarger(zoom);
    EXPECT_FALSE(zoom.m_bFitWindow);
    EXPECT_EQ(zoom.m_nEnlarge, 11);
}

TEST(ImageZoom, FixedCommandsAndTheirCheckMarks) {
    EXPECT_EQ(FixedReduceOf(ID_IMAGE_REDUCE_2), 20);
    EXPECT_EQ(FixedReduceOf(ID_IMAGE_REDUCE_10), 100);
    EXPECT_EQ(FixedReduceOf(ID_IMAGE_ENLARGE_2), std::nullopt);
    EXPECT_EQ(FixedEnlargeOf(ID_IMAGE_ENLARGE_2), 20);
    EXPECT_EQ(FixedEnlargeOf(ID_IMAGE_ENLARGE_10), 100);
    EXPECT_EQ(FixedEnlargeOf(ID_IMAGE_ENLARGE_STEP), std::nullopt);

    CImageZoom zoom;
    ZoomReduce(zoom, 30);
    EXPECT_TRUE(IsFixedReduceChecked(zoom, CommandAfter(ID_IMAGE_REDUCE_2, 1)));
    EXPECT_FALSE(IsFixedReduceChecked(zoom, ID_IMAGE_REDUCE_2));
    EXPECT_FALSE(IsCustomReduceChecked(zoom));
    EXPECT_FALSE(IsRealSizeChecked(zoom));
    ZoomStepSmaller(zoom);  // 31: custom
    EXPECT_TRUE(IsCustomReduceChecked(zoom));
    EXPECT_FALSE(IsCustomEnlargeChecked(zoom));

    ZoomEnlarge(zoom, 15);
    EXPECT_TRUE(IsCustomEnlargeChecked(zoom));
    EXPECT_FALSE(zoom.m_bReduce);
    ZoomRealSize(zoom);
    EXPECT_TRUE(IsRealSizeChecked(zoom));
    ZoomFitWindow(zoom);
    EXPECT_FALSE(IsRealSizeChecked(zoom));
}

TEST(ImageZoom, StoredWithTheProjectAndReadBackSafely) {
    CImageZoom zoom;
    ZoomReduce(zoom, 40);
    CKelmioPosData pos;
    StoreZoom(zoom, pos);
    EXPECT_EQ(pos.m_bReduce, 1);
    EXPECT_EQ(pos.m_nReduce, 40);
    EXPECT_EQ(ZoomFromPosData(pos), zoom);

    // A damaged project must not divide by zero nor ask for a giant image.
    pos.m_nReduce = 0;
    EXPECT_EQ(ZoomFromPosData(pos).m_nReduce, 10);
    pos = CKelmioPosData{};
    pos.m_bEnlarge = 1;
    pos.m_nEnlarge = 1000000;
    EXPECT_EQ(ZoomFromPosData(pos).m_nEnlarge, 100);
    CImageZoom broken;
    broken.m_bReduce = true;
    broken.m_nReduce = 0;
    EXPECT_EQ(GetDisplaySize(broken, ImageSize{10, 10}, ImageSize{5, 5}), (ImageSize{100, 100}));
}

TEST(ImageZoom, ScrollSteps) {
    EXPECT_EQ(kImageScrollStep, 5);
    EXPECT_EQ(ImagePageStep(3000), 270);  // page 300 less line 30: 9 %
    EXPECT_EQ(ImagePageStep(1234), 111);  // page 123 less line 12
    EXPECT_EQ(ImagePageStep(5), 1);
    EXPECT_EQ(ClampScroll(ScrollPoint{-5, 5000}, ImageSize{2000, 3000}, ImageSize{1000, 800}),
              (ScrollPoint{0, 2200}));
    EXPECT_EQ(ClampScroll(ScrollPoint{30, 30}, ImageSize{100, 100}, ImageSize{1000, 800}), (ScrollPoint{0, 0}));
}

}  // namespace
}  // namespace kelmio
