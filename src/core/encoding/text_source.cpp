#include "encoding/text_source.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "encoding/conversion.h"
#include "encoding/detection.h"
#include "encoding/unicode_source.h"
#include "encoding/utf16_detection.h"
#include "platform/file_io.h"
#include "text/cp932.h"

namespace kelmio {

const std::string& SourceNotFoundMessage() {
    static const std::string text = SjisText("ファイルが見つかりません");
    return text;
}

const std::string& SourceTooLargeMessage() {
    static const std::string text =
        SjisText("メモリ不足のため、十分な編集領域が確保できませんでした。\nブラウザモードに移行します");
    return text;
}

namespace {

LoadedTextSource TooLargeToLoad() {
    LoadedTextSource result;
    result.status = TextLoadStatus::kOutOfMemory;
    result.message = SourceTooLargeMessage();
    return result;
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

// How often `byte` occurs, hopping from one to the next with memchr: line
// ends are far apart, and a byte-by-byte count costs as much as converting.
std::size_t CountByte(std::string_view bytes, char byte) {
    std::size_t count = 0;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (const void* found = std::memchr(p, byte, static_cast<std::size_t>(end - p))) {
        ++count;
        p = static_cast<const char*>(found) + 1;
    }
    return count;
}

// The converted text of a JIS, EUC-JP or CR-only file, appended to `text`.
// Lines are cut as the Windows C library reads in text mode: CR LF reads as
// LF, and each piece up to an LF loses that line end and one more CR; a
// CR-only file arrives as one piece whose CRs become CR LF. A Ctrl-Z is
// data like any other byte (the text mode would end the input there and
// lose the rest of the file at the next save). With a sink, `text` goes to
// it whenever it holds a piece's worth (and at the end), so the whole text
// is never kept.
void ConvertForPane(std::string_view bytes, TextSourceKind kind, CJisState& state, std::string& text,
                    const ByteSink* sink) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    const bool crOnly = kind.lineEnd == LineEnd::kCr;

    // Exact room for the result, so the text is allocated once: a piece
    // never grows in conversion, each LF becomes CR LF, and in a CR-only
    // file each CR becomes CR LF. Pieces for a sink need a piece's room.
    const std::size_t lfs = CountByte(bytes, '\n');
    const std::size_t crs = crOnly ? CountByte(bytes, '\r') : 0;
    const std::size_t whole = bytes.size() + lfs + crs + 2;
    text.reserve(sink != nullptr ? std::min(whole, 2 * kPiece) : whole);

    std::size_t pos = 0;
    bool writing = true;
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
        if (sink != nullptr && text.size() >= kPiece) {
            if (writing) writing = (*sink)(text);
            text.clear();
        }
    }
    if (sink != nullptr) {
        if (writing && !text.empty()) (*sink)(text);
        text.clear();
    }
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

// The kind of a source whose bytes `fromStart` hands to a detector, from
// the first byte each time: a byte-order mark or UTF-8, then UTF-16 told by
// its zero bytes, then the Japanese encodings.
template <class FromStart>
TextSourceKind DetectKind(const FromStart& fromStart) {
    std::optional<TextEncoding> unicode = fromStart([](CByteReader& reader) { return DetectUnicode(reader); });
    if (!unicode) unicode = fromStart([](CByteReader& reader) { return DetectUtf16WithoutMark(reader); });
    if (unicode) {
        const TextEncoding encoding = *unicode;
        return {encoding, fromStart([encoding](CByteReader& reader) { return DetectUnicodeLineEnd(reader, encoding); })};
    }
    return {fromStart([](CByteReader& reader) { return DetectEncoding(reader); }),
            fromStart([](CByteReader& reader) { return DetectLineEnd(reader); })};
}

}  // namespace

bool LoadsByConversion(TextSourceKind kind) {
    return kind.encoding == TextEncoding::kJis || kind.encoding == TextEncoding::kEucJp || kind.lineEnd == LineEnd::kCr;
}

std::optional<TextSourceKind> DetectTextFile(const CFilePath& path, std::optional<FileError>& error) {
    // Each question reads from the start, and only as far as its answer needs.
    CFileReader file(path);
    const TextSourceKind kind = DetectKind([&file](auto detect) {
        file.Rewind();  // a failure shows in Error(), and the reads then give nothing
        CByteReader reader([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); });
        return detect(reader);
    });
    if (file.Error()) {
        error = file.Error();
        return std::nullopt;
    }
    return kind;
}

