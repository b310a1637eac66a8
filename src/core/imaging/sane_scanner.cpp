#include "imaging/sane_scanner.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kelmio {
namespace {

// One session with the scanner library: initialised on construction, ended
// on destruction, with the device closed first.
class CSaneSession {
public:
    explicit CSaneSession(const SaneCalls& sane) : m_sane(sane) { m_bOk = sane.init(nullptr, nullptr) == SANE_STATUS_GOOD; }
    ~CSaneSession() {
        if (m_handle != nullptr) {
            m_sane.cancel(m_handle);
            m_sane.close(m_handle);
        }
        if (m_bOk) m_sane.exit();
    }
    CSaneSession(const CSaneSession&) = delete;
    CSaneSession& operator=(const CSaneSession&) = delete;

    bool Ok() const { return m_bOk; }
    SANE_Status Open(const std::string& device) { return m_sane.open(device.c_str(), &m_handle); }
    SANE_Handle Handle() const { return m_handle; }
    const SaneCalls& Sane() const { return m_sane; }

private:
    const SaneCalls& m_sane;
    bool m_bOk = false;
    SANE_Handle m_handle = nullptr;
};

std::string Text(const char* value) { return value != nullptr ? value : ""; }

// One sample of `depth` bits at sample index `index` of a line, as 8 bits.
std::uint8_t Sample(const std::vector<std::uint8_t>& line, int depth, std::size_t index) {
    switch (depth) {
        case 1: return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;  // 1 is black
        case 16: return line[index * 2 + 1];  // little-endian host: high byte second
        default: return line[index];
    }
}

// Reads one frame's bytes; false with `error` set on failure or when the
// backend sends more than it announced or than a page may hold.
bool ReadFrame(const CSaneSession& session, const SANE_Parameters& parameters, std::vector<std::uint8_t>& bytes,
               std::string& error) {
    const std::size_t expected = parameters.lines > 0 ? static_cast<std::size_t>(parameters.lines) *
                                                            static_cast<std::size_t>(parameters.bytes_per_line)
                                                      : 0;
    if (expected > CSaneScanner::kMaxPageBytes) {
        error = "the page is larger than Kelmio accepts";
        return false;
    }
    bytes.reserve(expected);
    SANE_Byte buffer[65536];
    for (;;) {
        SANE_Int length = 0;
        const SANE_Status status = session.Sane().read(session.Handle(), buffer, sizeof buffer, &length);
        if (status == SANE_STATUS_EOF) return true;
        if (status != SANE_STATUS_GOOD) {
            error = Text(session.Sane().strStatus(status));
            return false;
        }
        if (length < 0 || bytes.size() + static_cast<std::size_t>(length) > CSaneScanner::kMaxPageBytes ||
            (expected > 0 && bytes.size() + static_cast<std::size_t>(length) > expected)) {
            error = "the scanner sent more than it announced";
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + length);
    }
}

}  // namespace

const SaneCalls* CSaneScanner::Library(std::string& error) {
    if (!m_pLibrary) m_pLibrary = CSaneLibrary::Load(m_strLibraryFile, error);
    return m_pLibrary ? &m_pLibrary->Calls() : nullptr;
}

std::vector<ScannerDevice> CSaneScanner::ListDevices() {
    std::vector<ScannerDevice> devices;
    std::string error;
    const SaneCalls* sane = Library(error);
    if (sane == nullptr) return devices;
    CSaneSession session(*sane);
    if (!session.Ok()) return devices;
    const SANE_Device** list = nullptr;
    if (sane->getDevices(&list, SANE_FALSE) != SANE_STATUS_GOOD || list == nullptr) return devices;
    for (const SANE_Device** device = list; *device != nullptr; ++device) {
        devices.push_back({Text((*device)->name), Text((*device)->vendor), Text((*device)->model), Text((*device)->type)});
    }
    return devices;
}

std::optional<RgbPixels> CSaneScanner::Acquire(const std::string& device, std::string& error) {
    const SaneCalls* sane = Library(error);
    if (sane == nullptr) return std::nullopt;
    CSaneSession session(*sane);
    if (!session.Ok()) {
        error = "the scanner library did not start";
        return std::nullopt;
    }
    if (const SANE_Status status = session.Open(device); status != SANE_STATUS_GOOD) {
        error = Text(sane->strStatus(status));
        return std::nullopt;
    }
    RgbPixels page;
    std::vector<std::uint8_t> frame;
    bool last = false;
    while (!last) {
        if (const SANE_Status status = sane->start(session.Handle()); status != SANE_STATUS_GOOD) {
            error = Text(sane->strStatus(status));
            return std::nullopt;
        }
        SANE_Parameters parameters{};
        if (sane->getParameters(session.Handle(), &parameters) != SANE_STATUS_GOOD) {
            error = "the scanner gave no page size";
            return std::nullopt;
        }
        const int depth = parameters.depth;
        const bool colour = parameters.format == SANE_FRAME_RGB;
        const int channels = colour ? 3 : 1;
        const std::size_t width = static_cast<std::size_t>(std::max(parameters.pixels_per_line, 0));
        const std::size_t lineBytes = static_cast<std::size_t>(std::max(parameters.bytes_per_line, 0));
        const bool depthOk = depth == 1 || depth == 8 || depth == 16;
        if (width == 0 || !depthOk || (depth == 1 && colour) ||
            lineBytes < (width * channels * static_cast<std::size_t>(depth) + 7) / 8 ||
            width > 65536) {
            error = "the scanner reported a page Kelmio cannot read";
            return std::nullopt;
        }
        frame.clear();
        if (!ReadFrame(session, parameters, frame, error)) return std::nullopt;
        const std::size_t lines = frame.size() / lineBytes;
        if (lines == 0) {
            error = "the scanner sent no lines";
            return std::nullopt;
        }
        if (page.bytes.empty()) {
            page.cx = static_cast<int>(width);
            page.cy = static_cast<int>(lines);
            page.bytes.assign(width * lines * 3, 0);
        } else if (static_cast<std::size_t>(page.cx) != width || static_cast<std::size_t>(page.cy) != lines) {
            error = "the colour frames of the page differ in size";
            return std::nullopt;
        }
        // Frames of one colour (red, green or blue) fill their channel only.
        int only = -1;
        if (parameters.format == SANE_FRAME_RED) only = 0;
        if (parameters.format == SANE_FRAME_GREEN) only = 1;
        if (parameters.format == SANE_FRAME_BLUE) only = 2;
        std::vector<std::uint8_t> line(lineBytes);
        for (std::size_t y = 0; y < lines; ++y) {
            std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(y * lineBytes), lineBytes, line.begin());
            for (std::size_t x = 0; x < width; ++x) {
                std::uint8_t* pixel = page.bytes.data() + (y * width + x) * 3;
                if (colour) {
                    for (int c = 0; c < 3; ++c) pixel[c] = Sample(line, depth, x * 3 + static_cast<std::size_t>(c));
                } else if (only >= 0) {
                    pixel[only] = Sample(line, depth, x);
                } else {
                    pixel[0] = pixel[1] = pixel[2] = Sample(line, depth, x);
                }
            }
        }
        last = parameters.last_frame != SANE_FALSE;
    }
    return page;
}

}  // namespace kelmio
