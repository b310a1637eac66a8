#include "imaging/sane_scanner.h"

#include <cstdint>
#include <vector>

#include "imaging/sane_page.h"

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

// Reads one frame's bytes; false with `error` set on failure or when the
// backend sends more than it announced or than the page may hold.
bool ReadFrame(const CSaneSession& session, const SaneFrameShape& shape, std::vector<std::uint8_t>& bytes,
               std::string& error) {
    // Announced and checked: worth making room for at once.
    if (shape.knownLines) bytes.reserve(shape.maxBytes);
    SANE_Byte buffer[65536];
    for (;;) {
        SANE_Int length = 0;
        const SANE_Status status = session.Sane().read(session.Handle(), buffer, sizeof buffer, &length);
        if (status == SANE_STATUS_EOF) return true;
        if (status != SANE_STATUS_GOOD) {
            error = Text(session.Sane().strStatus(status));
            return false;
        }
        if (length < 0 || static_cast<std::size_t>(length) > sizeof buffer ||
            bytes.size() + static_cast<std::size_t>(length) > shape.maxBytes) {
            error = shape.knownLines ? "the scanner sent more than it announced" : "the page is larger than Kelmio accepts";
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
    for (int frames = 1;; ++frames) {
        if (const SANE_Status status = sane->start(session.Handle()); status != SANE_STATUS_GOOD) {
            error = Text(sane->strStatus(status));
            return std::nullopt;
        }
        SANE_Parameters parameters{};
        if (sane->getParameters(session.Handle(), &parameters) != SANE_STATUS_GOOD) {
            error = "the scanner gave no page size";
            return std::nullopt;
        }
        const std::optional<SaneFrameShape> shape = CheckSaneFrame(parameters, kMaxPageBytes, error);
        if (!shape) return std::nullopt;
        frame.clear();
        if (!ReadFrame(session, *shape, frame, error) || !AddSaneFrame(*shape, frame, page, error)) return std::nullopt;
        if (parameters.last_frame != SANE_FALSE) break;
        if (frames == kMaxSaneFrames) {
            error = "the scanner sent more frames than a page has";
            return std::nullopt;
        }
    }
    return page;
}

}  // namespace kelmio
