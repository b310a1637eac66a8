// RTF from disk: reading must take any bytes; what it reads must write out
// as RTF that reads back as the same model and writes the same bytes again,
// also after the pane's editing operations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "viewer/rtf_reader.h"
#include "viewer/rtf_writer.h"

namespace {

void CheckStable(const kelmio::CRtfDocument& document) {
    const std::string written = kelmio::WriteRtf(document);
    const kelmio::CRtfReadResult reread = kelmio::ReadRtf(written);
    if (!reread.ok() || reread.HasUnkeptContent() || !(reread.m_document == document)) std::abort();
    if (kelmio::WriteRtf(reread.m_document) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const kelmio::CRtfReadResult result = kelmio::ReadRtf(bytes);
    if (!result.ok()) return 0;
    const kelmio::CRtfDocument& first = result.m_document;
    CheckStable(first);

    kelmio::CRtfDocument edited = first;
    const std::size_t length = edited.Length();
    kelmio::CRtfFormatChange change;
    change.m_bItalic = true;
    change.m_bUnderline = false;
    change.m_strFace = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D";  // ＭＳ 明朝
    change.m_color = kelmio::CRtfColor{255, 0, 0};
    edited.ApplyFormat(length / 3, length - length / 4, change);
    edited.InsertText(length / 2, "a\n\xE8\xA1\xA8\\{");
    edited.DeleteText(length / 5, length / 5 + 7);
    if (edited.Length() > length + 5) std::abort();
    CheckStable(edited);
    return 0;
}
