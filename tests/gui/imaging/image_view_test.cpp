// The image mode of the source viewer on a real display: an image shown,
// zoomed, turned, undone and saved through the format options, the drawing
// checked pixel by pixel.

#include <Magick++.h>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/modalhook.h>
#include <wx/listbox.h>
#include <wx/scrolbar.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <deque>
#include <functional>

#include "commands/command_ids.h"
#include "gui/imaging/image_canvas.h"
#include "gui/imaging/image_commands.h"
#include "gui/imaging/image_format_sheet.h"
#include "gui/imaging/image_mode.h"
#include "gui/imaging/rotate_dialog.h"
#include "gui/imaging/zoom_dialog.h"
#include "gui/platform/file_chooser_type.h"
#include "gui/platform/toolkit_symbol.h"
#include "gui_support.h"
#include "imaging/sane_scanner.h"
#include "platform/settings.h"
#include "project/kelmio_data.h"
#include "support/file_bytes.h"
#include "support/scoped_env.h"
#include "support/sjis_literal.h"
#include "support/temp_dir.h"

namespace kelmio {
namespace {

using test::Pump;

// A picture with features a wrong zoom or turn would move: a gradient and a
// red block in the top left quarter.
RgbPixels TestPicture(int w, int h) {
    RgbPixels pixels;
    pixels.cx = w;
    pixels.cy = h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool block = x < w / 4 && y < h / 4;
            pixels.bytes.push_back(block ? 255 : static_cast<std::uint8_t>(x * 255 / w));
            pixels.bytes.push_back(block ? 0 : static_cast<std::uint8_t>(y * 255 / h));
            pixels.bytes.push_back(block ? 0 : 128);
        }
    }
    return pixels;
}

class CScriptedChooser final : public CImageSaveChooser {
public:
    FileDialogResult ChooseImageFile(const CFileDialogEx& dialog, const CFilePath&) override {
        m_dialogs.push_back(dialog);
        if (m_answers.empty()) return {};
        FileDialogResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<FileDialogResult> m_answers;
    std::vector<CFileDialogEx> m_dialogs;
};

// The viewer around the canvas, as far as the image commands need it.
// SANE's own "test" backend, configured in a folder of ours with two
// devices. The library reads SANE_CONFIG_DIR once in a process, so every
// test of the run uses the one folder.
struct CSaneTestBackend {
    CSaneTestBackend() {
        test::WriteFileBytes(folder.File("dll.conf"), "test\n");
        test::WriteFileBytes(folder.File("test.conf"),
                             "number_of_devices 2\nmode Color\ndepth 8\nresolution 50.0\n"
                             "test-picture \"Color pattern\"\nbr_x 80.0\nbr_y 100.0\n");
    }
    test::TempDir folder;
};

std::string SaneTestBackendFolder() {
    static const CSaneTestBackend backend;
    return backend.folder.Path().string();
}

class ImageViewTest : public testing::Test, public CImageViewHost {
protected:
    void SetUp() override {
        m_pFrame = new wxFrame(nullptr, wxID_ANY, "image", wxDefaultPosition, wxSize(1000, 800));
        m_pCanvas = new CImageCanvas(m_pFrame, m_display);
        m_pCommands =
            std::make_unique<CImageCommands>(m_display, *m_pCanvas, *this, m_settings, m_prompter, m_scanner);
        m_pFrame->Show();
        Pump();
    }
    void TearDown() override {
        m_pCommands.reset();
        m_pFrame->Destroy();
        Pump();
    }

    bool IsImageMode() const override { return true; }
    CKelmioData& Project() override { return m_project; }
    CFilePath ProjectPath() const override { return m_dir.File("p.kmp"); }
    void ShowSourceAgain() override {
        ++m_nReloads;
        if (m_project.m_strSrcFile.empty()) {
            m_pCanvas->ShowMemoryImage();
        } else {
            m_pCanvas->ShowImageFile(m_project.m_strSrcFile);
        }
    }
    void SetModified() override { m_bModified = true; }

