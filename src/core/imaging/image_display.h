#pragma once
// CImageDisplay: the image half of the source viewer, without widgets.
//
// It holds the current image and the copy taken before the last turn, the
// zoom and fine mode, and whether the image differs from its file; it runs
// the loading, turning, undo, saving and the questions about an unsaved
// image. The viewer window draws what this decides and forwards commands.

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/image_kit.h"
#include "imaging/image_zoom.h"
#include "platform/file_path.h"
#include "platform/prompter.h"

namespace kelmio {

class CKelmioData;
class CKelmioPosData;
class CSettings;
class CSPIControl;

// The image save dialog: the file chooser with the image-format button. The
// application shows the real dialog; tests answer from a script.
class CImageSaveChooser {
public:
    virtual ~CImageSaveChooser() = default;
    // `initialFolder`: the folder the dialog opens in (may be empty).
    virtual FileDialogResult ChooseImageFile(const CFileDialogEx& dialog, const CFilePath& initialFolder) = 0;
};

// The turns and mirrors of the image menu.
enum class ImageTurn { kLeft90, kRight90, kHalf, kFlipVertical, kFlipHorizontal };

class CImageDisplay {
public:
    CImageDisplay(CSettings& settings, CPrompter& prompter, CImageSaveChooser& chooser);

    // The plug-ins that decode what the imaging library does not read.
    void SetPlugins(CSPIControl* plugins) { m_pPlugins = plugins; }

    // Loads and shows an image file. On failure the user is told
    // "表示できません：" and the path, the image is released and the path
    // becomes empty.
    bool ShowImageFile(const CFilePath& path);
    // Shows the image already held without its file: a scan kept in memory,
    // which counts as changed so that closing the project asks about it, or
    // the image of a source that was cleared, which stays as changed as it
    // was.
    bool ShowMemoryImage();
    // Another kind of source is shown: nothing of the image stays in use.
    void LeaveImage();

    const CImageKit& GetImage() const { return m_image; }
    CImageKit& GetImage() { return m_image; }
    const CFilePath& GetPath() const { return m_strPath; }
    bool HasImage() const { return !m_image.IsEmpty(); }
    // Counts changes of the image, so a drawn form knows when it is stale.
    std::uint64_t GetGeneration() const { return m_nGeneration; }

    CImageZoom& Zoom() { return m_zoom; }
    const CImageZoom& Zoom() const { return m_zoom; }
    ImageSize GetDisplaySize(ImageSize client) const;
    // Fit to the window, remembered in View/WindowSize.
    void FitWindow();

    bool IsPure() const { return m_bImagePure; }
    int GetPureLevel() const { return m_nPureLevel; }
    // Toggles fine mode and remembers it in View/ImagePure.
    void TogglePure();

    // Turns or mirrors the image, keeping the image before it for undo.
    // Failure: "処理が失敗しました", the image stays as it was.
    bool Turn(ImageTurn turn);
    // Turns by an angle in hundredths of a degree (positive: left), the
    // uncovered corners black.
    bool RotateBy(int angle);
    bool CanUndo() const { return !m_imageUndo.IsEmpty(); }
    // Back to the image before the last turn; the modified flag stays.
    bool Undo();

    bool IsImageModified() const { return m_bImageModified; }
    void SetImageModified(bool modified) { m_bImageModified = modified; }

    // The image save dialog; true when the image was written. The written
    // file becomes the project's source.
    bool SaveImageAs(CKelmioData& project, const CFilePath& projectPath);
    // Asks "画像を保存しますか？" about a changed image; false when cancelled.
    bool QuerySaveImage(CKelmioData& project, const CFilePath& projectPath);

    // A scanned image arrived: it becomes the image, and the user is asked
    // "ファイルに保存しますか？". Saved: the file is the new source; else the
    // source becomes empty and the image is kept in memory. The caller then
    // marks the document modified and shows the source again.
    void AcceptScan(CImageKit scanned, CKelmioData& project, const CFilePath& projectPath);

    // The display state kept with the project.
    void StoreViewState(ScrollPoint scroll, CKelmioPosData& pos) const;
    ScrollPoint RestoreViewState(const CKelmioPosData& pos);

private:
    bool Show();
    bool SaveAs(const CFilePath& target);
    bool ReportSaveFailure(const ImageSaveResult& result);
    void Changed() { ++m_nGeneration; }

    CSettings& m_settings;
    CPrompter& m_prompter;
    CImageSaveChooser& m_chooser;
    CSPIControl* m_pPlugins = nullptr;

    CImageKit m_image;
    CImageKit m_imageUndo;
    CFilePath m_strPath;
    CImageZoom m_zoom;
    bool m_bImagePure = false;
    int m_nPureLevel = 10;
    bool m_bImageModified = false;
    bool m_bScanKept = false;  // the image is a scan that was not saved to a file
    std::uint64_t m_nGeneration = 0;
};

// The file an image chosen under `path` is written to: a name without one of
// the six extensions gets the chosen type's, so the file is written in the
// format the user picked.
CFilePath ImageSaveTarget(const CFilePath& path, int filterIndex);

// Texts of the image display.
std::string CannotShowMessage(const CFilePath& path);  // "表示できません：" + its display form
std::string ProcessingFailedMessage();                 // "処理が失敗しました"

}  // namespace kelmio
