// The preview pages name the source file: whatever bytes the name holds
// (from the file system, or Shift-JIS from a project), the page keeps
// Kelmio's own markup. The information page has its tags and no others,
// its link one address in quotes; the media page is one EMBED tag whose
// attributes read back as written. The first byte says how the name came.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_path.h"
#include "viewer/html_tag.h"
#include "viewer/preview_page.h"
#include "viewer/source_display.h"

namespace {

// The names of the tags in `page`, in order.
std::vector<std::string> TagNames(std::string_view page) {
    std::vector<std::string> names;
    for (std::size_t open = page.find('<'); open != std::string_view::npos; open = page.find('<', open + 1)) {
        const std::size_t end = page.find_first_of(" >", open);
        names.emplace_back(page.substr(open + 1, end == std::string_view::npos ? end : end - open - 1));
    }
    return names;
}

void CheckInfoPage(const kelmio::CFilePath& path, const std::string& title) {
    const kelmio::PreviewFileStatus status{12, 0, 86400};
    static const std::vector<std::string> expected = TagNames(kelmio::MakeInfoPageBody("name", title, status));
    const std::string body = kelmio::MakeInfoPageBody(path, title, status);
    if (TagNames(body) != expected) std::abort();
    // The link: HREF="file://..." with nothing after its closing quote.
    const kelmio::CHtmlTag link(std::string_view(body).substr(body.find("<A ")));
    if (link.Attributes().size() != 1 || link.Attributes()[0].m_strName != "HREF" ||
        link.Attributes()[0].m_strValue.rfind("file://", 0) != 0) {
        std::abort();
    }
}

void CheckMediaPage(const kelmio::CFilePath& path, bool withHeight) {
    // Quotes at either end of the name are dropped from the player's
    // address: a name of nothing else gives a player without one.
    if (path.Native().find_first_not_of('"') == std::string::npos) return;
    const std::string body = kelmio::MakeMediaPageBody(path, withHeight, 480);
    if (body.find('<') != 0 || body.find('>') != body.size() - 1) std::abort();
    const kelmio::CHtmlTag tag(body);
    const auto& attributes = tag.Attributes();
    if (tag.Name() != "EMBED" || attributes.size() != (withHeight ? 3u : 2u) || attributes[0].m_strName != "SRC" ||
        attributes[1].m_strName != "AUTOSTART" || attributes[1].m_strValue != "FALSE" ||
        (withHeight && attributes[2].m_strValue != "430")) {
        std::abort();
    }
    if (tag.ToString() != body) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view name(reinterpret_cast<const char*>(data) + 1, size - 1);
    const kelmio::CFilePath path = (data[0] & 1) != 0 ? kelmio::CFilePath(name) : kelmio::CFilePath::FromNative(name);
    const kelmio::SourceDisplay display = kelmio::ClassifySource("x.exe", true);
    CheckInfoPage(path, display.text);
    CheckMediaPage(path, (data[0] & 2) != 0);
    (void)kelmio::PreviewPageText(kelmio::MakeMediaPageBody(path, false, 0));
    return 0;
}
