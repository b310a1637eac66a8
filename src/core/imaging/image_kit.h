#pragma once
// CImageKit: one image held by the imaging library, with the operations the
// source viewer, the save dialog and the scanner import use.
//
// The image is GraphicsMagick's; this header does not expose it, so users of
// CImageKit compile without the library's headers. Every operation returns
// whether it succeeded; one that fails keeps the image as it was, and the
// library's reason is kept for the caller (LastError). Nothing throws.
//
// Colours are given as 0x00BBGGRR (red in the low byte), as the settings
// store them. Angles are in hundredths of a degree, positive turning left.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_error.h"
#include "platform/file_path.h"

namespace kelmio {

struct ImageSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const ImageSize&) const = default;
};

// Options of the six save formats, as the format option pages keep them.
struct GifSaveOptions {
    bool bInterlace = false;
    bool bTransparent = false;        // the background colour becomes transparent
    std::uint32_t nBackColor = 0;     // 0x00BBGGRR
};

struct JpegSaveOptions {
    int nQuality = 75;                // 0-100
    bool bProgressive = false;
    int nSubSampling = 0;             // 0 "4:1:1", 1 "4:2:2", 2 "4:4:4"
};

// TIFF compressions in the order of the option page's list.
enum class TiffCompression {
    kNone = 0,
    kCcittRle = 1,
    kGroup3OneD = 2,
    kGroup3TwoD = 3,
    kGroup4 = 4,
    kPackBits = 5,
    kLzw = 6,
};

struct PngSaveOptions {
    bool bInterlace = false;
    bool bTransparent = false;
    std::uint32_t nBackColor = 0;
};

// How a save ended. A file error carries the path and cause for the file
// error text; an encoding failure carries the library's reason.
struct ImageSaveResult {
    bool bWritten = false;
    std::optional<FileError> fileError;
    std::string strLibraryError;

    explicit operator bool() const { return bWritten; }
};

// Pixels as 8-bit R, G, B triples, row after row without padding.
struct RgbPixels {
    int cx = 0;
    int cy = 0;
    std::vector<std::uint8_t> bytes;
};

class CImageKit {
public:
    CImageKit();
    ~CImageKit();
    CImageKit(const CImageKit& other);
    CImageKit& operator=(const CImageKit& other);
    CImageKit(CImageKit&& other) noexcept;
    CImageKit& operator=(CImageKit&& other) noexcept;

    // Reads the file and decodes it by its content, whatever its name says.
    bool LoadFile(const CFilePath& path);
    // Decodes bytes already read (the same path LoadFile takes).
    bool LoadBlob(std::string_view bytes);
    // Takes 8-bit RGB pixels as the image (a scanned page).
    bool LoadRgb(const RgbPixels& pixels);

    bool IsEmpty() const;
    void Free();
    void CopyFrom(const CImageKit& other) { *this = other; }

    ImageSize GetSize() const;     // 0 x 0 without an image
    int GetBitCount() const;       // 1, 4, 8, 24 or 32; 0 without an image
    // True for vector pictures, which are drawn fitted into the window.
    bool IsToWindowImage() const;
    // The decoder's format name ("PNG", "JPEG", ...), empty without an image.
    std::string GetFormat() const;

    // bits: 8 (a palette of at most 256 colours), 24 or 32. `palette` 0 is an
    // optimal palette, any other value a fixed one; `dither` spreads the
    // error of the reduced colours.
    bool ConvertColor(int bits, int palette, bool dither);
    bool Rotate(int angle, std::uint32_t background);
    bool Flip(bool vertical, bool horizontal);
    bool Resize(int cx, int cy);
    // Sharpens the rectangle (left, top, right, bottom) with the fine-mode
    // strength (10 is the usual level).
    bool Sharpen(int strength, int left, int top, int right, int bottom);

    // The pixels of a part of the image (clipped to it) as RGB.
    RgbPixels GetRgb(int x, int y, int cx, int cy) const;
    RgbPixels GetRgb() const;
    // The whole image resized to cx x cy as RGB, the same pixels Resize
    // would give, without replacing the image.
    RgbPixels GetResizedRgb(int cx, int cy) const;
    // The Gaussian radius (sigma) Sharpen uses for a strength.
    static double SharpenSigma(int strength);

    // The encoded file in each format; empty with the reason in LastError
    // when the library cannot encode it.
    std::string EncodeBmp() const;
    std::string EncodeGif(const GifSaveOptions& options) const;
    std::string EncodeJpeg(const JpegSaveOptions& options) const;
    std::string EncodeTiff(TiffCompression compression) const;
    std::string EncodePcx() const;
    std::string EncodePng(const PngSaveOptions& options) const;

    // Encodes and writes the file atomically: the old file survives a failure.
    ImageSaveResult SaveBmp(const CFilePath& path) const;
    ImageSaveResult SaveGif(const CFilePath& path, const GifSaveOptions& options) const;
    ImageSaveResult SaveJpeg(const CFilePath& path, const JpegSaveOptions& options) const;
    ImageSaveResult SaveTiff(const CFilePath& path, TiffCompression compression) const;
    ImageSaveResult SavePcx(const CFilePath& path) const;
    ImageSaveResult SavePng(const CFilePath& path, const PngSaveOptions& options) const;

    // The library's reason for the last failed operation (UTF-8 or ASCII).
    const std::string& LastError() const { return m_strLastError; }

private:
    struct Impl;  // the library image (image_kit_impl.h)

    std::unique_ptr<Impl> m_pImpl;
    int m_nBitCount = 0;
    bool m_bVector = false;
    mutable std::string m_strLastError;

    ImageSaveResult WriteEncoded(const CFilePath& path, const std::string& bytes) const;
};

}  // namespace kelmio
