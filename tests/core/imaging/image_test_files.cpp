#include "core/imaging/image_test_files.h"

#include <zlib.h>

namespace kelmio::test {
namespace {

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    PutBig32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                   static_cast<uInt>(body.size()))));
}

std::string Png(std::uint32_t width, std::uint32_t height, char colourType, const std::string& idat) {
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBig32(header, width);
    PutBig32(header, height);
    header += '\x08';        // bits per sample
    header += colourType;
    header += std::string(3, '\0');
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", idat);
    PutChunk(out, "IEND", "");
    return out;
}


std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

}  // namespace

RgbPixels GradientPixels(int w, int h) {
    RgbPixels pixels;
    pixels.cx = w;
    pixels.cy = h;
    pixels.bytes.reserve(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels.bytes.push_back(static_cast<std::uint8_t>(x * 7));
            pixels.bytes.push_back(static_cast<std::uint8_t>(y * 5));
            pixels.bytes.push_back(static_cast<std::uint8_t>((x + y) * 3));
        }
    }
    return pixels;
}

CImageKit GradientImage(int w, int h) {
    CImageKit image;
    image.LoadRgb(GradientPixels(w, h));
    return image;
}

std::string PngWithHeader(std::uint32_t width, std::uint32_t height, const std::string& idat) {
    return Png(width, height, '\x02', idat.empty() ? std::string("\x78\x9c\x63\x00\x00", 5) : idat);
}

std::string ZeroPng(std::uint32_t width, std::uint32_t height) {
    // Each row: filter byte 0 and `width` zero samples, streamed through
    // deflate so the file stays small however large the picture.
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const std::string row(width + 1, '\0');
    std::string compressed;
    char buffer[65536];
    for (std::uint32_t y = 0; y < height; ++y) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.data()));
        stream.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, flush);
            compressed.append(buffer, sizeof buffer - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return Png(width, height, '\x00', compressed);
}

std::string TiffWithBadDirectory() {
    std::string out("II*\0", 4);
    out += std::string("\x08\x00\x00\x00", 4);  // first directory at 8
    out += std::string("\xFF\xFF", 2);          // 65535 entries, far past the end
    out += std::string("\x00\x01\x03\x00", 4);  // the start of one entry, cut off
    return out;
}

// The Compression tag (259) of a little-endian TIFF's first directory.
int TiffCompressionTag(const std::string& tiff) {
    if (tiff.substr(0, 2) != "II") return -1;
    const std::uint32_t directory = Little(tiff, 4, 4);
    const std::uint32_t count = Little(tiff, directory, 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + i * 12;
        if (Little(tiff, entry, 2) == 259) return static_cast<int>(Little(tiff, entry + 8, 2));
    }
    return -1;
}

}  // namespace kelmio::test
