#pragma once
// The plug-in host: image formats Kelmio does not read itself, decoded by
// plug-in modules of the published plug-in interface found in one folder.
//
// Only import filters are kept. Every answer a plug-in gives (format texts,
// sizes, bitmap layout, block sizes) is checked before it is used, so a
// module that lies about a picture is refused instead of read past its end.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image_kit.h"
#include "imaging/module_loader.h"
#include "imaging/susie_api.h"
#include "platform/file_path.h"
#include "platform/paths.h"

namespace kelmio {

class CSettings;

// A bitmap as a plug-in hands it back (a BITMAPINFOHEADER with its colour
// table, and bottom-up rows padded to four bytes) as RGB pixels; nullopt
// when its layout does not fit the blocks or is not one this reads.
std::optional<RgbPixels> PixelsFromBitmap(std::string_view info, std::string_view bits);

// The kind code of a plug-in from its interface version string ("00IN"...).
int SusieKindFromVersion(std::string_view version);

// One loaded plug-in.
class CSPICore {
public:
    // True when the module loaded and exports GetPluginInfo.
    bool Load(CModuleLoader& loader, std::string_view nativePath);
    void Unload();

    std::string m_strPath;
    std::string m_strName;
    int m_nKind = 0;
    int m_nFormats = 0;
    std::vector<std::string> m_aPatterns;
    std::vector<std::string> m_aDescriptions;

    GetPluginInfoFn m_pGetPluginInfo = nullptr;
    IsSupportedFn m_pIsSupported = nullptr;
    GetPictureInfoFn m_pGetPictureInfo = nullptr;
    GetPictureFn m_pGetPicture = nullptr;
    GetPreviewFn m_pGetPreview = nullptr;
    GetArchiveInfoFn m_pGetArchiveInfo = nullptr;
    GetFileInfoFn m_pGetFileInfo = nullptr;
    GetFileFn m_pGetFile = nullptr;
    ConfigurationDlgFn m_pConfigurationDlg = nullptr;

private:
    std::unique_ptr<CModule> m_hModule;
};

// LoadPicture's result codes.
constexpr int kSusieOk = 0;
constexpr int kSusieNotDecoded = 2;
constexpr int kSusieReadError = 6;

class CSPIControl {
public:
    // `programFolder`: where plug-ins are looked for when no folder is named.
    explicit CSPIControl(std::unique_ptr<CModuleLoader> loader, CFilePath programFolder = GetProgramFolder());

    // Loads the "*.spi" modules of `folder` (Shift-JIS; empty: the program's
    // folder; see PluginFolder) when no one but this user or the system can
    // change the folder or a module (see plugin_trust.h); returns how many
    // were kept.
    int LoadPlugins(std::string_view folder);
    int CountFormats() const;
    // `ext` with its dot (".mag").
    bool IsSupportedExtension(std::string_view ext) const;
    // Decodes the file with the first plug-in that takes it: kSusieOk with
    // `pixels` set, kSusieNotDecoded or kSusieReadError.
    int LoadPicture(const CFilePath& path, RgbPixels& pixels);

    std::size_t GetCount() const { return m_arr.size(); }
    const CSPICore& GetAt(std::size_t index) const { return m_arr[index]; }
    int GetLastUsed() const { return m_nLastUsed; }

    std::uint8_t m_nKindMask = 1;

private:
    std::unique_ptr<CModuleLoader> m_pLoader;
    CFilePath m_programFolder;
    std::vector<CSPICore> m_arr;
    int m_nLastUsed = -1;
};

// At start-up: "System"/"UseSusiePlugin" nonzero loads the "SusiePlugin"
// folder's plug-ins; returns how many were kept.
int LoadSusiePlugins(CSPIControl& control, const CSettings& settings);

// Decodes the file through the plug-ins into `image`.
bool LoadSusieImage(CSPIControl& control, CImageKit& image, const CFilePath& path);

// Whether a file name is an image the viewer draws, and whether a vector
// picture. `plugins` may be null (none loaded).
bool IsImageFile(std::string_view name, const CSPIControl* plugins);
bool IsVectorFile(std::string_view name);

}  // namespace kelmio
