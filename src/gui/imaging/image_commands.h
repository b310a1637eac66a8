#pragma once
// The image commands of the source viewer: zoom, fine mode, turns, undo,
// copy, the scroll steps of image display, scanning and saving the image. The viewer
// owns one and passes commands to it while it shows an image; the check
// marks and enable rules are answered here too.

#include <functional>
#include <optional>
#include <string>

#include "commands/command_target.h"
#include "imaging/image_display.h"
#include "imaging/scanner.h"
#include "imaging/zoom_dlg.h"

namespace kelmio {

class CImageCanvas;
class CKelmioData;
class CPrompter;
class CSettings;

// What the image commands need of the viewer and its document.
class CImageViewHost {
public:
    virtual ~CImageViewHost() = default;
    virtual bool IsImageMode() const = 0;
    virtual CKelmioData& Project() = 0;
    virtual CFilePath ProjectPath() const = 0;
    // Hint 8 to all views: the source is shown afresh (an image file is read
    // again).
    virtual void ShowSourceAgain() = 0;
    virtual void SetModified() = 0;
};

class CImageCommands final : public CCommandTarget {
public:
    CImageCommands(CImageDisplay& display, CImageCanvas& canvas, CImageViewHost& host, CSettings& settings,
                   CPrompter& prompter, CScanner& scanner);

    std::optional<CommandState> QueryCommand(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    // The custom zoom and rotation dialogs, as functions giving the accepted
    // tenths or angle (nullopt on Cancel); tests answer without a dialog.
    using ZoomAsk = std::function<std::optional<int>(const CZoomDlg& form)>;
    using RotateAsk = std::function<std::optional<int>()>;
    void SetDialogs(ZoomAsk zoom, RotateAsk rotate);
    // The scanner chooser shown when several devices answer.
    void SetDeviceChooser(DeviceChooser choose) { m_chooseDevice = std::move(choose); }

private:
    void CustomZoom(bool reduce);
    void RotateAny();
    void TurnImage(ImageTurn turn);
    void CopyToClipboard();
    void Scan();

    CImageDisplay& m_display;
    CImageCanvas& m_canvas;
    CImageViewHost& m_host;
    CSettings& m_settings;
    CPrompter& m_prompter;
    CScanner& m_scanner;
    ZoomAsk m_askZoom;
    RotateAsk m_askRotate;
    DeviceChooser m_chooseDevice;
};

}  // namespace kelmio
