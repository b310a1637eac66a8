// A toy image plug-in for the plug-in host's tests. Its format: "TOYP", the
// width and height as little-endian 16-bit numbers, then R, G, B bytes row
// by row. A file may carry a 128-byte header in front of that.
//
// Variants, chosen when built: TOY_KIND sets the interface version string;
// TOY_PATTERN its file pattern (TOY_TWO_PATTERNS: "*.mag;*.mki"); TOY_LIAR answers with a bitmap larger
// than the blocks it returns;
// TOY_NO_INFO leaves out GetPluginInfo.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imaging/susie_api.h"

#ifndef TOY_KIND
#define TOY_KIND "00IN"
#endif
#if defined(TOY_TWO_PATTERNS)
#define TOY_PATTERN "*.mag;*.mki"
#elif !defined(TOY_PATTERN)
#define TOY_PATTERN "*.toy"
#endif

namespace {

int g_getPictureCalls = 0;

bool ReadToy(const char* path, long offset, int& width, int& height, unsigned char** rgb) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char header[8];
    bool ok = std::fseek(file, offset, SEEK_SET) == 0 && std::fread(header, 1, 8, file) == 8 &&
              std::memcmp(header, "TOYP", 4) == 0;
    if (ok) {
        width = header[4] | header[5] << 8;
        height = header[6] | header[7] << 8;
        ok = width > 0 && height > 0;
    }
    if (ok && rgb != nullptr) {
        const std::size_t size = static_cast<std::size_t>(width) * height * 3;
        *rgb = static_cast<unsigned char*>(std::malloc(size));
        ok = *rgb != nullptr && std::fread(*rgb, 1, size, file) == size;
        if (!ok) std::free(*rgb);
    }
    std::fclose(file);
    return ok;
}

[[maybe_unused]] void Copy(char* buf, int buflen, const char* text, int& length) {
    length = static_cast<int>(std::strlen(text));
    std::snprintf(buf, static_cast<std::size_t>(buflen), "%s", text);
}

}  // namespace

extern "C" {

#ifndef TOY_NO_INFO
__attribute__((visibility("default"))) int GetPluginInfo(int infono, char* buf, int buflen) {
    int length = 0;
    switch (infono) {
        case 0: Copy(buf, buflen, TOY_KIND, length); return length;
        case 1: Copy(buf, buflen, "Toy picture plug-in", length); return length;
        case 2: Copy(buf, buflen, TOY_PATTERN, length); return length;
        case 3: Copy(buf, buflen, "Toy picture", length); return length;
        default: return 0;
    }
}
#endif

__attribute__((visibility("default"))) int IsSupported(const char*, void* dw) {
    const auto* head = static_cast<const unsigned char*>(dw);
    return std::memcmp(head, "TOYP", 4) == 0 || std::memcmp(head + 128, "TOYP", 4) == 0 ? 1 : 0;
}

__attribute__((visibility("default"))) int GetPictureInfo(const char* buf, long len, unsigned int,
                                                          SusiePictureInfo* info) {
    int width = 0;
    int height = 0;
    if (!ReadToy(buf, len, width, height, nullptr)) return 2;
    std::memset(info, 0, sizeof *info);
    info->width = width;
    info->height = height;
    info->colorDepth = 24;
    return 0;
}

__attribute__((visibility("default"))) int GetPicture(const char* buf, long len, unsigned int, void** pHBInfo,
                                                      void** pHBm, SusieProgress, long) {
    ++g_getPictureCalls;
    int width = 0;
    int height = 0;
    unsigned char* rgb = nullptr;
    if (!ReadToy(buf, len, width, height, &rgb)) return 2;  // not this format here
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    auto* header = static_cast<SusieBitmapInfoHeader*>(std::calloc(1, sizeof(SusieBitmapInfoHeader)));
    auto* bits = static_cast<unsigned char*>(std::calloc(stride, static_cast<std::size_t>(height)));
    header->biSize = sizeof(SusieBitmapInfoHeader);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
#ifdef TOY_LIAR
    header->biWidth = width * 50;  // far more than the pixel block holds
#endif
    for (int y = 0; y < height; ++y) {
        unsigned char* row = bits + static_cast<std::size_t>(height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < width; ++x) {
            const unsigned char* in = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
            row[x * 3] = in[2];
            row[x * 3 + 1] = in[1];
            row[x * 3 + 2] = in[0];
        }
    }
    std::free(rgb);
    *pHBInfo = header;
    *pHBm = bits;
    return 0;
}

__attribute__((visibility("default"))) int ToyGetPictureCalls() { return g_getPictureCalls; }
}
