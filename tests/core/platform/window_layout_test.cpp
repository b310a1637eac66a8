#include "platform/window_layout.h"

#include <gtest/gtest.h>

namespace kelmio {
namespace {

TEST(WindowPlacement, FirstStartDefaultsThenRoundTripThroughSettings) {
    CMemorySettings settings;
    const CWindowPlacement first = LoadWindowPlacement(settings);
    EXPECT_EQ(FormatPlacementRect(first), "100,100,800,600,0,0,-1,-1");
    EXPECT_EQ(first.nShowCmd, kShowNormal);
    EXPECT_TRUE(first.bToolBar);
    EXPECT_TRUE(first.bStatusBar);

    CWindowPlacement changed = first;
    changed.nLeft = -20;
    changed.nRight = 1000;
    changed.nShowCmd = kShowMaximized;
    changed.nFlags = 2;
    changed.bToolBar = false;
    SaveWindowPlacement(settings, changed);
    EXPECT_EQ(settings.GetString("Window size", "Rect", ""), "-20,100,1000,600,0,0,-1,-1");
    EXPECT_EQ(settings.GetInt("Window size", "ToolBar", 9), 0);
    EXPECT_EQ(LoadWindowPlacement(settings), changed);
}

TEST(WindowPlacement, ShortOrBrokenRectKeepsDefaultsForWhatIsMissing) {
    CWindowPlacement placement;
    ParsePlacementRect("10,20,300", placement);
    EXPECT_EQ(FormatPlacementRect(placement), "10,20,300,600,0,0,-1,-1");

    placement = {};
    ParsePlacementRect("5, 6 ,700,x,1,2", placement);
    EXPECT_EQ(FormatPlacementRect(placement), "5,6,700,600,0,0,-1,-1");

    // A rectangle with no area would leave an invisible window.
    placement = {};
    ParsePlacementRect("500,500,400,400,3,4,5,6", placement);
    EXPECT_EQ(FormatPlacementRect(placement), "100,100,800,600,3,4,5,6");

    placement = {};
    ParsePlacementRect("99999999999999999999,1", placement);
    EXPECT_EQ(FormatPlacementRect(placement), "100,100,800,600,0,0,-1,-1");
}

TEST(PaneSizes, DefaultsAreHalfTheHeightAndThreeQuartersOfTheWidth) {
    CMemorySettings settings;
    const CPaneSizes sizes = LoadPaneSizes(settings, 803, 601);
    EXPECT_EQ(sizes.nPreviewHeight, 300);
    EXPECT_EQ(sizes.nFormWidth, 602);
    SavePaneSizes(settings, {123, 456});
    const CPaneSizes stored = LoadPaneSizes(settings, 803, 601);
    EXPECT_EQ(stored.nPreviewHeight, 123);
    EXPECT_EQ(stored.nFormWidth, 456);
}

TEST(PaneSizes, OnlyPanesWithRoomInEveryDirectionAreWorthKeeping) {
    EXPECT_TRUE(PanesHaveRoom({211, 523}, 900, 600, 20));
    // A window restored to 303 x 25 by its window manager squeezes every pane.
    EXPECT_FALSE(PanesHaveRoom({20, 283}, 303, 0, 20));
    EXPECT_FALSE(PanesHaveRoom({211, 890}, 900, 600, 20));
    EXPECT_FALSE(PanesHaveRoom({590, 523}, 900, 600, 20));
    EXPECT_FALSE(PanesHaveRoom({10, 523}, 900, 600, 20));
    EXPECT_TRUE(PanesHaveRoom({20, 20}, 40, 40, 20));
}

}  // namespace
}  // namespace kelmio
