// Drawing a 4000 x 3000 scan in a 1000 x 800 window: a repaint copies the
// visible part out of the zoomed form made once per zoom change; beside it,
// GraphicsMagick's resize of the whole image, what a paint would cost if it
// resampled, in the same run; and the making of the zoomed form itself. Then turning by 30 degrees and sharpening the whole scan, beside the
// `vips` command doing the same to the same picture (vips loads its own
// .v file, which it maps into memory, so its figure includes little more than
// the work and the process start).

#include <Magick++.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "imaging/image_kit.h"
#include "imaging/zoomed_image.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kViewWidth = 1000;
constexpr int kViewHeight = 800;

// A scan-like picture: smooth shading with sharp dark strokes.
const kelmio::CImageKit& Scan() {
    static const kelmio::CImageKit scan = [] {
        kelmio::RgbPixels pixels;
        pixels.cx = kWidth;
        pixels.cy = kHeight;
        pixels.bytes.resize(static_cast<std::size_t>(kWidth) * kHeight * 3);
        std::size_t at = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool stroke = (x / 3 + y / 40) % 17 == 0;
                const auto shade = static_cast<std::uint8_t>(200 + (x + y) % 50);
                pixels.bytes[at++] = stroke ? 20 : shade;
                pixels.bytes[at++] = stroke ? 20 : shade;
                pixels.bytes[at++] = stroke ? 30 : static_cast<std::uint8_t>(shade - 10);
            }
        }
        kelmio::CImageKit image;
        image.LoadRgb(pixels);
        return image;
    }();
    return scan;
}

kelmio::ImageSize Zoomed(int percent) { return {kWidth * percent / 100, kHeight * percent / 100}; }

void BM_RepaintVisibleRegion(benchmark::State& state) {
    const int percent = static_cast<int>(state.range(0));
    const bool pure = state.range(1) != 0;
    kelmio::CZoomedImage zoomed;
    if (!zoomed.Build(Scan(), Zoomed(percent), pure, 10)) {
        state.SkipWithError("zoomed form not made");
        return;
    }
    const kelmio::ImageSize display = zoomed.GetDisplaySize();
    kelmio::RgbPixels region;
    int step = 0;
    for (auto _ : state) {
        // A different scroll position each time, as while scrolling.
        const int x = display.cx > kViewWidth ? (step * 37) % (display.cx - kViewWidth) : 0;
        const int y = display.cy > kViewHeight ? (step * 53) % (display.cy - kViewHeight) : 0;
        zoomed.CopyRegion(x, y, kViewWidth, kViewHeight, region);
        benchmark::DoNotOptimize(region.bytes.data());
        ++step;
    }
}
BENCHMARK(BM_RepaintVisibleRegion)
    ->ArgsProduct({{25, 50, 100, 200}, {0, 1}})
    ->ArgNames({"percent", "fine"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// GraphicsMagick's own resize of the same pixels (its default filter), the
// cost of a paint that resampled the whole image.
void BM_LibraryResizeWholeImage(benchmark::State& state) {
    const kelmio::ImageSize display = Zoomed(static_cast<int>(state.range(0)));
    const kelmio::RgbPixels pixels = Scan().GetRgb();
    const Magick::Image source(static_cast<unsigned>(pixels.cx), static_cast<unsigned>(pixels.cy), "RGB",
                               Magick::CharPixel, pixels.bytes.data());
    Magick::Geometry size(static_cast<unsigned>(display.cx), static_cast<unsigned>(display.cy));
    size.aspect(true);
    for (auto _ : state) {
        Magick::Image copy = source;
        copy.resize(size);
        benchmark::DoNotOptimize(copy.columns());
    }
}
BENCHMARK(BM_LibraryResizeWholeImage)->Arg(25)->Arg(50)->Arg(200)->ArgName("percent")->Unit(benchmark::kMillisecond)->UseRealTime();

// The zoomed form itself, made once per zoom change.
void BM_BuildZoomedForm(benchmark::State& state) {
    const kelmio::ImageSize display = Zoomed(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        kelmio::CZoomedImage zoomed;
        benchmark::DoNotOptimize(zoomed.Build(Scan(), display, state.range(1) != 0, 10));
    }
}
BENCHMARK(BM_BuildZoomedForm)
    ->ArgsProduct({{25, 200}, {0, 1}})
    ->ArgNames({"percent", "fine"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Rotate30(benchmark::State& state) {
    for (auto _ : state) {
        kelmio::CImageKit copy(Scan());
        benchmark::DoNotOptimize(copy.Rotate(3000, 0));
    }
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Sharpen(benchmark::State& state) {
    for (auto _ : state) {
        kelmio::CImageKit copy(Scan());
        benchmark::DoNotOptimize(copy.Sharpen(10, 0, 0, kWidth, kHeight));
    }
}
BENCHMARK(BM_Sharpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same scan as a vips file, written once through a PNG.
const std::filesystem::path& VipsInput() {
    static const std::filesystem::path input = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelmio-image-bench";
        std::filesystem::create_directories(folder);
        const std::filesystem::path png = folder / "scan.png";
        const std::filesystem::path v = folder / "scan.v";
        Scan().SavePng(png.string(), {});
        const std::string command = "vips copy '" + png.string() + "' '" + v.string() + "'";
        return std::system(command.c_str()) == 0 ? v : std::filesystem::path();
    }();
    return input;
}

void RunVips(benchmark::State& state, const std::string& operation, const std::string& arguments) {
    if (std::system("command -v vips >/dev/null 2>&1") != 0 || VipsInput().empty()) {
        state.SkipWithError("vips is not installed (libvips-tools)");
        return;
    }
    const std::string output = (VipsInput().parent_path() / "out.v").string();
    const std::string command = "vips " + operation + " '" + VipsInput().string() + "' '" + output + "' " + arguments;
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("vips failed");
            return;
        }
    }
}

void BM_VipsRotate30(benchmark::State& state) { RunVips(state, "rotate", "30"); }
BENCHMARK(BM_VipsRotate30)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VipsSharpen(benchmark::State& state) { RunVips(state, "sharpen", "--sigma 1"); }  // our strength 10 is sigma 1
BENCHMARK(BM_VipsSharpen)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
