#pragma once
// Images for the imaging tests, made on the spot: plain pictures through
// the library, and hostile files byte by byte.

#include <cstdint>
#include <string>

#include "imaging/image_kit.h"

namespace kelmio::test {

// A w x h picture whose pixel (x, y) is (x*7, y*5, (x+y)*3) modulo 256.
RgbPixels GradientPixels(int w, int h);
CImageKit GradientImage(int w, int h);

// A PNG file whose header claims `width` x `height` pixels, with `idat` as
// its compressed data (empty: one small block that ends early).
std::string PngWithHeader(std::uint32_t width, std::uint32_t height, const std::string& idat = {});
// A grey PNG of w x h pixels, all zero: tiny on disk, huge once decoded.
std::string ZeroPng(std::uint32_t width, std::uint32_t height);
// A little-endian TIFF header whose first directory claims 65535 entries
// and lies past the end of the file.
std::string TiffWithBadDirectory();

// The Compression tag (259) of a little-endian TIFF's first directory; -1
// when there is none.
int TiffCompressionTag(const std::string& tiff);

}  // namespace kelmio::test
