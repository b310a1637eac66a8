// The recovery entry reader over arbitrary bytes, both as a whole file and
// as a body behind a valid header of each version (so the fuzzer gets past
// the checksum).
// Whatever it accepts must survive a write and a second read unchanged, and
// its source text, whatever encoding it names, must turn into the pane's
// text and the file's bytes without harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "recovery/recovery_entry.h"
#include "recovery/recovery_source.h"
#include "stream/archive_stream.h"

namespace {

void Check(std::string_view bytes) {
    const std::optional<kelmio::CRecoveryEntry> entry = kelmio::ReadRecoveryEntry(bytes);
    if (!entry) return;
    const std::string written = kelmio::WriteRecoveryEntry(*entry);
    const std::optional<kelmio::CRecoveryEntry> again = kelmio::ReadRecoveryEntry(written);
    if (!again || !(*again == *entry)) std::abort();
    if (entry->m_source) {
        (void)kelmio::EditFromRecoverySource(*entry->m_source);
        (void)kelmio::RecoverySourceFileBytes(*entry->m_source);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    for (const std::uint32_t version : {kelmio::kRecoveryVersionSjisPaths, kelmio::kRecoveryVersion}) {
        kelmio::CArchiveWriter framed;
        framed.WriteBytes(std::string_view("KELMREC\x1a", 8));
        framed.WriteDword(version);
        framed.WriteQword(bytes.size());
        framed.WriteQword(kelmio::Fnv1a64(bytes));
        framed.WriteBytes(bytes);
        Check(framed.Bytes());
    }
    return 0;
}
