#include "gui/viewer/text_view.h"

#include <wx/clipbrd.h>
#include <wx/colordlg.h>
#include <wx/fontdlg.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include <stdexcept>

#include "commands/command_ids.h"
#include "commands/menu_table.h"
#include "gui/app/menu_builder.h"
#include "gui/imaging/image_mode.h"
#include "imaging/spi_control.h"
#include "platform/file_io.h"
#include "platform/private_folder.h"
#include "platform/prompter.h"
#include "project/kelmio_doc.h"
#include "text/cp932.h"
#include "gui/viewer/find_dialogs.h"
#include "gui/viewer/option_dialog.h"
#include "gui/viewer/plain_edit_ctrl.h"
#include "gui/viewer/rich_edit_ctrl.h"
#include "viewer/preview_page.h"
#include "viewer/rtf_file.h"
#include "viewer/source_display.h"
#include "gui/viewer/source_font.h"
#include "viewer/source_text.h"
#include "gui/viewer/web_browser.h"
#include "gui/keys/wx_key_codes.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

constexpr int kPaneId = 300;
// Pieces in which a text goes into the pane, so that it never exists
// twice in full on the way.
constexpr std::size_t kLoadChunk = 1 << 20;
// A page's position is set again for a while after loading: the PDF
// viewer lays its pages out later.
constexpr int kRestoreTries = 6;
constexpr int kRestoreInterval = 300;

bool IsTextMode(ViewMode mode) { return mode == ViewMode::kText || mode == ViewMode::kRichText; }

}  // namespace

CTextView::CTextView(wxWindow* parent, CSettings& settings, CPrompter& prompter, CSPIControl* plugins)
    : CPaneView(parent, wxID_ANY),
      m_settings(settings),
      m_prompter(prompter),
      m_pPlugins(plugins),
      m_view(ReadViewSettings(settings)),
      m_bBrowserMode(m_view.bBrowserMode),
      m_font(MakeSourceFont(ReadSourceFont(settings))),
      m_restoreTimer(this) {
    CImageViewHost& host = *this;
    m_pImage = std::make_unique<CImageMode>(this, settings, prompter, host, plugins);
    m_pImage->Canvas().Hide();
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetFont(m_font);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        LayoutChildren();
    });
    Bind(wxEVT_CHAR_HOOK, &CTextView::OnCharHook, this);
    Bind(wxEVT_CONTEXT_MENU, &CTextView::OnContextMenu, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        OnFocusIn();
    });
    Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        event.Skip();
        OnFocusIn();
    });
    Bind(wxEVT_TIMER, &CTextView::OnRestoreTimer, this);
}

CTextView::~CTextView() {
    if (m_pBrowser) m_pBrowser->SetLoadedHandler({});
}

// The browser is made the first time a source needs it: a window that
// never shows a page neither loads the engine nor has it running.
CWebBrowser* CTextView::OpenBrowser() {
    if (m_pBrowser) return m_pBrowser.get();
    if (m_bBrowserUnavailable) return nullptr;
    m_pBrowser = m_browserModule.Create(this);
    if (!m_pBrowser) {
        // Told once; from then on pages show what they are instead.
        m_bBrowserUnavailable = true;
        m_prompter.Message(m_browserModule.FailureMessage(), MessageButtons::kOk, MessageIcon::kStop);
        return nullptr;
    }
    m_pBrowser->SetLoadedHandler([this] { OnBrowserLoaded(); });
    m_pBrowser->Window().SetSize(GetClientSize());
    return m_pBrowser.get();
}

CWebBrowser& CTextView::Browser() {
    if (CWebBrowser* browser = OpenBrowser()) return *browser;
    throw std::runtime_error(Cp932ToUtf8(m_browserModule.FailureMessage()));
}

void CTextView::UseBrowserModule(CBrowserModule module) {
    m_browserModule = std::move(module);
    m_bBrowserUnavailable = false;
}

