#include "imaging/image_display.h"

#include "imaging/image_save_options.h"
#include "imaging/save_by_extension.h"
#include "imaging/spi_control.h"
#include "platform/file_error.h"
#include "platform/file_io.h"
#include "platform/settings.h"
#include "project/kelmio_data.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The base name (no folder, no extension) of a Shift-JIS path; folders may
// be separated by "\" or "/", and a "\" may be a trail byte.
std::string BaseNameOf(std::string_view path) {
    std::size_t start = 0;
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            ++i;
            continue;
        }
        if (byte == '\\' || byte == '/') {
            start = i + 1;
            dot = std::string_view::npos;
        } else if (byte == '.') {
            dot = i;
        }
    }
    const std::size_t end = dot == std::string_view::npos ? path.size() : dot;
    return std::string(path.substr(start, end - start));
}

// The folder part (up to the last separator) of a Shift-JIS path.
std::string FolderOf(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            ++i;
            continue;
        }
        if (byte == '\\' || byte == '/') last = i;
    }
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

}  // namespace

std::string CannotShowMessage(std::string_view path) {
    std::string text = SjisText("表示できません：");
    text += path;
    return text;
}

std::string ProcessingFailedMessage() { return SjisText("処理が失敗しました"); }

CImageDisplay::CImageDisplay(CSettings& settings, CPrompter& prompter, CImageSaveChooser& chooser)
    : m_settings(settings), m_prompter(prompter), m_chooser(chooser) {
    m_bImagePure = settings.GetInt("View", "ImagePure", 0) != 0;
    m_zoom.m_bFitWindow = settings.GetInt("View", "WindowSize", 0) != 0;
    m_nPureLevel = settings.GetInt("View", "PureLevel", 10);
}

bool CImageDisplay::ShowImageFile(std::string_view pathView) {
    const std::string path(pathView);  // the view may point into m_strPath
    m_strPath = path;
    m_bImageModified = false;
    // An undo copy of another file must never come back over this one.
    m_imageUndo.Free();
    Changed();
    const bool loaded = m_image.LoadFile(path) || (m_pPlugins != nullptr && LoadSusieImage(*m_pPlugins, m_image, path));
    if (!loaded) {
        m_image.Free();
        m_prompter.Message(CannotShowMessage(path), MessageButtons::kOk, MessageIcon::kExclamation);
        m_strPath.clear();
        return false;
    }
    return Show();
}

bool CImageDisplay::ShowMemoryImage() {
    m_strPath.clear();
    Changed();
    const bool shown = Show();
    m_bImageModified = shown;
    return shown;
}

bool CImageDisplay::Show() {
    if (m_image.GetBitCount() < 32) m_image.ConvertColor(32, 0, false);
    return true;
}

void CImageDisplay::LeaveImage() {
    m_image.Free();
    m_imageUndo.Free();
    m_strPath.clear();
    m_bImageModified = false;
    Changed();
}

ImageSize CImageDisplay::GetDisplaySize(ImageSize client) const {
    return kelmio::GetDisplaySize(m_zoom, m_image.GetSize(), client);
}

ZoomRefresh CImageDisplay::FitWindow() {
    m_settings.WriteInt("View", "WindowSize", 1);
    return ZoomFitWindow(m_zoom);
}

void CImageDisplay::TogglePure() {
    m_bImagePure = !m_bImagePure;
    m_settings.WriteInt("View", "ImagePure", m_bImagePure ? 1 : 0);
}

