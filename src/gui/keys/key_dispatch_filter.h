#pragma once
// Joins the key table to the main window: every key-down reaching the
// window passes the key dispatch first, and every activation writes the
// bindings' key texts into the menu captions.

#include <functional>

#include "keys/key_dispatch.h"

namespace kelmio {

class CKeycustArray;
class CMainFrame;

// Which of the three panes is the frame's active view.
ActiveView ActiveViewOf(CMainFrame& frame);

// `table` must outlive the frame. `editorKeysFirst` is asked for each key,
// so a changed preference takes effect at once.
void AttachKeyTable(CMainFrame& frame, const CKeycustArray& table, std::function<bool()> editorKeysFirst);

}  // namespace kelmio
