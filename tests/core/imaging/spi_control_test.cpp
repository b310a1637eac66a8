#include "imaging/spi_control.h"

#include <dlfcn.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "imaging/image_display.h"
#include "platform/settings.h"
#include "support/scripted_prompter.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

namespace fs = std::filesystem;

std::string Toy(int w, int h, std::size_t header = 0) {
    std::string bytes(header, 'h');
    bytes += "TOYP";
    bytes += static_cast<char>(w & 0xFF);
    bytes += static_cast<char>(w >> 8);
    bytes += static_cast<char>(h & 0xFF);
    bytes += static_cast<char>(h >> 8);
    for (int i = 0; i < w * h; ++i) {
        bytes += static_cast<char>(i * 3);
        bytes += static_cast<char>(i * 5);
        bytes += static_cast<char>(i * 7);
    }
    return bytes;
}

// A folder holding copies of the named toy plug-in variants.
class PluginFolder {
public:
    void Add(const std::string& variant, const std::string& as) {
        fs::copy_file(fs::path(KELMIO_TOY_SPI_DIR) / variant / (variant + ".spi"), m_dir.Path() / as);
    }
    std::string Path() const { return m_dir.Path().string(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

private:
    test::TempDir m_dir;
};

TEST(SusieKind, FromTheVersionString) {
    EXPECT_EQ(SusieKindFromVersion("00IN"), 1);
    EXPECT_EQ(SusieKindFromVersion("00IM"), 129);
    EXPECT_EQ(SusieKindFromVersion("00AM"), 130);
    EXPECT_EQ(SusieKindFromVersion("00EN"), 32);
    EXPECT_EQ(SusieKindFromVersion("00I"), 0);   // not longer than 3
    EXPECT_EQ(SusieKindFromVersion("01IN"), 0);
    EXPECT_EQ(SusieKindFromVersion("00ZZ"), 0);
}

TEST(SusieHost, KeepsImportFiltersAndSkipsEverythingElse) {
    PluginFolder folder;
    folder.Add("toy", "a-toy.spi");
    folder.Add("toy_archive", "b-archive.spi");
    folder.Add("toy_no_info", "c-no-info.spi");
    test::WriteFileBytes(folder.File("d-not-a-module.spi"), "MZ this is text");
    folder.Add("toy", "e-ignored.dll");
    CSPIControl control(MakeSystemModuleLoader());
    EXPECT_EQ(control.LoadPlugins(folder.Path()), 1);
    ASSERT_EQ(control.GetCount(), 1u);
    const CSPICore& core = control.GetAt(0);
    EXPECT_EQ(core.m_strName, "a-toy.spi");
    EXPECT_EQ(core.m_nKind, 1);
    EXPECT_EQ(core.m_aPatterns, std::vector<std::string>{"*.toy"});
    EXPECT_EQ(core.m_aDescriptions, std::vector<std::string>{"Toy picture"});
    EXPECT_EQ(control.CountFormats(), 1);
    EXPECT_NE(core.m_pGetPicture, nullptr);
    EXPECT_EQ(core.m_pGetArchiveInfo, nullptr);
}

TEST(SusieHost, ImageFileNames) {
    EXPECT_TRUE(IsImageFile("a.PNG", nullptr));
    EXPECT_TRUE(IsImageFile("a.jpeg", nullptr));
    EXPECT_FALSE(IsImageFile("a.toy", nullptr));
    EXPECT_FALSE(IsImageFile("a.emf", nullptr));  // vector files are not image files
    EXPECT_TRUE(IsVectorFile("a.DXF"));
    EXPECT_TRUE(IsVectorFile("b.emf"));
    EXPECT_FALSE(IsVectorFile("png"));

    PluginFolder folder;
    folder.Add("toy", "toy.spi");
    CSPIControl control(MakeSystemModuleLoader());
    ASSERT_EQ(control.LoadPlugins(folder.Path()), 1);
    EXPECT_TRUE(IsImageFile("scan.TOY", &control));
    EXPECT_TRUE(control.IsSupportedExtension(".Toy"));
    EXPECT_FALSE(control.IsSupportedExtension(".mag"));
}

TEST(SusieHost, ThePatternStringIsComparedWhole) {
    PluginFolder single;
    single.Add("toy_mag", "mag.spi");
    CSPIControl mag(MakeSystemModuleLoader());
    ASSERT_EQ(mag.LoadPlugins(single.Path()), 1);
    EXPECT_TRUE(IsImageFile("PICTURE.MAG", &mag));

    PluginFolder multiple;
    multiple.Add("toy_mag_mki", "mag-mki.spi");
    CSPIControl both(MakeSystemModuleLoader());
    ASSERT_EQ(both.LoadPlugins(multiple.Path()), 1);
    EXPECT_FALSE(IsImageFile("picture.mag", &both));
    EXPECT_FALSE(IsImageFile("picture.mki", &both));
}

TEST(SusieHost, UsePluginSettingAndEmptyFolder) {
    PluginFolder folder;
    folder.Add("toy", "toy.spi");
    CMemorySettings settings;
    settings.WriteString("System", "SusiePlugin", folder.Path());
    CSPIControl off(MakeSystemModuleLoader());
    EXPECT_EQ(LoadSusiePlugins(off, settings), 0);  // "UseSusiePlugin" 0
    EXPECT_EQ(off.CountFormats(), 0);
    settings.WriteInt("System", "UseSusiePlugin", 1);
    CSPIControl on(MakeSystemModuleLoader());
    EXPECT_EQ(LoadSusiePlugins(on, settings), 1);

    // An empty folder value searches the program's folder, never the
    // folder the program was started in.
    const fs::path before = fs::current_path();
    fs::current_path(folder.Path());
    CSPIControl current(MakeSystemModuleLoader());
    EXPECT_EQ(current.LoadPlugins(""), 0);
    settings.WriteString("System", "SusiePlugin", "");
    EXPECT_EQ(LoadSusiePlugins(current, settings), 0);
    fs::current_path(before);
    CSPIControl beside(MakeSystemModuleLoader(), CFilePath::FromNative(folder.Path()));
    EXPECT_EQ(LoadSusiePlugins(beside, settings), 1);
}

TEST(SusieHost, DecodesAFileAndOneBehindA128ByteHeader) {
    PluginFolder folder;
    folder.Add("toy", "toy.spi");
    CSPIControl control(MakeSystemModuleLoader());
    ASSERT_EQ(control.LoadPlugins(folder.Path()), 1);
    test::WriteFileBytes(folder.File("plain.toy"), Toy(3, 2));
    test::WriteFileBytes(folder.File("header.toy"), Toy(5, 4, 128));

    RgbPixels pixels;
    ASSERT_EQ(control.LoadPicture(folder.File("plain.toy"), pixels), kSusieOk);
    EXPECT_EQ(pixels.cx, 3);
    EXPECT_EQ(pixels.cy, 2);
    const std::string plain = Toy(3, 2);
    EXPECT_EQ(pixels.bytes, std::vector<std::uint8_t>(plain.begin() + 8, plain.end()));
    EXPECT_EQ(control.GetLastUsed(), 0);

    // The loaded module's own call counter tells the second call happened.
    void* self = ::dlopen((folder.File("toy.spi")).c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr);
    const auto calls = reinterpret_cast<int (*)()>(::dlsym(self, "ToyGetPictureCalls"));
    const int before = calls();
    CImageKit image;
    ASSERT_TRUE(LoadSusieImage(control, image, folder.File("header.toy")));
    EXPECT_EQ(calls() - before, 2);  // offset 0 failed, offset 128 decoded
    EXPECT_EQ(image.GetSize(), (ImageSize{5, 4}));
    ::dlclose(self);

    EXPECT_EQ(control.LoadPicture(folder.File("missing.toy"), pixels), kSusieReadError);
    test::WriteFileBytes(folder.File("other.toy"), "not a toy picture");
    EXPECT_EQ(control.LoadPicture(folder.File("other.toy"), pixels), kSusieNotDecoded);
}

class CNoChooser final : public CImageSaveChooser {
public:
    FileDialogResult ChooseImageFile(const CFileDialogEx&, const CFilePath&) override { return {}; }
};

TEST(SusieHost, TheViewerShowsWhatOnlyAPluginReads) {
    PluginFolder folder;
    folder.Add("toy", "toy.spi");
    CSPIControl control(MakeSystemModuleLoader());
    ASSERT_EQ(control.LoadPlugins(folder.Path()), 1);
    test::WriteFileBytes(folder.File("page.toy"), Toy(6, 5));
    CMemorySettings settings;
    test::CScriptedPrompter prompter;
    CNoChooser chooser;
    CImageDisplay display(settings, prompter, chooser);
    prompter.ExpectMessage(Answer::kOk);
    EXPECT_FALSE(display.ShowImageFile(folder.File("page.toy")));  // no plug-ins given yet
    display.SetPlugins(&control);
    ASSERT_TRUE(display.ShowImageFile(folder.File("page.toy")));
    EXPECT_EQ(display.GetImage().GetSize(), (ImageSize{6, 5}));
    // The plug-in opens the file by its own name, Shift-JIS or not.
    test::WriteFileBytes(folder.File("\xFF.toy"), Toy(2, 7));
    ASSERT_TRUE(display.ShowImageFile(CFilePath::FromNative(folder.File("\xFF.toy"))));
    EXPECT_EQ(display.GetImage().GetSize(), (ImageSize{2, 7}));
}

TEST(SusieHost, APluginThatLiesAboutSizesIsNotBelieved) {
    PluginFolder folder;
    folder.Add("toy_liar", "liar.spi");
    CSPIControl control(MakeSystemModuleLoader());
    ASSERT_EQ(control.LoadPlugins(folder.Path()), 1);
    test::WriteFileBytes(folder.File("a.toy"), Toy(4, 4));
    RgbPixels pixels;
    EXPECT_EQ(control.LoadPicture(folder.File("a.toy"), pixels), kSusieNotDecoded);
    CImageKit image;
    EXPECT_FALSE(LoadSusieImage(control, image, folder.File("a.toy")));
    EXPECT_TRUE(image.IsEmpty());
}

TEST(SusieBitmap, LayoutsAreCheckedAgainstTheBlocks) {
    SusieBitmapInfoHeader header{};
    header.biSize = sizeof header;
    header.biWidth = 2;
    header.biHeight = -2;  // top-down
    header.biPlanes = 1;
    header.biBitCount = 1;
    header.biClrUsed = 2;
    std::string info(reinterpret_cast<const char*>(&header), sizeof header);
    info += std::string("\x00\x00\x00\x00\xff\xff\xff\x00", 8);  // black, white
    const std::string bits("\x80\0\0\0\x40\0\0\0", 8);              // rows: 10, 01
    const std::optional<RgbPixels> pixels = PixelsFromBitmap(info, bits);
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(pixels->bytes, (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 255}));

    EXPECT_FALSE(PixelsFromBitmap(info, bits.substr(0, 7)));       // rows past the pixel block
    EXPECT_FALSE(PixelsFromBitmap(info.substr(0, 44), bits));      // colour table cut off
    EXPECT_FALSE(PixelsFromBitmap(info.substr(0, 20), bits));
    header.biClrUsed = 3;                                          // more colours than 1 bit selects
    EXPECT_FALSE(PixelsFromBitmap(std::string(reinterpret_cast<const char*>(&header), sizeof header) + info.substr(40), bits));
    header.biClrUsed = 2;
    header.biBitCount = 16;
    EXPECT_FALSE(PixelsFromBitmap(std::string(reinterpret_cast<const char*>(&header), sizeof header) + info.substr(40), bits));
    header.biBitCount = 1;
    header.biWidth = 100000;
    EXPECT_FALSE(PixelsFromBitmap(std::string(reinterpret_cast<const char*>(&header), sizeof header) + info.substr(40), bits));
}

}  // namespace
}  // namespace kelmio
