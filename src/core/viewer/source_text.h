#pragma once
// A text source in the source pane: loading it for the pane, the question
// before an edited text is left, and saving it back in its own encoding
// and line ends.
//
// The pane holds UTF-8. A Unicode source is UTF-8 already; every other
// text is Shift-JIS in the core and is converted on its way to and from
// the pane. Nothing is lost silently: a save that cannot give back every
// character asks first.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "encoding/text_source.h"
#include "platform/file_path.h"
#include "text/utf8_piece_feed.h"

namespace kelmio {

class CPrompter;
class CSettings;

enum class PaneLoadOutcome {
    kShown,       // `text` is for the pane
    kNotFound,    // "ファイルが見つかりません" was shown; the pane keeps what it had
    kToBrowser,   // no room for the text: the message was shown, the browser shows the file
};

struct PaneTextSource {
    PaneLoadOutcome outcome = PaneLoadOutcome::kShown;
    TextSourceKind kind;
    SourceText text;
};

PaneTextSource LoadTextForPane(CPrompter& prompter, const CFilePath& path);

// Where a load that streams puts the text: `begin` learns the room to
// reserve, once, before the first piece; `append` takes the pane's UTF-8 in
// pieces cut at character boundaries.
struct PaneLoadTarget {
    std::function<void(std::size_t utf8Room)> begin;
    std::function<void(std::string_view utf8)> append;
};

struct PaneStreamResult {
    PaneLoadOutcome outcome = PaneLoadOutcome::kShown;
    TextSourceKind kind;
    bool started = false;  // `begin` was called: after a failure the pane holds part of the text
};

// LoadTextForPane for a pane that takes the text as it is read: a Japanese
// (not Unicode) file is read, converted and handed on a block at a time, so
// neither its bytes nor its Shift-JIS text are ever whole in memory. The
// pieces joined are what ForEachPaneChunk gives for LoadTextForPane's text;
// the messages are the same.
PaneStreamResult StreamTextForPane(CPrompter& prompter, const CFilePath& path, std::size_t chunk,
                                   const PaneLoadTarget& target);

// True when a source of this kind is held as UTF-8 (a Unicode source).
bool HoldsUtf8(TextSourceKind kind);

// Hands the text to `append` as UTF-8 pieces of about `chunk` bytes, cut
// at character boundaries, so that a large text never exists twice in
// full.
void ForEachPaneChunk(const SourceText& text, std::size_t chunk,
                      const std::function<void(std::string_view utf8)>& append);

// The size of the UTF-8 pieces ForEachPaneChunk gives, as Cp932ToUtf8-
// SizeEstimate tells it: the room the pane reserves before it takes them.
std::size_t PaneTextSizeEstimate(const SourceText& text);

// Leaving an edited text: true when it is to be saved. "System"/"Save" 0
// saves without asking; otherwise "変更されています。保存しますか？".
bool QuerySaveSourceText(const CSettings& settings, CPrompter& prompter);
// The same question whatever the setting says: after a save that did not
// happen, the text is dropped only when the user says so.
bool AskSaveSourceText(CPrompter& prompter);

// Saves the pane's text (UTF-8) as the file, atomically. Characters that
// the file's encoding cannot hold are counted first and the user is asked
// before they are lost; a failed save shows the file error and leaves the
// old file as it was. A file whose encoding is only a guess
// (IsReadOnlyEncoding) is never written: the user is told why
// (ReadOnlySourceMessage). True when the file was written.
bool SaveSourceText(CPrompter& prompter, const CFilePath& path, std::string_view paneUtf8, TextSourceKind kind);

// Why the pane of a source in a guessed encoding is read-only (Shift-JIS).
const std::string& ReadOnlySourceMessage();

// The number of characters of the pane's text that the file's encoding
// cannot hold.
std::size_t CountUnsavable(std::string_view paneUtf8, TextSourceKind kind);

}  // namespace kelmio