    void Run(CommandId nID) {
        ASSERT_TRUE(m_pCommands->OnCommand(nID)) << CommandNumber(nID);
        Pump();
    }
    CommandState State(CommandId nID) const { return m_pCommands->QueryCommand(nID).value_or(CommandState{false, false}); }

    // What the window shows at a client point.
    wxColour ShownAt(int x, int y) {
        m_pCanvas->Update();
        wxClientDC screen(m_pCanvas);
        wxBitmap pixel(1, 1);
        wxMemoryDC memory(pixel);
        memory.Blit(0, 0, 1, 1, &screen, x, y);
        memory.SelectObject(wxNullBitmap);
        const wxImage image = pixel.ConvertToImage();
        return wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
    }

    void ShowPicture(int w, int h) {
        CImageKit picture;
        ASSERT_TRUE(picture.LoadRgb(TestPicture(w, h)));
        const std::string path = m_dir.File("page.png");
        ASSERT_TRUE(picture.SavePng(path, {}));
        m_project.SetSource(path);
        ShowSourceAgain();
        Pump();
    }

    test::TempDir m_dir;
    CMemorySettings m_settings;
    test::CRecordingPrompter m_prompter;
    CScriptedChooser m_chooser;
    CImageDisplay m_display{m_settings, m_prompter, m_chooser};
    CKelmioData m_project;
    wxFrame* m_pFrame = nullptr;
    CImageCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CImageCommands> m_pCommands;
    int m_nReloads = 0;
    bool m_bModified = false;
    CSaneScanner m_scanner;
};

TEST_F(ImageViewTest, ZoomTurnUndoAndSaveAsJpegThroughTheOptionPage) {
    ShowPicture(400, 300);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{400, 300}));
    EXPECT_TRUE(State(ID_IMAGE_ACTUAL_SIZE).bChecked);
    EXPECT_EQ(ShownAt(10, 10), wxColour(255, 0, 0));
    EXPECT_EQ(ShownAt(500, 400), *wxWHITE);  // outside the image

    Run(ID_IMAGE_ENLARGE_2);  // 2倍
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{800, 600}));
    EXPECT_TRUE(State(ID_IMAGE_ENLARGE_2).bChecked);
    EXPECT_FALSE(State(ID_IMAGE_ACTUAL_SIZE).bChecked);
    EXPECT_EQ(ShownAt(190, 140), wxColour(255, 0, 0));  // the block is twice as large
    EXPECT_NE(ShownAt(210, 160), wxColour(255, 0, 0));
    EXPECT_EQ(m_nReloads, 1);  // enlarging keeps the image

    for (int step = 0; step < 10; ++step) Run(ID_IMAGE_REDUCE_STEP);  // 一段階縮小 back to own size
    EXPECT_TRUE(State(ID_IMAGE_ACTUAL_SIZE).bChecked);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{400, 300}));
    EXPECT_NE(ShownAt(190, 140), wxColour(255, 0, 0));

    Run(ID_IMAGE_ROTATE_LEFT);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{300, 400}));
    EXPECT_EQ(ShownAt(10, 390), wxColour(255, 0, 0));  // the block went to the bottom left
    EXPECT_TRUE(m_display.IsImageModified());
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{400, 300}));
    EXPECT_EQ(ShownAt(10, 10), wxColour(255, 0, 0));

    // The JPEG page: 101 is refused with the range message, 50 accepted.
    {
        CImageFormatSheetDlg sheet(m_pFrame, CImageFormatSheet::Load(m_settings, kImageTypeJpeg), m_prompter);
        auto* quality = wxDynamicCast(sheet.FindWindow(CImageFormatSheetDlg::kQualityId), wxTextCtrl);
        ASSERT_NE(quality, nullptr);
        EXPECT_EQ(quality->GetValue(), "75");
        quality->SetValue("101");
        EXPECT_FALSE(sheet.TransferDataFromWindow());
        ASSERT_EQ(m_prompter.m_messages.size(), 1u);
        EXPECT_EQ(m_prompter.m_messages[0], test::Sj("0 から 100 までの整数を入力してください。"));
        quality->SetValue("50");
        ASSERT_TRUE(sheet.TransferDataFromWindow());
        sheet.Form().Store(m_settings);
    }
    EXPECT_EQ(m_settings.GetInt("Jpeg", "Quality", 0), 50);

    const std::string target = m_dir.File("page-50.jpg");
    FileDialogResult answer;
    answer.nResult = kIdOk;
    answer.strPath = target;
    answer.nFilterIndex = kImageTypeJpeg;
    m_chooser.m_answers.push_back(answer);
    Run(ID_FILE_SAVE_SCAN);
    ASSERT_EQ(m_chooser.m_dialogs.size(), 1u);
    EXPECT_EQ(m_chooser.m_dialogs[0].m_strFileName, "page.bmp");
    EXPECT_EQ(m_project.m_strSrcFile, target);

    const std::string bytes = test::ReadFileBytes(target);
    Magick::Image written;
    written.read(Magick::Blob(bytes.data(), bytes.size()));
    EXPECT_EQ(written.magick(), "JPEG");
    EXPECT_EQ(written.columns(), 400u);
    EXPECT_EQ(written.rows(), 300u);
    EXPECT_EQ(written.attribute("JPEG-Quality"), "50");
}

