#include "encoding/text_source.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

#include "encoding/conversion.h"
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
    const bool crOnly = kind.lineEnd == kLineEndCr;

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
        if (kind.encoding == kEncodingJis) JisToSjis(piece, state, text);
        else if (kind.encoding == kEncodingEucJp) EucToSjis(piece, text);
        else text.append(piece);
        if (crOnly) ExpandCrFrom(text, start);
        text += "\r\n";
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    return text;
}

std::string_view LineEndBytes(int lineEnd) {
    switch (lineEnd) {
    case kLineEndLf: return "\n";
    case kLineEndCr: return "\r";
    default: return "\r\n";  // also for a file that had none
    }
}

// Reads a file block by block for the detection, so it stops where the
// answer is known.
class CFileBlocks {
public:
    explicit CFileBlocks(std::string_view sjisPath)
        : m_fd(::open(ToNativePath(sjisPath).c_str(), O_RDONLY | O_CLOEXEC)), m_nError(m_fd < 0 ? errno : 0) {}
    ~CFileBlocks() {
        if (m_fd >= 0) ::close(m_fd);
    }
    CFileBlocks(const CFileBlocks&) = delete;
    CFileBlocks& operator=(const CFileBlocks&) = delete;

    int Error() const { return m_nError; }
    bool Rewind() { return ::lseek(m_fd, 0, SEEK_SET) == 0; }

    std::size_t Read(char* buffer, std::size_t size) {
        if (m_nError != 0) return 0;
        while (true) {
            const ssize_t n = ::read(m_fd, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) {
                m_nError = errno;
                return 0;
            }
        }
    }

private:
    int m_fd;
    int m_nError;
};

}  // namespace

bool LoadsByConversion(TextSourceKind kind) {
    return kind.encoding == kEncodingJis || kind.encoding == kEncodingEucJp || kind.lineEnd == kLineEndCr;
}

std::optional<TextSourceKind> DetectTextFile(std::string_view sjisPath, std::optional<FileError>& error) {
    CFileBlocks file(sjisPath);
    const auto fromStart = [&file](auto detect) {
        if (file.Error() != 0 || !file.Rewind()) return kEncodingAscii;  // the error is reported below
        CByteReader reader([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); });
        return detect(reader);
    };
    TextSourceKind kind;
    std::optional<int> unicode;
    fromStart([&unicode](CByteReader& reader) {
        unicode = DetectUnicode(reader);
        return 0;
    });
    if (unicode) {
        kind.encoding = *unicode;
        kind.lineEnd = fromStart([&kind](CByteReader& reader) { return DetectUnicodeLineEnd(reader, kind.encoding); });
    } else {
        kind.encoding = fromStart([](CByteReader& reader) { return DetectEncoding(reader); });
        kind.lineEnd = fromStart([](CByteReader& reader) { return DetectLineEnd(reader); });
    }
    if (file.Error() != 0) {
        error = FileError{CauseFromErrno(file.Error()), std::string(sjisPath)};
        return std::nullopt;
    }
    return kind;
}

LoadedTextSource LoadTextSourceBytes(std::string bytes) {
    LoadedTextSource result;
    if (const std::optional<int> unicode = DetectUnicode(bytes)) {
        result.kind = {*unicode, DetectUnicodeLineEnd(bytes, *unicode)};
        result.text = DecodeUnicodeSource(bytes, result.kind.encoding, result.kind.lineEnd);
        result.converted = true;
        return result;
    }
    result.kind.encoding = DetectEncoding(bytes);
    result.kind.lineEnd = DetectLineEnd(bytes);
    if (!LoadsByConversion(result.kind)) {
        result.text = std::move(bytes);
        return result;
    }
    try {
        result.text = ConvertForPane(bytes, result.kind);
        result.converted = true;
    } catch (const std::bad_alloc&) {
        result.status = TextLoadStatus::kOutOfMemory;
        result.message = OutOfMemoryMessage();
    }
    return result;
}

LoadedTextSource LoadTextSource(std::string_view sjisPath) {
    FileReadResult file = ReadWholeFile(sjisPath);
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
        if (kind.encoding == kEncodingJis) missing += SjisToJis(line, state, bytes).unmapped;
        else if (kind.encoding == kEncodingEucJp) missing += SjisToEuc(line, bytes).unmapped;
        else bytes.append(line);
        bytes.append(separator);
        pos = crlf == std::string_view::npos ? text.size() : crlf + 2;
    }
    if (unmapped != nullptr) *unmapped = missing;
    return bytes;
}

TextSaveResult SaveTextSource(std::string_view sjisPath, std::string_view text, TextSourceKind kind) {
    TextSaveResult result;
    if (IsUnicodeEncoding(kind.encoding)) {
        result.error = SaveFileAtomically(sjisPath, EncodeUnicodeSource(text, kind.encoding, kind.lineEnd, &result.unmapped));
    } else if (LoadsByConversion(kind)) {
        result.error = SaveFileAtomically(sjisPath, FormatConvertedText(text, kind, &result.unmapped));
    } else {
        result.error = SaveFileAtomically(sjisPath, text);
    }
    return result;
}

}  // namespace kelmio
