#pragma once
// A scanned page as SANE delivers it: one frame (grey or RGB), or one frame
// per colour. What a frame announces (format, depth, pixels and bytes per
// line, lines) is checked against the image limits before anything is
// allocated or read for it, and a page is never more than one frame per
// colour: a backend that never marks its last frame is stopped.

#include <sane/sane.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/image_kit.h"

namespace kelmio {

// The most frames one page has: red, green and blue one by one.
inline constexpr int kMaxSaneFrames = 3;

// One frame's layout, as announced and found acceptable.
struct SaneFrameShape {
    std::size_t width = 0;      // pixels per line
    std::size_t lineBytes = 0;  // bytes per line, padding included
    std::size_t maxBytes = 0;   // the most the frame may send
    bool knownLines = false;    // maxBytes is the announced size, not only a bound
    int depth = 8;              // bits per sample: 1, 8 or 16
    bool colour = false;        // three samples per pixel
    int only = -1;              // 0, 1, 2: the one channel a colour's frame fills
};

// The frame's layout, or nullopt with `error` set when it is one Kelmio
// cannot read or would make a page larger than `maxPageBytes` bytes or the
// image limits allow.
std::optional<SaneFrameShape> CheckSaneFrame(const SANE_Parameters& parameters, std::size_t maxPageBytes,
                                             std::string& error);

// Puts a frame's bytes into the page (the first frame sizes it; a later one
// must match). False with `error` set when it does not fit.
bool AddSaneFrame(const SaneFrameShape& shape, const std::vector<std::uint8_t>& frame, RgbPixels& page,
                  std::string& error);

}  // namespace kelmio
