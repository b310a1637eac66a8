#include "gui/app/menu_builder.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "commands/command_registry.h"
#include "commands/command_texts.h"
#include "commands/toolbar_table.h"
#include "gui/app/wx_command_ids.h"
#include "gui/platform/wx_text.h"

namespace kelmio {
namespace {

void AppendItems(wxMenu& menu, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        switch (item.kind) {
            case CMenuItem::Kind::kSeparator:
                menu.AppendSeparator();
                break;
            case CMenuItem::Kind::kCommand:
                menu.Append(ToWxId(item.id), ToWx(item.strCaption), ToWx(CommandPrompt(item.id)),
                            IsCheckableCommand(item.id) ? wxITEM_CHECK : wxITEM_NORMAL);
                break;
            case CMenuItem::Kind::kPopup:
                menu.AppendSubMenu(BuildPopupMenu(item).release(), ToWx(item.strCaption));
                break;
        }
    }
}

// The icon theme's name for a button, from the command's record.
std::string ToolbarIconName(CommandId id) {
    const CommandRecord* record = FindCommandRecord(id);
    return record != nullptr ? std::string(record->iconName) : std::string();
}

constexpr int kIconSize = 16;

// Without an icon theme the button still shows what it does: the first
// character of its tooltip.
wxBitmap DrawnIcon(const wxString& tooltip) {
    wxBitmap bitmap(kIconSize, kIconSize);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxGREY_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, kIconSize, kIconSize);
    dc.SetFont(wxFont(wxFontInfo(8)));
    const wxString glyph = tooltip.Left(1);
    const wxSize extent = dc.GetTextExtent(glyph);
    dc.DrawText(glyph, (kIconSize - extent.x) / 2, (kIconSize - extent.y) / 2);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

wxBitmapBundle ToolbarIcon(CommandId id, const wxString& tooltip) {
    const wxBitmapBundle themed =
        wxArtProvider::GetBitmapBundle(ToolbarIconName(id), wxART_TOOLBAR, wxSize(kIconSize, kIconSize));
    return themed.IsOk() ? themed : wxBitmapBundle(DrawnIcon(tooltip));
}

}  // namespace

std::unique_ptr<wxMenu> BuildPopupMenu(const CMenuItem& popup) {
    auto menu = std::make_unique<wxMenu>();
    AppendItems(*menu, popup.children);
    return menu;
}

std::unique_ptr<wxMenuBar> BuildMenuBar() {
    auto bar = std::make_unique<wxMenuBar>();
    for (const CMenuItem& popup : MainMenu()) {
        bar->Append(BuildPopupMenu(popup).release(), ToWx(popup.strCaption));
    }
    return bar;
}

void AddToolbarButtons(wxToolBar& toolbar) {
    for (const std::optional<CommandId> button : kToolbarButtons) {
        if (!button) {
            toolbar.AddSeparator();
            continue;
        }
        const CommandId id = *button;
        const wxString tooltip = ToWx(CommandTooltip(id));
        toolbar.AddTool(ToWxId(id), wxString(), ToolbarIcon(id, tooltip), wxBitmapBundle(), wxITEM_NORMAL, tooltip,
                        ToWx(CommandPrompt(id)));
    }
    toolbar.Realize();
}

}  // namespace kelmio
