// Encoding CImageKit's image in the six save formats, and writing the
// result through the atomic save so a failure never harms the old file.

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "imaging/image_kit.h"
#include "imaging/image_kit_impl.h"
#include "platform/file_io.h"

namespace kelmio {
namespace {

struct ImageInfoDeleter {
    void operator()(MagickLib::ImageInfo* info) const { MagickLib::DestroyImageInfo(info); }
};
using ImageInfoPtr = std::unique_ptr<MagickLib::ImageInfo, ImageInfoDeleter>;

struct BlobDeleter {
    void operator()(void* blob) const { MagickLib::MagickFree(blob); }
};

// The encoder's settings beyond the format: given the writer's info record
// and the image (a private copy) to adjust before writing.
using EncodeSetup = std::function<void(MagickLib::ImageInfo&, Magick::Image&)>;

// Encodes a copy of `source` as `format`; empty with `error` set on failure.
std::string Encode(const Magick::Image& source, const char* format, const EncodeSetup& setup, std::string& error) {
    try {
        Magick::Image image = source;
        image.modifyImage();
        ImageInfoPtr info(MagickLib::CloneImageInfo(nullptr));
        if (!info) throw std::bad_alloc();
        setup(*info, image);
        MagickLib::Image* raw = image.image();
        std::strncpy(info->magick, format, MaxTextExtent - 1);
        std::strncpy(raw->magick, format, MaxTextExtent - 1);
        std::strncpy(raw->filename, "", MaxTextExtent - 1);
        MagickLib::ExceptionInfo exception;
        MagickLib::GetExceptionInfo(&exception);
        std::size_t length = 0;
        std::unique_ptr<void, BlobDeleter> blob(MagickLib::ImageToBlob(info.get(), raw, &length, &exception));
        const bool failed = exception.severity >= MagickLib::ErrorException || !blob || length == 0;
        if (failed) {
            error = exception.reason != nullptr ? exception.reason : "the image could not be encoded";
        }
        MagickLib::DestroyExceptionInfo(&exception);
        if (failed) return {};
        return std::string(static_cast<const char*>(blob.get()), length);
    } catch (const Magick::Exception& exception) {
        error = exception.what();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    return {};
}

void AddDefinition(MagickLib::ImageInfo& info, const char* definition) {
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    MagickLib::AddDefinitions(&info, definition, &exception);
    MagickLib::DestroyExceptionInfo(&exception);
}

const char* SamplingFactor(int subSampling) {
    switch (subSampling) {
        case 1: return "2x1";    // 4:2:2, chroma halved across
        case 2: return "1x1";    // 4:4:4, full chroma
        default: return "2x2";   // "4:1:1" in the option page's terms: chroma quartered
    }
}

}  // namespace

std::string CImageKit::EncodeBmp() const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "BMP3", [](MagickLib::ImageInfo&, Magick::Image&) {}, m_strLastError);
}

std::string CImageKit::EncodeGif(const GifSaveOptions& options) const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "GIF",
                  [&](MagickLib::ImageInfo& info, Magick::Image& image) {
                      info.interlace = options.bInterlace ? MagickLib::LineInterlace : MagickLib::NoInterlace;
                      if (options.bTransparent) image.transparent(ColorFromRef(options.nBackColor));
                  },
                  m_strLastError);
}

std::string CImageKit::EncodeJpeg(const JpegSaveOptions& options) const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "JPEG",
                  [&](MagickLib::ImageInfo& info, Magick::Image& image) {
                      info.quality = static_cast<unsigned long>(std::clamp(options.nQuality, 0, 100));
                      image.quality(static_cast<unsigned>(info.quality));
                      info.interlace = options.bProgressive ? MagickLib::LineInterlace : MagickLib::NoInterlace;
                      info.sampling_factor = MagickLib::AllocateString(SamplingFactor(options.nSubSampling));
                  },
                  m_strLastError);
}

std::string CImageKit::EncodeTiff(TiffCompression compression) const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "TIFF",
                  [&](MagickLib::ImageInfo& info, Magick::Image& image) {
                      MagickLib::CompressionType type = MagickLib::NoCompression;
                      switch (compression) {
                          case TiffCompression::kNone: type = MagickLib::NoCompression; break;
                          // The TIFF writer has no run-length-only fax coding; the
                          // one-dimensional Group 3 coding is its nearest kin.
                          case TiffCompression::kCcittRle:
                          case TiffCompression::kGroup3OneD:
                              type = MagickLib::FaxCompression;
                              AddDefinition(info, "tiff:group-three-options=4");
                              break;
                          case TiffCompression::kGroup3TwoD:
                              type = MagickLib::FaxCompression;
                              AddDefinition(info, "tiff:group-three-options=5");
                              break;
                          case TiffCompression::kGroup4: type = MagickLib::Group4Compression; break;
                          case TiffCompression::kPackBits: type = MagickLib::RLECompression; break;
                          case TiffCompression::kLzw: type = MagickLib::LZWCompression; break;
                      }
                      if (type == MagickLib::FaxCompression || type == MagickLib::Group4Compression) {
                          // Fax codings hold black and white only.
                          image.type(MagickLib::BilevelType);
                      }
                      info.compression = type;
                      image.compressType(type);
                  },
                  m_strLastError);
}

std::string CImageKit::EncodePcx() const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "PCX", [](MagickLib::ImageInfo&, Magick::Image&) {}, m_strLastError);
}

std::string CImageKit::EncodePng(const PngSaveOptions& options) const {
    if (IsEmpty()) return {};
    return Encode(*m_pImpl->image, "PNG",
                  [&](MagickLib::ImageInfo& info, Magick::Image& image) {
                      info.interlace = options.bInterlace ? MagickLib::LineInterlace : MagickLib::NoInterlace;
                      image.interlaceType(options.bInterlace ? Magick::LineInterlace : Magick::NoInterlace);
                      if (options.bTransparent) image.transparent(ColorFromRef(options.nBackColor));
                  },
                  m_strLastError);
}

ImageSaveResult CImageKit::WriteEncoded(const CFilePath& path, const std::string& bytes) const {
    ImageSaveResult result;
    if (bytes.empty()) {
        result.strLibraryError = m_strLastError.empty() ? "no image" : m_strLastError;
        return result;
    }
    result.fileError = SaveFileAtomically(path, bytes);
    result.bWritten = !result.fileError.has_value();
    return result;
}

ImageSaveResult CImageKit::SaveBmp(const CFilePath& path) const { return WriteEncoded(path, EncodeBmp()); }

ImageSaveResult CImageKit::SaveGif(const CFilePath& path, const GifSaveOptions& options) const {
    return WriteEncoded(path, EncodeGif(options));
}

ImageSaveResult CImageKit::SaveJpeg(const CFilePath& path, const JpegSaveOptions& options) const {
    return WriteEncoded(path, EncodeJpeg(options));
}

ImageSaveResult CImageKit::SaveTiff(const CFilePath& path, TiffCompression compression) const {
    return WriteEncoded(path, EncodeTiff(compression));
}

ImageSaveResult CImageKit::SavePcx(const CFilePath& path) const { return WriteEncoded(path, EncodePcx()); }

ImageSaveResult CImageKit::SavePng(const CFilePath& path, const PngSaveOptions& options) const {
    return WriteEncoded(path, EncodePng(options));
}

}  // namespace kelmio
