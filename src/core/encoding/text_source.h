#pragma once
// Loading a plain-text source into the form the source pane edits, and
// saving the edited text back in the file's own encoding and line-end kind.
//
// A JIS or EUC-JP file, or one whose lines end in CR alone, is converted
// line by line into Shift-JIS with CR LF line ends; every other file is
// taken as its bytes. Saving reverses the conversion for the files that
// went through it. Unicode sources (UTF-8, UTF-16, with or without a
// byte-order mark; encoding/unicode_source.h) are held as UTF-8 with CR LF
// lines and saved back in their own encoding and line ends, a mark only
// where the file had one. A file that only looks like UTF-16
// (IsReadOnlyEncoding) is shown the same way but never saved. Lines of any
// length are read and written whole, and the lines are the text's own
// (CR LF separated), never the wrapped lines on the screen.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "encoding/text_encoding.h"
#include "platform/file_error.h"
#include "platform/file_io.h"

namespace kelmio {

enum class TextLoadStatus {
    kLoaded,
    kNotFound,      // the file could not be read
    kOutOfMemory,   // no room for the converted text: show the file in the browser instead
};

struct TextSourceKind {
    TextEncoding encoding = TextEncoding::kAscii;
    LineEnd lineEnd = LineEnd::kNone;
};

// The text the pane holds, in one of its two forms; the type says which.
struct SjisSourceText {
    std::string bytes;  // Shift-JIS: a Japanese or plain ASCII source
};
struct Utf8SourceText {
    std::string bytes;  // UTF-8 with CR LF lines: a Unicode source
};
using SourceText = std::variant<SjisSourceText, Utf8SourceText>;

struct LoadedTextSource {
    TextLoadStatus status = TextLoadStatus::kLoaded;
    TextSourceKind kind;
    bool converted = false;           // went through the line-by-line conversion
    SourceText text;
    std::string message;              // Shift-JIS, for the user, when not loaded
    std::optional<FileError> error;   // the cause, when the file could not be read
};

struct TextSaveResult {
    std::optional<FileError> error;   // the old file is unchanged when set
    std::size_t unmapped = 0;         // characters with no form in the file's encoding, written as they were
};

// The messages (Shift-JIS) of a source that could not be read, and of one
// too large for the pane (the browser shows it instead): the same for every
// kind of source the pane shows.
const std::string& SourceNotFoundMessage();
const std::string& SourceTooLargeMessage();

// The encoding and line-end kind of a file, reading only as much of it as
// the answer needs. nullopt (and `error` set) when it cannot be read.
std::optional<TextSourceKind> DetectTextFile(const CFilePath& path, std::optional<FileError>& error);

// True when a Japanese (not Unicode) source of this kind is converted line
// by line on loading and saving.
bool LoadsByConversion(TextSourceKind kind);

LoadedTextSource LoadTextSource(const CFilePath& path);
// The same for bytes already in memory (the file's whole content).
LoadedTextSource LoadTextSourceBytes(std::string bytes);
// The same text handed to `sink` in pieces as it is made (about 1 MiB each,
// a Shift-JIS piece possibly ending inside a character; a Unicode source in
// one piece), for a caller that only passes it on; the
// result holds no text. Once the sink returns false the rest is dropped.
// `onKind`, when set, learns the file's kind before the first piece, and so
// the form the pieces come in: UTF-8 for a Unicode source, else Shift-JIS.
using KindSink = std::function<void(TextSourceKind kind)>;
LoadedTextSource LoadTextSourceInPieces(const CFilePath& path, const ByteSink& sink, const KindSink& onKind = {});

// The bytes a converted text is saved as: every CR LF separated line of
// `text` converted for `kind.encoding` (JIS or EUC-JP, else unchanged) and
// followed by the line end of `kind.lineEnd` (CR LF for a file that had none).
std::string FormatConvertedText(std::string_view text, TextSourceKind kind, std::size_t* unmapped = nullptr);
// The same bytes handed to `sink` in pieces as they are made (about 1 MiB
// each, in order), for a save that writes while it converts. Once the sink
// returns false the rest is converted only to count `unmapped`.
void FormatConvertedTextInPieces(std::string_view text, TextSourceKind kind, const ByteSink& sink,
                                 std::size_t* unmapped = nullptr);

// The bytes of a file of `kind` holding `text`: encoded for a Unicode kind,
// converted line by line where loading converted, else as they are. A text
// in the other form than the kind's is converted first; characters lost on
// the way count as unmapped.
std::string SourceFileBytes(const SourceText& text, TextSourceKind kind, std::size_t* unmapped = nullptr);

// Saves Shift-JIS text read block by block from `read` (same contract as
// CFileReader::Read: 0 at the end) as a converted source of `kind`
// (LoadsByConversion true), converting lines as they arrive: the file gets
// exactly FormatConvertedText of all the text, which is never whole in memory.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;
TextSaveResult SaveConvertedTextFrom(const CFilePath& path, TextSourceKind kind, const ByteSource& read);

// Saves the pane's text as the file it was loaded from, atomically. Not
// for a kind whose encoding is read-only: the caller refuses that save.
TextSaveResult SaveTextSource(const CFilePath& path, const SourceText& text, TextSourceKind kind);

}  // namespace kelmio
