#include "imaging/sane_page.h"

#include <algorithm>
#include <cstring>

#include "imaging/image_library.h"

namespace kelmio {
namespace {

// One sample of `depth` bits at sample index `index` of a line, as 8 bits.
std::uint8_t Sample(const std::uint8_t* line, int depth, std::size_t index) {
    switch (depth) {
        case 1: return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;  // 1 is black
        case 16: return line[index * 2 + 1];  // little-endian host: high byte second
        default: return line[index];
    }
}

// The frame format as the number the backend put there: a value outside
// the enumeration is read without ever holding it as one.
int FormatCode(const SANE_Parameters& parameters) {
    static_assert(sizeof parameters.format == sizeof(int));
    int code = 0;
    std::memcpy(&code, &parameters.format, sizeof code);
    return code;
}

// The channel a one-colour frame fills; -1 for grey and RGB; nullopt for a
// format this does not know.
std::optional<int> ChannelOf(int format) {
    switch (format) {
        case SANE_FRAME_GRAY:
        case SANE_FRAME_RGB: return -1;
        case SANE_FRAME_RED: return 0;
        case SANE_FRAME_GREEN: return 1;
        case SANE_FRAME_BLUE: return 2;
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<SaneFrameShape> CheckSaneFrame(const SANE_Parameters& parameters, std::size_t maxPageBytes,
                                             std::string& error) {
    const int format = FormatCode(parameters);
    const std::optional<int> only = ChannelOf(format);
    const int depth = parameters.depth;
    const bool colour = format == SANE_FRAME_RGB;
    const bool depthOk = depth == 1 || depth == 8 || depth == 16;
    const ImageLimits limits = DefaultImageLimits();
    if (!only || !depthOk || (depth == 1 && colour) || parameters.pixels_per_line <= 0 ||
        parameters.bytes_per_line <= 0) {
        error = "the scanner reported a page Kelmio cannot read";
        return std::nullopt;
    }
    SaneFrameShape shape;
    shape.width = static_cast<std::size_t>(parameters.pixels_per_line);
    shape.lineBytes = static_cast<std::size_t>(parameters.bytes_per_line);
    shape.depth = depth;
    shape.colour = colour;
    shape.only = *only;
    const std::size_t needed = (shape.width * (colour ? 3 : 1) * static_cast<std::size_t>(depth) + 7) / 8;
    if (shape.lineBytes < needed) {
        error = "the scanner reported a page Kelmio cannot read";
        return std::nullopt;
    }
    // As many lines as the page may have: the pixel limits, then the bytes.
    const std::size_t pixelLines = static_cast<std::size_t>(limits.nMaxPixels) / shape.width;
    const std::size_t maxLines = std::min({static_cast<std::size_t>(limits.nMaxHeight), pixelLines,
                                           maxPageBytes / shape.lineBytes});
    const bool tooLarge = shape.width > static_cast<std::size_t>(limits.nMaxWidth) || maxLines == 0 ||
                          (parameters.lines > 0 && static_cast<std::size_t>(parameters.lines) > maxLines);
    if (tooLarge) {
        error = "the page is larger than Kelmio accepts";
        return std::nullopt;
    }
    shape.knownLines = parameters.lines > 0;
    shape.maxBytes = shape.lineBytes * (shape.knownLines ? static_cast<std::size_t>(parameters.lines) : maxLines);
    return shape;
}

bool AddSaneFrame(const SaneFrameShape& shape, const std::vector<std::uint8_t>& frame, RgbPixels& page,
                  std::string& error) {
    const std::size_t lines = frame.size() / shape.lineBytes;
    if (lines == 0) {
        error = "the scanner sent no lines";
        return false;
    }
    if (page.bytes.empty()) {
        page.cx = static_cast<int>(shape.width);
        page.cy = static_cast<int>(lines);
        page.bytes.assign(shape.width * lines * 3, 0);
    } else if (static_cast<std::size_t>(page.cx) != shape.width || static_cast<std::size_t>(page.cy) != lines) {
        error = "the colour frames of the page differ in size";
        return false;
    }
    for (std::size_t y = 0; y < lines; ++y) {
        const std::uint8_t* line = frame.data() + y * shape.lineBytes;
        for (std::size_t x = 0; x < shape.width; ++x) {
            std::uint8_t* pixel = page.bytes.data() + (y * shape.width + x) * 3;
            if (shape.colour) {
                for (std::size_t c = 0; c < 3; ++c) pixel[c] = Sample(line, shape.depth, x * 3 + c);
            } else if (shape.only >= 0) {
                // A frame of one colour fills its channel only.
                pixel[shape.only] = Sample(line, shape.depth, x);
            } else {
                pixel[0] = pixel[1] = pixel[2] = Sample(line, shape.depth, x);
            }
        }
    }
    return true;
}

}  // namespace kelmio
