#include "platform/window_layout.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace kelmio {
namespace {

constexpr std::string_view kPlacementSection = "Window size";
constexpr std::string_view kRectValue = "Rect";
constexpr std::string_view kShowCmdValue = "showCmd";
constexpr std::string_view kFlagsValue = "flags";
constexpr std::string_view kToolBarValue = "ToolBar";
constexpr std::string_view kStatusBarValue = "StatusBar";

constexpr std::string_view kViewSection = "View";
constexpr std::string_view kPreviewHeightValue = "PreviewHeight";
constexpr std::string_view kFormWidthValue = "FormWidth";

// Reads up to eight comma-separated integers, stopping at the first that
// cannot be read; returns how many were read.
int ReadNumbers(std::string_view text, std::array<int, 8>& numbers) {
    const char* cursor = text.data();
    const char* const end = text.data() + text.size();
    int count = 0;
    while (count < 8) {
        while (cursor < end && *cursor == ' ') ++cursor;
        const auto [next, error] = std::from_chars(cursor, end, numbers[count]);
        if (error != std::errc()) break;
        ++count;
        cursor = next;
        while (cursor < end && *cursor == ' ') ++cursor;
        if (cursor == end || *cursor != ',') break;
        ++cursor;
    }
    return count;
}

}  // namespace

void ParsePlacementRect(std::string_view text, CWindowPlacement& placement) {
    std::array<int, 8> numbers{};
    const int count = ReadNumbers(text, numbers);
    std::array<int*, 8> fields = {&placement.nLeft, &placement.nTop, &placement.nRight, &placement.nBottom,
                                  &placement.nMinX, &placement.nMinY, &placement.nMaxX, &placement.nMaxY};
    const CWindowPlacement before = placement;
    for (int i = 0; i < count; ++i) *fields[i] = numbers[i];
    // A window of no size could never be seen or grabbed again.
    if (placement.nRight <= placement.nLeft || placement.nBottom <= placement.nTop) {
        placement.nLeft = before.nLeft;
        placement.nTop = before.nTop;
        placement.nRight = before.nRight;
        placement.nBottom = before.nBottom;
    }
}

std::string FormatPlacementRect(const CWindowPlacement& placement) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d,%d,%d,%d,%d", placement.nLeft, placement.nTop,
                  placement.nRight, placement.nBottom, placement.nMinX, placement.nMinY, placement.nMaxX,
                  placement.nMaxY);
    return buffer;
}

CWindowPlacement LoadWindowPlacement(const CSettings& settings) {
    CWindowPlacement placement;
    const std::string rect = settings.GetString(kPlacementSection, kRectValue, "");
    if (!rect.empty()) ParsePlacementRect(rect, placement);
    placement.nShowCmd = settings.GetInt(kPlacementSection, kShowCmdValue, kShowNormal);
    placement.nFlags = settings.GetInt(kPlacementSection, kFlagsValue, 0);
    placement.bToolBar = settings.GetInt(kPlacementSection, kToolBarValue, 1) != 0;
    placement.bStatusBar = settings.GetInt(kPlacementSection, kStatusBarValue, 1) != 0;
    return placement;
}

void SaveWindowPlacement(CSettings& settings, const CWindowPlacement& placement) {
    settings.WriteString(kPlacementSection, kRectValue, FormatPlacementRect(placement));
    settings.WriteInt(kPlacementSection, kShowCmdValue, placement.nShowCmd);
    settings.WriteInt(kPlacementSection, kFlagsValue, placement.nFlags);
    settings.WriteInt(kPlacementSection, kToolBarValue, placement.bToolBar ? 1 : 0);
    settings.WriteInt(kPlacementSection, kStatusBarValue, placement.bStatusBar ? 1 : 0);
}

CPaneSizes LoadPaneSizes(const CSettings& settings, int nClientWidth, int nClientHeight) {
    CPaneSizes sizes;
    sizes.nPreviewHeight = settings.GetInt(kViewSection, kPreviewHeightValue, nClientHeight / 2);
    sizes.nFormWidth = settings.GetInt(kViewSection, kFormWidthValue, 3 * nClientWidth / 4);
    return sizes;
}

void SavePaneSizes(CSettings& settings, const CPaneSizes& sizes) {
    settings.WriteInt(kViewSection, kFormWidthValue, sizes.nFormWidth);
    settings.WriteInt(kViewSection, kPreviewHeightValue, sizes.nPreviewHeight);
}

bool PanesHaveRoom(const CPaneSizes& sizes, int nClientWidth, int nClientHeight, int nMinimumPane) {
    return sizes.nPreviewHeight >= nMinimumPane && nClientHeight - sizes.nPreviewHeight >= nMinimumPane &&
           sizes.nFormWidth >= nMinimumPane && nClientWidth - sizes.nFormWidth >= nMinimumPane;
}

}  // namespace kelmio