namespace {

// The load of a file's bytes; with a sink the text goes to it (in pieces
// where it is converted) and the result holds none.
LoadedTextSource LoadBytes(std::string bytes, const ByteSink* sink, const KindSink* onKind = nullptr) {
    LoadedTextSource result;
    result.kind = DetectKind([&bytes](auto detect) {
        CByteReader reader(bytes);
        return detect(reader);
    });
    if (IsUnicodeEncoding(result.kind.encoding)) {
        if (onKind != nullptr && *onKind) (*onKind)(result.kind);
        std::string text = DecodeUnicodeSource(bytes, result.kind.encoding, result.kind.lineEnd);
        if (sink != nullptr) (*sink)(text);
        else result.text = Utf8SourceText{std::move(text)};
        result.converted = true;
        return result;
    }
    if (onKind != nullptr && *onKind) (*onKind)(result.kind);
    if (!LoadsByConversion(result.kind)) {
        if (sink != nullptr) (*sink)(bytes);
        else result.text = SjisSourceText{std::move(bytes)};
        return result;
    }
    try {
        std::string text;
        CJisState state;
        ConvertForPane(bytes, result.kind, state, text, sink);
        if (sink == nullptr) result.text = SjisSourceText{std::move(text)};
        result.converted = true;
    } catch (const std::bad_alloc&) {
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = SourceTooLargeMessage();
    }
    return result;
}

LoadedTextSource LoadFile(const CFilePath& path, const ByteSink* sink, const KindSink* onKind = nullptr) {
    FileReadResult file;
    try {
        file = ReadWholeFile(path);
    } catch (const std::bad_alloc&) {
        LoadedTextSource result;
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = SourceTooLargeMessage();
        return result;
    }
    if (file.bTooLarge) {
        // Beyond what a pane holds: the browser shows the file instead.
        LoadedTextSource result;
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = SourceTooLargeMessage();
        return result;
    }
    if (!file.ok()) {
        LoadedTextSource result;
        result.status = TextLoadStatus::kNotFound;
        result.message = SourceNotFoundMessage();
        result.error = file.error;
        return result;
    }
    return LoadBytes(std::move(file.bytes), sink, onKind);
}

// A converted file read a block at a time: each block's whole pieces (up
// to its last LF) are converted as they come, the rest waits for the next
// block. Splitting after an LF is where the conversion splits the text into
// pieces anyway, and the JIS state carries over, so the result is that of
// the whole file.
LoadedTextSource StreamConvertedFile(const CFilePath& path, TextSourceKind kind, const ByteSink& sink,
                                     const KindSink& onKind) {
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    LoadedTextSource result;
    result.kind = kind;
    result.converted = true;
    CFileReader file(path);
    // The same limit as a whole load, also for a file that grows while it is read.
    if (file.Size() > kLargestTextFile) return TooLargeToLoad();
    if (onKind) onKind(kind);
    std::size_t total = 0;
    std::string pending;
    std::string text;
    CJisState state;
    bool writing = true;
    const ByteSink latched = [&](std::string_view piece) { return writing = writing && sink(piece); };
    while (writing) {
        const std::size_t start = pending.size();
        pending.resize(start + kBlock);
        const std::size_t n = file.Read(pending.data() + start, kBlock);
        pending.resize(start + n);
        if (n == 0) break;
        total += n;
        if (total > kLargestTextFile) return TooLargeToLoad();
        const std::size_t lastLf = std::string_view(pending).substr(start).rfind('\n');
        if (lastLf == std::string_view::npos) continue;
        ConvertForPane(std::string_view(pending).substr(0, start + lastLf + 1), kind, state, text, &latched);
        pending.erase(0, start + lastLf + 1);
    }
    if (file.Error()) {
        result.status = TextLoadStatus::kNotFound;
        result.message = SourceNotFoundMessage();
        result.error = file.Error();
        return result;
    }
    if (writing) ConvertForPane(pending, kind, state, text, &latched);
    return result;
}

// A file taken as its bytes (Shift-JIS or ASCII, not converted) passed on
// a block at a time; a block may end inside a character.
LoadedTextSource StreamFileAsIs(const CFilePath& path, TextSourceKind kind, const ByteSink& sink,
                                const KindSink& onKind) {
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    LoadedTextSource result;
    result.kind = kind;
    CFileReader file(path);
    if (file.Size() > kLargestTextFile) return TooLargeToLoad();
    if (onKind) onKind(kind);
    std::string block(kBlock, '\0');
    std::size_t total = 0;
    bool writing = true;
    while (writing) {
        const std::size_t n = file.Read(block.data(), block.size());
        if (n == 0) break;
        total += n;
        if (total > kLargestTextFile) return TooLargeToLoad();
        writing = sink(std::string_view(block).substr(0, n));
    }
    if (file.Error()) {
        result.status = TextLoadStatus::kNotFound;
        result.message = SourceNotFoundMessage();
        result.error = file.Error();
    }
    return result;
}

}  // namespace

LoadedTextSource LoadTextSourceBytes(std::string bytes) { return LoadBytes(std::move(bytes), nullptr); }

LoadedTextSource LoadTextSource(const CFilePath& path) { return LoadFile(path, nullptr); }