// The real save dialog: picking another type in its type list renames the
// file to that type and enables the format button for types with options.
TEST_F(ImageViewTest, SaveDialogTypeListRenamesTheFileAndEnablesTheFormatButton) {
    using ListFilters = void* (*)(void*);
    using SetFilter = void (*)(void*, void*);
    using NthData = void* (*)(void*, unsigned);
    const auto list = ToolkitFunction<ListFilters>("gtk_file_chooser_list_filters");
    const auto set = ToolkitFunction<SetFilter>("gtk_file_chooser_set_filter");
    const auto nth = ToolkitFunction<NthData>("g_slist_nth_data");
    if (list == nullptr || set == nullptr || nth == nullptr) GTEST_SKIP() << "not the GTK file chooser";

    struct Seen {
        std::string name;
        int type = 0;
        bool button = false;
    };
    std::vector<Seen> seen;
    wxFileDialog* shown = nullptr;
    // As the user picks a type: the chooser's own filter changes.
    const auto choose = [&](unsigned index) {
        set(shown->GetHandle(), nth(list(shown->GetHandle()), index));
        Pump();
        const wxWindowList& children = shown->GetExtraControl()->GetChildren();
        const auto* button = children.empty() ? nullptr : wxDynamicCast(children.front(), wxButton);
        seen.push_back({FileChooserName(*shown), FileChooserTypeIndex(*shown) + 1, button != nullptr && button->IsEnabled()});
    };
    test::CAtModalOpen atOpen([&](wxDialog& dialog) {
        shown = wxDynamicCast(&dialog, wxFileDialog);
        if (shown != nullptr && shown->GetExtraControl() != nullptr) {
            choose(1);  // GIF
            choose(4);  // PCX
            choose(5);  // PNG
        }
        dialog.EndModal(wxID_CANCEL);
    });

    CWxImageSaveChooser chooser(m_pFrame, m_settings, m_prompter);
    CFileDialogEx dialog;
    dialog.m_bOpen = false;
    dialog.m_strDefExt = "bmp";
    dialog.m_strFileName = CFilePath(test::Sj("表紙.bmp"));  // 表 ends in byte 0x5C
    dialog.m_strFilter = ImageSaveFilter();
    dialog.m_strTitle = ImageSaveTitle();
    dialog.m_nFilterIndex = kImageTypeBmp;
    EXPECT_NE(chooser.ChooseImageFile(dialog, CFilePath(m_dir.File(""))).nResult, kIdOk);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].name, "表紙.gif");
    EXPECT_EQ(seen[0].type, kImageTypeGif);
    EXPECT_TRUE(seen[0].button);
    EXPECT_EQ(seen[1].name, "表紙.pcx");
    EXPECT_FALSE(seen[1].button);
    EXPECT_EQ(seen[2].name, "表紙.png");
    EXPECT_TRUE(seen[2].button);
}