bool CTextView::IsBrowserShown() const { return m_pBrowser && m_pBrowser->IsShown(); }

void CTextView::LayoutChildren() {
    const wxSize client = GetClientSize();
    if (m_pEdit) m_pEdit->Window()->SetSize(client);
    if (m_pImage && m_pImage->Canvas().IsShown()) m_pImage->Canvas().SetSize(client);
    if (!m_pBrowser) return;
    m_pBrowser->Window().SetSize(client);
    m_pBrowser->Window().Refresh();
}

// ---- Showing the source -------------------------------------------------

void CTextView::ShowSource() {
    if (m_pEdit) {
        m_pEdit->SetReadOnly(false);
        if (m_pEdit->IsModified()) SaveOrDropText();
    }
    m_strPath = m_pDoc != nullptr ? m_pDoc->m_data.m_strSrcFile : CFilePath();
    m_bPlainSource = false;
    m_shownFile.Forget();
    // Only the kind of source is decided here: the display form serves.
    const auto isImage = [this](std::string_view extension) {
        return IsImageFile("." + std::string(extension), m_pPlugins);
    };
    const SourceDisplay display = ClassifySource(m_strPath.Display(), m_bBrowserMode, isImage);
    // A scan kept in memory has no file: it stays the source until another is chosen.
    const bool memoryImage = display.kind == SourceDisplayKind::kBlank && m_pImage->Display().HasImage();
    if (display.kind != SourceDisplayKind::kImage && !memoryImage) LeaveImage();
    if (display.kind != SourceDisplayKind::kBlank && display.kind != SourceDisplayKind::kUrl) m_nMode = ViewMode::kText;
    switch (display.kind) {
    case SourceDisplayKind::kBlank:
        if (memoryImage) ShowImage(true);
        else ShowBlank();
        break;
    case SourceDisplayKind::kUrl:
        ShowBrowser(true);
        NavigateBrowser(m_strPath);
        break;
    case SourceDisplayKind::kBrowser: ShowBrowserDisplay(); break;
    case SourceDisplayKind::kImage: ShowImage(false); break;
    case SourceDisplayKind::kText: ShowTextFile(); break;
    case SourceDisplayKind::kRichText: ShowRichTextFile(); break;
    case SourceDisplayKind::kPlaceholder: ShowPlaceholder(display.text); break;
    case SourceDisplayKind::kInfoText: ShowPlaceholder(InfoText(m_strPath.Display(), display.text)); break;
    case SourceDisplayKind::kInfoPage:
        ShowPreviewPage(MakeInfoPageBody(m_strPath, display.text, ReadPreviewFileStatus(m_strPath)));
        break;
    case SourceDisplayKind::kMediaPage:
        ShowPreviewPage(MakeMediaPageBody(m_strPath, display.withHeight, GetClientSize().GetHeight()));
        break;
    }
    ShowSourceStatus();
}

void CTextView::ShowBlank() {
    DestroyPane();
    if (IsBrowserShown()) {
        m_strPath = "about:blank";
        NavigateBrowser(m_strPath);
    }
}

void CTextView::ShowBrowser(bool show) {
    if (IsBrowserShown() == show) return;
    CWebBrowser* browser = OpenBrowser();
    if (browser == nullptr) return;
    browser->Show(show);
    if (show) LayoutChildren();
}

void CTextView::NavigateBrowser(const CFilePath& location, bool generatedPage) {
    CWebBrowser* browser = OpenBrowser();
    if (browser == nullptr) {
        ShowWithoutBrowser();
        return;
    }
    DestroyPane();
    if (generatedPage) browser->ShowGeneratedPage(location);
    else browser->Navigate(location);
    m_nMode = ViewMode::kBrowser;
    ShowBrowser(true);
    browser->Window().Refresh();
}

