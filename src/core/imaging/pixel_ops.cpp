#include "imaging/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>
#include <vector>

namespace kelmio {
namespace {

constexpr int kOne = 1 << 16;  // fixed-point 1.0 of the filter weights

// Runs `rows(first, last)` over [0, count) in bands, one per core.
void ParallelRows(int count, const std::function<void(int, int)>& rows) {
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    if (threads == 1 || count < 64) {
        rows(0, count);
        return;
    }
    std::vector<std::thread> workers;
    const int band = (count + threads - 1) / threads;
    for (int first = band; first < count; first += band) {
        workers.emplace_back(rows, first, std::min(first + band, count));
    }
    rows(0, std::min(band, count));
    for (std::thread& worker : workers) worker.join();
}

std::uint8_t Clamp8(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// The source samples one output sample is made of, with fixed-point weights
// that add up to kOne.
struct Taps {
    int first = 0;
    std::vector<int> weights;
};

std::vector<Taps> MakeTaps(int sourceSize, int targetSize) {
    std::vector<Taps> taps(static_cast<std::size_t>(targetSize));
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (int t = 0; t < targetSize; ++t) {
        std::vector<double> weights;
        int first = 0;
        if (scale > 1.0) {
            // Reducing: the share of each source sample in the covered span.
            const double from = t * scale;
            const double to = from + scale;
            first = static_cast<int>(from);
            const int last = std::min(static_cast<int>(std::ceil(to)), sourceSize) - 1;
            for (int s = first; s <= last; ++s) {
                weights.push_back(std::min<double>(s + 1, to) - std::max<double>(s, from));
            }
        } else {
            // Enlarging: linear between the two nearest source samples.
            const double centre = std::clamp((t + 0.5) * scale - 0.5, 0.0, sourceSize - 1.0);
            first = std::min(static_cast<int>(centre), std::max(sourceSize - 2, 0));
            const double fraction = centre - first;
            weights.push_back(1.0 - fraction);
            if (sourceSize > 1) weights.push_back(fraction);
        }
        double total = 0;
        for (double w : weights) total += w;
        Taps& tap = taps[static_cast<std::size_t>(t)];
        tap.first = first;
        int sum = 0;
        for (double w : weights) {
            tap.weights.push_back(static_cast<int>(std::lround(w / total * kOne)));
            sum += tap.weights.back();
        }
        // Rounding must not brighten or darken a flat area.
        *std::max_element(tap.weights.begin(), tap.weights.end()) += kOne - sum;
    }
    return taps;
}

std::vector<int> GaussianWeights(double sigma) {
    const int radius = std::max(1, static_cast<int>(std::ceil(3.0 * sigma)));
    std::vector<double> weights;
    double total = 0;
    for (int i = -radius; i <= radius; ++i) {
        weights.push_back(std::exp(-(i * i) / (2.0 * sigma * sigma)));
        total += weights.back();
    }
    std::vector<int> fixed;
    int sum = 0;
    for (double w : weights) {
        fixed.push_back(static_cast<int>(std::lround(w / total * kOne)));
        sum += fixed.back();
    }
    fixed[static_cast<std::size_t>(radius)] += kOne - sum;
    return fixed;
}

}  // namespace

RgbPixels ResizeRgb(const RgbPixels& source, int cx, int cy) {
    RgbPixels target;
    if (source.cx <= 0 || source.cy <= 0 || cx <= 0 || cy <= 0) return target;
    const std::vector<Taps> across = MakeTaps(source.cx, cx);
    const std::vector<Taps> down = MakeTaps(source.cy, cy);
    // Across first, into rows of the new width; then down.
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(cx) * source.cy * 3);
    ParallelRows(source.cy, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const std::uint8_t* row = source.bytes.data() + static_cast<std::size_t>(y) * source.cx * 3;
            std::uint8_t* out = wide.data() + static_cast<std::size_t>(y) * cx * 3;
            for (int x = 0; x < cx; ++x) {
                const Taps& tap = across[static_cast<std::size_t>(x)];
                int r = kOne / 2, g = kOne / 2, b = kOne / 2;
                const std::uint8_t* in = row + static_cast<std::size_t>(tap.first) * 3;
                for (int w : tap.weights) {
                    r += in[0] * w;
                    g += in[1] * w;
                    b += in[2] * w;
                    in += 3;
                }
                out[x * 3] = Clamp8(r >> 16);
                out[x * 3 + 1] = Clamp8(g >> 16);
                out[x * 3 + 2] = Clamp8(b >> 16);
            }
        }
    });
    target.cx = cx;
    target.cy = cy;
    target.bytes.resize(static_cast<std::size_t>(cx) * cy * 3);
    const std::size_t stride = static_cast<std::size_t>(cx) * 3;
    ParallelRows(cy, [&](int first, int last) {
        std::vector<int> sums(stride);
        for (int y = first; y < last; ++y) {
            const Taps& tap = down[static_cast<std::size_t>(y)];
            std::fill(sums.begin(), sums.end(), kOne / 2);
            int row = tap.first;
            for (int w : tap.weights) {
                const std::uint8_t* in = wide.data() + static_cast<std::size_t>(row++) * stride;
                for (std::size_t i = 0; i < stride; ++i) sums[i] += in[i] * w;
            }
            std::uint8_t* out = target.bytes.data() + static_cast<std::size_t>(y) * stride;
            for (std::size_t i = 0; i < stride; ++i) out[i] = Clamp8(sums[i] >> 16);
        }
    });
    return target;
}