// The arbitrary rotation dialog opens with no direction chosen (so the turn
// is to the left) and its arrows step from the angle typed.
TEST_F(ImageViewTest, RotateDialogStartsWithoutDirectionAndStepsFromTheTypedAngle) {
    CRotateDialog dialog(m_pFrame);
    int selection = 0;
    int arrowAfterTyping = 0;
    std::string afterStep;
    test::CAtModalOpen atOpen([&](wxDialog&) {
        Pump();
        selection = dialog.DirectionList()->GetSelection();
        dialog.AngleField()->SetValue("45");
        arrowAfterTyping = dialog.AngleArrow()->GetValue();
        // One click on the up arrow: the control steps its value and reports it.
        dialog.AngleArrow()->SetValue(dialog.AngleArrow()->GetValue() + 1);
        wxSpinEvent spin(wxEVT_SPIN, CRotateDialog::kArrowId);
        spin.SetPosition(dialog.AngleArrow()->GetValue());
        spin.SetEventObject(dialog.AngleArrow());
        dialog.AngleArrow()->ProcessWindowEvent(spin);
        afterStep = dialog.AngleField()->GetValue().utf8_string();
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.ProcessWindowEvent(ok);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(selection, wxNOT_FOUND);
    EXPECT_EQ(arrowAfterTyping, 45);
    EXPECT_EQ(afterStep, "46");
    EXPECT_EQ(dialog.RotationAngle(), 4600);  // no direction: to the left
}

// Fine mode sharpens a reduced or enlarged picture; at its own size the
// picture is shown as it is.
TEST_F(ImageViewTest, FineModeLeavesThePictureAtItsOwnSizeAsItIs) {
    ShowPicture(400, 300);
    const wxColour plain = ShownAt(101, 40);  // beside the red block's edge
    Run(ID_IMAGE_FINE);
    ASSERT_TRUE(m_display.IsPure());
    EXPECT_EQ(ShownAt(101, 40), plain);

    Run(ID_IMAGE_ENLARGE_2);
    const wxColour fine = ShownAt(201, 80);
    Run(ID_IMAGE_FINE);
    EXPECT_NE(ShownAt(201, 80), fine);
}

TEST_F(ImageViewTest, EnableRulesAndCheckMarks) {
    ShowPicture(200, 100);
    Run(CommandAfter(ID_IMAGE_REDUCE_2, 1));  // 3分の1
    EXPECT_EQ(m_nReloads, 1);
    EXPECT_TRUE(State(CommandAfter(ID_IMAGE_REDUCE_2, 1)).bChecked);
    EXPECT_FALSE(State(ID_IMAGE_REDUCE_CUSTOM).bChecked);
    m_pCommands->SetDialogs([](const CZoomDlg& form) -> std::optional<int> { return form.IsReduce() ? 25 : 15; },
                            [] { return std::optional<int>(3000); });
    Run(ID_IMAGE_REDUCE_CUSTOM);
    EXPECT_TRUE(State(ID_IMAGE_REDUCE_CUSTOM).bChecked);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{80, 40}));
    Run(ID_IMAGE_ENLARGE_CUSTOM);
    EXPECT_TRUE(State(ID_IMAGE_ENLARGE_CUSTOM).bChecked);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{300, 150}));
    Run(ID_IMAGE_FIT_WINDOW);
    EXPECT_TRUE(State(ID_IMAGE_FIT_WINDOW).bChecked);
    EXPECT_EQ(m_settings.GetInt("View", "WindowSize", 0), 1);
    Run(ID_IMAGE_FINE);
    EXPECT_TRUE(State(ID_IMAGE_FINE).bChecked);
    Run(ID_IMAGE_ROTATE_ANY);
    EXPECT_GT(m_display.GetImage().GetSize().cy, 100);
    EXPECT_TRUE(State(ID_FILE_SCAN).bEnabled);
    EXPECT_FALSE(m_pCommands->QueryCommand(ID_FILE_NEW).has_value());
}

