#pragma once
// SaveByExtension: writes an image in the format its file name's extension
// names (".bmp", ".gif", ".jpg"/".jpeg", ".tif"/".tiff", ".pcx", ".png"),
// with the options of the settings. A colour conversion the format needs
// changes the image itself, not only the file.

#include <optional>
#include "imaging/image_kit.h"
#include "platform/file_path.h"

namespace kelmio {

class CSettings;

enum class SaveFormat { kBmp, kGif, kJpeg, kTiff, kPcx, kPng };

// The format of a file name, from the bytes after the last "." of its last
// component; nullopt for an unknown extension or a name without ".".
std::optional<SaveFormat> SaveFormatOfPath(const CFilePath& path);

// Not written (and no file error) when the extension is unknown.
ImageSaveResult SaveByExtension(CImageKit& image, const CFilePath& path, const CSettings& settings);

}  // namespace kelmio
