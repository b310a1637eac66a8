#include "keys/menu_model.h"

#include "text/sjis.h"

namespace kelmio {
namespace {

template <typename Items>
auto* FindIn(Items& items, unsigned int id) {
    for (auto& item : items) {
        if (item.kind == MenuItem::Kind::kCommand && item.id == id) return &item;
    }
    for (auto& item : items) {
        if (item.kind != MenuItem::Kind::kPopup) continue;
        if (auto* found = FindIn(item.items, id)) return found;
    }
    return static_cast<decltype(&items.front())>(nullptr);
}

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

MenuItem MenuItem::Command(unsigned int id, std::string caption) {
    return MenuItem{Kind::kCommand, id, std::move(caption), {}};
}

MenuItem MenuItem::Separator() { return MenuItem{Kind::kSeparator, 0, {}, {}}; }

MenuItem MenuItem::Popup(std::string caption, std::vector<MenuItem> items) {
    return MenuItem{Kind::kPopup, 0, std::move(caption), std::move(items)};
}

MenuItem* FindMenuCommand(std::vector<MenuItem>& items, unsigned int id) { return FindIn(items, id); }

const MenuItem* FindMenuCommand(const std::vector<MenuItem>& items, unsigned int id) { return FindIn(items, id); }

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
