#pragma once
// CImageMode: the source viewer's image mode put together: the image state
// (core), the window it is drawn in, the image commands, the image save
// dialog and the scanner. The viewer makes one, shows Canvas() while an
// image is the source, passes commands to Commands() and forwards the
// document's questions.

#include <memory>

#include "gui/imaging/image_canvas.h"
#include "gui/imaging/image_commands.h"
#include "gui/imaging/image_format_sheet.h"
#include "imaging/image_display.h"
#include "imaging/sane_scanner.h"

namespace kelmio {

class CKelmioData;
class CKelmioPosData;
class CPrompter;
class CSettings;
class CSPIControl;

class CImageMode {
public:
    // `plugins` may be null; `parent` owns the canvas window.
    CImageMode(wxWindow* parent, CSettings& settings, CPrompter& prompter, CImageViewHost& host,
               CSPIControl* plugins);
    // Destroys the canvas, which draws this object's image. A viewer that
    // holds the image mode as a member is still whole then.
    ~CImageMode();
    CImageMode(const CImageMode&) = delete;
    CImageMode& operator=(const CImageMode&) = delete;

    CImageDisplay& Display() { return m_display; }
    CImageCanvas& Canvas() { return *m_pCanvas; }
    CImageCommands& Commands() { return *m_pCommands; }

    bool ShowImageFile(const CFilePath& path) { return m_pCanvas->ShowImageFile(path); }
    bool ShowMemoryImage() { return m_pCanvas->ShowMemoryImage(); }

    // The display state kept with the project: scroll position and zoom.
    void SaveViewState(CKelmioPosData& pos) const;
    // Reads the zoom back before the source is shown; ScrollToStored puts
    // the stored position back after it.
    void RestoreViewState(const CKelmioPosData& pos);
    void ScrollToStored();

    bool QuerySaveImage(CKelmioData& project, const CFilePath& projectPath) {
        return m_display.QuerySaveImage(project, projectPath);
    }

private:
    CWxImageSaveChooser m_chooser;
    CSaneScanner m_scanner;
    CImageDisplay m_display;
    CImageCanvas* m_pCanvas;  // a child window of the viewer
    std::unique_ptr<CImageCommands> m_pCommands;
    ScrollPoint m_storedScroll;
};

}  // namespace kelmio