ImageSize RotatedSize(ImageSize size, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::fabs(std::cos(radians));
    const double s = std::fabs(std::sin(radians));
    // A hair of tolerance so 90-degree steps do not grow by a pixel.
    const int cx = static_cast<int>(std::ceil(size.cx * c + size.cy * s - 1e-6));
    const int cy = static_cast<int>(std::ceil(size.cx * s + size.cy * c - 1e-6));
    return ImageSize{std::max(cx, 1), std::max(cy, 1)};
}

RgbPixels RotateRgb(const RgbPixels& source, double degrees, Rgb8 background) {
    RgbPixels target;
    if (source.cx <= 0 || source.cy <= 0) return target;
    const ImageSize size = RotatedSize(ImageSize{source.cx, source.cy}, degrees);
    target.cx = size.cx;
    target.cy = size.cy;
    target.bytes.resize(static_cast<std::size_t>(size.cx) * size.cy * 3);
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double sourceCx = source.cx / 2.0;
    const double sourceCy = source.cy / 2.0;
    const double targetCx = size.cx / 2.0;
    const double targetCy = size.cy / 2.0;
    const int back[3] = {background.r, background.g, background.b};
    const std::size_t stride = static_cast<std::size_t>(source.cx) * 3;

    // The source sample at (x, y), the background outside the picture.
    const auto sample = [&](int x, int y, int channel) {
        if (x < 0 || y < 0 || x >= source.cx || y >= source.cy) return back[channel];
        return static_cast<int>(source.bytes[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3 +
                                             static_cast<std::size_t>(channel)]);
    };
    ParallelRows(size.cy, [&](int first, int last) {
        for (int ty = first; ty < last; ++ty) {
            const double dy = ty + 0.5 - targetCy;
            // Source position of the row's first pixel centre, then steps.
            double sx = (0.5 - targetCx) * c - dy * s + sourceCx - 0.5;
            double sy = (0.5 - targetCx) * s + dy * c + sourceCy - 0.5;
            std::uint8_t* out = target.bytes.data() + static_cast<std::size_t>(ty) * size.cx * 3;
            for (int tx = 0; tx < size.cx; ++tx, sx += c, sy += s, out += 3) {
                const double fx = std::floor(sx);
                const double fy = std::floor(sy);
                const int x0 = static_cast<int>(fx);
                const int y0 = static_cast<int>(fy);
                if (x0 < -1 || y0 < -1 || x0 >= source.cx || y0 >= source.cy) {
                    out[0] = background.r;
                    out[1] = background.g;
                    out[2] = background.b;
                    continue;
                }
                const int wx = static_cast<int>((sx - fx) * 256.0);
                const int wy = static_cast<int>((sy - fy) * 256.0);
                const bool inside = x0 >= 0 && y0 >= 0 && x0 + 1 < source.cx && y0 + 1 < source.cy;
                for (int ch = 0; ch < 3; ++ch) {
                    int p00, p10, p01, p11;
                    if (inside) {
                        const std::uint8_t* p = source.bytes.data() + static_cast<std::size_t>(y0) * stride +
                                                static_cast<std::size_t>(x0) * 3 + static_cast<std::size_t>(ch);
                        p00 = p[0];
                        p10 = p[3];
                        p01 = p[stride];
                        p11 = p[stride + 3];
                    } else {
                        p00 = sample(x0, y0, ch);
                        p10 = sample(x0 + 1, y0, ch);
                        p01 = sample(x0, y0 + 1, ch);
                        p11 = sample(x0 + 1, y0 + 1, ch);
                    }
                    const int top = p00 * (256 - wx) + p10 * wx;
                    const int bottom = p01 * (256 - wx) + p11 * wx;
                    out[ch] = Clamp8((top * (256 - wy) + bottom * wy + 32768) >> 16);
                }
            }
        }
    });
    return target;
}