// Every zoom command shows the turned picture at its new size: none reads the
// file again, asks about the turn or forgets it.
TEST_F(ImageViewTest, ZoomCommandsKeepTheTurnedPicture) {
    ShowPicture(200, 100);
    Run(ID_IMAGE_ROTATE_LEFT);
    ASSERT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{100, 200}));
    m_pCommands->SetDialogs([](const CZoomDlg& form) -> std::optional<int> { return form.IsReduce() ? 25 : 15; },
                            [] { return std::optional<int>(); });
    const struct {
        CommandId id;
        ImageSize shown;
    } zooms[] = {
        {ID_IMAGE_REDUCE_2, {50, 100}},       {CommandAfter(ID_IMAGE_REDUCE_2, 8), {10, 20}},
        {ID_IMAGE_ACTUAL_SIZE, {100, 200}},   {ID_IMAGE_ENLARGE_2, {200, 400}},
        {ID_IMAGE_REDUCE_CUSTOM, {40, 80}},   {ID_IMAGE_ENLARGE_CUSTOM, {150, 300}},
        {ID_IMAGE_REDUCE_STEP, {140, 280}},   {ID_IMAGE_ENLARGE_STEP, {150, 300}},
        {ID_IMAGE_FIT_WINDOW, {100, 200}},    {ID_IMAGE_ACTUAL_SIZE, {100, 200}},
    };
    for (const auto& zoom : zooms) {
        Run(zoom.id);
        EXPECT_EQ(m_pCanvas->GetDisplaySize(), zoom.shown) << CommandNumber(zoom.id);
        EXPECT_EQ(m_display.GetImage().GetSize(), (ImageSize{100, 200})) << CommandNumber(zoom.id);
    }
    EXPECT_EQ(ShownAt(10, 190), wxColour(255, 0, 0));  // the block still at the bottom left
    EXPECT_EQ(m_nReloads, 1);
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_TRUE(m_display.IsImageModified());
    Run(ID_EDIT_UNDO);  // the turn can still be undone
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{200, 100}));
}

TEST_F(ImageViewTest, CopyPutsTheWholeImageOnTheClipboard) {
    ShowPicture(120, 80);
    Run(ID_IMAGE_ROTATE_LEFT);
    Run(ID_IMAGE_COPY);
    wxClipboardLocker locker;
    ASSERT_FALSE(!locker);
    ASSERT_TRUE(wxTheClipboard->IsSupported(wxDF_BITMAP));
    wxBitmapDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    const wxImage copied = data.GetBitmap().ConvertToImage();
    EXPECT_EQ(copied.GetWidth(), 80);
    EXPECT_EQ(copied.GetHeight(), 120);
    EXPECT_EQ(wxColour(copied.GetRed(2, 117), copied.GetGreen(2, 117), copied.GetBlue(2, 117)), wxColour(255, 0, 0));
}

TEST_F(ImageViewTest, ScrollStepsAndPages) {
    ShowPicture(3000, 2000);
    m_pCanvas->ScrollDown();
    m_pCanvas->ScrollRight();
    EXPECT_EQ(m_pCanvas->GetScrollPoint(), (ScrollPoint{5, 5}));
    Run(ID_SOURCE_PAGE_DOWN);
    EXPECT_EQ(m_pCanvas->GetScrollPoint(), (ScrollPoint{5, 5 + 180}));  // 9 % of 2000
    Run(ID_SOURCE_SCROLL_UP);
    EXPECT_EQ(m_pCanvas->GetScrollPoint(), (ScrollPoint{5, 180}));
    // Scrolling draws from the zoomed form made once: no new form.
    const CZoomedImage* before = &m_pCanvas->Zoomed();
    EXPECT_TRUE(before->IsBuilt());
    EXPECT_EQ(ShownAt(10, 10), wxColour(255, 0, 0));
}

TEST_F(ImageViewTest, ZoomDialogFollowsTheScrollBar) {
    CImageZoom zoom;
    CZoomDialog dialog(m_pFrame, CZoomDlg::ForEnlarge(zoom));
    EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("拡大"));
    auto* edit = wxDynamicCast(dialog.FindWindow(CZoomDialog::kEditId), wxTextCtrl);
    auto* bar = wxDynamicCast(dialog.FindWindow(CZoomDialog::kScrollId), wxScrollBar);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(edit->GetValue(), "1");
    wxScrollEvent right(wxEVT_SCROLL_PAGEDOWN, CZoomDialog::kScrollId, bar->GetThumbPosition());
    dialog.OnScroll(right);
    EXPECT_EQ(edit->GetValue(), "1.5");
    EXPECT_EQ(bar->GetThumbPosition(), 15);
    edit->SetValue("9.9");
    dialog.OnScroll(right);
    EXPECT_EQ(edit->GetValue(), "10");
    EXPECT_EQ(dialog.AcceptedTenths(), 100);
}

