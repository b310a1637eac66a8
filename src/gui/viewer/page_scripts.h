#pragma once
// Scripts run in the browser's page, with the caller waiting for the value.
//
// wxWebView's own RunScript() waits in wxYield(), which runs the whole
// program meanwhile: idle time, where windows closed earlier are deleted,
// and the timers and input that may close or delete them. Called from the
// engine's "page loaded" signal, that deleted the browser under the signal
// handler still running for it. It also keeps one answer slot per control,
// so a script run while another waits took the other's answer, and the
// late one went out as an event to a control that may be gone.
//
// Here each call has its own record the engine's answer goes into, the
// wait lets only the engine's own work run (no idle time, no input, no
// pending events), and an answer that comes after the wait gave up or the
// browser went lands in the record alone.

#include <chrono>
#include <optional>
#include <string>

class wxWebView;

namespace kelmio {

class CPageScripts {
public:
    explicit CPageScripts(wxWebView& view);
    // Calls still pending are cancelled; their answers touch nothing.
    ~CPageScripts();
    CPageScripts(const CPageScripts&) = delete;
    CPageScripts& operator=(const CPageScripts&) = delete;

    // The value of `utf8Script` as text (UTF-8), as String() gives it;
    // nullopt when the script failed, the engine cannot run scripts, or
    // no answer came within `limit`.
    std::optional<std::string> Run(const std::string& utf8Script, std::chrono::milliseconds limit) const;

    // Lets the engine work for `time` (a page's messages between frames
    // need it) without running any of the program's own events.
    static void LetEngineWork(std::chrono::milliseconds time);

private:
    void* m_pNative;       // the engine's view, referenced while this lives
    void* m_pCancellable;  // cancels every call of this browser
};

}  // namespace kelmio
