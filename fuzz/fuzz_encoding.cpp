// Text sources over arbitrary bytes: detection, the four conversions, the
// load, and formatting the loaded text for saving; Unicode sources must
// survive load and save unchanged; the pane's piecewise conversion of the
// loaded text, cut anywhere, must give the whole text's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "encoding/conversion.h"
#include "encoding/detection.h"
#include "encoding/text_source.h"
#include "encoding/unicode_source.h"
#include "text/cp932.h"
#include "viewer/source_text.h"

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

    using kelmio::LineEnd;
    using kelmio::TextEncoding;
    for (const TextEncoding encoding :
         {TextEncoding::kUtf8, TextEncoding::kUtf8Bom, TextEncoding::kUtf16LeBom, TextEncoding::kUtf16BeBom}) {
        (void)kelmio::DetectUnicodeLineEnd(bytes, encoding);
        (void)kelmio::DecodeUnicodeSource(bytes, encoding, LineEnd::kLf);
        (void)kelmio::EncodeUnicodeSource(bytes, encoding, LineEnd::kCr);
    }

    const kelmio::LoadedTextSource source = kelmio::LoadTextSourceBytes(std::string(bytes));
    if (source.status != kelmio::TextLoadStatus::kLoaded) return 0;
    if (kelmio::IsUnicodeEncoding(source.kind.encoding)) {
        // A Unicode source must come back byte for byte.
        const std::string saved = kelmio::SourceFileBytes(source.text, source.kind);
        const bool utf16 =
            source.kind.encoding == TextEncoding::kUtf16LeBom || source.kind.encoding == TextEncoding::kUtf16BeBom;
        if (!(utf16 && size % 2 != 0) && saved != bytes) std::abort();
        return 0;
    }
    // A Japanese source's text is Shift-JIS, whatever form it is saved in.
    const std::string& sjis = std::get<kelmio::SjisSourceText>(source.text).bytes;
    std::string utf8;
    kelmio::CUtf8PieceFeed feed(7, [&utf8](std::string_view piece) { utf8.append(piece); });
    const std::size_t cut = size == 0 ? 0 : data[0] % (sjis.size() + 1);
    feed.Take(std::string_view(sjis).substr(0, cut));
    feed.Take(std::string_view(sjis).substr(cut));
    feed.Finish();
    if (utf8 != kelmio::Cp932ToUtf8(sjis)) std::abort();
    for (const TextEncoding encoding : {TextEncoding::kJis, TextEncoding::kEucJp, source.kind.encoding}) {
        (void)kelmio::FormatConvertedText(sjis, {encoding, source.kind.lineEnd});
    }
    return 0;
}
