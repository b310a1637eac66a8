// A stand-in for the SANE library, for the scanner's tests: one device whose
// frames follow a script the test sets through StandInSaneScript. It sends
// whatever the script says, however unlikely, so the scanner's checks can be
// seen at work. Counters tell how often it was asked to start and to read.

#include <sane/sane.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Script {
    std::vector<SANE_Parameters> frames;  // the k-th start announces frames[min(k, last)]
    long frameBytes = -1;                 // bytes each frame sends; -1: what it announces
};

// A backend that never ends the page would run the caller out of patience:
// this one gives up after so many starts.
constexpr int kMostStarts = 100;

Script g_script;
int g_starts = 0;
long g_reads = 0;
long g_left = 0;  // bytes still to send of the current frame
long g_sent = 0;  // bytes sent of the current frame

int g_handle = 0;

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void StandInSaneScript(const SANE_Parameters* frames, int count,
                                                              long frameBytes) {
    g_script.frames.assign(frames, frames + count);
    g_script.frameBytes = frameBytes;
    g_starts = 0;
    g_reads = 0;
}

__attribute__((visibility("default"))) int StandInSaneStarts() { return g_starts; }
__attribute__((visibility("default"))) long StandInSaneReads() { return g_reads; }

__attribute__((visibility("default"))) SANE_Status sane_init(SANE_Int* version, SANE_Auth_Callback) {
    if (version != nullptr) *version = SANE_VERSION_CODE(1, 0, 0);
    return SANE_STATUS_GOOD;
}

__attribute__((visibility("default"))) void sane_exit() {}

__attribute__((visibility("default"))) SANE_Status sane_get_devices(const SANE_Device*** list, SANE_Bool) {
    static const SANE_Device device{"stand-in:0", "Kelmio", "Stand-in", "scanner"};
    static const SANE_Device* devices[] = {&device, nullptr};
    *list = devices;
    return SANE_STATUS_GOOD;
}

__attribute__((visibility("default"))) SANE_Status sane_open(SANE_String_Const name, SANE_Handle* handle) {
    if (std::strcmp(name, "stand-in:0") != 0) return SANE_STATUS_INVAL;
    *handle = &g_handle;
    return SANE_STATUS_GOOD;
}

__attribute__((visibility("default"))) void sane_close(SANE_Handle) {}

static const SANE_Parameters& Current() {
    const std::size_t index = std::min<std::size_t>(static_cast<std::size_t>(std::max(g_starts - 1, 0)),
                                                    g_script.frames.size() - 1);
    return g_script.frames[index];
}

__attribute__((visibility("default"))) SANE_Status sane_start(SANE_Handle) {
    if (g_script.frames.empty() || g_starts >= kMostStarts) return SANE_STATUS_NO_DOCS;
    ++g_starts;
    const SANE_Parameters& frame = Current();
    g_left = g_script.frameBytes >= 0 ? g_script.frameBytes : static_cast<long>(frame.bytes_per_line) * frame.lines;
    g_sent = 0;
    return SANE_STATUS_GOOD;
}

__attribute__((visibility("default"))) SANE_Status sane_get_parameters(SANE_Handle, SANE_Parameters* parameters) {
    if (g_starts == 0) return SANE_STATUS_INVAL;
    *parameters = Current();
    return SANE_STATUS_GOOD;
}

// The bytes count up from 0 within each frame, so every sample is known.
__attribute__((visibility("default"))) SANE_Status sane_read(SANE_Handle, SANE_Byte* data, SANE_Int most,
                                                             SANE_Int* length) {
    ++g_reads;
    *length = 0;
    if (g_left <= 0) return SANE_STATUS_EOF;
    const long count = std::min<long>(g_left, most);
    for (long i = 0; i < count; ++i) data[i] = static_cast<SANE_Byte>(g_sent + i);
    g_sent += count;
    g_left -= count;
    *length = static_cast<SANE_Int>(count);
    return SANE_STATUS_GOOD;
}

__attribute__((visibility("default"))) void sane_cancel(SANE_Handle) {}

__attribute__((visibility("default"))) SANE_String_Const sane_strstatus(SANE_Status status) {
    return status == SANE_STATUS_NO_DOCS ? "Document feeder out of documents" : "Stand-in failure";
}

}  // extern "C"
