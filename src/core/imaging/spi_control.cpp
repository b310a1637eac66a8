#include "imaging/spi_control.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "imaging/image_library.h"
#include "imaging/plugin_trust.h"
#include "platform/file_io.h"
#include "platform/settings.h"
#include "text/compare.h"

namespace kelmio {
namespace {

constexpr int kInfoBuffer = 256;
constexpr int kMaxFormats = 256;  // a plug-in that never stops answering
constexpr std::size_t kHeadBytes = 2048;
constexpr long kHeaderOffset = 128;

// A text a plug-in wrote into `buffer`, cut at its end whatever it claims.
std::string InfoText(GetPluginInfoFn info, int number, int size, int& result) {
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    result = info(number, buffer.data(), size);
    buffer[static_cast<std::size_t>(size)] = '\0';
    return std::string(buffer.data());
}

template <typename Fn>
Fn Entry(const CModule& module, const char* name) {
    return reinterpret_cast<Fn>(module.Symbol(name));
}

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};
using Block = std::unique_ptr<void, FreeDeleter>;

// A block a plug-in returned, as far as it was really allocated.
std::string_view BlockBytes(const Block& block) {
    if (!block) return {};
    return std::string_view(static_cast<const char*>(block.get()), ::malloc_usable_size(block.get()));
}

std::string ExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(dot));
}

}  // namespace

