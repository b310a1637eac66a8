// A stand-in for the SANE library, loaded by the scanner code in place of
// libsane: every answer of its scanner comes from a script the fuzz target
// hands it, and it counts the sessions and devices opened and closed.
//
// The script, read as the calls come: sane_start takes one byte (0 starts
// the frame, others end the scan with a status), sane_get_parameters takes
// fifteen (format, last frame, depth, then bytes per line, pixels per line
// and lines as little-endian 32-bit numbers), sane_read takes one byte n: 0xFF is the end of the frame, 0xFE an
// I/O error, any other gives n bytes of the script.
#include <sane/sane.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

struct Script {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    int sessions = 0;  // sane_init less sane_exit
    int devices = 0;   // sane_open less sane_close

    std::uint8_t Byte() { return at < size ? data[at++] : 0xFF; }
    std::int32_t Number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{Byte()} << (8 * i);
        return static_cast<std::int32_t>(value);
    }
};

Script g_script;

SANE_Device g_device{"standin:0", "Kelmio", "stand-in", "flatbed scanner"};
const SANE_Device* g_deviceList[] = {&g_device, nullptr};

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void kelmio_standin_script(const std::uint8_t* data, std::size_t size) {
    g_script = Script{data, size, 0, g_script.sessions, g_script.devices};
}

__attribute__((visibility("default"))) int kelmio_standin_open_sessions() { return g_script.sessions; }
__attribute__((visibility("default"))) int kelmio_standin_open_devices() { return g_script.devices; }

SANE_Status sane_init(SANE_Int* version, SANE_Auth_Callback) {
    if (version != nullptr) *version = SANE_VERSION_CODE(1, 0, 0);
    ++g_script.sessions;
    return SANE_STATUS_GOOD;
}

void sane_exit() { --g_script.sessions; }

SANE_Status sane_get_devices(const SANE_Device*** list, SANE_Bool) {
    *list = g_deviceList;
    return SANE_STATUS_GOOD;
}

SANE_Status sane_open(SANE_String_Const, SANE_Handle* handle) {
    ++g_script.devices;
    *handle = &g_script;
    return SANE_STATUS_GOOD;
}

void sane_close(SANE_Handle) { --g_script.devices; }

SANE_Status sane_start(SANE_Handle) {
    const std::uint8_t status = g_script.Byte();
    return status == 0 ? SANE_STATUS_GOOD : static_cast<SANE_Status>(status % 12);
}

SANE_Status sane_get_parameters(SANE_Handle, SANE_Parameters* parameters) {
    parameters->format = static_cast<SANE_Frame>(g_script.Byte() % 5);
    parameters->last_frame = g_script.Byte() & 1;
    parameters->depth = g_script.Byte();
    parameters->bytes_per_line = g_script.Number();
    parameters->pixels_per_line = g_script.Number();
    parameters->lines = g_script.Number();
    return SANE_STATUS_GOOD;
}

SANE_Status sane_read(SANE_Handle, SANE_Byte* buffer, SANE_Int room, SANE_Int* length) {
    *length = 0;
    const std::uint8_t count = g_script.Byte();
    if (count == 0xFF) return SANE_STATUS_EOF;
    if (count == 0xFE) return SANE_STATUS_IO_ERROR;
    const std::size_t given = std::min({std::size_t{count}, g_script.size - g_script.at, static_cast<std::size_t>(room)});
    std::memcpy(buffer, g_script.data + g_script.at, given);
    g_script.at += given;
    *length = static_cast<SANE_Int>(given);
    return SANE_STATUS_GOOD;
}

void sane_cancel(SANE_Handle) {}

SANE_String_Const sane_strstatus(SANE_Status status) { return status == SANE_STATUS_IO_ERROR ? "I/O error" : "other"; }

}  // extern "C"
