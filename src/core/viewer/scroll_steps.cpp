#include "viewer/scroll_steps.h"

#include "commands/command_ids.h"

namespace kelmio {
namespace {

// Windows virtual-key codes of the keys the pane takes for itself.
constexpr unsigned int kVkPrior = 0x21;
constexpr unsigned int kVkNext = 0x22;
constexpr unsigned int kVkLeft = 0x25;
constexpr unsigned int kVkUp = 0x26;
constexpr unsigned int kVkRight = 0x27;
constexpr unsigned int kVkDown = 0x28;

}  // namespace

std::optional<ScrollOp> ScrollOpForCommand(CommandId id) {
    switch (id) {
    case ID_SOURCE_SCROLL_UP: return ScrollOp::kUp;
    case ID_SOURCE_SCROLL_DOWN: return ScrollOp::kDown;
    case ID_SOURCE_SCROLL_RIGHT: return ScrollOp::kRight;
    case ID_SOURCE_SCROLL_LEFT: return ScrollOp::kLeft;
    case ID_SOURCE_PAGE_UP: return ScrollOp::kPageUp;
    case ID_SOURCE_PAGE_DOWN: return ScrollOp::kPageDown;
    default: return std::nullopt;
    }
}

std::optional<ScrollOp> ScrollOpForKey(unsigned int virtualKey) {
    switch (virtualKey) {
    case kVkPrior: return ScrollOp::kPageUp;
    case kVkNext: return ScrollOp::kPageDown;
    case kVkLeft: return ScrollOp::kLeft;
    case kVkUp: return ScrollOp::kUp;
    case kVkRight: return ScrollOp::kRight;
    case kVkDown: return ScrollOp::kDown;
    default: return std::nullopt;
    }
}

ScrollOp ScrollOpForWheel(int delta) { return delta > 0 ? ScrollOp::kUp : ScrollOp::kDown; }

TextScrollStep TextStep(ScrollOp op) {
    switch (op) {
    case ScrollOp::kUp: return {-1, 0};
    case ScrollOp::kDown: return {1, 0};
    case ScrollOp::kPageUp: return {0, -1};
    case ScrollOp::kPageDown: return {0, 1};
    case ScrollOp::kLeft:
    case ScrollOp::kRight: break;
    }
    return {};
}

std::string_view BrowserScrollName(ScrollOp op) {
    switch (op) {
    case ScrollOp::kUp: return "scrollbarUp";
    case ScrollOp::kDown: return "scrollbarDown";
    case ScrollOp::kLeft: return "scrollbarLeft";
    case ScrollOp::kRight: return "scrollbarRight";
    case ScrollOp::kPageUp: return "scrollbarPageUp";
    case ScrollOp::kPageDown: return "scrollbarPageDown";
    }
    return {};
}

}  // namespace kelmio
