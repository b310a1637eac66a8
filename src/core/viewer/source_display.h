#pragma once
// How the source pane shows a source, decided from its path alone: the
// extension (the text after the last "."), compared without regard to
// case, and the browser-mode switch.

#include <functional>
#include <string>
#include <string_view>

namespace kelmio {

enum class SourceDisplayKind {
    kBlank,         // no source
    kUrl,           // "://" somewhere in the path: the browser
    kBrowser,       // a local file the browser shows
    kImage,
    kText,          // plain text (its encoding is found on loading)
    kRichText,
    kPlaceholder,   // the pane shows `text` read-only
    kInfoText,      // the pane shows InfoText(path, `text`) read-only
    kInfoPage,      // the browser shows the information page titled `text`
    kMediaPage,     // the browser shows the embedded-media page
};

struct SourceDisplay {
    SourceDisplayKind kind = SourceDisplayKind::kBlank;
    std::string text;         // Shift-JIS: placeholder, info type or page title
    bool withHeight = false;  // media page of a video: the player gets a height

    bool operator==(const SourceDisplay&) const = default;
};

// Whether an image extension (without the dot) is one a loaded image
// plug-in reads.
using PluginExtensionTest = std::function<bool(std::string_view extension)>;

// The text after the last "." of the path, found double-byte aware; empty
// when there is none.
std::string SourceExtension(std::string_view path);

SourceDisplay ClassifySource(std::string_view path, bool browserMode, const PluginExtensionTest& pluginReads = {});

// The four read-only lines shown for a file the pane cannot show; with an
// empty `type` the type line names the extension ("exe" + "ファイル").
std::string InfoText(std::string_view path, std::string_view type);

// True when `path` is an "xls" file and the browser already shows it at
// `location` (decoded from the URL, Shift-JIS): it is not loaded again.
bool IsShownAlready(std::string_view path, std::string_view location);

}  // namespace kelmio
