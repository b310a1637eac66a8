#include "imaging/image_display.h"

#include "imaging/image_save_options.h"
#include "imaging/save_by_extension.h"
#include "imaging/spi_control.h"
#include "platform/file_error.h"
#include "platform/overwrite_question.h"
#include "platform/settings.h"
#include "project/kelmio_data.h"
#include "text/cp932.h"

namespace kelmio {
namespace {

// The base name (no folder, no extension) of a file, in its own bytes: the
// suggested name of a saved image keeps the source's name whatever it holds.
CFilePath BaseNameOf(const CFilePath& path) {
    const CFilePath file = path.FileName();
    const std::string& name = file.Native();
    return CFilePath::FromNative(std::string_view(name).substr(0, name.rfind('.')));
}

// The folder holding a file (up to its last "/").
CFilePath FolderOf(const CFilePath& path) {
    const std::string& native = path.Native();
    const std::size_t last = native.rfind('/');
    return last == std::string::npos ? CFilePath() : CFilePath::FromNative(std::string_view(native).substr(0, last));
}

// The name with ".<extension>" appended to its own bytes.
CFilePath WithExtension(const CFilePath& path, std::string_view extension) {
    std::string native = path.Native();
    native += '.';
    native += extension;
    return CFilePath::FromNative(native);
}

}  // namespace

std::string CannotShowMessage(const CFilePath& path) {
    std::string text = SjisText("表示できません：");
    text += path.Display();
    return text;
}

std::string ProcessingFailedMessage() { return SjisText("処理が失敗しました"); }

CImageDisplay::CImageDisplay(CSettings& settings, CPrompter& prompter, CImageSaveChooser& chooser)
    : m_settings(settings), m_prompter(prompter), m_chooser(chooser) {
    m_bImagePure = settings.GetInt("View", "ImagePure", 0) != 0;
    m_zoom.m_bFitWindow = settings.GetInt("View", "WindowSize", 0) != 0;
    m_nPureLevel = settings.GetInt("View", "PureLevel", 10);
}

bool CImageDisplay::ShowImageFile(const CFilePath& pathRef) {
    const CFilePath path(pathRef);  // the name may be m_strPath itself
    m_strPath = path;
    m_bImageModified = false;
    m_bScanKept = false;
    // An undo copy of another file must never come back over this one.
    m_imageUndo.Free();
    Changed();
    const bool loaded = m_image.LoadFile(path) || (m_pPlugins != nullptr && LoadSusieImage(*m_pPlugins, m_image, path));
    if (!loaded) {
        m_image.Free();
        m_prompter.Message(CannotShowMessage(path), MessageButtons::kOk, MessageIcon::kExclamation);
        m_strPath = CFilePath();
        return false;
    }
    return Show();
}

bool CImageDisplay::ShowMemoryImage() {
    m_strPath = CFilePath();
    Changed();
    const bool shown = Show();
    m_bImageModified = shown && (m_bImageModified || m_bScanKept);
    return shown;
}

bool CImageDisplay::Show() {
    if (m_image.GetBitCount() < 32) m_image.ConvertColor(32, 0, false);
    return true;
}

void CImageDisplay::LeaveImage() {
    m_image.Free();
    m_imageUndo.Free();
    m_strPath = CFilePath();
    m_bImageModified = false;
    m_bScanKept = false;
    Changed();
}

ImageSize CImageDisplay::GetDisplaySize(ImageSize client) const {
    return kelmio::GetDisplaySize(m_zoom, m_image.GetSize(), client);
}

void CImageDisplay::FitWindow() {
    m_settings.WriteInt("View", "WindowSize", 1);
    ZoomFitWindow(m_zoom);
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

CFilePath ImageSaveTarget(const CFilePath& path, int filterIndex) {
    return SaveFormatOfPath(path) ? path : WithExtension(path, ExtensionOfImageType(filterIndex));
}

bool CImageDisplay::SaveAs(const CFilePath& target) {
    const ImageSaveResult result = SaveByExtension(m_image, target, m_settings);
    Changed();  // a colour conversion may have changed the image
    if (!result) return ReportSaveFailure(result);
    m_strPath = target;
    return true;
}

bool CImageDisplay::SaveImageAs(CKelmioData& project, const CFilePath& projectPath) {
    if (m_image.IsEmpty()) return false;  // nothing scanned or shown yet
    const int saveType = ReadImageSaveType(m_settings);
    CFileDialogEx dialog;
    dialog.m_bOpen = false;
    dialog.m_strDefExt = ExtensionOfImageType(saveType);
    const CFilePath& source = project.m_strSrcFile;
    dialog.m_strFileName = WithExtension(source.empty() ? CFilePath(SjisText("新規イメージ")) : BaseNameOf(source),
                                         dialog.m_strDefExt);
    dialog.m_nFlags = kOverwritePrompt | kHideReadOnly | kPathMustExist | kNoChangeDir;
    dialog.m_strFilter = ImageSaveFilter();
    dialog.m_owner = DialogOwner::kMainWindow;
    dialog.m_strTitle = ImageSaveTitle();
    dialog.m_nFilterIndex = saveType;
    const CFilePath folder = FolderOf(source.empty() ? projectPath : source);
    const FileDialogResult chosen = m_chooser.ChooseImageFile(dialog, folder);
    if (chosen.nResult != kIdOk) return false;
    WriteImageSaveChoice(m_settings, chosen.strPath, chosen.nFilterIndex);
    // The dialog asked about the name as typed; the file written may be
    // another one, which must not be replaced without the same question.
    const CFilePath target = ImageSaveTarget(chosen.strPath, chosen.nFilterIndex);
    if (!MayReplaceAddedName(m_prompter, chosen.strPath, target)) return false;
    if (!SaveAs(target)) return false;
    project.SetSource(m_strPath);
    m_bImageModified = false;
    m_bScanKept = false;
    return true;
}

bool CImageDisplay::QuerySaveImage(CKelmioData& project, const CFilePath& projectPath) {
    if (!m_bImageModified) return true;
    const Answer answer =
        m_prompter.Message(SjisText("画像を保存しますか？"), MessageButtons::kYesNoCancel, MessageIcon::kQuestion);
    if (answer == Answer::kNo) return true;
    if (answer != Answer::kYes) return false;
    const CFilePath source = project.m_strSrcFile;
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

void CImageDisplay::AcceptScan(CImageKit scanned, CKelmioData& project, const CFilePath& projectPath) {
    m_image = std::move(scanned);
    m_imageUndo.Free();
    Changed();
    const Answer answer =
        m_prompter.Message(SjisText("ファイルに保存しますか？"), MessageButtons::kOkCancel, MessageIcon::kQuestion);
    m_bScanKept = true;
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
