#include "keys/menu_model.h"

#include "text/sjis.h"

namespace kelmio {
namespace {

std::string_view LimitCaption(std::string_view caption) {
    std::size_t end = 0;
    while (end < caption.size()) {
        const std::size_t next = end + CharLengthAt(caption, end);
        if (next > kMaxMenuCaptionBytes) break;
        end = next;
    }
    return caption.substr(0, end);
}

}  // namespace

std::string CaptionWithKeyText(std::string_view caption, std::optional<std::string_view> keyText) {
    const std::string_view limited = LimitCaption(caption);
    const std::size_t tab = FindLastChar(limited, '\t');
    std::string result(tab == std::string_view::npos ? limited : limited.substr(0, tab));
    if (keyText) {
        result += '\t';
        result.append(*keyText);
    }
    return result;
}

}  // namespace kelmio
