#include "imaging/save_by_extension.h"

#include "imaging/image_save_options.h"
#include "text/compare.h"

namespace kelmio {

std::optional<SaveFormat> SaveFormatOfPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view extension = path.substr(dot);
    const auto is = [&](std::string_view name) { return EqualsNoCaseMb(extension, name); };
    if (is(".bmp")) return SaveFormat::kBmp;
    if (is(".gif")) return SaveFormat::kGif;
    if (is(".jpg") || is(".jpeg")) return SaveFormat::kJpeg;
    if (is(".tif") || is(".tiff")) return SaveFormat::kTiff;
    if (is(".pcx")) return SaveFormat::kPcx;
    if (is(".png")) return SaveFormat::kPng;
    return std::nullopt;
}

ImageSaveResult SaveByExtension(CImageKit& image, std::string_view path, const CSettings& settings) {
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
