#include "gui/keys/key_dispatch_filter.h"

#include <wx/event.h>
#include <wx/menu.h>

#include <memory>

#include "gui/app/main_frame.h"
#include "gui/app/wx_command_ids.h"
#include "gui/editor/kel_edit_view.h"
#include "gui/keys/menu_key_texts.h"
#include "gui/keys/wx_key_codes.h"
#include "gui/memo/kel_form_view.h"
#include "keys/keycust_array.h"

namespace kelmio {

ActiveView ActiveViewOf(CMainFrame& frame) {
    const CPaneView* active = frame.ActiveView();
    if (active == &frame.EditView()) return ActiveView::kEditor;
    if (active == &frame.FormView()) return ActiveView::kMemo;
    return ActiveView::kSource;
}

void AttachKeyTable(CMainFrame& frame, const CKeycustArray& table, std::function<bool()> editorKeysFirst) {
    // The hook sees a key before the window with the focus does, and before
    // the toolkit's own menu shortcuts, so a key taken here is taken once.
    frame.Bind(wxEVT_CHAR_HOOK, [&frame, &table, editorKeysFirst = std::move(editorKeysFirst)](wxKeyEvent& event) {
        const KeyPress press = KeyPressFromWx(event);
        if (press.key != 0) {
            const bool keysFirst = editorKeysFirst && editorKeysFirst();
            const ActiveView view = ActiveViewOf(frame);
            if (const auto command = DecideKeyDispatch(view, press, table.GetBindings(), keysFirst)) {
                auto* posted = new wxCommandEvent(wxEVT_MENU, WxIdOfNumber(static_cast<int>(*command)));
                posted->SetEventObject(&frame);
                wxQueueEvent(&frame, posted);
                return;
            }
            if (KeepFromEditor(view, press, table.GetBindings(), keysFirst)) return;
        }
        event.Skip();
    });
    auto captions = std::make_shared<CMenuKeyTexts>();
    frame.Bind(wxEVT_ACTIVATE, [&frame, &table, captions](wxActivateEvent& event) {
        event.Skip();
        if (event.GetActive() && frame.GetMenuBar() != nullptr) captions->Apply(table, *frame.GetMenuBar());
    });
    // The window may be shown before it is ever activated (no window manager).
    if (frame.GetMenuBar() != nullptr) captions->Apply(table, *frame.GetMenuBar());
}

}  // namespace kelmio
