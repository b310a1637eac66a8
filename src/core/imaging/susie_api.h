#pragma once
// The entry points a plug-in module exports, with the types this platform
// gives them. Names, argument order and result codes are the published
// plug-in interface's; sizes are fixed-width so host and plug-in agree.
//
// Memory: GetPicture hands back two blocks allocated with malloc (the
// bitmap information, a BITMAPINFOHEADER with its colour table, and the
// bottom-up pixel rows padded to four bytes); the host frees them with free.

#include <cstdint>

extern "C" {

#pragma pack(push, 1)
struct SusiePictureInfo {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t x_density;
    std::uint16_t y_density;
    std::int16_t colorDepth;
    void* hInfo;  // text information, malloc'ed by the plug-in, or null
};

struct SusieBitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
#pragma pack(pop)

using SusieProgress = int (*)(int nNum, int nDenom, long lData);

using GetPluginInfoFn = int (*)(int infono, char* buf, int buflen);
using IsSupportedFn = int (*)(const char* filename, void* dw);
using GetPictureInfoFn = int (*)(const char* buf, long len, unsigned int flag, SusiePictureInfo* lpInfo);
using GetPictureFn = int (*)(const char* buf, long len, unsigned int flag, void** pHBInfo, void** pHBm,
                             SusieProgress lpPrgressCallback, long lData);
using GetPreviewFn = GetPictureFn;
using GetArchiveInfoFn = int (*)(const char* buf, long len, unsigned int flag, void** lphInf);
using GetFileInfoFn = int (*)(const char* buf, long len, const char* filename, unsigned int flag, void* lpInfo);
using GetFileFn = int (*)(const char* src, long len, char* dest, unsigned int flag, SusieProgress prgressCallback,
                          long lData);
using ConfigurationDlgFn = int (*)(void* parent, int fnc);
}