void CTextView::ShowBrowserDisplay() {
    CWebBrowser* browser = OpenBrowser();
    if (browser == nullptr) {
        ShowWithoutBrowser();
        return;
    }
    if (IsShownAlready(m_strPath.Display(), browser->LocationUrl())) {
        DestroyPane();
        m_nMode = ViewMode::kBrowser;
        ShowBrowser(true);
        browser->Window().Refresh();
        browser->Window().Update();
        return;
    }
    NavigateBrowser(m_strPath);
}

void CTextView::ShowPreviewPage(const std::string& body) {
    if (OpenBrowser() == nullptr) {
        ShowWithoutBrowser();
        return;
    }
    wxBusyCursor wait;
    NavigateBrowser(WritePreviewPage(m_prompter, GetPrivateTempFolder(), body), true);
}

// Without the engine a page, PDF or URL is named in the text pane, which
// stays usable for the next source.
void CTextView::ShowWithoutBrowser() {
    static const std::string heading = SjisText("■ブラウザー部品を読み込めないため、ブラウザーで表示できません");
    ShowPlaceholder(heading + "\r\n" + m_strPath.Display() + "\r\n");
}

void CTextView::ShowPlaceholder(const std::string& text) {
    ShowBrowser(false);
    CREditCtrl& pane = CreatePane();
    pane.BeginLoad();
    pane.AppendLoaded(Cp932ToUtf8(text));
    pane.EndLoad();
    pane.SetReadOnly(true);
    m_nMode = ViewMode::kText;
}

void CTextView::ShowTextFile() {
    ShowBrowser(false);
    CREditCtrl& pane = CreatePane();
    wxBusyCursor wait;
    pane.SetReadOnly(false);
    pane.SetDefaultFont(m_font);
    // The text goes into the pane as it is read and converted, so it is
    // never whole in memory beside the pane's own copy.
    auto* plain = dynamic_cast<CPlainEditCtrl*>(&pane);
    const PaneLoadTarget target{
        [&pane, plain](std::size_t room) {
            pane.BeginLoad();
            if (plain != nullptr) plain->ReserveLoad(room);
        },
        [&pane](std::string_view piece) { pane.AppendLoaded(piece); }};
    const PaneStreamResult source = StreamTextForPane(m_prompter, m_strPath, kLoadChunk, target);
    if (source.outcome != PaneLoadOutcome::kShown && source.started) {
        // A read that failed part way leaves no part of the file to be
        // edited and saved over the whole.
        pane.BeginLoad();
        pane.EndLoad();
        pane.SetReadOnly(true);
    }
    if (source.outcome == PaneLoadOutcome::kNotFound) return;
    if (source.outcome == PaneLoadOutcome::kToBrowser) {
        NavigateBrowser(m_strPath);
        return;
    }
    m_kind = source.kind;
    pane.EndLoad();
    // A file whose encoding is only a guess is shown but never edited (and so never saved).
    if (IsReadOnlyEncoding(m_kind.encoding)) pane.SetReadOnly(true);
    if (auto* plain = dynamic_cast<CPlainEditCtrl*>(&pane)) {
        plain->UseLineFeedOnly(!HoldsUtf8(m_kind) && !LoadsByConversion(m_kind) && m_kind.lineEnd == LineEnd::kLf);
    }
    pane.ScrollToLine(0);
    m_nMode = ViewMode::kText;
    m_bPlainSource = true;
    m_shownFile.Take(m_strPath);
}

void CTextView::ShowRichTextFile() {
    ShowBrowser(false);
    wxBusyCursor wait;
    PaneRtfSource file = LoadRtfForPane(m_prompter, m_strPath);
    if (file.outcome == PaneLoadOutcome::kNotFound) return;
    if (file.outcome == PaneLoadOutcome::kToBrowser) {
        NavigateBrowser(m_strPath);
        return;
    }
    // A file named .rtf that is no RTF is shown as the plain text it is.
    if (!file.read.ok()) {
        ShowTextFile();
        return;
    }
    auto& pane = static_cast<CRichEditCtrl&>(CreatePane(true));
    pane.SetReadOnly(false);
    pane.SetDefaultFont(m_font);
    pane.LoadDocument(std::move(file.read.m_document));
    m_strRtfLosses = file.read.HasUnkeptContent() ? file.read.UnkeptDescription() : std::string();
    m_nMode = ViewMode::kRichText;
    m_shownFile.Take(m_strPath);
}