// Enter in the typed value confirms the zoom and the rotation dialogs.
TEST_F(ImageViewTest, EnterInTheFieldConfirmsTheZoomAndRotationDialogs) {
    const auto typeAndEnter = [](wxDialog& dialog, int fieldId, const char* text) {
        EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
        dialog.CallAfter([&dialog, fieldId, text] {
            auto* field = wxDynamicCast(dialog.FindWindow(fieldId), wxTextCtrl);
            field->SetFocus();
            field->SelectAll();
            Pump();
            wxUIActionSimulator keyboard;
            keyboard.Text(text);
            keyboard.Char(WXK_RETURN);
            for (int i = 0; i < 100 && dialog.IsModal(); ++i) Pump();
            if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
        });
        return dialog.ShowModal();
    };
    CImageZoom zoom;
    CZoomDialog zoomDialog(m_pFrame, CZoomDlg::ForEnlarge(zoom));
    EXPECT_EQ(typeAndEnter(zoomDialog, CZoomDialog::kEditId, "3"), wxID_OK);
    EXPECT_EQ(zoomDialog.AcceptedTenths(), 30);

    CRotateDialog rotateDialog(m_pFrame);
    EXPECT_EQ(typeAndEnter(rotateDialog, CRotateDialog::kAngleId, "30"), wxID_OK);
    EXPECT_EQ(rotateDialog.RotationAngle(), 3000);
}

TEST_F(ImageViewTest, ScanFromTheTestBackendSavedAsPngBecomesTheSource) {
    test::ScopedEnv env("SANE_CONFIG_DIR", SaneTestBackendFolder());
    int chooserShown = 0;
    m_pCommands->SetDeviceChooser([&](const std::vector<ScannerDevice>&) -> std::optional<std::size_t> {
        ++chooserShown;
        return 0;
    });
    const std::string target = m_dir.File("scan.png");
    FileDialogResult answer;
    answer.nResult = kIdOk;
    answer.strPath = target;
    answer.nFilterIndex = kImageTypePng;
    m_chooser.m_answers.push_back(answer);

    Run(ID_FILE_SCAN);
    EXPECT_EQ(chooserShown, 1);  // two test devices
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0], test::Sj("ファイルに保存しますか？"));
    ASSERT_EQ(m_chooser.m_dialogs.size(), 1u);
    EXPECT_EQ(m_chooser.m_dialogs[0].m_strFileName, test::Sj("新規イメージ.bmp"));
    EXPECT_EQ(m_project.m_strSrcFile, target);
    EXPECT_TRUE(m_bModified);
    EXPECT_EQ(m_display.GetPath(), target);  // shown from the saved file
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{157, 196}));
    const std::string bytes = test::ReadFileBytes(target);
    Magick::Image written;
    written.read(Magick::Blob(bytes.data(), bytes.size()));
    EXPECT_EQ(written.magick(), "PNG");
    const RgbPixels corner = m_display.GetImage().GetRgb(5, 5, 1, 1);
    EXPECT_EQ(ShownAt(5, 5), wxColour(corner.bytes[0], corner.bytes[1], corner.bytes[2]));

    // Choosing the scanner source remembers it.
    Run(ID_FILE_SELECT_SCANNER);
    EXPECT_EQ(m_settings.GetString("Scanner", "Device", ""), "test:0");
}

