#include "imaging/image_kit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <new>

#include "imaging/image_kit_impl.h"
#include "imaging/image_library.h"
#include "imaging/pixel_ops.h"
#include "platform/file_io.h"

namespace kelmio {
namespace {

// Runs a library operation; a failure the library reports, or running out of
// memory, becomes `lastError` and false, and the image stays as it was.
template <typename Operation>
bool Guarded(std::string& lastError, Operation&& operation) {
    try {
        return operation();
    } catch (const Magick::Exception& error) {
        lastError = error.what();
    } catch (const std::bad_alloc&) {
        lastError = "out of memory";
    }
    return false;
}

// Bytes the library needs to recognise a format.
constexpr std::size_t kMagicBytes = 2048;

// The library names variants of one format apart ("BMP3", "PNG8", "PTIF");
// the decoder is the family's.
std::string FormatFamily(const std::string& name) {
    const auto startsWith = [&](std::string_view prefix) { return name.rfind(prefix, 0) == 0; };
    if (startsWith("BMP")) return "BMP";
    if (startsWith("PNG")) return "PNG";
    if (startsWith("TIF") || name == "PTIF") return "TIFF";
    if (name == "PBM" || name == "PGM" || name == "PPM" || name == "PAM") return "PNM";
    return name;
}

std::optional<std::string> DetectFormat(std::string_view bytes) {
    const std::size_t length = std::min(bytes.size(), kMagicBytes);
    const char* name = MagickLib::GetImageMagick(reinterpret_cast<const unsigned char*>(bytes.data()), length);
    if (name == nullptr) return std::nullopt;
    const std::string format = FormatFamily(name);
    for (const char* allowed : kImageReadFormats) {
        if (format == allowed) return format;
    }
    return std::nullopt;
}

int BitCountOf(const Magick::Image& image) {
    if (image.classType() == MagickLib::PseudoClass) {
        const unsigned colours = image.colorMapSize();
        if (colours <= 2) return 1;
        if (colours <= 16) return 4;
        return 8;
    }
    return image.matte() ? 32 : 24;
}

// 8-bit pictures without transparency are turned, resized and sharpened by
// the faster 8-bit operations; deeper or transparent ones by the library.
bool UsesPixelOps(const Magick::Image& image) { return image.depth() <= 8 && !image.matte(); }

// The 8-bit operations allocate outside the library, so they keep to its
// pixel limit themselves.
bool WithinPixelLimit(ImageSize size) {
    return std::int64_t{size.cx} * size.cy <= DefaultImageLimits().nMaxPixels;
}

Magick::Image ImageFromRgb(const RgbPixels& pixels) {
    Magick::Image image(static_cast<unsigned>(pixels.cx), static_cast<unsigned>(pixels.cy), "RGB", Magick::CharPixel,
                        pixels.bytes.data());
    image.depth(8);
    return image;
}

Magick::Image WebSafePalette() {
    Magick::Image palette(Magick::Geometry(216, 1), Magick::Color("white"));
    palette.modifyImage();
    int x = 0;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.pixelColor(x++, 0, Magick::ColorRGB(r / 5.0, g / 5.0, b / 5.0));
            }
        }
    }
    return palette;
}

}  // namespace

Magick::Color ColorFromRef(std::uint32_t colorRef) {
    const double red = static_cast<double>(colorRef & 0xFF) / 255.0;
    const double green = static_cast<double>((colorRef >> 8) & 0xFF) / 255.0;
    const double blue = static_cast<double>((colorRef >> 16) & 0xFF) / 255.0;
    return Magick::ColorRGB(red, green, blue);
}

CImageKit::CImageKit() : m_pImpl(std::make_unique<Impl>()) { EnsureImageLibrary(); }
CImageKit::~CImageKit() = default;

CImageKit::CImageKit(const CImageKit& other)
    : m_pImpl(std::make_unique<Impl>(*other.m_pImpl)),
      m_nBitCount(other.m_nBitCount),
      m_bVector(other.m_bVector) {}

CImageKit& CImageKit::operator=(const CImageKit& other) {
    if (this != &other) {
        *m_pImpl = *other.m_pImpl;
        m_nBitCount = other.m_nBitCount;
        m_bVector = other.m_bVector;
    }
    return *this;
}

CImageKit::CImageKit(CImageKit&& other) noexcept
    : m_pImpl(std::make_unique<Impl>()), m_nBitCount(other.m_nBitCount), m_bVector(other.m_bVector) {
    std::swap(m_pImpl, other.m_pImpl);
    other.m_nBitCount = 0;
    other.m_bVector = false;
}

CImageKit& CImageKit::operator=(CImageKit&& other) noexcept {
    std::swap(m_pImpl, other.m_pImpl);
    std::swap(m_nBitCount, other.m_nBitCount);
    std::swap(m_bVector, other.m_bVector);
    return *this;
}

bool CImageKit::LoadFile(const CFilePath& path) {
    FileReadResult file = ReadWholeFile(path);
    if (!file.ok()) {
        m_strLastError = "cannot read the file";
        return false;
    }
    return LoadBlob(file.bytes);
}

