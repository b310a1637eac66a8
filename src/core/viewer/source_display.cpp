#include "viewer/source_display.h"

#include <array>
#include <algorithm>

#include "text/compare.h"
#include "text/cp932.h"
#include "text/sjis.h"

namespace kelmio {
namespace {

constexpr std::array kVideo{"wmv", "mpg", "mpeg", "avi", "mov", "swf"};
constexpr std::array kAudio{"mp3", "wav", "aif", "au", "mid"};
constexpr std::array kPrograms{"exe", "dll"};
constexpr std::array kOffice{"xls", "doc"};
constexpr std::array kImages{"bmp", "gif", "jpg", "jpeg", "tiff", "tif", "pcx", "png"};
constexpr std::array kDrawings{"wmf", "emf", "dxf"};

bool Is(std::string_view extension, std::string_view name) { return EqualsNoCaseMb(extension, name); }

template <std::size_t N>
bool IsOneOf(std::string_view extension, const std::array<const char*, N>& names) {
    return std::ranges::any_of(names, [extension](const char* name) { return Is(extension, name); });
}

SourceDisplay Show(SourceDisplayKind kind, std::string text = {}, bool withHeight = false) {
    return SourceDisplay{kind, std::move(text), withHeight};
}

}  // namespace

std::string SourceExtension(std::string_view path) {
    const std::size_t dot = FindLastDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

SourceDisplay ClassifySource(std::string_view path, bool browserMode, const PluginExtensionTest& pluginReads) {
    static const std::string sprigbox = SjisText("スプリグボックスファイル");
    static const std::string media = SjisText("メディアファイル");
    static const std::string binary = SjisText("バイナリーファイル");

    if (path.empty()) return Show(SourceDisplayKind::kBlank);
    if (path.find("://") != std::string_view::npos) return Show(SourceDisplayKind::kUrl);
    if (FindLastDot(path) == std::string_view::npos) return Show(SourceDisplayKind::kText);

    const std::string extension = SourceExtension(path);
    if (Is(extension, "bmp")) return Show(SourceDisplayKind::kImage);
    if (Is(extension, "sbx")) {
        return browserMode ? Show(SourceDisplayKind::kInfoPage, sprigbox) : Show(SourceDisplayKind::kPlaceholder, sprigbox);
    }
    if (IsOneOf(extension, kVideo) || IsOneOf(extension, kAudio)) {
        const bool video = IsOneOf(extension, kVideo);
        return browserMode ? Show(SourceDisplayKind::kMediaPage, {}, video) : Show(SourceDisplayKind::kInfoText, media);
    }
    if (IsOneOf(extension, kPrograms)) {
        return browserMode ? Show(SourceDisplayKind::kInfoPage, binary) : Show(SourceDisplayKind::kInfoText);
    }
    if (browserMode || Is(extension, "pdf")) return Show(SourceDisplayKind::kBrowser);
    if (Is(extension, "rtf")) return Show(SourceDisplayKind::kRichText);
    if (IsOneOf(extension, kOffice)) return Show(SourceDisplayKind::kInfoText);
    if (IsOneOf(extension, kImages) || IsOneOf(extension, kDrawings)) return Show(SourceDisplayKind::kImage);
    if (pluginReads && pluginReads(extension)) return Show(SourceDisplayKind::kImage);
    return Show(SourceDisplayKind::kText);
}

std::string InfoText(std::string_view path, std::string_view type) {
    static const std::string heading = SjisText("■通常モードで表示できないファイルです");
    static const std::string typeLabel = SjisText("ファイルタイプ：");
    static const std::string fileSuffix = SjisText("ファイル");
    static const std::string nameLabel = SjisText("ファイル名：");
    static const std::string folderLabel = SjisText("フォルダ名：");

    const std::size_t separator = FindLastPathSeparator(path);
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    const std::string_view folder = separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);

    std::string text = heading + "\r\n" + typeLabel;
    if (type.empty()) text.append(SourceExtension(path)).append(fileSuffix);
    else text.append(type);
    text.append("\r\n").append(nameLabel).append(name).append("\r\n");
    text.append(folderLabel).append(folder).append("\r\n");
    return text;
}

bool IsShownAlready(std::string_view path, std::string_view location) {
    if (!Is(SourceExtension(path), "xls")) return false;
    std::string candidate = "file://";
    // A Windows path ("C:\a") gets the third slash a local file URL has.
    if (!path.empty() && path.front() != '/') candidate += '/';
    for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
        candidate.append(path[i] == '\\' ? std::string_view("/") : path.substr(i, CharLengthAt(path, i)));
    }
    return candidate == location;
}

}  // namespace kelmio