bool CImageDisplay::Turn(ImageTurn turn) {
    switch (turn) {
        case ImageTurn::kLeft90: return RotateBy(9000);
        case ImageTurn::kRight90: return RotateBy(-9000);
        case ImageTurn::kHalf: return RotateBy(18000);
        case ImageTurn::kFlipVertical:
        case ImageTurn::kFlipHorizontal: break;
    }
    if (m_image.IsEmpty()) return false;
    CImageKit before(m_image);
    if (!m_image.Flip(turn == ImageTurn::kFlipVertical, turn == ImageTurn::kFlipHorizontal)) {
        m_prompter.Message(ProcessingFailedMessage(), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    m_imageUndo = std::move(before);
    m_bImageModified = true;
    Changed();
    return true;
}

bool CImageDisplay::RotateBy(int angle) {
    if (m_image.IsEmpty()) return false;
    CImageKit before(m_image);
    if (!m_image.Rotate(angle, 0)) {
        m_prompter.Message(ProcessingFailedMessage(), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    m_imageUndo = std::move(before);
    m_bImageModified = true;
    Changed();
    return true;
}

bool CImageDisplay::Undo() {
    if (m_imageUndo.IsEmpty()) return false;
    m_image = m_imageUndo;
    Changed();
    return true;
}

bool CImageDisplay::ReportSaveFailure(const ImageSaveResult& result) {
    if (result.fileError) {
        m_prompter.Message(FileErrorMessage(*result.fileError), MessageButtons::kOk, MessageIcon::kExclamation);
    } else {
        m_prompter.Message(ProcessingFailedMessage(), MessageButtons::kOk, MessageIcon::kExclamation);
    }
    return false;
}

bool CImageDisplay::SaveAs(const std::string& path, int filterIndex) {
    std::string target = path;
    // A name without one of the six extensions gets the chosen type's, so
    // the file is written in the format the user picked.
    if (!SaveFormatOfPath(target)) target += "." + ExtensionOfImageType(filterIndex);
    const ImageSaveResult result = SaveByExtension(m_image, target, m_settings);
    Changed();  // a colour conversion may have changed the image
    if (!result) return ReportSaveFailure(result);
    m_strPath = target;
    return true;
}

bool CImageDisplay::SaveImageAs(CKelmioData& project, std::string_view projectPath) {
    if (m_image.IsEmpty()) return false;  // nothing scanned or shown yet
    const int saveType = ReadImageSaveType(m_settings);
    CFileDialogEx dialog;
    dialog.m_bOpen = false;
    dialog.m_strDefExt = ExtensionOfImageType(saveType);
    // Only the suggested name and folder come from the source, so its
    // display form serves.
    const std::string source = project.m_strSrcFile.Display();
    dialog.m_strFileName = (source.empty() ? SjisText("新規イメージ") : BaseNameOf(source)) + "." + dialog.m_strDefExt;
    dialog.m_nFlags = kOverwritePrompt | kHideReadOnly | kPathMustExist | kNoChangeDir;
    dialog.m_strFilter = ImageSaveFilter();
    dialog.m_owner = DialogOwner::kMainWindow;
    dialog.m_strTitle = ImageSaveTitle();
    dialog.m_nFilterIndex = saveType;
    const std::string folder = FolderOf(source.empty() ? projectPath : std::string_view(source));
    const FileDialogResult chosen = m_chooser.ChooseImageFile(dialog, folder);
    if (chosen.nResult != kIdOk) return false;
    // Images are written by their Shift-JIS name: a name without one is
    // refused rather than turned into the name of another file.
    const std::optional<std::string> target = chosen.strPath.Sjis();
    if (!target) {
        m_prompter.Message(BadPathMessage(chosen.strPath), MessageButtons::kOk, MessageIcon::kExclamation);
        return false;
    }
    WriteImageSaveChoice(m_settings, *target, chosen.nFilterIndex);
    if (!SaveAs(*target, chosen.nFilterIndex)) return false;
    project.SetSource(m_strPath);
    m_bImageModified = false;
    return true;
}

bool CImageDisplay::QuerySaveImage(CKelmioData& project, std::string_view projectPath) {
    if (!m_bImageModified) return true;
    const Answer answer =
        m_prompter.Message(SjisText("画像を保存しますか？"), MessageButtons::kYesNoCancel, MessageIcon::kQuestion);
    if (answer == Answer::kNo) return true;
    if (answer != Answer::kYes) return false;
    const std::string source = project.m_strSrcFile.Sjis().value_or(std::string());
    if (source.empty() || !SaveFormatOfPath(source)) {
        // No file to write over, or one in a format Kelmio cannot write:
        // the user names the file, rather than losing the turned image.
        return SaveImageAs(project, projectPath);
    }
    const ImageSaveResult result = SaveByExtension(m_image, source, m_settings);
    Changed();
    if (!result) {
        ReportSaveFailure(result);
        return false;
    }
    m_bImageModified = false;
    return true;
}

void CImageDisplay::AcceptScan(CImageKit scanned, CKelmioData& project, std::string_view projectPath) {
    m_image = std::move(scanned);
    m_imageUndo.Free();
    Changed();
    const Answer answer =
        m_prompter.Message(SjisText("ファイルに保存しますか？"), MessageButtons::kOkCancel, MessageIcon::kQuestion);
    if (answer == Answer::kOk && SaveImageAs(project, projectPath)) return;
    project.SetSource("");
}

void CImageDisplay::StoreViewState(ScrollPoint scroll, CKelmioPosData& pos) const {
    pos.m_nScrollX = scroll.x;
    pos.m_nScrollY = scroll.y;
    StoreZoom(m_zoom, pos);
}

ScrollPoint CImageDisplay::RestoreViewState(const CKelmioPosData& pos) {
    m_zoom = ZoomFromPosData(pos);
    return ScrollPoint{pos.m_nScrollX, pos.m_nScrollY};
}

}  // namespace kelmio
