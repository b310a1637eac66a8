// kelmio-cli text detect|load|save: a text source's encoding and line end,
// its text as the source pane holds it (UTF-8 for a Unicode source), and
// saving text back the way a converted source is saved. The encoding
// numbers are those of TextEncoding: 10 and 11 UTF-16 LE and BE without a
// byte-order mark, 12 and 13 a file that only looks like UTF-16 (shown,
// never saved).

#include <nlohmann/json.hpp>

#include <charconv>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "encoding/text_source.h"
#include "platform/file_io.h"

namespace kelmio::cli {
namespace {

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

int Detect(const std::string& path) {
    std::optional<FileError> error;
    const std::optional<TextSourceKind> kind = DetectTextFile(CFilePath::FromNative(path), error);
    if (!kind) {
        PrintError(FileErrorMessage(*error));
        return 1;
    }
    const nlohmann::json json = {{"encoding", EncodingNumber(kind->encoding)}, {"line_end", LineEndNumber(kind->lineEnd)}};
    WriteStdout(json.dump() + "\n");
    return 0;
}

int Load(const std::string& path) {
    // A Unicode source prints as UTF-8, the others as their Shift-JIS bytes,
    // written while they are converted.
    const LoadedTextSource source = LoadTextSourceInPieces(CFilePath::FromNative(path), [](std::string_view piece) {
        WriteStdout(piece);
        return true;
    });
    if (source.status != TextLoadStatus::kLoaded) {
        PrintError(source.message);
        return 1;
    }
    return 0;
}

int Save(const Args& args) {
    const std::string& path = args[1];
    std::optional<int> encoding;
    std::optional<int> lineEnd;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == "--encoding") encoding = ParseInt(args[i + 1]);
        else if (args[i] == "--line-end") lineEnd = ParseInt(args[i + 1]);
        else return UsageError("unknown option: " + args[i]);
    }
    if (args.size() % 2 != 0 || !encoding || !lineEnd) {
        return UsageError("text save needs FILE --encoding E --line-end L");
    }
    const std::optional<LineEnd> lineEndKind = LineEndFromNumber(*lineEnd);
    if (!lineEndKind) return UsageError("L must be -1, 0, 1 or 2");
    const std::optional<TextEncoding> encodingKind = EncodingFromNumber(*encoding);
    if (!encodingKind) return UsageError("E must be 0, 1, 2 or 4 to 13");
    if (IsReadOnlyEncoding(*encodingKind)) {
        // Detected for a file that only looks like UTF-16: never written in that guess.
        PrintError("E " + std::to_string(*encoding) + " is a file shown read-only: it is never saved");
        return 1;
    }

    const TextSourceKind kind{*encodingKind, *lineEndKind};
    TextSaveResult saved;
    if (!IsUnicodeEncoding(kind.encoding) && LoadsByConversion(kind)) {
        // Converted as it is read, a block at a time.
        saved = SaveConvertedTextFrom(CFilePath::FromNative(path), kind, ReadStdinBlock);
    } else {
        // A Unicode source takes UTF-8 text, as load prints it.
        std::string text = ReadStdin();
        const SourceText source = IsUnicodeEncoding(kind.encoding) ? SourceText(Utf8SourceText{std::move(text)})
                                                                   : SjisSourceText{std::move(text)};
        saved = SaveTextSource(CFilePath::FromNative(path), source, kind);
    }
    if (saved.error) {
        PrintError(FileErrorMessage(*saved.error));
        return 1;
    }
    if (saved.unmapped > 0) {
        std::cerr << "kelmio-cli: " << saved.unmapped
                  << " characters have no form in that encoding and were written unchanged\n";
    }
    return 0;
}

}  // namespace

int RunTextCommand(const Args& args) {
    if (args.size() >= 2 && args[0] == "detect" && args.size() == 2) return Detect(args[1]);
    if (args.size() >= 2 && args[0] == "load" && args.size() == 2) return Load(args[1]);
    if (args.size() >= 2 && args[0] == "save") return Save(args);
    return UsageError("text needs: detect FILE | load FILE | save FILE --encoding E --line-end L");
}

}  // namespace kelmio::cli
