#include "viewer/preview_page.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/runtime_folder.h"
#include "platform/prompter.h"
#include "text/cp932.h"
#include "text/sjis.h"
#include "viewer/html_tag.h"

namespace kelmio {
namespace {

constexpr std::string_view kPreviewFileName = "MorvaHtmlPreview.html";

std::string FormatTime(const std::optional<std::time_t>& time) {
    if (!time) return {};
    std::tm local {};
    if (::localtime_r(&*time, &local) == nullptr) return {};
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M", &local);
    return std::string(buffer, length);
}

std::string FolderOf(const std::string& native) {
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : native.substr(0, slash);
}

// Characters that would end the page's quoted address, open markup or
// change which file it names; they are percent-encoded in an address.
bool IsUnsafeInAddress(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || std::string_view("\"<>&%#?").find(static_cast<char>(byte)) != std::string_view::npos;
}

// How the page names the file: its Shift-JIS name as always (but for the
// characters above), else its bytes with everything but unreserved
// characters and "/" percent-encoded. `dropEndQuotes`: double quotes at
// either end of the name are left out, as the media tag has always done.
std::string PageReference(const CFilePath& path, bool dropEndQuotes = false) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string reference;
    const auto encode = [&reference](unsigned char byte) { reference.append({'%', kHex[byte >> 4], kHex[byte & 0x0F]}); };
    if (std::optional<std::string> sjis = path.Sjis()) {
        std::string_view name(*sjis);
        while (dropEndQuotes && !name.empty() && name.front() == '"') name.remove_prefix(1);
        while (dropEndQuotes && !name.empty() && name.back() == '"') name.remove_suffix(1);
        for (std::size_t i = 0; i < name.size();) {
            const std::size_t length = CharLengthAt(name, i);
            const auto byte = static_cast<unsigned char>(name[i]);
            if (length == 1 && IsUnsafeInAddress(byte)) encode(byte);
            else reference.append(name.substr(i, length));
            i += length;
        }
        return reference;
    }
    for (const char c : path.Native()) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || std::string_view("-._~/").find(c) != std::string_view::npos) {
            reference += c;
        } else {
            encode(byte);
        }
    }
    return reference;
}

// The name as page text: what HTML would read as markup is written as
// character references.
std::string PageText(std::string_view sjis) {
    std::string text;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharLengthAt(sjis, i);
        switch (length == 1 ? sjis[i] : '\0') {
        case '&': text += "&amp;"; break;
        case '<': text += "&lt;"; break;
        case '>': text += "&gt;"; break;
        case '"': text += "&quot;"; break;
        default: text.append(sjis.substr(i, length)); break;
        }
        i += length;
    }
    return text;
}

}  // namespace

PreviewFileStatus ReadPreviewFileStatus(const CFilePath& path) {
    PreviewFileStatus status;
    struct statx info {};
    if (!IsUsableName(path)) return status;
    const std::string& native = path.Native();
    if (::statx(AT_FDCWD, native.c_str(), 0, STATX_SIZE | STATX_MTIME | STATX_BTIME, &info) != 0) return status;
    status.size = static_cast<std::int64_t>(info.stx_size);
    status.modified = static_cast<std::time_t>(info.stx_mtime.tv_sec);
    status.created = (info.stx_mask & STATX_BTIME) != 0 ? static_cast<std::time_t>(info.stx_btime.tv_sec)
                                                          : status.modified;
    return status;
}

std::string MakeInfoPageBody(const CFilePath& path, std::string_view title, const PreviewFileStatus& status) {
    static const std::string fileName = SjisText("ファイル名：");
    static const std::string size = SjisText("<B>サイズ：</B>");
    static const std::string bytes = SjisText("バイト<br>");
    static const std::string created = SjisText("<B>作成日付：</B>");
    static const std::string modified = SjisText("<B>最終変更日付：</B>");
    std::string body;
    body.append("<H1>").append(title).append("</H1>\n");
    body.append(fileName).append("<A HREF=\"file://").append(PageReference(path)).append("\">");
    body.append(PageText(path.Display())).append("</A>");
    body.append("<BR><HR>\n");
    body.append(size).append(std::to_string(status.size)).append(bytes);
    body.append(created).append(FormatTime(status.created)).append("<BR>\n");
    body.append(modified).append(FormatTime(status.modified)).append("<BR>\n");
    return body;
}

std::string MakeMediaPageBody(const CFilePath& path, bool withHeight, int clientHeight) {
    CHtmlTag tag("<EMBED>");
    tag.SetAttribute("SRC", PageReference(path, true));
    tag.SetAttribute("AUTOSTART", "FALSE");
    if (withHeight) tag.SetAttribute("HEIGHT", std::to_string(clientHeight - 50));
    return tag.ToString();
}

std::string PreviewPageText(std::string_view body) {
    std::string text = "<HTML>\r\n<BODY>";
    text.append(body).append("</BODY>\r\n</HTML>");
    return text;
}

std::string PreviewPagePath(std::string_view folder) { return JoinPath(folder, kPreviewFileName); }

CTextFileWriter::~CTextFileWriter() { Discard(); }

std::string CTextFileWriter::Failure(const char* step) const { return SjisText(step) + ":" + m_strPath; }

void CTextFileWriter::Discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_strTemp.empty()) ::unlink(m_strTemp.c_str());
    m_strTemp.clear();
}

std::optional<std::string> CTextFileWriter::OpenOutput(std::string_view sjisPath) {
    Discard();
    m_strPath = sjisPath;
    m_strTarget = ToNativePath(sjisPath);
    const std::string folder = FolderOf(m_strTarget);
    // Only a folder that is ours alone is written in, and the new file is
    // created exclusively (mkostemp), so no link is ever followed.
    if (!IsPrivateFolder(folder)) return Failure("ファイルのオープンに失敗しました");
    std::string temp = folder + "/.preview.XXXXXX";
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC | O_NOFOLLOW);
    if (m_fd < 0) return Failure("ファイルのオープンに失敗しました");
    m_strTemp = temp;
    return std::nullopt;
}

std::optional<std::string> CTextFileWriter::WriteString(std::string_view text) {
    if (m_fd < 0) return Failure("ファイルの書込に失敗しました");
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(m_fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Failure("ファイルの書込に失敗しました");
        done += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

std::optional<std::string> CTextFileWriter::CloseOutput() {
    if (m_fd < 0) return Failure("ファイルのクローズに失敗しました");
    const int fd = m_fd;
    m_fd = -1;
    const bool closed = ::close(fd) == 0;
    // rename() replaces a link of that name itself, never its target.
    if (!closed || ::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
        Discard();
        return Failure("ファイルのクローズに失敗しました");
    }
    m_strTemp.clear();
    return std::nullopt;
}

std::string WritePreviewPage(CPrompter& prompter, std::string_view folder, std::string_view body) {
    const std::string path = PreviewPagePath(folder);
    CTextFileWriter writer;
    std::optional<std::string> failure = writer.OpenOutput(path);
    if (!failure) failure = writer.WriteString(PreviewPageText(body));
    if (!failure) failure = writer.CloseOutput();
    if (failure) prompter.Message(*failure, MessageButtons::kOk, MessageIcon::kExclamation);
    return path;
}

}  // namespace kelmio
