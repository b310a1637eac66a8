#pragma once
// The library image behind CImageKit, for the imaging code's own files.

#include <Magick++.h>
#include <cstdint>
#include <optional>

#include "imaging/image_kit.h"

namespace kelmio {

struct CImageKit::Impl {
    std::optional<Magick::Image> image;
};

// 0x00BBGGRR as the library's colour.
Magick::Color ColorFromRef(std::uint32_t colorRef);

}  // namespace kelmio
