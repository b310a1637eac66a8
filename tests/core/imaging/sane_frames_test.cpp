// Scanning through a stand-in SANE library that sends what its script says:
// the announced page is checked before anything is read or allocated, and
// a page has at most one frame per colour.

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/sane_page.h"
#include "imaging/sane_scanner.h"

namespace kelmio {
namespace {

// `format` as a number: a backend may send one outside the enumeration.
SANE_Parameters Frame(int format, int depth, int width, int lineBytes, int lines, bool last = true) {
    SANE_Parameters parameters{};
    std::memcpy(&parameters.format, &format, sizeof format);
    parameters.last_frame = last ? SANE_TRUE : SANE_FALSE;
    parameters.depth = depth;
    parameters.pixels_per_line = width;
    parameters.bytes_per_line = lineBytes;
    parameters.lines = lines;
    return parameters;
}

// The stand-in library, opened before the scanner opens it, so both share
// it and the test reaches its script and counters.
class StandInSane : public ::testing::Test {
protected:
    StandInSane() : m_handle(::dlopen(KELMIO_STAND_IN_SANE, RTLD_NOW | RTLD_LOCAL)) {}
    ~StandInSane() override {
        if (m_handle != nullptr) ::dlclose(m_handle);
    }

    void SetUp() override { ASSERT_NE(m_handle, nullptr) << ::dlerror(); }

    void Script(const std::vector<SANE_Parameters>& frames, long frameBytes = -1) {
        const auto script = reinterpret_cast<void (*)(const SANE_Parameters*, int, long)>(
            ::dlsym(m_handle, "StandInSaneScript"));
        script(frames.data(), static_cast<int>(frames.size()), frameBytes);
    }
    int Starts() const { return reinterpret_cast<int (*)()>(::dlsym(m_handle, "StandInSaneStarts"))(); }
    long Reads() const { return reinterpret_cast<long (*)()>(::dlsym(m_handle, "StandInSaneReads"))(); }

    std::optional<RgbPixels> Scan() {
        m_error.clear();
        return m_scanner.Acquire("stand-in:0", m_error);
    }

    void* m_handle;
    CSaneScanner m_scanner{KELMIO_STAND_IN_SANE};
    std::string m_error;
};

TEST_F(StandInSane, PagesWithinTheLimitsAreRead) {
    // 1 bit: the stand-in's bytes count 0, 1, 2...; bit 1 is black.
    Script({Frame(SANE_FRAME_GRAY, 1, 10, 2, 3)});
    std::optional<RgbPixels> page = Scan();
    ASSERT_TRUE(page.has_value()) << m_error;
    EXPECT_EQ(page->cx, 10);
    EXPECT_EQ(page->cy, 3);
    // Line 1 is the bytes 2, 3: 0000 0010 00.. -> only pixel 6 black.
    for (int x = 0; x < 10; ++x) EXPECT_EQ(page->bytes[(10 + x) * 3], x == 6 ? 0 : 255) << x;

    // Red, green and blue one by one make one page.
    Script({Frame(SANE_FRAME_RED, 8, 2, 2, 2, false), Frame(SANE_FRAME_GREEN, 8, 2, 2, 2, false),
            Frame(SANE_FRAME_BLUE, 8, 2, 2, 2, true)});
    page = Scan();
    ASSERT_TRUE(page.has_value()) << m_error;
    EXPECT_EQ(page->bytes, (std::vector<std::uint8_t>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}));
    EXPECT_EQ(Starts(), 3);
}

// A backend that never marks its last frame would be asked for frames for
// ever; the page ends after one frame per colour.
TEST_F(StandInSane, APageHasAtMostThreeFrames) {
    Script({Frame(SANE_FRAME_GRAY, 8, 4, 4, 2, false)});
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(m_error, "the scanner sent more frames than a page has");
    EXPECT_EQ(Starts(), kMaxSaneFrames);

    Script({Frame(SANE_FRAME_RED, 8, 4, 4, 2, false), Frame(SANE_FRAME_GREEN, 8, 4, 4, 2, false),
            Frame(SANE_FRAME_BLUE, 8, 4, 4, 2, false)});
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(Starts(), kMaxSaneFrames);
}

// What the frame announces is judged before a byte is read: 600 MiB of
// one-bit lines would be 24 times as much once a page of RGB pixels.
TEST_F(StandInSane, TheAnnouncedSizeIsCheckedBeforeReading) {
    const int mebibytes600 = 600 * 1024 * 1024;
    Script({Frame(SANE_FRAME_GRAY, 1, 32768, 4096, mebibytes600 / 4096)}, 4096 * 2);
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(m_error, "the page is larger than Kelmio accepts");
    EXPECT_EQ(Reads(), 0);

    // Lines beyond the image limits, however few bytes they take.
    Script({Frame(SANE_FRAME_GRAY, 1, 8, 1, 40000)});
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(Reads(), 0);
    Script({Frame(SANE_FRAME_GRAY, 8, 40000, 40000, 2)});
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(Reads(), 0);

    // Formats, depths and line sizes that make no page.
    for (const SANE_Parameters& odd : {Frame(42, 8, 4, 4, 2), Frame(SANE_FRAME_RGB, 1, 4, 4, 2),
                                       Frame(SANE_FRAME_GRAY, 4, 4, 4, 2), Frame(SANE_FRAME_RGB, 8, 4, 11, 2),
                                       Frame(SANE_FRAME_GRAY, 16, 4, -8, 2), Frame(SANE_FRAME_GRAY, 8, 0, 4, 2)}) {
        Script({odd});
        EXPECT_FALSE(Scan().has_value());
        EXPECT_EQ(m_error, "the scanner reported a page Kelmio cannot read");
        EXPECT_EQ(Reads(), 0);
    }
}

// A page of unknown length (hand scanners) stops as soon as it has more
// lines than a page may have.
TEST_F(StandInSane, APageOfUnknownLengthIsCutOffAtTheLimits) {
    Script({Frame(SANE_FRAME_GRAY, 1, 8, 1, -1)}, 40000);
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(m_error, "the page is larger than Kelmio accepts");

    Script({Frame(SANE_FRAME_GRAY, 8, 3, 3, -1)}, 3 * 5);
    const std::optional<RgbPixels> page = Scan();
    ASSERT_TRUE(page.has_value()) << m_error;
    EXPECT_EQ(page->cy, 5);
}

TEST_F(StandInSane, MoreThanAnnouncedIsRefused) {
    Script({Frame(SANE_FRAME_GRAY, 8, 4, 4, 2)}, 4 * 3);
    EXPECT_FALSE(Scan().has_value());
    EXPECT_EQ(m_error, "the scanner sent more than it announced");
}

}  // namespace
}  // namespace kelmio
