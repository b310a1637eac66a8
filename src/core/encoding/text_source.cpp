#include "encoding/text_source.h"

#include <algorithm>
#include <new>

#include "encoding/conversion.h"
#include "encoding/detection.h"
#include "encoding/unicode_source.h"
#include "platform/file_io.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

constexpr char kCtrlZ = '\x1A';

const std::string& NotFoundMessage() {
    static const std::string text = SjisText("ファイルが見つかりません");
    return text;
}

const std::string& OutOfMemoryMessage() {
    static const std::string text =
        SjisText("メモリ不足のため、十分な編集領域が確保できませんでした。\nブラウザモードに移行します");
    return text;
}

// Replaces every CR from `start` on by CR LF, in place, working from the
// back so that each byte moves once.
void ExpandCrFrom(std::string& text, std::size_t start) {
    const std::size_t crs = static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), '\r'));
    if (crs == 0) return;
    std::size_t from = text.size();
    text.resize(text.size() + crs);
    std::size_t to = text.size();
    while (from > start) {
        const char c = text[--from];
        if (c == '\r') text[--to] = '\n';
        text[--to] = c;
    }
}

// The converted text of a JIS, EUC-JP or CR-only file. The file is read as
// the Windows C library reads in text mode: a Ctrl-Z ends the input and CR
// LF reads as LF. Each piece up to an LF loses that line end and one more
// CR; a CR-only file arrives as one piece whose CRs become CR LF.
std::string ConvertForPane(std::string_view bytes, TextSourceKind kind) {
    bytes = bytes.substr(0, std::min(bytes.find(kCtrlZ), bytes.size()));
    const bool crOnly = kind.lineEnd == LineEnd::kCr;

    // Exact room for the result, so the text is allocated once: a piece
    // never grows in conversion, each LF becomes CR LF, and in a CR-only
    // file each CR becomes CR LF.
    const auto lfs = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    const auto crs = crOnly ? static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) : 0;
    std::string text;
    text.reserve(bytes.size() + lfs + crs + 2);

    CJisState state;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        const std::size_t stop = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view piece = bytes.substr(pos, stop - pos);
        if (lf != std::string_view::npos && !piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);

        const std::size_t start = text.size();
        if (kind.encoding == TextEncoding::kJis) JisToSjis(piece, state, text);
        else if (kind.encoding == TextEncoding::kEucJp) EucToSjis(piece, text);
        else text.append(piece);
        if (crOnly) ExpandCrFrom(text, start);
        text += "\r\n";
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    return text;
}

std::string_view LineEndBytes(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::kLf: return "\n";
    case LineEnd::kCr: return "\r";
    case LineEnd::kCrLf:
    case LineEnd::kNone: break;
    }
    return "\r\n";  // also for a file that had none
}

}  // namespace

bool LoadsByConversion(TextSourceKind kind) {
    return kind.encoding == TextEncoding::kJis || kind.encoding == TextEncoding::kEucJp || kind.lineEnd == LineEnd::kCr;
}

std::optional<TextSourceKind> DetectTextFile(std::string_view sjisPath, std::optional<FileError>& error) {
    // Each question reads from the start, and only as far as its answer needs.
    CFileReader file(sjisPath);
    const auto fromStart = [&file](auto detect) {
        file.Rewind();  // a failure shows in Error(), and the reads then give nothing
        CByteReader reader([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); });
        return detect(reader);
    };
    TextSourceKind kind;
    const std::optional<TextEncoding> unicode = fromStart([](CByteReader& reader) { return DetectUnicode(reader); });
    if (unicode) {
        kind.encoding = *unicode;
        kind.lineEnd = fromStart([&kind](CByteReader& reader) { return DetectUnicodeLineEnd(reader, kind.encoding); });
    } else {
        kind.encoding = fromStart([](CByteReader& reader) { return DetectEncoding(reader); });
        kind.lineEnd = fromStart([](CByteReader& reader) { return DetectLineEnd(reader); });
    }
    if (file.Error()) {
        error = file.Error();
        return std::nullopt;
    }
    return kind;
}

