#pragma once
// The image save dialog's rules without widgets: the type list, the name
// that follows the chosen type, the format option pages and the settings
// they keep ("Gif", "Jpeg", "Tiff", "Png", "Color", "File"/"SaveType",
// "System"/"WriteDir").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image_kit.h"
#include "platform/file_path.h"

namespace kelmio {

class CSettings;

// Filter indexes of the type list (1-based, in the filter's order).
enum ImageType : int {
    kImageTypeBmp = 1,
    kImageTypeGif = 2,
    kImageTypeJpeg = 3,
    kImageTypeTiff = 4,
    kImageTypePcx = 5,
    kImageTypePng = 6,
};

// The save dialog's filter, its title and the option sheet's caption.
std::string ImageSaveFilter();      // Shift-JIS
std::string ImageSaveTitle();       // "名前を付けて保存"
std::string ImageFormatSheetCaption();  // "画像形式の設定"
std::string ImageFormatButtonText();    // "画像形式(&S)..."

// The extension (without ".") of a filter index; "*" for 0 or out of range.
std::string ExtensionOfImageType(int filterIndex);

// The name box after the type changed: the text before its last "." (all of
// it without one) followed by the type's extension. Byte-wise, so it serves
// Shift-JIS and UTF-8 names alike ("." is never part of another character).
std::string ChangeNameForType(std::string_view name, int filterIndex);

// Whether the format button is enabled for a type (not for BMP and PCX).
bool IsFormatButtonEnabled(int filterIndex);

// The option pages, as plain forms.
struct CGifSetPage {
    int m_bTransparent = 0;
    int m_bInterlace = 0;
};
using CPngSetPage = CGifSetPage;

struct CJpegSetDlg {
    int m_bInterlace = 0;
    int m_nSubSampling = -1;  // list index; -1 none
    int m_nQuality = 0;

    static std::vector<std::string> SubSamplingTexts();  // "4:1:1", "4:2:2", "4:4:4"
    // Takes the quality field's text; on anything but an integer from 0 to
    // 100 returns the range message the page shows, and keeps the value.
    std::optional<std::string> SetQualityText(std::string_view text);
};

struct CTiffSetPage {
    int m_nCompression = -1;  // list index; -1 none

    static std::vector<std::string> CompressionTexts();  // Shift-JIS, list order
};

// Which page the sheet shows for a filter index.
enum class FormatPage { kNone, kGif, kJpeg, kTiff, kPng };
FormatPage PageForImageType(int filterIndex);

// The sheet "画像形式の設定": all four pages filled from the settings; OK
// writes all eight values back, Cancel writes nothing.
struct CImageFormatSheet {
    CGifSetPage m_gif;
    CJpegSetDlg m_jpeg;
    CTiffSetPage m_tiff;
    CPngSetPage m_png;
    FormatPage m_page = FormatPage::kNone;

    static CImageFormatSheet Load(const CSettings& settings, int filterIndex);
    void Store(CSettings& settings) const;
};

// Everything a save by extension reads from the settings.
struct ImageSaveSettings {
    GifSaveOptions gif;
    JpegSaveOptions jpeg;
    TiffCompression tiff = TiffCompression::kNone;
    PngSaveOptions png;
    int nPalette = 0;
    bool bDither = true;

    static ImageSaveSettings Read(const CSettings& settings);
};

// "File"/"SaveType" (default 1) and "System"/"WriteDir".
int ReadImageSaveType(const CSettings& settings);
void WriteImageSaveChoice(CSettings& settings, const CFilePath& path, int filterIndex);

}  // namespace kelmio