bool CTextView::SaveText() {
    if (!m_pEdit) return true;  // nothing to save
    if (!IsTextMode(m_nMode)) return false;
    // Another program's change to the file is not written over unasked.
    switch (m_shownFile.BeforeSave(m_prompter, m_strPath)) {
    case SaveOverChoice::kWrite: break;
    case SaveOverChoice::kReload: ReloadText(); return true;
    case SaveOverChoice::kCancel: return false;
    }
    if (auto* rich = dynamic_cast<CRichEditCtrl*>(m_pEdit.get())) {
        if (!m_strRtfLosses.empty()) {
            const std::string question = m_strRtfLosses + SjisText("\n保存しますか？");
            if (m_prompter.Message(question, MessageButtons::kYesNo, MessageIcon::kExclamation) != Answer::kYes) {
                return false;
            }
        }
        if (const std::optional<FileError> error = SaveRtfFile(m_strPath, rich->Document())) {
            m_prompter.Message(FileErrorMessage(*error), MessageButtons::kOk, MessageIcon::kExclamation);
            return false;
        }
        m_pEdit->SetModified(false);
        m_shownFile.Take(m_strPath);
        return true;
    }
    if (!SaveSourceText(m_prompter, m_strPath, m_pEdit->TextUtf8(), m_kind)) return false;
    m_pEdit->SetModified(false);
    m_shownFile.Take(m_strPath);
    return true;
}

// The text is about to go: saved or dropped as the setting and the user
// say. A save that did not happen asks again, so the edit is dropped only
// on an explicit No.
void CTextView::SaveOrDropText() {
    if (!QuerySaveSourceText(m_settings, m_prompter)) return;
    while (!SaveText()) {
        if (!AskSaveSourceText(m_prompter)) return;
    }
}

CREditCtrl& CTextView::CreatePane(bool rich) {
    if (m_pEdit && m_pEdit->IsRich() != rich) DestroyPane();
    if (!m_pEdit) {
        std::unique_ptr<CREditCtrl> pane;
        if (rich) pane = std::make_unique<CRichEditCtrl>(this, kPaneId);
        else pane = std::make_unique<CPlainEditCtrl>(this, kPaneId);
        pane->SetDefaultFont(m_font);
        pane->Window()->Bind(wxEVT_CONTEXT_MENU, &CTextView::OnContextMenu, this);
        WatchTextChanges(*pane);
        m_pEdit = std::move(pane);
        LayoutChildren();
    }
    m_pEdit->Window()->Show();
    return *m_pEdit;
}

void CTextView::DestroyPane() {
    if (!m_pEdit) return;
    wxWindow* window = m_pEdit->Window();
    m_pEdit.reset();
    window->Destroy();
}

void CTextView::ShowImage(bool memory) {
    DestroyPane();
    ShowBrowser(false);
    m_nMode = ViewMode::kImage;
    CImageCanvas& canvas = m_pImage->Canvas();
    // Sized before the image is laid out: fitting and scrolling follow the window.
    canvas.SetSize(GetClientSize());
    canvas.Show();
    if (memory) {
        m_pImage->ShowMemoryImage();
    } else {
        m_pImage->ShowImageFile(m_strPath);
    }
}

void CTextView::LeaveImage() {
    if (!m_pImage->Canvas().IsShown() && !m_pImage->Display().HasImage()) return;
    m_pImage->Canvas().Hide();
    m_pImage->Display().LeaveImage();
}