bool CImageKit::LoadBlob(std::string_view bytes) {
    if (bytes.empty()) {
        m_strLastError = "empty file";
        return false;
    }
    const std::optional<std::string> format = DetectFormat(bytes);
    if (!format) {
        m_strLastError = "unknown image format";
        return false;
    }
    return Guarded(m_strLastError, [&] {
        Magick::Image image;
        image.quiet(true);  // a damaged but readable file still shows
        image.magick(*format);
        image.read(Magick::Blob(bytes.data(), bytes.size()));
        if (image.columns() == 0 || image.rows() == 0) {
            m_strLastError = "image without pixels";
            return false;
        }
        image.page(Magick::Geometry(0, 0));
        // Print-ready JPEG and TIFF files hold ink (CMYK), not light: the
        // pixels are turned into colours before anything reads them as RGB.
        if (image.colorSpace() == MagickLib::CMYKColorspace) image.colorSpace(MagickLib::RGBColorspace);
        m_bVector = *format == "WMF";
        m_nBitCount = BitCountOf(image);
        m_pImpl->image = std::move(image);
        return true;
    });
}

bool CImageKit::LoadRgb(const RgbPixels& pixels) {
    const std::size_t expected = static_cast<std::size_t>(pixels.cx) * static_cast<std::size_t>(pixels.cy) * 3;
    if (pixels.cx <= 0 || pixels.cy <= 0 || pixels.bytes.size() != expected) {
        m_strLastError = "pixel buffer does not match its size";
        return false;
    }
    return Guarded(m_strLastError, [&] {
        m_pImpl->image = ImageFromRgb(pixels);
        m_nBitCount = 24;
        m_bVector = false;
        return true;
    });
}

bool CImageKit::IsEmpty() const { return !m_pImpl->image.has_value(); }

void CImageKit::Free() {
    m_pImpl->image.reset();
    m_nBitCount = 0;
    m_bVector = false;
}

ImageSize CImageKit::GetSize() const {
    if (IsEmpty()) return {};
    return ImageSize{static_cast<int>(m_pImpl->image->columns()), static_cast<int>(m_pImpl->image->rows())};
}

int CImageKit::GetBitCount() const { return IsEmpty() ? 0 : m_nBitCount; }

bool CImageKit::IsToWindowImage() const { return !IsEmpty() && m_bVector; }

std::string CImageKit::GetFormat() const { return IsEmpty() ? std::string() : m_pImpl->image->magick(); }

bool CImageKit::ConvertColor(int bits, int palette, bool dither) {
    if (IsEmpty() || (bits != 8 && bits != 24 && bits != 32)) {
        m_strLastError = "no image or unsupported colour depth";
        return false;
    }
    return Guarded(m_strLastError, [&] {
        Magick::Image image = *m_pImpl->image;
        if (bits == 8) {
            image.quantizeDither(dither);
            if (palette == 0) {
                image.quantizeColors(256);
                image.quantize();
            } else {
                image.map(WebSafePalette(), dither);
            }
        } else {
            image.classType(MagickLib::DirectClass);
            if (bits == 24) image.matte(false);
        }
        m_pImpl->image = std::move(image);
        m_nBitCount = bits;
        return true;
    });
}

bool CImageKit::Rotate(int angle, std::uint32_t background) {
    if (IsEmpty()) return false;
    return Guarded(m_strLastError, [&] {
        if (angle % 9000 != 0 && UsesPixelOps(*m_pImpl->image)) {
            if (!WithinPixelLimit(RotatedSize(GetSize(), static_cast<double>(angle) / 100.0))) {
                m_strLastError = "the turned image would exceed the pixel limit";
                return false;
            }
            const Rgb8 fill{static_cast<std::uint8_t>(background & 0xFF), static_cast<std::uint8_t>((background >> 8) & 0xFF),
                            static_cast<std::uint8_t>((background >> 16) & 0xFF)};
            const RgbPixels turned = RotateRgb(GetRgb(), static_cast<double>(angle) / 100.0, fill);
            if (turned.bytes.empty()) throw std::bad_alloc();
            m_pImpl->image = ImageFromRgb(turned);
            return true;
        }
        Magick::Image image = *m_pImpl->image;
        image.backgroundColor(ColorFromRef(background));
        // The library turns clockwise for positive angles; ours turn left.
        image.rotate(-static_cast<double>(angle) / 100.0);
        image.page(Magick::Geometry(0, 0));
        m_pImpl->image = std::move(image);
        return true;
    });
}

bool CImageKit::Flip(bool vertical, bool horizontal) {
    if (IsEmpty()) return false;
    return Guarded(m_strLastError, [&] {
        Magick::Image image = *m_pImpl->image;
        if (vertical) image.flip();
        if (horizontal) image.flop();
        m_pImpl->image = std::move(image);
        return true;
    });
}

