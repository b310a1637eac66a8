#include "imaging/image_save_options.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/file_error.h"
#include "platform/settings.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr std::array<const char*, 7> kExtensions{"*", "bmp", "gif", "jpg", "tif", "pcx", "png"};

int ReadBool(const CSettings& settings, const char* section, const char* name) {
    return settings.GetInt(section, name, 0) != 0 ? 1 : 0;
}

}  // namespace

std::string ImageSaveFilter() {
    return SjisText(
        "BMPﾌｧｲﾙ(*.bmp)|*.bmp|GIFﾌｧｲﾙ(*.gif)|*.gif|JPGﾌｧｲﾙ(*.jpg)|*.jpg|TIFFﾌｧｲﾙ(*.tif) |*.tif|"
        "PCXﾌｧｲﾙ(*.pcx) |*.pcx|PNGﾌｧｲﾙ(*.png) |*.png||");
}

std::string ImageSaveTitle() { return SjisText("名前を付けて保存"); }
std::string ImageFormatSheetCaption() { return SjisText("画像形式の設定"); }
std::string ImageFormatButtonText() { return SjisText("画像形式(&S)..."); }

std::string ExtensionOfImageType(int filterIndex) {
    if (filterIndex < 0 || filterIndex >= static_cast<int>(kExtensions.size())) return "*";
    return kExtensions[static_cast<std::size_t>(filterIndex)];
}

std::string ChangeNameForType(std::string_view name, int filterIndex) {
    // "." is never a trail byte of a double-byte character, so the last one
    // found byte-wise is a real dot.
    const std::size_t dot = name.rfind('.');
    std::string result(dot == std::string_view::npos ? name : name.substr(0, dot));
    result += '.';
    result += ExtensionOfImageType(filterIndex);
    return result;
}

bool IsFormatButtonEnabled(int filterIndex) {
    return filterIndex != kImageTypeBmp && filterIndex != kImageTypePcx;
}

std::vector<std::string> CJpegSetDlg::SubSamplingTexts() { return {"4:1:1", "4:2:2", "4:4:4"}; }

std::optional<std::string> CJpegSetDlg::SetQualityText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    int value = -1;
    bool ok = false;
    if (first != std::string_view::npos) {
        const char* begin = text.data() + first;
        const char* end = text.data() + last + 1;
        if (begin < end && *begin == '+') ++begin;
        const auto [ptr, error] = std::from_chars(begin, end, value);
        ok = error == std::errc() && ptr == end && value >= 0 && value <= 100;
    }
    if (!ok) {
        std::string message = FormatMessage1(SjisText("%1 から %2 までの整数を入力してください。"), "0");
        const std::size_t at = message.find("%2");
        if (at != std::string::npos) message.replace(at, 2, "100");
        return message;
    }
    m_nQuality = value;
    return std::nullopt;
}

std::vector<std::string> CTiffSetPage::CompressionTexts() {
    return {SjisText("非圧縮"), "CCITTRLE", "GROUP3-1D", "GROUP3-2D", "GROUP4", "PACKBITS", "LZW"};
}

FormatPage PageForImageType(int filterIndex) {
    switch (filterIndex) {
        case kImageTypeGif: return FormatPage::kGif;
        case kImageTypeJpeg: return FormatPage::kJpeg;
        case kImageTypeTiff: return FormatPage::kTiff;
        case kImageTypePng: return FormatPage::kPng;
        default: return FormatPage::kNone;
    }
}

CImageFormatSheet CImageFormatSheet::Load(const CSettings& settings, int filterIndex) {
    CImageFormatSheet sheet;
    sheet.m_page = PageForImageType(filterIndex);
    sheet.m_gif.m_bTransparent = ReadBool(settings, "Gif", "Back");
    sheet.m_gif.m_bInterlace = ReadBool(settings, "Gif", "Inter");
    sheet.m_tiff.m_nCompression = settings.GetInt("Tiff", "Type", 0);
    sheet.m_jpeg.m_bInterlace = ReadBool(settings, "Jpeg", "Inter");
    sheet.m_jpeg.m_nQuality = settings.GetInt("Jpeg", "Quality", 75);
    sheet.m_jpeg.m_nSubSampling = settings.GetInt("Jpeg", "SubSamp", 0);
    sheet.m_png.m_bTransparent = ReadBool(settings, "Png", "Back");
    sheet.m_png.m_bInterlace = ReadBool(settings, "Png", "Inter");
    return sheet;
}

void CImageFormatSheet::Store(CSettings& settings) const {
    settings.WriteInt("Gif", "Back", m_gif.m_bTransparent);
    settings.WriteInt("Gif", "Inter", m_gif.m_bInterlace);
    settings.WriteInt("Tiff", "Type", m_tiff.m_nCompression);
    settings.WriteInt("Jpeg", "Inter", m_jpeg.m_bInterlace);
    settings.WriteInt("Jpeg", "Quality", m_jpeg.m_nQuality);
    settings.WriteInt("Jpeg", "SubSamp", m_jpeg.m_nSubSampling);
    settings.WriteInt("Png", "Back", m_png.m_bTransparent);
    settings.WriteInt("Png", "Inter", m_png.m_bInterlace);
}

ImageSaveSettings ImageSaveSettings::Read(const CSettings& settings) {
    ImageSaveSettings values;
    values.gif.bTransparent = settings.GetInt("Gif", "Back", 0) != 0;
    values.gif.bInterlace = settings.GetInt("Gif", "Inter", 0) != 0;
    values.gif.nBackColor = static_cast<std::uint32_t>(settings.GetInt("Gif", "BackColor", 0)) & 0xFFFFFFu;
    values.jpeg.nQuality = std::clamp(settings.GetInt("Jpeg", "Quality", 75), 0, 100);
    values.jpeg.bProgressive = settings.GetInt("Jpeg", "Inter", 0) != 0;
    values.jpeg.nSubSampling = settings.GetInt("Jpeg", "SubSamp", 0);
    const int tiff = settings.GetInt("Tiff", "Type", 0);
    values.tiff = tiff >= 0 && tiff <= static_cast<int>(TiffCompression::kLzw) ? static_cast<TiffCompression>(tiff)
                                                                              : TiffCompression::kNone;
    values.png.bTransparent = settings.GetInt("Png", "Back", 0) != 0;
    values.png.bInterlace = settings.GetInt("Png", "Inter", 0) != 0;
    values.png.nBackColor = static_cast<std::uint32_t>(settings.GetInt("Png", "BackColor", 0)) & 0xFFFFFFu;
    values.nPalette = settings.GetInt("Color", "Pal", 0);
    values.bDither = settings.GetInt("Color", "Dither", 1) != 0;
    return values;
}

int ReadImageSaveType(const CSettings& settings) { return settings.GetInt("File", "SaveType", 1); }

void WriteImageSaveChoice(CSettings& settings, const CFilePath& path, int filterIndex) {
    settings.WritePath("System", "WriteDir", path);
    settings.WriteInt("File", "SaveType", filterIndex);
}

}  // namespace kelmio