std::optional<RgbPixels> PixelsFromBitmap(std::string_view info, std::string_view bits) {
    const std::size_t infoSize = info.size();
    const std::size_t bitsSize = bits.size();
    if (infoSize < sizeof(SusieBitmapInfoHeader)) return std::nullopt;
    SusieBitmapInfoHeader header;
    std::memcpy(&header, info.data(), sizeof header);
    const int bitCount = header.biBitCount;
    const std::int64_t width = header.biWidth;
    const std::int64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    const ImageLimits limits = DefaultImageLimits();
    if (header.biSize < sizeof header || header.biSize > infoSize || header.biCompression != 0 ||
        header.biPlanes != 1 || width <= 0 || height <= 0 || width > limits.nMaxWidth || height > limits.nMaxHeight ||
        width * height > limits.nMaxPixels) {
        return std::nullopt;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return std::nullopt;
    std::size_t colours = 0;
    if (bitCount <= 8) {
        colours = header.biClrUsed != 0 ? header.biClrUsed : (std::size_t{1} << bitCount);
        if (colours > (std::size_t{1} << bitCount)) return std::nullopt;
    }
    if (header.biSize + colours * 4 > infoSize) return std::nullopt;
    const std::size_t stride = static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
    if (stride * static_cast<std::size_t>(height) > bitsSize) return std::nullopt;

    const auto* table = reinterpret_cast<const std::uint8_t*>(info.data()) + header.biSize;  // B, G, R, 0
    const auto* data = reinterpret_cast<const std::uint8_t*>(bits.data());
    RgbPixels pixels;
    pixels.cx = static_cast<int>(width);
    pixels.cy = static_cast<int>(height);
    pixels.bytes.resize(static_cast<std::size_t>(width * height) * 3);
    for (std::int64_t y = 0; y < height; ++y) {
        // Rows run bottom-up unless the height is negative.
        const std::int64_t row = header.biHeight < 0 ? y : height - 1 - y;
        const std::uint8_t* in = data + static_cast<std::size_t>(row) * stride;
        std::uint8_t* out = pixels.bytes.data() + static_cast<std::size_t>(y * width) * 3;
        for (std::int64_t x = 0; x < width; ++x, out += 3) {
            if (bitCount >= 24) {
                const std::uint8_t* p = in + x * (bitCount / 8);
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitCount);
            const unsigned byte = in[bit / 8];
            const unsigned index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
            if (index >= colours) return std::nullopt;
            out[0] = table[index * 4 + 2];
            out[1] = table[index * 4 + 1];
            out[2] = table[index * 4];
        }
    }
    return pixels;
}

int SusieKindFromVersion(std::string_view version) {
    if (version.size() <= 3 || version.substr(0, 2) != "00") return 0;
    const std::string_view code = version.substr(2, 2);
    static constexpr std::array<std::pair<std::string_view, int>, 8> kKinds{{
        {"IN", 1}, {"IM", 129}, {"AN", 2}, {"AM", 130}, {"XN", 4}, {"XM", 132}, {"CN", 16}, {"EN", 32},
    }};
    for (const auto& [text, kind] : kKinds) {
        if (code == text) return kind;
    }
    return 0;
}

bool CSPICore::Load(CModuleLoader& loader, std::string_view nativePath) {
    Unload();
    m_hModule = loader.Load(nativePath);
    if (!m_hModule) return false;
    m_strPath = m_hModule->Path();
    m_pGetPluginInfo = Entry<GetPluginInfoFn>(*m_hModule, "GetPluginInfo");
    if (m_pGetPluginInfo == nullptr) {
        Unload();
        return false;
    }
    int result = 0;
    m_nKind = SusieKindFromVersion(InfoText(m_pGetPluginInfo, 0, 9, result));
    m_strName = std::filesystem::path(m_strPath).filename().string();
    m_pIsSupported = Entry<IsSupportedFn>(*m_hModule, "IsSupported");
    m_pGetPictureInfo = Entry<GetPictureInfoFn>(*m_hModule, "GetPictureInfo");
    m_pGetPicture = Entry<GetPictureFn>(*m_hModule, "GetPicture");
    m_pGetPreview = Entry<GetPreviewFn>(*m_hModule, "GetPreview");
    m_pGetArchiveInfo = Entry<GetArchiveInfoFn>(*m_hModule, "GetArchiveInfo");
    m_pGetFileInfo = Entry<GetFileInfoFn>(*m_hModule, "GetFileInfo");
    m_pGetFile = Entry<GetFileFn>(*m_hModule, "GetFile");
    m_pConfigurationDlg = Entry<ConfigurationDlgFn>(*m_hModule, "ConfigurationDlg");
    int count = 0;
    while (count < kMaxFormats) {
        InfoText(m_pGetPluginInfo, 2 + 2 * count, kInfoBuffer, result);
        if (result == 0) break;
        ++count;
    }
    for (int k = 0; k < count; ++k) {
        m_aPatterns.push_back(InfoText(m_pGetPluginInfo, 2 + 2 * k, kInfoBuffer, result));
        m_aDescriptions.push_back(InfoText(m_pGetPluginInfo, 3 + 2 * k, kInfoBuffer, result));
    }
    m_nFormats = count;
    return true;
}

void CSPICore::Unload() { *this = CSPICore{}; }

CSPIControl::CSPIControl(std::unique_ptr<CModuleLoader> loader, CFilePath programFolder)
    : m_pLoader(std::move(loader)), m_programFolder(std::move(programFolder)) {}

int CSPIControl::LoadPlugins(std::string_view folder) {
    // A module runs as us: only from a folder no one else can change.
    const CFilePath where = PluginFolder(CFilePath(folder), m_programFolder);
    const std::optional<std::string> directory = TrustedPluginFolder(where.Native());
    if (!directory) return 0;
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(*directory, error)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file(error) || !EqualsNoCaseMb(extension, ".spi")) continue;
        if (std::optional<std::string> file = TrustedPluginFile(entry.path().string())) files.push_back(std::move(*file));
    }
    // Directory order differs between file systems; name order does not.
    std::sort(files.begin(), files.end());
    int added = 0;
    for (const std::string& file : files) {
        CSPICore core;
        if (!core.Load(*m_pLoader, file)) continue;
        const int kept = core.m_nKind & m_nKindMask;
        if (kept == 0 || kept == 128) continue;  // the element unloads itself
        m_arr.push_back(std::move(core));
        ++added;
    }
    return added;
}

