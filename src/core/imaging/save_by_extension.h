#pragma once
// SaveByExtension: writes an image in the format its file name's extension
// names (".bmp", ".gif", ".jpg"/".jpeg", ".tif"/".tiff", ".pcx", ".png"),
// with the options of the settings. A colour conversion the format needs
// changes the image itself, not only the file.

#include <optional>
#include <string_view>

#include "imaging/image_kit.h"

namespace kelmio {

class CSettings;

enum class SaveFormat { kBmp, kGif, kJpeg, kTiff, kPcx, kPng };

// The format of a file name, from the text after its last "."; nullopt for
// an unknown extension or a name without ".".
std::optional<SaveFormat> SaveFormatOfPath(std::string_view path);

// Not written (and no file error) when the extension is unknown.
ImageSaveResult SaveByExtension(CImageKit& image, std::string_view path, const CSettings& settings);

}  // namespace kelmio