bool CTextView::QuerySaveImage() {
    if (m_pDoc == nullptr) return true;
    return m_pImage->QuerySaveImage(m_pDoc->m_data, m_pDoc->GetPathName());
}

CKelmioData& CTextView::Project() { return m_pDoc != nullptr ? m_pDoc->m_data : m_noProject; }

CFilePath CTextView::ProjectPath() const {
    return m_pDoc != nullptr ? m_pDoc->GetPathName() : CFilePath();
}

void CTextView::ShowSourceAgain() {
    if (m_pDoc != nullptr) m_pDoc->UpdateAllViews(kHintSourceChanged);
    else ShowSource();
}

void CTextView::SetModified() {
    if (m_pDoc != nullptr) m_pDoc->SetModifiedFlag(true);
}

bool CTextView::QuerySaveText() {
    if (!m_pEdit || !m_pEdit->IsModified() || !QuerySaveSourceText(m_settings, m_prompter)) return true;
    if (SaveText()) return true;
    // Not saved: asked now whatever "System"/"Save" says, Yes keeps the text
    // (and the window) so that the user can deal with it, No lets it go.
    return !AskSaveSourceText(m_prompter);
}

// ---- The document's calls -----------------------------------------------

void CTextView::OnInitialUpdate() {
    m_nMode = ViewMode::kText;
    SetFont(m_font);
    // Another project: a scan the last one kept in memory is not its source.
    m_pImage->Display().LeaveImage();
    if (m_pDoc != nullptr) {
        m_pImage->RestoreViewState(m_pDoc->m_data.m_pos);
        m_bBrowserMode = m_pDoc->m_data.m_pos.m_bBrowserMode != 0;
    }
    ShowSource();
    if (m_pDoc == nullptr) return;
    const ViewRestore restore = PlanRestore(m_nMode, m_strPath.empty(), m_pDoc->m_data.m_pos);
    switch (restore.kind) {
    case RestoreKind::kScrollPaneLines:
        if (m_pEdit) {
            const int line = restore.nY;
            CallAfter([this, line] {
                if (m_pEdit) m_pEdit->ScrollToLine(line);
            });
        }
        break;
    case RestoreKind::kPostBrowserScroll:
        m_bRestorePending = true;
        m_nRestoreX = restore.nX;
        m_nRestoreY = restore.nY;
        break;
    case RestoreKind::kScrollImage: m_pImage->ScrollToStored(); break;
    case RestoreKind::kNone: break;
    }
}

void CTextView::OnUpdate(int hint) {
    if ((hint & kHintSourceChanged) != 0) ShowSource();
    if (!IsBrowserShown()) Refresh();
}

void CTextView::SaveViewState(CKelmioPosData& pos) {
    ViewStateSnapshot view;
    view.mode = m_nMode;
    view.bBrowserMode = m_bBrowserMode;
    view.bHasPane = m_pEdit != nullptr;
    view.nPaneFirstLine = m_pEdit ? m_pEdit->FirstVisibleLine() : 0;
    if (m_nMode == ViewMode::kBrowser && m_pBrowser) std::tie(view.nScrollX, view.nScrollY) = m_pBrowser->GetBrowserScroll();
    StoreViewState(view, pos);
    if (m_nMode == ViewMode::kImage) m_pImage->SaveViewState(pos);
}

void CTextView::OnBrowserLoaded() {
    if (!m_bRestorePending || IsBeingDeleted()) return;
    m_bRestorePending = false;
    m_pBrowser->SetBrowserScroll(m_nRestoreX, m_nRestoreY);
    m_nRestoreTries = kRestoreTries;
    m_restoreTimer.Start(kRestoreInterval, wxTIMER_ONE_SHOT);
}

void CTextView::OnRestoreTimer(wxTimerEvent&) {
    if (m_nMode != ViewMode::kBrowser || m_nRestoreTries <= 0 || !m_pBrowser) return;
    --m_nRestoreTries;
    if (m_pBrowser->GetBrowserScroll() == std::make_pair(m_nRestoreX, m_nRestoreY)) return;
    m_pBrowser->SetBrowserScroll(m_nRestoreX, m_nRestoreY);
    m_restoreTimer.Start(kRestoreInterval, wxTIMER_ONE_SHOT);
}

