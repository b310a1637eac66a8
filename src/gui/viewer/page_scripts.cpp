#include "gui/viewer/page_scripts.h"

#include <wx/evtloop.h>
#include <wx/utils.h>

#include <memory>

#include "gui/viewer/webkit_native.h"

namespace kelmio {
namespace {

using AsyncReady = void (*)(void* source, void* result, void* data);
using Evaluate = void (*)(void*, const char*, long, const char*, const char*, void*, AsyncReady, void*);
using RunScript = void (*)(void*, const char*, void*, AsyncReady, void*);
using Finish = void* (*)(void*, void*, void**);
using Unary = void (*)(void*);
using Getter = void* (*)(void*);
using NewObject = void* (*)();
using ValueToText = char* (*)(void*);

// One call's record. The engine's callback owns a reference to it, so the
// answer has somewhere to go however late it comes.
struct ScriptCall {
    bool bDone = false;
    std::optional<std::string> answer;
};
using CallRecord = std::shared_ptr<ScriptCall>;

void Release(const char* unref, void* object) {
    if (object == nullptr) return;
    if (const auto release = EngineCall<Unary>(unref)) release(object);
}

std::optional<std::string> ValueText(void* value) {
    const auto toText = EngineCall<ValueToText>("jsc_value_to_string");
    if (value == nullptr || toText == nullptr) return std::nullopt;
    char* text = toText(value);
    if (text == nullptr) return std::nullopt;
    std::string result(text);
    Release("g_free", text);
    return result;
}

// Engines from 2.40 hand the value over directly.
void OnEvaluated(void* source, void* result, void* data) {
    const std::unique_ptr<CallRecord> call(static_cast<CallRecord*>(data));
    void* error = nullptr;
    void* value = nullptr;
    if (const auto finish = EngineCall<Finish>("webkit_web_view_evaluate_javascript_finish")) {
        value = finish(source, result, &error);
    }
    (*call)->answer = ValueText(value);
    (*call)->bDone = true;
    Release("g_object_unref", value);
    Release("g_error_free", error);
}

// Older engines wrap it in a result object.
void OnRan(void* source, void* result, void* data) {
    const std::unique_ptr<CallRecord> call(static_cast<CallRecord*>(data));
    void* error = nullptr;
    void* wrapped = nullptr;
    if (const auto finish = EngineCall<Finish>("webkit_web_view_run_javascript_finish")) {
        wrapped = finish(source, result, &error);
    }
    const auto getValue = EngineCall<Getter>("webkit_javascript_result_get_js_value");
    if (wrapped != nullptr && getValue != nullptr) (*call)->answer = ValueText(getValue(wrapped));
    (*call)->bDone = true;
    Release("webkit_javascript_result_unref", wrapped);
    Release("g_error_free", error);
}

// Waits until `done` holds or `end` comes, dispatching what is ready in no
// category of the toolkit's events: input, repainting and closing requests
// wait, and pending events and idle time (where windows closed earlier are
// deleted) do not run. The engine's own sources, which carry the answers, do.
template <typename Done>
void WaitForEngine(std::chrono::steady_clock::time_point end, Done done) {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoop> own;  // outside any loop (start-up, tests)
    if (loop == nullptr) {
        own = std::make_unique<wxEventLoop>();
        loop = own.get();
    }
    while (!done() && std::chrono::steady_clock::now() < end) {
        loop->YieldFor(wxEVT_CATEGORY_THREAD);
        if (!done()) wxMilliSleep(1);
    }
}

}  // namespace

CPageScripts::CPageScripts(wxWebView& view) : m_pNative(NativeView(view)), m_pCancellable(nullptr) {
    const auto newCancellable = EngineCall<NewObject>("g_cancellable_new");
    const auto ref = EngineCall<Getter>("g_object_ref");
    if (m_pNative == nullptr || newCancellable == nullptr || ref == nullptr) {
        m_pNative = nullptr;
        return;
    }
    ref(m_pNative);
    m_pCancellable = newCancellable();
}

CPageScripts::~CPageScripts() {
    if (m_pCancellable != nullptr) {
        if (const auto cancel = EngineCall<Unary>("g_cancellable_cancel")) cancel(m_pCancellable);
        Release("g_object_unref", m_pCancellable);
    }
    Release("g_object_unref", m_pNative);
}

std::optional<std::string> CPageScripts::Run(const std::string& utf8Script, std::chrono::milliseconds limit) const {
    if (m_pNative == nullptr) return std::nullopt;
    const auto call = std::make_shared<ScriptCall>();
    if (const auto evaluate = EngineCall<Evaluate>("webkit_web_view_evaluate_javascript")) {
        evaluate(m_pNative, utf8Script.c_str(), static_cast<long>(utf8Script.size()), nullptr, nullptr,
                 m_pCancellable, &OnEvaluated, new CallRecord(call));
    } else if (const auto run = EngineCall<RunScript>("webkit_web_view_run_javascript")) {
        run(m_pNative, utf8Script.c_str(), m_pCancellable, &OnRan, new CallRecord(call));
    } else {
        return std::nullopt;
    }
    WaitForEngine(std::chrono::steady_clock::now() + limit, [&call] { return call->bDone; });
    // Without an answer yet, the call's record keeps whatever comes later.
    return call->bDone ? call->answer : std::nullopt;
}

void CPageScripts::LetEngineWork(std::chrono::milliseconds time) {
    WaitForEngine(std::chrono::steady_clock::now() + time, [] { return false; });
}

}  // namespace kelmio