LoadedTextSource LoadTextSourceInPieces(const CFilePath& path, const ByteSink& sink, const KindSink& onKind) {
    // Detection reads only the start of the file; a Japanese file is then
    // read (and converted) a block at a time, so it is never whole in memory.
    std::optional<FileError> error;
    const std::optional<TextSourceKind> kind = DetectTextFile(path, error);
    if (!kind || IsUnicodeEncoding(kind->encoding)) return LoadFile(path, &sink, &onKind);
    try {
        if (!LoadsByConversion(*kind)) return StreamFileAsIs(path, *kind, sink, onKind);
        return StreamConvertedFile(path, *kind, sink, onKind);
    } catch (const std::bad_alloc&) {
        return TooLargeToLoad();
    }
}

void FormatConvertedTextInPieces(std::string_view text, TextSourceKind kind, const ByteSink& sink,
                                 std::size_t* unmapped) {
    // Lines are converted into one buffer that goes to the sink whenever it
    // holds a piece's worth, so the text is converted once, in one pass.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    const std::string_view separator = LineEndBytes(kind.lineEnd);
    std::string bytes;
    bytes.reserve(std::min(text.size() + text.size() / 4 + 16, kPiece + kPiece / 2));
    CJisState state;
    std::size_t missing = 0;
    std::size_t pos = 0;
    bool writing = true;
    while (pos < text.size()) {
        const std::size_t crlf = text.find("\r\n", pos);
        const std::size_t stop = crlf == std::string_view::npos ? text.size() : crlf;
        const std::string_view line = text.substr(pos, stop - pos);
        if (kind.encoding == TextEncoding::kJis) missing += SjisToJis(line, state, bytes).unmapped;
        else if (kind.encoding == TextEncoding::kEucJp) missing += SjisToEuc(line, bytes).unmapped;
        else bytes.append(line);
        bytes.append(separator);
        pos = crlf == std::string_view::npos ? text.size() : crlf + 2;
        if (bytes.size() >= kPiece && writing) {
            writing = sink(bytes);
            bytes.clear();
        }
    }
    if (writing && !bytes.empty()) sink(bytes);
    if (unmapped != nullptr) *unmapped = missing;
}

std::string FormatConvertedText(std::string_view text, TextSourceKind kind, std::size_t* unmapped) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 4 + 16);
    FormatConvertedTextInPieces(
        text, kind,
        [&bytes](std::string_view piece) {
            bytes.append(piece);
            return true;
        },
        unmapped);
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

TextSaveResult SaveConvertedTextFrom(const CFilePath& path, TextSourceKind kind, const ByteSource& read) {
    // Whole lines are converted as soon as their CR LF has come: a line
    // converts the same whatever comes after it (JIS ends every line in
    // ASCII mode), so the pieces join to the conversion of the whole text.
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    TextSaveResult result;
    result.error = SaveFileAtomically(path, [&](const ByteSink& sink) {
        std::string pending;
        pending.reserve(2 * kBlock);
        bool writing = true;
        const ByteSink pass = [&](std::string_view piece) { return writing = writing && sink(piece); };
        const auto convert = [&](std::string_view lines) {
            std::size_t missing = 0;
            FormatConvertedTextInPieces(lines, kind, pass, &missing);
            result.unmapped += missing;
        };
        while (true) {
            const std::size_t start = pending.size();
            pending.resize(start + kBlock);
            const std::size_t n = read(pending.data() + start, kBlock);
            pending.resize(start + n);
            if (n == 0) break;
            // Up to the last CR LF whose LF is here; a CR at the end may be
            // the first half of one.
            // Only the new bytes (and the one before them) need searching.
            const std::size_t from = start > 0 ? start - 1 : 0;
            const std::size_t found = std::string_view(pending).substr(from).rfind("\r\n");
            if (found == std::string_view::npos) continue;
            const std::size_t lastLf = from + found;
            convert(std::string_view(pending).substr(0, lastLf + 2));
            pending.erase(0, lastLf + 2);
        }
        convert(pending);
    });
    return result;
}

TextSaveResult SaveTextSource(const CFilePath& path, const SourceText& text, TextSourceKind kind) {
    TextSaveResult result;
    const auto* sjis = std::get_if<SjisSourceText>(&text);
    if (sjis != nullptr && !IsUnicodeEncoding(kind.encoding) && LoadsByConversion(kind)) {
        // The common case of a large converted source: converted while it
        // is written, without a second copy of the whole text.
        result.error = SaveFileAtomically(path, [&](const ByteSink& sink) {
            FormatConvertedTextInPieces(sjis->bytes, kind, sink, &result.unmapped);
        });
        return result;
    }
    result.error = SaveFileAtomically(path, SourceFileBytes(text, kind, &result.unmapped));
    return result;
}

}  // namespace kelmio