// ---- Input --------------------------------------------------------------

void CTextView::Scroll(ScrollOp op) {
    switch (m_nMode) {
    case ViewMode::kText:
    case ViewMode::kRichText: {
        if (!m_pEdit) return;
        const TextScrollStep step = TextStep(op);
        if (step.nLines != 0) m_pEdit->ScrollLines(step.nLines);
        if (step.nPages != 0) m_pEdit->ScrollPages(step.nPages);
        return;
    }
    case ViewMode::kBrowser:
        if (m_pBrowser) m_pBrowser->ScrollBrowser(op);
        return;
    case ViewMode::kImage: ScrollImage(op); return;
    }
}

void CTextView::ScrollImage(ScrollOp op) {
    CImageCanvas& canvas = m_pImage->Canvas();
    switch (op) {
    case ScrollOp::kUp: canvas.ScrollUp(); return;
    case ScrollOp::kDown: canvas.ScrollDown(); return;
    case ScrollOp::kLeft: canvas.ScrollLeft(); return;
    case ScrollOp::kRight: canvas.ScrollRight(); return;
    case ScrollOp::kPageUp: canvas.PageUp(); return;
    case ScrollOp::kPageDown: canvas.PageDown(); return;
    }
}

void CTextView::OnCharHook(wxKeyEvent& event) {
    const std::optional<ScrollOp> op = ScrollOpForKey(VirtualKeyFromWx(event.GetKeyCode(), event.GetRawKeyCode()));
    if (!op) {
        event.Skip();
        return;
    }
    Scroll(*op);
}

void CTextView::OnContextMenu(wxContextMenuEvent& event) {
    // The pane clicked is the active one, as a left click makes it, so the
    // menu's commands (browser mode among them) reach this view.
    FocusPane();
    std::unique_ptr<wxMenu> menu = BuildPopupMenu(ContextMenu(ContextMenuKind::kPreview));
    const wxPoint at = event.GetPosition() == wxDefaultPosition ? wxPoint(0, 0) : ScreenToClient(event.GetPosition());
    PopupMenu(menu.get(), at);
}

void CTextView::FocusPane() {
    if (m_pEdit) m_pEdit->Window()->SetFocus();
    else if (IsBrowserShown()) m_pBrowser->Window().SetFocus();
    else if (m_nMode == ViewMode::kImage) m_pImage->Canvas().SetFocus();
    else SetFocus();
}

void CTextView::OnFocusIn() { ShowSourceStatus(); }

// The status line names the source while the viewer has the focus, and
// follows a source that changes.
void CTextView::ShowSourceStatus() {
    if (m_pDoc == nullptr || m_pDoc->m_data.m_strSrcFile.empty()) return;
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    if (frame == nullptr || frame->GetStatusBar() == nullptr) return;
    wxString status = WxText("ソースファイル：") + ToWxPath(m_pDoc->m_data.m_strSrcFile);
    if (m_bPlainSource && IsReadOnlyEncoding(m_kind.encoding)) status += WxText("（文字コードを判別できないため読み取り専用）");
    frame->SetStatusText(status, 0);
}

// ---- Commands -----------------------------------------------------------