void SharpenRgb(RgbPixels& pixels, double sigma) {
    if (pixels.cx <= 0 || pixels.cy <= 0 || sigma <= 0) return;
    const std::vector<int> kernel = GaussianWeights(sigma);
    const int radius = static_cast<int>(kernel.size() / 2);
    const int w = pixels.cx;
    const int h = pixels.cy;
    const std::size_t stride = static_cast<std::size_t>(w) * 3;
    // Blur across into `across`, then down into `blur`; both 8-bit.
    std::vector<std::uint8_t> across(pixels.bytes.size());
    ParallelRows(h, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const std::uint8_t* row = pixels.bytes.data() + static_cast<std::size_t>(y) * stride;
            std::uint8_t* out = across.data() + static_cast<std::size_t>(y) * stride;
            for (int x = 0; x < w; ++x) {
                int sums[3] = {kOne / 2, kOne / 2, kOne / 2};
                for (int k = -radius; k <= radius; ++k) {
                    const int sx = std::clamp(x + k, 0, w - 1);
                    const int weight = kernel[static_cast<std::size_t>(k + radius)];
                    const std::uint8_t* in = row + static_cast<std::size_t>(sx) * 3;
                    sums[0] += in[0] * weight;
                    sums[1] += in[1] * weight;
                    sums[2] += in[2] * weight;
                }
                out[x * 3] = Clamp8(sums[0] >> 16);
                out[x * 3 + 1] = Clamp8(sums[1] >> 16);
                out[x * 3 + 2] = Clamp8(sums[2] >> 16);
            }
        }
    });
    ParallelRows(h, [&](int first, int last) {
        std::vector<int> sums(stride);
        for (int y = first; y < last; ++y) {
            std::fill(sums.begin(), sums.end(), kOne / 2);
            for (int k = -radius; k <= radius; ++k) {
                const int sy = std::clamp(y + k, 0, h - 1);
                const int weight = kernel[static_cast<std::size_t>(k + radius)];
                const std::uint8_t* in = across.data() + static_cast<std::size_t>(sy) * stride;
                for (std::size_t i = 0; i < stride; ++i) sums[i] += in[i] * weight;
            }
            std::uint8_t* row = pixels.bytes.data() + static_cast<std::size_t>(y) * stride;
            for (std::size_t i = 0; i < stride; ++i) row[i] = Clamp8(2 * row[i] - (sums[i] >> 16));
        }
    });
}

}  // namespace kelmio
