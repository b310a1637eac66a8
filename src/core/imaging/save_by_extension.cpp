#include "imaging/save_by_extension.h"

#include <algorithm>

#include "imaging/image_save_options.h"

namespace kelmio {

namespace {

// The six extensions are ASCII: a byte compare without regard to ASCII case
// reads them from any name, whatever its other bytes are.
bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(x) == lower(y);
           });
}

}  // namespace

std::optional<SaveFormat> SaveFormatOfPath(const CFilePath& path) {
    // The file system's own bytes: "." is a byte of its own in them, and a
    // dot in a folder's name is no extension.
    const CFilePath file = path.FileName();
    const std::string& name = file.Native();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    const std::string_view extension = std::string_view(name).substr(dot);
    const auto is = [&](std::string_view known) { return EqualsAsciiNoCase(extension, known); };
    if (is(".bmp")) return SaveFormat::kBmp;
    if (is(".gif")) return SaveFormat::kGif;
    if (is(".jpg") || is(".jpeg")) return SaveFormat::kJpeg;
    if (is(".tif") || is(".tiff")) return SaveFormat::kTiff;
    if (is(".pcx")) return SaveFormat::kPcx;
    if (is(".png")) return SaveFormat::kPng;
    return std::nullopt;
}

ImageSaveResult SaveByExtension(CImageKit& image, const CFilePath& path, const CSettings& settings) {
    const std::optional<SaveFormat> format = SaveFormatOfPath(path);
    if (!format) {
        ImageSaveResult result;
        result.strLibraryError = "unknown extension";
        return result;
    }
    const ImageSaveSettings options = ImageSaveSettings::Read(settings);
    const int bits = image.GetBitCount();
    switch (*format) {
        case SaveFormat::kBmp:
            return image.SaveBmp(path);
        case SaveFormat::kGif:
            if (bits == 24) image.ConvertColor(8, options.nPalette, options.bDither);
            return image.SaveGif(path, options.gif);
        case SaveFormat::kJpeg:
            if (bits != 24) image.ConvertColor(24, options.nPalette, options.bDither);
            return image.SaveJpeg(path, options.jpeg);
        case SaveFormat::kTiff:
            return image.SaveTiff(path, options.tiff);
        case SaveFormat::kPcx:
            if (bits == 16 || bits == 32) image.ConvertColor(24, options.nPalette, options.bDither);
            return image.SavePcx(path);
        case SaveFormat::kPng:
            if (bits == 16 || bits == 32) image.ConvertColor(24, options.nPalette, options.bDither);
            return image.SavePng(path, options.png);
    }
    return {};
}

}  // namespace kelmio
