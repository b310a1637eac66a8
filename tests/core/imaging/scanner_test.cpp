#include "imaging/scanner.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include "imaging/sane_scanner.h"
#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#if defined(__SANITIZE_ADDRESS__)
#define KELMIO_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELMIO_LSAN 1
#endif
#endif

// SANE's test backend leaves a few kilobytes allocated inside the backend
// module (also from its reader thread), and SANE unloads the module at its
// exit, after which the leak checker cannot name it. The module is kept
// loaded here, so its frames carry its name, and leaks from it are not
// counted against these tests.
#ifdef KELMIO_LSAN
extern "C" const char* __lsan_default_suppressions() { return "leak:libsane-test.so\n"; }
#endif

namespace kelmio {
namespace {

void KeepTestBackendLoaded() {
    static void* const backend = ::dlopen(KELMIO_SANE_BACKEND_DIR "/libsane-test.so.1", RTLD_NOW | RTLD_NODELETE);
    (void)backend;
}

// SANE's "test" backend alone, through a configuration folder of our own.
// The library looks the folder up once per process, so every test here
// shares one folder and rewrites the files in it.
class SaneTestBackend : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_pDir = new test::TempDir;
        s_pEnv = new test::ScopedEnv("SANE_CONFIG_DIR", s_pDir->Path().string());
    }
    static void TearDownTestSuite() {
        delete s_pEnv;
        delete s_pDir;
    }
    void SetUp() override {
        KeepTestBackendLoaded();
        test::WriteFileBytes(s_pDir->File("dll.conf"), "test\n");
        Configure("Color", false);
    }

    // The test backend's page: 80 x 100 mm at 50 dpi, a colour pattern.
    static void Configure(const std::string& mode, bool threePass) {
        test::WriteFileBytes(s_pDir->File("test.conf"),
                             "number_of_devices 2\nmode " + mode + "\ndepth 8\nthree-pass " +
                                 (threePass ? "true" : "false") +
                                 "\nresolution 50.0\ntest-picture \"Color pattern\"\n"
                                 "tl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n");
    }

    static inline test::TempDir* s_pDir = nullptr;
    static inline test::ScopedEnv* s_pEnv = nullptr;
    CSaneScanner m_scanner;
    CMemorySettings m_settings;
};

TEST_F(SaneTestBackend, ListsTheTestDevices) {
    const std::vector<ScannerDevice> devices = m_scanner.ListDevices();
    ASSERT_GE(devices.size(), 1u);
    EXPECT_EQ(devices[0].strName.rfind("test:", 0), 0u);
    EXPECT_NE(devices[0].Label().find("test:"), std::string::npos);
}

TEST_F(SaneTestBackend, ScansOnePageWithTheDefaults) {
    std::string error;
    std::vector<std::size_t> offered;
    const std::optional<CImageKit> image = ScanImage(
        m_scanner, m_settings,
        [&](const std::vector<ScannerDevice>& devices) -> std::optional<std::size_t> {
            offered.push_back(devices.size());
            return 0;
        },
        error);
    ASSERT_TRUE(image.has_value()) << "error: " << error;
    EXPECT_EQ(image->GetSize(), (ImageSize{157, 196}));
    EXPECT_EQ(image->GetBitCount(), 24);
    EXPECT_EQ(offered, std::vector<std::size_t>{2});  // two devices: the chooser
}

TEST_F(SaneTestBackend, ColourFramesOneByOneMakeTheSamePage) {
    std::string error;
    const std::optional<RgbPixels> single = m_scanner.Acquire("test:0", error);
    ASSERT_TRUE(single.has_value()) << error;
    Configure("Color", true);
    const std::optional<RgbPixels> threePass = m_scanner.Acquire("test:0", error);
    ASSERT_TRUE(threePass.has_value()) << error;
    EXPECT_EQ(threePass->cx, single->cx);
    EXPECT_EQ(threePass->bytes, single->bytes);
    Configure("Gray", false);
    const std::optional<RgbPixels> grey = m_scanner.Acquire("test:0", error);
    ASSERT_TRUE(grey.has_value()) << error;
    EXPECT_EQ(grey->bytes[0], grey->bytes[1]);
}