std::optional<CommandState> CTextView::QueryCommand(CommandId id) const {
    // The image commands, and in image mode undo and scrolling, are image mode's.
    if (std::optional<CommandState> image = m_pImage->Commands().QueryCommand(id)) return image;
    const bool browser = m_nMode == ViewMode::kBrowser && IsBrowserShown();
    switch (id) {
    case ID_VIEW_SHOW:
    case ID_EDIT_FIND:
    case ID_EDIT_REPEAT:
    case ID_EDIT_REPLACE:
    case ID_EDIT_UNDO:
    case ID_BROWSER_INIT_SCROLL:
    case ID_VIEW_FONT:
    case ID_VIEW_SOURCE_SETTINGS:
        return CommandState{};
    case ID_VIEW_BROWSER_MODE: return CommandState{true, m_bBrowserMode};
    case ID_DIC_LOOKUP:
        return CommandState{m_lookup && browser && m_pBrowser->LoadedKind() == CWebBrowser::DocumentKind::kHtml, false};
    case ID_DIC_LOOKUP_CLIPBOARD: return CommandState{static_cast<bool>(m_lookup), false};
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
        return CommandState{m_pEdit != nullptr || browser, false};
    case ID_FORMAT_BOLD:
    case ID_FORMAT_ITALIC:
    case ID_FORMAT_UNDERLINE:
    case ID_FORMAT_STRIKEOUT:
    case ID_FORMAT_FONT:
    case ID_FORMAT_COLOR:
        return CommandState{m_nMode == ViewMode::kRichText && m_pEdit != nullptr && m_pEdit->IsRich(), false};
    default:
        if (ScrollOpForCommand(id)) return CommandState{};
        return std::nullopt;
    }
}

namespace {

// Cut, copy, paste and select all on the text pane or the page alike.
template <typename Target>
void RunClipboardCommand(Target& target, CommandId id) {
    switch (id) {
    case ID_EDIT_COPY: target.Copy(); break;
    case ID_EDIT_CUT: target.Cut(); break;
    case ID_EDIT_PASTE: target.Paste(); break;
    case ID_EDIT_SELECT_ALL: target.SelectAll(); break;
    default: break;
    }
}

}  // namespace

bool CTextView::OnCommand(CommandId id) {
    if (m_pImage->Commands().QueryCommand(id)) return m_pImage->Commands().OnCommand(id);
    const bool browser = m_nMode == ViewMode::kBrowser && IsBrowserShown();
    if (const std::optional<ScrollOp> op = ScrollOpForCommand(id)) {
        Scroll(*op);
        return true;
    }
    switch (id) {
    case ID_VIEW_SHOW: ShowSource(); return true;
    case ID_VIEW_BROWSER_MODE: ToggleBrowserMode(); return true;
    case ID_DIC_LOOKUP: LookupSelection(); return true;
    case ID_FORMAT_BOLD:
    case ID_FORMAT_ITALIC:
    case ID_FORMAT_UNDERLINE:
    case ID_FORMAT_STRIKEOUT:
    case ID_FORMAT_FONT:
    case ID_FORMAT_COLOR:
        OnFormatCommand(id);
        return true;
    case ID_DIC_LOOKUP_CLIPBOARD: LookupClipboard(); return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
        if (m_pEdit) RunClipboardCommand(*m_pEdit, id);
        else if (browser) RunClipboardCommand(*m_pBrowser, id);
        return true;
    case ID_EDIT_UNDO:
        if (m_pEdit) m_pEdit->Undo();
        return true;
    case ID_EDIT_FIND: OnFind(); return true;
    case ID_EDIT_REPEAT: OnFindNext(); return true;
    case ID_EDIT_REPLACE: OnReplace(); return true;
    case ID_BROWSER_INIT_SCROLL:
        if (m_pDoc != nullptr && m_pBrowser) m_pBrowser->SetBrowserScroll(m_pDoc->m_data.m_pos.m_nScrollX, m_pDoc->m_data.m_pos.m_nScrollY);
        return true;
    case ID_VIEW_FONT: OnFontCommand(); return true;
    case ID_VIEW_SOURCE_SETTINGS: OnSourceSettings(); return true;
    default: return false;
    }
}

void CTextView::ToggleBrowserMode() {
    m_bBrowserMode = !m_bBrowserMode;
    WriteBrowserMode(m_settings, m_bBrowserMode);
    ShowSource();
}

