#pragma once
// The pages the browser shows for sources it cannot show as they are: an
// information page (name, size, dates) for programs and Sprigbox files, and
// a page that embeds an audio or video file in a player.
//
// The page is written in Shift-JIS without a character-set declaration
// (the browser's default character set is Shift_JIS) under one fixed name,
// "MorvaHtmlPreview.html", in a per-user folder closed to others
// (platform/private_folder.h). It is written to a new file beside it and
// renamed over the old page, so a link planted under the page's name is
// replaced, never followed.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_path.h"

namespace kelmio {

class CPrompter;

// What the information page tells about the file.
struct PreviewFileStatus {
    std::int64_t size = 0;
    std::optional<std::time_t> created;   // creation time; the last change when the file system keeps none
    std::optional<std::time_t> modified;
};

// The status of the file at `path`; a file that cannot be read shows
// size 0 and no dates.
PreviewFileStatus ReadPreviewFileStatus(const CFilePath& path);

// Page bodies, Shift-JIS. Times are shown in local time. The file is
// referred to by its Shift-JIS name, or, when it has none, by its own bytes
// percent-encoded, so the page always points at that very file.
std::string MakeInfoPageBody(const CFilePath& path, std::string_view title, const PreviewFileStatus& status);
// `clientHeight` is the pane's height; the player gets 50 pixels less when
// `withHeight` (video) is set.
std::string MakeMediaPageBody(const CFilePath& path, bool withHeight, int clientHeight);

// The whole file text around a body.
std::string PreviewPageText(std::string_view body);

// The page's path in `folder` (Shift-JIS), with exactly one separator.
std::string PreviewPagePath(std::string_view folder);

// Writes a file's text in one piece; every failing step gives its message
// ("...に失敗しました:" and the path), and a file not closed successfully
// never replaces the old one.
class CTextFileWriter {
public:
    CTextFileWriter() = default;
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    // Each returns the message of its failure, nullopt on success.
    std::optional<std::string> OpenOutput(std::string_view sjisPath);
    std::optional<std::string> WriteString(std::string_view text);
    std::optional<std::string> CloseOutput();

private:
    std::string Failure(const char* step) const;
    void Discard();

    int m_fd = -1;
    std::string m_strPath;      // Shift-JIS, as the messages show it
    std::string m_strTarget;    // native path of the file to replace
    std::string m_strTemp;      // native path written to until the close
};

// Writes the page text of `body` into `folder`; a failure is shown (OK
// only) and the path is returned all the same, so the browser shows what
// the file holds.
std::string WritePreviewPage(CPrompter& prompter, std::string_view folder, std::string_view body);

}  // namespace kelmio