// A scan takes the place of the image shown, so a turned picture is
// offered for saving first; Cancel there scans nothing.
TEST_F(ImageViewTest, ScanOffersTheTurnedPictureForSavingFirst) {
    test::ScopedEnv env("SANE_CONFIG_DIR", SaneTestBackendFolder());
    int scans = 0;
    m_pCommands->SetDeviceChooser([&](const std::vector<ScannerDevice>&) -> std::optional<std::size_t> {
        ++scans;
        return 0;
    });
    ShowPicture(400, 300);
    Run(ID_IMAGE_ROTATE_LEFT);
    ASSERT_TRUE(m_display.IsImageModified());

    m_prompter.m_answers = {Answer::kCancel};
    Run(ID_FILE_SCAN);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0], test::Sj("画像を保存しますか？"));
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(m_pCanvas->GetDisplaySize(), (ImageSize{300, 400}));  // still the turned picture

    m_prompter.m_answers = {Answer::kNo, Answer::kCancel};
    Run(ID_FILE_SCAN);
    ASSERT_EQ(m_prompter.m_messages.size(), 3u);
    EXPECT_EQ(m_prompter.m_messages[1], test::Sj("画像を保存しますか？"));
    EXPECT_EQ(m_prompter.m_messages[2], test::Sj("ファイルに保存しますか？"));
    EXPECT_EQ(scans, 1);
    EXPECT_NE(m_pCanvas->GetDisplaySize(), (ImageSize{300, 400}));  // the scan, kept in memory
    EXPECT_TRUE(m_project.m_strSrcFile.empty());
}

TEST_F(ImageViewTest, DisplayStateGoesWithTheProjectAndComesBack) {
    CImageKit picture;
    ASSERT_TRUE(picture.LoadRgb(TestPicture(900, 700)));
    const std::string path = m_dir.File("big.png");
    ASSERT_TRUE(picture.SavePng(path, {}));

    CKelmioPosData pos;
    {
        CImageMode mode(m_pFrame, m_settings, m_prompter, *this, nullptr);
        mode.Canvas().SetSize(m_pFrame->GetClientSize());
        ASSERT_TRUE(mode.ShowImageFile(path));
        ASSERT_TRUE(mode.Commands().OnCommand(CommandAfter(ID_IMAGE_ENLARGE_2, 1)));  // 3倍
        mode.Canvas().ScrollToPoint(ScrollPoint{50, 60});
        mode.SaveViewState(pos);
    }
    EXPECT_EQ(pos.m_bEnlarge, 1);
    EXPECT_EQ(pos.m_nEnlarge, 30);
    EXPECT_EQ(pos.m_nScrollX, 50);
    EXPECT_EQ(pos.m_nScrollY, 60);

    CImageMode reopened(m_pFrame, m_settings, m_prompter, *this, nullptr);
    reopened.Canvas().SetSize(m_pFrame->GetClientSize());
    reopened.RestoreViewState(pos);
    ASSERT_TRUE(reopened.ShowImageFile(path));
    reopened.ScrollToStored();
    EXPECT_EQ(reopened.Canvas().GetDisplaySize(), (ImageSize{2700, 2100}));
    EXPECT_EQ(reopened.Canvas().GetScrollPoint(), (ScrollPoint{50, 60}));
    EXPECT_TRUE(reopened.Commands().QueryCommand(CommandAfter(ID_IMAGE_ENLARGE_2, 1))->bChecked);
}

// Writes the screenshot of the documentation when KELMIO_SCREENSHOT names a file.
TEST_F(ImageViewTest, ScreenshotAtACustomZoom) {
    const char* target = std::getenv("KELMIO_SCREENSHOT");
    if (target == nullptr) GTEST_SKIP() << "no screenshot asked for";
    const char* source = std::getenv("KELMIO_SCREENSHOT_SOURCE");
    ASSERT_NE(source, nullptr);
    m_project.SetSource(source);
    ShowSourceAgain();
    m_pCommands->SetDialogs([](const CZoomDlg&) { return std::optional<int>(15); }, [] { return std::nullopt; });
    Run(ID_IMAGE_ENLARGE_CUSTOM);
    m_pCanvas->ScrollToPoint(ScrollPoint{0, 0});
    Pump();
    m_pCanvas->Update();
    const wxSize size = m_pCanvas->GetClientSize();
    wxBitmap shot(size);
    {
        wxClientDC screen(m_pCanvas);
        wxMemoryDC memory(shot);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    ASSERT_TRUE(shot.ConvertToImage().SaveFile(wxString::FromUTF8(target), wxBITMAP_TYPE_PNG));
}

}  // namespace
}  // namespace kelmio