void CTextView::OnFormatCommand(CommandId id) {
    if (m_nMode != ViewMode::kRichText || !m_pEdit) return;
    switch (id) {
    case ID_FORMAT_BOLD: m_pEdit->ToggleBold(); break;
    case ID_FORMAT_ITALIC: m_pEdit->ToggleItalic(); break;
    case ID_FORMAT_UNDERLINE: m_pEdit->ToggleUnderline(); break;
    case ID_FORMAT_STRIKEOUT: m_pEdit->ToggleStrikeOut(); break;
    case ID_FORMAT_FONT: {
        wxFontData data;
        if (const std::optional<wxFont> font = m_pEdit->GetSelectionFont()) data.SetInitialFont(*font);
        wxFontDialog dialog(this, data);
        if (dialog.ShowModal() != wxID_OK) return;
        m_pEdit->SetSelectionFont(dialog.GetFontData().GetChosenFont());
        break;
    }
    case ID_FORMAT_COLOR: {
        wxColourData data;
        if (const std::optional<wxColour> colour = m_pEdit->GetSelectionColor()) data.SetColour(*colour);
        wxColourDialog dialog(this, &data);
        if (dialog.ShowModal() != wxID_OK) return;
        m_pEdit->SetSelectionColor(dialog.GetColourData().GetColour());
        break;
    }
    default: return;
    }
    m_pEdit->SetModified(true);
}

void CTextView::LookupSelection() {
    if (!m_lookup || m_nMode != ViewMode::kBrowser || !m_pBrowser) return;
    m_lookup(m_pBrowser->GetBrowserSelection());
}

// Clipboard without text: nothing happens.
void CTextView::LookupClipboard() {
    if (!m_lookup) return;
    std::optional<std::string> word;
    if (wxTheClipboard->Open()) {
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
            wxTextDataObject text;
            if (wxTheClipboard->GetData(text)) word = FromWx(text.GetText());
        }
        wxTheClipboard->Close();
    }
    if (word) m_lookup(*word);
}

void CTextView::ShowNotFound() {
    static const std::string text = SjisText("見つかりません");
    m_prompter.Message(text, MessageButtons::kOk, MessageIcon::kExclamation);
}

void CTextView::OnFind() {
    if (!m_pEdit) return;
    CFindDlg dialog(this, m_settings);
    if (dialog.ShowModal() != wxID_OK) return;
    m_strFind = dialog.FindText();
    if (!m_pEdit->FindFirst(m_strFind)) ShowNotFound();
}

void CTextView::OnFindNext() {
    if (!m_pEdit) return;
    if (!m_pEdit->FindNext()) ShowNotFound();
}

void CTextView::OnReplace() {
    if (!m_pEdit) return;
    CReplaceDlg dialog(this, m_settings);
    if (dialog.ShowModal() != wxID_OK) return;
    m_strFind = dialog.FindText();
    m_strReplace = dialog.ReplaceText();
    if (!m_pEdit->FindFirst(m_strFind)) {
        ShowNotFound();
        return;
    }
    CReplaceInfoDlg progress(this, *m_pEdit, m_prompter, m_strFind, m_strReplace);
    progress.ShowModal();
}

void CTextView::OnFontCommand() {
    wxFontData data;
    data.SetInitialFont(m_font);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK) return;
    m_font = dialog.GetFontData().GetChosenFont();
    if (m_pEdit) m_pEdit->SetDefaultFont(m_font);
    WriteSourceFont(m_settings, SourceFontSettings(m_font, ReadSourceFont(m_settings).nCharSet));
    SetFont(m_font);
    Refresh();
}

void CTextView::OnSourceSettings() {
    COptionDlg form(m_view.nScrollDownRate);
    COptionDialog dialog(this, form, m_settings, m_prompter);
    if (dialog.ShowModal() == wxID_OK) m_view.nScrollDownRate = form.m_nScrollDownRate;
}

}  // namespace kelmio
