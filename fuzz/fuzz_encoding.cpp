// Text sources over arbitrary bytes: detection, the four conversions, the
// load, and formatting the loaded text for saving; Unicode sources must
// survive load and save unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "encoding/conversion.h"
#include "encoding/detection.h"
#include "encoding/text_source.h"
#include "encoding/unicode_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)kelmio::DetectEncoding(bytes);
    (void)kelmio::DetectLineEnd(bytes);

    // Reading never makes a line longer: the load sizes its text on that.
    kelmio::CJisState state;
    std::string out;
    kelmio::JisToSjis(bytes, state, out);
    if (out.size() > size) std::abort();
    out.clear();
    kelmio::EucToSjis(bytes, out);
    if (out.size() > size) std::abort();
    kelmio::SjisToJis(bytes, state, out);
    if (state.m_bKanji || state.m_bKana) std::abort();  // every written line ends in ASCII
    kelmio::SjisToEuc(bytes, out);

    for (int encoding = kelmio::kEncodingUtf8; encoding <= kelmio::kEncodingUtf16BeBom; ++encoding) {
        (void)kelmio::DetectUnicodeLineEnd(bytes, encoding);
        (void)kelmio::DecodeUnicodeSource(bytes, encoding, kelmio::kLineEndLf);
        (void)kelmio::EncodeUnicodeSource(bytes, encoding, kelmio::kLineEndCr);
    }

    const kelmio::LoadedTextSource source = kelmio::LoadTextSourceBytes(std::string(bytes));
    if (source.status != kelmio::TextLoadStatus::kLoaded) return 0;
    if (kelmio::IsUnicodeEncoding(source.kind.encoding)) {
        // A Unicode source must come back byte for byte.
        const std::string saved = kelmio::EncodeUnicodeSource(source.text, source.kind.encoding, source.kind.lineEnd);
        const bool oddUtf16 = source.kind.encoding >= kelmio::kEncodingUtf16LeBom && size % 2 != 0;
        if (!oddUtf16 && saved != bytes) std::abort();
        return 0;
    }
    for (const int encoding : {kelmio::kEncodingJis, kelmio::kEncodingEucJp, source.kind.encoding}) {
        (void)kelmio::FormatConvertedText(source.text, {encoding, source.kind.lineEnd});
    }
    return 0;
}
