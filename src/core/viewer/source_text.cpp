#include "viewer/source_text.h"

#include <algorithm>
#include <utility>

#include "platform/file_io.h"
#include "platform/prompter.h"
#include "platform/settings.h"
#include "text/cp932.h"
#include "text/sjis.h"
#include "viewer/view_settings.h"

namespace kelmio {
namespace {

// The source's text from the pane and how many characters it cannot hold:
// those without a Shift-JIS form, and for a JIS or EUC-JP file those
// without a place in JIS X 0208.
struct PaneSourceText {
    SourceText text;
    std::size_t lost = 0;
};

PaneSourceText ToSourceText(std::string_view paneUtf8, TextSourceKind kind) {
    if (HoldsUtf8(kind)) return {Utf8SourceText{std::string(paneUtf8)}, 0};
    ConversionResult sjis = Utf8ToCp932Checked(paneUtf8);
    PaneSourceText result{SjisSourceText{std::move(sjis.text)}, sjis.unconvertible};
    if (LoadsByConversion(kind)) {
        std::size_t unmapped = 0;
        SourceFileBytes(result.text, kind, &unmapped);
        result.lost += unmapped;
    }
    return result;
}

// Room for the pane's UTF-8: the file's first MiB, loaded as the pane
// takes it, tells how much the text grows, and the whole file gets a little
// more than that. Too little costs the widget one move as it grows; too
// much is touched by the first edit, which moves the widget's gap to it.
std::size_t PaneRoomForFile(const CFilePath& path) {
    constexpr std::size_t kSample = std::size_t{1} << 20;
    CFileReader file(path);
    const std::size_t size = std::min(file.Size(), kLargestTextFile);
    std::string sample(std::min(size, kSample), '\0');
    std::size_t read = 0;
    while (read < sample.size()) {
        const std::size_t n = file.Read(sample.data() + read, sample.size() - read);
        if (n == 0) break;
        read += n;
    }
    sample.resize(read);
    if (sample.empty()) return size;
    const LoadedTextSource start = LoadTextSourceBytes(sample);
    const std::size_t grown = start.status == TextLoadStatus::kLoaded ? PaneTextSizeEstimate(start.text) : 2 * read;
    const double growth = static_cast<double>(grown) / static_cast<double>(read);
    return static_cast<std::size_t>(static_cast<double>(size) * growth * 1.02);
}

std::string LossQuestion(std::size_t count) {
    return SjisText("このファイルの文字コードで表せない文字が") + std::to_string(count) +
           SjisText("個あります。\n保存するとその文字は失われます。保存しますか？");
}

}  // namespace

bool HoldsUtf8(TextSourceKind kind) { return IsUnicodeEncoding(kind.encoding); }

PaneTextSource LoadTextForPane(CPrompter& prompter, const CFilePath& path) {
    LoadedTextSource loaded = LoadTextSource(path);
    PaneTextSource pane;
    pane.kind = loaded.kind;
    switch (loaded.status) {
    case TextLoadStatus::kLoaded:
        pane.text = std::move(loaded.text);
        return pane;
    case TextLoadStatus::kNotFound:
        pane.outcome = PaneLoadOutcome::kNotFound;
        break;
    case TextLoadStatus::kOutOfMemory:
        pane.outcome = PaneLoadOutcome::kToBrowser;
        break;
    }
    prompter.Message(loaded.message, MessageButtons::kOk, MessageIcon::kExclamation);
    return pane;
}

PaneStreamResult StreamTextForPane(CPrompter& prompter, const CFilePath& path, std::size_t chunk,
                                   const PaneLoadTarget& target) {
    PaneStreamResult result;
    CUtf8PieceFeed feed(chunk, target.append);
    const auto onKind = [&](TextSourceKind kind) {
        feed.SetUtf8(HoldsUtf8(kind));
        target.begin(PaneRoomForFile(path));
        result.started = true;
    };
    const auto sink = [&feed](std::string_view piece) {
        feed.Take(piece);
        return true;
    };
    const LoadedTextSource loaded = LoadTextSourceInPieces(path, sink, onKind);
    result.kind = loaded.kind;
    switch (loaded.status) {
    case TextLoadStatus::kLoaded:
        feed.Finish();
        return result;
    case TextLoadStatus::kNotFound:
        result.outcome = PaneLoadOutcome::kNotFound;
        break;
    case TextLoadStatus::kOutOfMemory:
        result.outcome = PaneLoadOutcome::kToBrowser;
        break;
    }
    prompter.Message(loaded.message, MessageButtons::kOk, MessageIcon::kExclamation);
    return result;
}

void ForEachPaneChunk(const SourceText& source, std::size_t chunk,
                      const std::function<void(std::string_view utf8)>& append) {
    const bool utf8 = std::holds_alternative<Utf8SourceText>(source);
    const std::string_view text =
        utf8 ? std::string_view(std::get<Utf8SourceText>(source).bytes) : std::get<SjisSourceText>(source).bytes;
    const std::size_t size = std::max<std::size_t>(chunk, 4);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t target = std::min(text.size(), pos + size);
        std::size_t end = target;
        if (utf8) {
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
            append(text.substr(pos, end - pos));
        } else {
            // Walk whole characters, so a piece never ends on a lead byte.
            end = pos;
            while (end < target) end += CharLengthAt(text, end);
            append(Cp932ToUtf8(text.substr(pos, end - pos)));
        }
        pos = end;
    }
}

std::size_t PaneTextSizeEstimate(const SourceText& source) {
    if (const auto* utf8 = std::get_if<Utf8SourceText>(&source)) return utf8->bytes.size();
    return Cp932ToUtf8SizeEstimate(std::get<SjisSourceText>(source).bytes);
}

bool QuerySaveSourceText(const CSettings& settings, CPrompter& prompter) {
    return SavesSourceWithoutAsking(settings) || AskSaveSourceText(prompter);
}

bool AskSaveSourceText(CPrompter& prompter) {
    static const std::string question = SjisText("変更されています。保存しますか？");
    return prompter.Message(question, MessageButtons::kYesNo, MessageIcon::kQuestion) == Answer::kYes;
}

std::size_t CountUnsavable(std::string_view paneUtf8, TextSourceKind kind) {
    return ToSourceText(paneUtf8, kind).lost;
}

const std::string& ReadOnlySourceMessage() {
    static const std::string text = SjisText(
        "このファイルは文字コードを判別できないため、読み取り専用で表示しています。\n保存はできません。");
    return text;
}

bool SaveSourceText(CPrompter& prompter, const CFilePath& path, std::string_view paneUtf8, TextSourceKind kind) {
    if (IsReadOnlyEncoding(kind.encoding)) {
        // Written in a guessed encoding, the file could come back as garbage.
        prompter.Message(ReadOnlySourceMessage(), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    const PaneSourceText text = ToSourceText(paneUtf8, kind);
    const std::size_t lost = text.lost;
    if (lost > 0 &&
        prompter.Message(LossQuestion(lost), MessageButtons::kYesNo, MessageIcon::kExclamation) != Answer::kYes) {
        return false;
    }
    const TextSaveResult saved = SaveTextSource(path, text.text, kind);
    if (saved.error) {
        prompter.Message(FileErrorMessage(*saved.error), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    return true;
}

}  // namespace kelmio