TEST_F(SaneTestBackend, UnknownDeviceChangesNothing) {
    std::string error;
    EXPECT_FALSE(m_scanner.Acquire("test:99", error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST_F(SaneTestBackend, NoDevicesWithoutBackends) {
    test::WriteFileBytes(s_pDir->File("dll.conf"), "");
    EXPECT_TRUE(m_scanner.ListDevices().empty());
    std::string error;
    EXPECT_FALSE(ScanImage(m_scanner, m_settings, [](const auto&) { return std::optional<std::size_t>(0); }, error));
}

// Without the library (or with another library under its name) there is
// nothing to scan with, and the error says which file and why.
TEST(SaneLibrary, MissingOrForeignLibraryListsNothingAndNamesTheFile) {
    CSaneScanner missing("libkelmio-no-such-sane.so.1");
    EXPECT_TRUE(missing.ListDevices().empty());
    std::string error;
    EXPECT_FALSE(missing.Acquire("test:0", error).has_value());
    EXPECT_NE(error.find("libkelmio-no-such-sane.so.1"), std::string::npos) << error;

    CSaneScanner foreign("libm.so.6");
    EXPECT_TRUE(foreign.ListDevices().empty());
    error.clear();
    EXPECT_FALSE(foreign.Acquire("test:0", error).has_value());
    EXPECT_NE(error.find("sane_init"), std::string::npos) << error;
}

// A scanner answering from a script, for the choice of device.
class CListedScanner final : public CScanner {
public:
    explicit CListedScanner(std::vector<ScannerDevice> devices) : m_devices(std::move(devices)) {}
    std::vector<ScannerDevice> ListDevices() override { return m_devices; }
    std::optional<RgbPixels> Acquire(const std::string& device, std::string& error) override {
        m_acquired.push_back(device);
        error = "cancelled";
        return std::nullopt;
    }
    std::vector<ScannerDevice> m_devices;
    std::vector<std::string> m_acquired;
};

TEST(ScannerChoice, ChosenSourceOnlyDeviceOrTheUsersPick) {
    const std::vector<ScannerDevice> two{{"a:0", "A", "One", ""}, {"b:0", "B", "Two", ""}};
    CMemorySettings settings;
    int asked = 0;
    const DeviceChooser second = [&](const std::vector<ScannerDevice>&) -> std::optional<std::size_t> {
        ++asked;
        return 1;
    };
    EXPECT_EQ(PickScannerDevice(two, settings, second), "b:0");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(PickScannerDevice({two[0]}, settings, second), "a:0");  // only one: no question
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(PickScannerDevice({}, settings, second), std::nullopt);
    EXPECT_EQ(PickScannerDevice(two, settings, [](const auto&) { return std::optional<std::size_t>(); }),
              std::nullopt);
    EXPECT_EQ(PickScannerDevice(two, settings, [](const auto&) { return std::optional<std::size_t>(7); }),
              std::nullopt);

    CListedScanner scanner(two);
    EXPECT_TRUE(SelectScannerDevice(scanner, settings, second));
    EXPECT_EQ(settings.GetString("Scanner", "Device", ""), "b:0");
    EXPECT_EQ(PickScannerDevice(two, settings, [](const auto&) { return std::optional<std::size_t>(0); }), "b:0");

    // A cancelled scan yields nothing.
    std::string error;
    EXPECT_FALSE(ScanImage(scanner, settings, second, error).has_value());
    EXPECT_EQ(scanner.m_acquired, std::vector<std::string>{"b:0"});
    EXPECT_EQ(error, "cancelled");
}

}  // namespace
}  // namespace kelmio
