#pragma once
// The source pane's text pane, one interface over two controls: plain
// text in wxStyledTextCtrl (fast on very large files) and rich text in
// wxRichTextCtrl. The view talks only to this interface.
//
// Text crosses it as UTF-8 with CR LF line ends, the form the core hands
// out. Search and replace are the core's (viewer/text_search.h) over the
// control's text, so both controls find alike: forward, without regard to
// case, starting one character after the selection.

#include <optional>
#include <string>
#include <string_view>

class wxColour;
class wxFont;
class wxWindow;

namespace kelmio {

class CREditCtrl {
public:
    virtual ~CREditCtrl() = default;

    virtual wxWindow* Window() = 0;
    virtual bool IsRich() const = 0;

    // Content. Loading is not undoable and leaves the text unmodified.
    virtual void BeginLoad() = 0;
    virtual void AppendLoaded(std::string_view utf8) = 0;
    virtual void EndLoad() = 0;
    virtual std::string TextUtf8() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual void SetDefaultFont(const wxFont& font) = 0;

    // Scrolling.
    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollToLine(int line) = 0;
    virtual void ScrollLines(int lines) = 0;
    virtual void ScrollPages(int pages) = 0;

    // Editing.
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void SelectAll() = 0;

    // Search: the start of the match that was selected, or nullopt.
    std::optional<std::size_t> FindFirst(const std::string& utf8);
    std::optional<std::size_t> FindNext();
    // Replaces the selection by `utf8`.
    virtual void ReplaceSelection(std::string_view utf8) = 0;
    // Replaces every later match; the number replaced.
    int ReplaceAll(const std::string& find, const std::string& replacement);

    // Selection character formats (rich text only; plain text ignores them).
    virtual void ToggleBold() {}
    virtual void ToggleItalic() {}
    virtual void ToggleUnderline() {}
    virtual void ToggleStrikeOut() {}
    virtual std::optional<wxFont> GetSelectionFont() const;
    virtual void SetSelectionFont(const wxFont&) {}
    virtual std::optional<wxColour> GetSelectionColor() const;
    virtual void SetSelectionColor(const wxColour&) {}

protected:
    // The whole text for a search, valid until the next change.
    virtual std::string_view SearchText() = 0;
    // Selection and replacement in byte offsets of SearchText().
    virtual std::size_t SelectionEnd() const = 0;
    virtual void SelectAndShow(std::size_t start, std::size_t end) = 0;
    virtual void ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8) = 0;
    virtual void Freeze(bool frozen) = 0;

private:
    std::string m_strLastFind;
};

}  // namespace kelmio
