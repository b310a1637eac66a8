#include "keys/key_dispatch.h"

#include "keys/keycust_array.h"

namespace kelmio {
namespace {

constexpr unsigned int kFirstFunctionKey = 112;  // F1; the at-sign key (192) lies above
constexpr unsigned int kFirstControlKey = 16;     // Shift, Ctrl, Alt, Pause, ..., Escape (27)
constexpr unsigned int kLastControlKey = 31;

}  // namespace

bool KeyReachesTable(ActiveView view, const KeyPress& press) {
    if (view != ActiveView::kEditor) return true;
    return press.alt || press.ctrl || press.key >= kFirstFunctionKey ||
           (press.key >= kFirstControlKey && press.key <= kLastControlKey);
}

std::optional<unsigned int> DecideForBinding(ActiveView view, bool editorKey, unsigned int command,
                                             bool editorKeysFirst) {
    if (view == ActiveView::kEditor && editorKey && editorKeysFirst) return std::nullopt;
    if (command == 0) return std::nullopt;
    return command;
}

std::optional<unsigned int> DecideKeyDispatch(ActiveView view, const KeyPress& press,
                                              const std::vector<CKeycust>& bindings, bool editorKeysFirst) {
    if (!KeyReachesTable(view, press)) return std::nullopt;
    const int index = FindKeyIn(bindings, press.key, press.alt, press.shift, press.ctrl);
    if (index < 0) return std::nullopt;
    const CKeycust& binding = bindings[static_cast<std::size_t>(index)];
    return DecideForBinding(view, binding.IsEditorKey(), binding.m_nCommand, editorKeysFirst);
}

bool KeepFromEditor(ActiveView view, const KeyPress& press, const std::vector<CKeycust>& bindings,
                    bool editorKeysFirst) {
    if (view != ActiveView::kEditor) return false;
    if (!CKeycust::Of(press.key, press.alt, press.shift, press.ctrl, 0).IsEditorEditingKey()) return false;
    const bool leftToEditor = editorKeysFirst && FindKeyIn(bindings, press.key, press.alt, press.shift, press.ctrl) >= 0;
    return !leftToEditor;
}

}  // namespace kelmio