LoadedTextSource LoadTextSourceBytes(std::string bytes) {
    LoadedTextSource result;
    if (const std::optional<TextEncoding> unicode = DetectUnicode(bytes)) {
        result.kind = {*unicode, DetectUnicodeLineEnd(bytes, *unicode)};
        result.text = Utf8SourceText{DecodeUnicodeSource(bytes, result.kind.encoding, result.kind.lineEnd)};
        result.converted = true;
        return result;
    }
    result.kind.encoding = DetectEncoding(bytes);
    result.kind.lineEnd = DetectLineEnd(bytes);
    if (!LoadsByConversion(result.kind)) {
        result.text = SjisSourceText{std::move(bytes)};
        return result;
    }
    try {
        result.text = SjisSourceText{ConvertForPane(bytes, result.kind)};
        result.converted = true;
    } catch (const std::bad_alloc&) {
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = OutOfMemoryMessage();
    }
    return result;
}

LoadedTextSource LoadTextSource(std::string_view sjisPath) {
    FileReadResult file;
    try {
        file = ReadWholeFile(sjisPath);
    } catch (const std::bad_alloc&) {
        LoadedTextSource result;
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = OutOfMemoryMessage();
        return result;
    }
    if (file.bTooLarge) {
        // Beyond what a pane holds: the browser shows the file instead.
        LoadedTextSource result;
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = OutOfMemoryMessage();
        return result;
    }
    if (!file.ok()) {
        LoadedTextSource result;
        result.status = TextLoadStatus::kNotFound;
        result.message = NotFoundMessage();
        result.error = file.error;
        return result;
    }
    return LoadTextSourceBytes(std::move(file.bytes));
}

std::string FormatConvertedText(std::string_view text, TextSourceKind kind, std::size_t* unmapped) {
    const std::string_view separator = LineEndBytes(kind.lineEnd);
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 4 + 16);
    CJisState state;
    std::size_t missing = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t crlf = text.find("\r\n", pos);
        const std::size_t stop = crlf == std::string_view::npos ? text.size() : crlf;
        const std::string_view line = text.substr(pos, stop - pos);
        if (kind.encoding == TextEncoding::kJis) missing += SjisToJis(line, state, bytes).unmapped;
        else if (kind.encoding == TextEncoding::kEucJp) missing += SjisToEuc(line, bytes).unmapped;
        else bytes.append(line);
        bytes.append(separator);
        pos = crlf == std::string_view::npos ? text.size() : crlf + 2;
    }
    if (unmapped != nullptr) *unmapped = missing;
    return bytes;
}

std::string SourceFileBytes(const SourceText& text, TextSourceKind kind, std::size_t* unmapped) {
    std::size_t lost = 0;
    std::size_t missing = 0;
    std::string bytes;
    if (IsUnicodeEncoding(kind.encoding)) {
        if (const auto* sjis = std::get_if<SjisSourceText>(&text)) {
            bytes = EncodeUnicodeSource(Cp932ToUtf8(sjis->bytes), kind.encoding, kind.lineEnd, &missing);
        } else {
            bytes = EncodeUnicodeSource(std::get<Utf8SourceText>(text).bytes, kind.encoding, kind.lineEnd, &missing);
        }
    } else {
        ConversionResult converted;
        const std::string* sjis = nullptr;
        if (const auto* utf8 = std::get_if<Utf8SourceText>(&text)) {
            converted = Utf8ToCp932Checked(utf8->bytes);
            lost = converted.unconvertible;
            sjis = &converted.text;
        } else {
            sjis = &std::get<SjisSourceText>(text).bytes;
        }
        bytes = LoadsByConversion(kind) ? FormatConvertedText(*sjis, kind, &missing) : *sjis;
    }
    if (unmapped != nullptr) *unmapped = lost + missing;
    return bytes;
}

TextSaveResult SaveTextSource(std::string_view sjisPath, const SourceText& text, TextSourceKind kind) {
    TextSaveResult result;
    result.error = SaveFileAtomically(sjisPath, SourceFileBytes(text, kind, &result.unmapped));
    return result;
}

}  // namespace kelmio