bool CImageKit::Resize(int cx, int cy) {
    if (IsEmpty() || cx <= 0 || cy <= 0) return false;
    if (!WithinPixelLimit(ImageSize{cx, cy})) {
        m_strLastError = "the resized image would exceed the pixel limit";
        return false;
    }
    return Guarded(m_strLastError, [&] {
        if (UsesPixelOps(*m_pImpl->image)) {
            const RgbPixels resized = ResizeRgb(GetRgb(), cx, cy);
            if (resized.bytes.empty()) throw std::bad_alloc();
            m_pImpl->image = ImageFromRgb(resized);
            return true;
        }
        Magick::Image image = *m_pImpl->image;
        Magick::Geometry size(static_cast<unsigned>(cx), static_cast<unsigned>(cy));
        size.aspect(true);  // exactly this size, as the layout computed it
        image.filterType(Magick::TriangleFilter);
        image.resize(size);
        m_pImpl->image = std::move(image);
        return true;
    });
}

bool CImageKit::Sharpen(int strength, int left, int top, int right, int bottom) {
    if (IsEmpty()) return false;
    const ImageSize size = GetSize();
    left = std::clamp(left, 0, size.cx);
    right = std::clamp(right, 0, size.cx);
    top = std::clamp(top, 0, size.cy);
    bottom = std::clamp(bottom, 0, size.cy);
    if (left >= right || top >= bottom) {
        m_strLastError = "empty rectangle";
        return false;
    }
    const double sigma = SharpenSigma(strength);
    return Guarded(m_strLastError, [&] {
        if (UsesPixelOps(*m_pImpl->image)) {
            RgbPixels part = GetRgb(left, top, right - left, bottom - top);
            if (part.bytes.empty()) throw std::bad_alloc();
            SharpenRgb(part, sigma);
            if (part.cx == size.cx && part.cy == size.cy) {
                m_pImpl->image = ImageFromRgb(part);
            } else {
                Magick::Image image = *m_pImpl->image;
                image.composite(ImageFromRgb(part), left, top, Magick::CopyCompositeOp);
                m_pImpl->image = std::move(image);
            }
            return true;
        }
        Magick::Image image = *m_pImpl->image;
        if (left == 0 && top == 0 && right == size.cx && bottom == size.cy) {
            image.sharpen(0.0, sigma);
        } else {
            Magick::Image part = image;
            part.crop(Magick::Geometry(static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top),
                                       left, top));
            part.sharpen(0.0, sigma);
            image.composite(part, left, top, Magick::CopyCompositeOp);
        }
        m_pImpl->image = std::move(image);
        return true;
    });
}

double CImageKit::SharpenSigma(int strength) {
    // Strength 10 is a moderate sharpening of about one pixel's radius.
    return std::clamp(strength, 1, 100) / 10.0;
}

RgbPixels CImageKit::GetResizedRgb(int cx, int cy) const {
    if (IsEmpty()) return {};
    if (UsesPixelOps(*m_pImpl->image)) {
        if (!WithinPixelLimit(ImageSize{cx, cy})) return {};
        return ResizeRgb(GetRgb(), cx, cy);
    }
    CImageKit copy(*this);
    if (!copy.Resize(cx, cy)) {
        m_strLastError = copy.LastError();
        return {};
    }
    return copy.GetRgb();
}

RgbPixels CImageKit::GetRgb() const {
    const ImageSize size = GetSize();
    return GetRgb(0, 0, size.cx, size.cy);
}

RgbPixels CImageKit::GetRgb(int x, int y, int cx, int cy) const {
    RgbPixels pixels;
    if (IsEmpty()) return pixels;
    const ImageSize size = GetSize();
    const int left = std::clamp(x, 0, size.cx);
    const int top = std::clamp(y, 0, size.cy);
    const int right = std::clamp(x + std::max(cx, 0), left, size.cx);
    const int bottom = std::clamp(y + std::max(cy, 0), top, size.cy);
    if (left == right || top == bottom) return pixels;
    const std::size_t count = static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bottom - top);
    try {
        Magick::Image image = *m_pImpl->image;  // shares the pixels; reading needs a non-const handle
        if (image.matte()) {
            // Transparent parts are shown over white, as the window is.
            std::vector<std::uint8_t> rgba(count * 4);
            image.write(left, top, static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top),
                        "RGBA", Magick::CharPixel, rgba.data());
            pixels.bytes.resize(count * 3);
            for (std::size_t i = 0; i < count; ++i) {
                const unsigned alpha = rgba[i * 4 + 3];
                for (int c = 0; c < 3; ++c) {
                    pixels.bytes[i * 3 + c] =
                        static_cast<std::uint8_t>((rgba[i * 4 + c] * alpha + 255 * (255 - alpha) + 127) / 255);
                }
            }
        } else {
            pixels.bytes.resize(count * 3);
            image.write(left, top, static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top),
                        "RGB", Magick::CharPixel, pixels.bytes.data());
        }
        pixels.cx = right - left;
        pixels.cy = bottom - top;
    } catch (const Magick::Exception& error) {
        m_strLastError = error.what();
        pixels = RgbPixels{};
    } catch (const std::bad_alloc&) {
        m_strLastError = "out of memory";
        pixels = RgbPixels{};
    }
    return pixels;
}

}  // namespace kelmio
