#include "gui/imaging/image_commands.h"

#include <wx/choicdlg.h>
#include <wx/clipbrd.h>
#include <wx/cursor.h>
#include <wx/imagpng.h>
#include <wx/utils.h>

#include "commands/command_ids.h"
#include "gui/imaging/image_canvas.h"
#include "gui/imaging/rotate_dialog.h"
#include "gui/imaging/zoom_dialog.h"
#include "project/kelmio_data.h"

namespace kelmio {
namespace {

bool InRange(CommandId id, CommandId first, CommandId last) {
    return CommandNumber(id) >= CommandNumber(first) && CommandNumber(id) <= CommandNumber(last);
}

bool IsImageCommand(CommandId id) {
    return InRange(id, ID_IMAGE_REDUCE_2, ID_IMAGE_FIT_WINDOW) || id == ID_IMAGE_ACTUAL_SIZE ||
           InRange(id, ID_IMAGE_ROTATE_180, ID_IMAGE_FLIP_HORZ) || id == ID_IMAGE_ROTATE_ANY || id == ID_IMAGE_COPY;
}

bool IsScrollCommand(CommandId id) {
    return id == ID_SOURCE_SCROLL_UP || id == ID_SOURCE_SCROLL_DOWN || id == ID_SOURCE_SCROLL_LEFT ||
           id == ID_SOURCE_SCROLL_RIGHT || id == ID_SOURCE_PAGE_UP || id == ID_SOURCE_PAGE_DOWN;
}

}  // namespace

CImageCommands::CImageCommands(CImageDisplay& display, CImageCanvas& canvas, CImageViewHost& host,
                               CSettings& settings, CPrompter& prompter, CScanner& scanner)
    : m_display(display), m_canvas(canvas), m_host(host), m_settings(settings), m_prompter(prompter),
      m_scanner(scanner) {
    m_askZoom = [this](const CZoomDlg& form) -> std::optional<int> {
        CZoomDialog dialog(m_canvas.GetParent(), form);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return dialog.AcceptedTenths();
    };
    m_askRotate = [this]() -> std::optional<int> {
        CRotateDialog dialog(m_canvas.GetParent());
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return dialog.RotationAngle();
    };
    m_chooseDevice = [this](const std::vector<ScannerDevice>& devices) -> std::optional<std::size_t> {
        wxBusyCursorSuspender notBusy;  // asked between two waits on the scanner
        wxArrayString labels;
        for (const ScannerDevice& device : devices) labels.Add(wxString::FromUTF8(device.Label()));
        wxSingleChoiceDialog dialog(m_canvas.GetParent(), wxString(), wxString::FromUTF8("スキャナ選択"), labels);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return static_cast<std::size_t>(dialog.GetSelection());
    };
}

void CImageCommands::SetDialogs(ZoomAsk zoom, RotateAsk rotate) {
    m_askZoom = std::move(zoom);
    m_askRotate = std::move(rotate);
}

std::optional<CommandState> CImageCommands::QueryCommand(CommandId id) const {
    const bool image = m_host.IsImageMode();
    const CImageZoom& zoom = m_display.Zoom();
    if (id == ID_WINDOW_TOIMAGE || id == ID_FILE_SCAN || id == ID_FILE_SAVE_SCAN || id == ID_FILE_SELECT_SCANNER) {
        return CommandState{true, false};
    }
    if (id == ID_EDIT_UNDO || IsScrollCommand(id)) {
        // In other modes the viewer's text pane or browser answers these.
        if (!image) return std::nullopt;
        return CommandState{true, false};
    }
    if (!IsImageCommand(id)) return std::nullopt;
    CommandState state{image, false};
    if (id == ID_IMAGE_ACTUAL_SIZE) state.bChecked = IsRealSizeChecked(zoom);
    else if (FixedReduceOf(id)) state.bChecked = IsFixedReduceChecked(zoom, id);
    else if (FixedEnlargeOf(id)) state.bChecked = IsFixedEnlargeChecked(zoom, id);
    else if (id == ID_IMAGE_REDUCE_CUSTOM) state.bChecked = IsCustomReduceChecked(zoom);
    else if (id == ID_IMAGE_ENLARGE_CUSTOM) state.bChecked = IsCustomEnlargeChecked(zoom);
    else if (id == ID_IMAGE_FINE) state.bChecked = m_display.IsPure();
    else if (id == ID_IMAGE_FIT_WINDOW) state.bChecked = zoom.m_bFitWindow;
    return state;
}


bool CImageCommands::OnCommand(CommandId id) {
    const std::optional<CommandState> state = QueryCommand(id);
    if (!state || !state->bEnabled) return false;
    CImageZoom& zoom = m_display.Zoom();
    // A zoom shows the image held at another size; a turned image stays
    // turned, so nothing is read from the file again.
    if (const auto divisor = FixedReduceOf(id)) {
        ZoomReduce(zoom, *divisor);
        m_canvas.LayoutImage();
        return true;
    }
    if (const auto factor = FixedEnlargeOf(id)) {
        ZoomEnlarge(zoom, *factor);
        m_canvas.LayoutImage();
        return true;
    }
    switch (id) {
        case ID_IMAGE_ACTUAL_SIZE:
            ZoomRealSize(zoom);
            m_canvas.LayoutImage();
            return true;
        case ID_IMAGE_ENLARGE_STEP:
            ZoomStepLarger(zoom);
            m_canvas.LayoutImage();
            return true;
        case ID_IMAGE_REDUCE_STEP:
            ZoomStepSmaller(zoom);
            m_canvas.LayoutImage();
            return true;
        case ID_IMAGE_REDUCE_CUSTOM: CustomZoom(true); return true;
        case ID_IMAGE_ENLARGE_CUSTOM: CustomZoom(false); return true;
        case ID_IMAGE_FIT_WINDOW:
            m_display.FitWindow();
            m_canvas.LayoutImage();
            return true;
        case ID_IMAGE_FINE:
            m_display.TogglePure();
            m_canvas.LayoutImage();
            return true;
        case ID_IMAGE_ROTATE_LEFT: TurnImage(ImageTurn::kLeft90); return true;
        case ID_IMAGE_ROTATE_RIGHT: TurnImage(ImageTurn::kRight90); return true;
        case ID_IMAGE_ROTATE_180: TurnImage(ImageTurn::kHalf); return true;
        case ID_IMAGE_FLIP_VERT: TurnImage(ImageTurn::kFlipVertical); return true;
        case ID_IMAGE_FLIP_HORZ: TurnImage(ImageTurn::kFlipHorizontal); return true;
        case ID_IMAGE_ROTATE_ANY: RotateAny(); return true;
        case ID_IMAGE_COPY: CopyToClipboard(); return true;
        case ID_EDIT_UNDO:
            m_display.Undo();
            m_canvas.LayoutImage();
            return true;
        case ID_WINDOW_TOIMAGE: m_canvas.LayoutImage(); return true;
        case ID_FILE_SCAN: Scan(); return true;
        case ID_FILE_SELECT_SCANNER: {
            wxBusyCursor busy;
            SelectScannerDevice(m_scanner, m_settings, m_chooseDevice);
            return true;
        }
        case ID_FILE_SAVE_SCAN: {
            wxBusyCursor busy;
            m_display.SaveImageAs(m_host.Project(), m_host.ProjectPath());
            return true;
        }
        case ID_SOURCE_SCROLL_UP: m_canvas.ScrollUp(); return true;
        case ID_SOURCE_SCROLL_DOWN: m_canvas.ScrollDown(); return true;
        case ID_SOURCE_SCROLL_LEFT: m_canvas.ScrollLeft(); return true;
        case ID_SOURCE_SCROLL_RIGHT: m_canvas.ScrollRight(); return true;
        case ID_SOURCE_PAGE_UP: m_canvas.PageUp(); return true;
        case ID_SOURCE_PAGE_DOWN: m_canvas.PageDown(); return true;
        default: return false;
    }
}

void CImageCommands::CustomZoom(bool reduce) {
    CImageZoom& zoom = m_display.Zoom();
    const std::optional<int> tenths = m_askZoom(reduce ? CZoomDlg::ForReduce(zoom) : CZoomDlg::ForEnlarge(zoom));
    if (!tenths) return;
    if (reduce) {
        ZoomReduce(zoom, *tenths);
    } else {
        ZoomEnlarge(zoom, *tenths);
    }
    m_canvas.LayoutImage();
}

void CImageCommands::RotateAny() {
    const std::optional<int> angle = m_askRotate();
    if (!angle) return;
    wxBusyCursor busy;
    if (m_display.RotateBy(*angle)) m_canvas.LayoutImage();
}

void CImageCommands::TurnImage(ImageTurn turn) {
    wxBusyCursor busy;
    if (m_display.Turn(turn)) m_canvas.LayoutImage();
}

void CImageCommands::Scan() {
    // A scan takes the place of the image shown: a turned image, or an
    // earlier scan not saved yet, is offered for saving first.
    CKelmioData& project = m_host.Project();
    const CFilePath source = project.m_strSrcFile;
    if (!m_display.QuerySaveImage(project, m_host.ProjectPath())) return;
    if (project.m_strSrcFile != source) m_host.SetModified();
    std::optional<CImageKit> scanned;
    {
        wxBusyCursor busy;
        std::string error;
        scanned = ScanImage(m_scanner, m_settings, m_chooseDevice, error);
    }
    // A scan that failed or was cancelled changes nothing.
    if (!scanned) return;
    m_display.AcceptScan(std::move(*scanned), m_host.Project(), m_host.ProjectPath());
    m_host.SetModified();
    m_host.ShowSourceAgain();
}

void CImageCommands::CopyToClipboard() {
    const wxBitmap bitmap = m_canvas.FullBitmap();
    if (!bitmap.IsOk()) return;
    // The desktop's clipboard carries bitmaps as PNG.
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxBitmapDataObject(bitmap));
}

}  // namespace kelmio