int CSPIControl::CountFormats() const {
    int count = 0;
    for (const CSPICore& core : m_arr) {
        for (const std::string& description : core.m_aDescriptions) {
            if (!description.empty()) ++count;
        }
    }
    return count;
}

bool CSPIControl::IsSupportedExtension(std::string_view ext) const {
    const std::string pattern = "*" + std::string(ext);
    for (const CSPICore& core : m_arr) {
        for (const std::string& candidate : core.m_aPatterns) {
            if (EqualsNoCaseMb(candidate, pattern)) return true;
        }
    }
    return false;
}

int CSPIControl::LoadPicture(const CFilePath& path, RgbPixels& pixels) {
    // Plug-ins open the file themselves, by the file system's own name.
    const std::string& native = path.Native();
    std::array<char, kHeadBytes> head{};
    {
        std::ifstream file(native, std::ios::binary);
        if (!file) return kSusieReadError;
        file.read(head.data(), head.size());
        if (file.bad()) return kSusieReadError;
    }
    for (std::size_t index = 0; index < m_arr.size(); ++index) {
        const CSPICore& core = m_arr[index];
        if (core.m_pIsSupported == nullptr || core.m_pGetPicture == nullptr) continue;
        if (core.m_pIsSupported(native.c_str(), head.data()) != 1) continue;
        for (const long offset : {0L, kHeaderOffset}) {
            void* info = nullptr;
            void* bits = nullptr;
            const int result = core.m_pGetPicture(native.c_str(), offset, 0, &info, &bits, nullptr, 0);
            const Block infoBlock(info);
            const Block bitsBlock(bits);
            if (result == 0) {
                std::optional<RgbPixels> decoded = PixelsFromBitmap(BlockBytes(infoBlock), BlockBytes(bitsBlock));
                if (!decoded) break;  // nonsense from this plug-in: try the next one
                if (core.m_pGetPictureInfo != nullptr) {
                    SusiePictureInfo picture{};
                    if (core.m_pGetPictureInfo(native.c_str(), 0, 0, &picture) != 0) {
                        picture = SusiePictureInfo{};
                        core.m_pGetPictureInfo(native.c_str(), kHeaderOffset, 0, &picture);
                    }
                    std::free(picture.hInfo);
                }
                pixels = std::move(*decoded);
                m_nLastUsed = static_cast<int>(index);
                return kSusieOk;
            }
            if (result == 1) break;  // the plug-in gave up on purpose
        }
    }
    return kSusieNotDecoded;
}

int LoadSusiePlugins(CSPIControl& control, const CSettings& settings) {
    if (settings.GetInt("System", "UseSusiePlugin", 0) == 0) return 0;
    return control.LoadPlugins(settings.GetString("System", "SusiePlugin", ""));
}

bool LoadSusieImage(CSPIControl& control, CImageKit& image, const CFilePath& path) {
    if (control.CountFormats() == 0) return false;
    RgbPixels pixels;
    if (control.LoadPicture(path, pixels) != kSusieOk) return false;
    return image.LoadRgb(pixels);
}

bool IsImageFile(std::string_view name, const CSPIControl* plugins) {
    const std::string extension = ExtensionOf(name);
    for (const char* known : {".bmp", ".gif", ".jpg", ".jpeg", ".tiff", ".tif", ".pcx", ".png"}) {
        if (EqualsNoCaseMb(extension, known)) return true;
    }
    return plugins != nullptr && plugins->CountFormats() > 0 && plugins->IsSupportedExtension(extension);
}

bool IsVectorFile(std::string_view name) {
    const std::string extension = ExtensionOf(name);
    for (const char* known : {".wmf", ".emf", ".dxf"}) {
        if (EqualsNoCaseMb(extension, known)) return true;
    }
    return false;
}

}  // namespace kelmio
