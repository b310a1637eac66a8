// One named scroll step in a long HTML page shown in the source viewer's
// browser (WebKitGTK behind wxWebView): the script the viewer runs and its
// answer, a full round trip into the page. Beside it, in the same run, the
// least any such step costs: a bare RunScript returning a constant.
// Needs a display: run under xvfb-run.

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "gui/viewer/browser_module.h"
#include "gui/viewer/web_browser.h"
#include "viewer/scroll_steps.h"
#include "wx_bench_main.h"

namespace {

constexpr int kParagraphs = 5000;

// A page of about 1.5 MB: many paragraphs of Japanese text, as a long
// manual or specification saved from the web would be.
std::filesystem::path WriteLongPage() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kelmio-scroll-bench.html";
    std::ofstream page(path, std::ios::binary);
    page << "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>bench</title></head><body>\n";
    for (int n = 1; n <= kParagraphs; ++n) {
        page << "<p>" << n << ". 原文の意味を正確に理解したうえで、読み手に自然な表現を選ぶことが大切です。"
             << "The quick brown fox jumps over the lazy dog.</p>\n";
    }
    page << "</body></html>\n";
    return path;
}

// The browser in a shown frame with the long page loaded, made once.
class CLoadedPage {
public:
    CLoadedPage() : m_path(WriteLongPage()) {
        m_pFrame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(800, 600));
        // The browser comes from its module, as the viewer's does.
        kelmio::CBrowserModule module;
        m_pBrowser = module.Create(m_pFrame);
        if (!m_pBrowser) throw std::runtime_error(module.FailureMessage());
        m_pBrowser->Window().SetSize(m_pFrame->GetClientSize());
        m_pBrowser->Show(true);
        m_pFrame->Show();
        m_pBrowser->Navigate(m_path.string());
        for (int wait = 0; m_pBrowser->LoadedKind() != kelmio::CWebBrowser::DocumentKind::kHtml; ++wait) {
            if (wait > 6000) throw std::runtime_error("the page did not load");
            wxMilliSleep(5);
            wxTheApp->Yield(true);
        }
    }
    ~CLoadedPage() {
        m_pBrowser.reset();
        m_pFrame->Destroy();
        std::filesystem::remove(m_path);
    }

    kelmio::CWebBrowser& Browser() { return *m_pBrowser; }

private:
    std::filesystem::path m_path;
    wxFrame* m_pFrame;
    std::unique_ptr<kelmio::CWebBrowser> m_pBrowser;
};

// Made on first use; closed by main before the toolkit goes.
std::unique_ptr<CLoadedPage>& PageHolder() {
    static std::unique_ptr<CLoadedPage> page;
    return page;
}

CLoadedPage& Page() {
    if (!PageHolder()) PageHolder() = std::make_unique<CLoadedPage>();
    return *PageHolder();
}

void BM_ScrollStepDown(benchmark::State& state) {
    kelmio::CWebBrowser& browser = Page().Browser();
    browser.SetBrowserScroll(0, 0);
    for (auto _ : state) browser.ScrollBrowser(kelmio::ScrollOp::kDown);
    // The steps really moved the page.
    if (browser.GetBrowserScroll().second == 0) state.SkipWithError("the page did not scroll");
}
BENCHMARK(BM_ScrollStepDown)->Unit(benchmark::kMicrosecond);

void BM_ScrollStepPageDown(benchmark::State& state) {
    kelmio::CWebBrowser& browser = Page().Browser();
    int steps = 0;
    for (auto _ : state) {
        // Back to the top before the page's end, outside the measured time.
        if (++steps % 50 == 0) {
            state.PauseTiming();
            browser.SetBrowserScroll(0, 0);
            state.ResumeTiming();
        }
        browser.ScrollBrowser(kelmio::ScrollOp::kPageDown);
    }
}
BENCHMARK(BM_ScrollStepPageDown)->Unit(benchmark::kMicrosecond);

// The baseline: the same round trip with nothing to do in the page.
void BM_RunScriptConstant(benchmark::State& state) {
    wxWebView& view = Page().Browser().Window();
    wxString result;
    for (auto _ : state) benchmark::DoNotOptimize(view.RunScript("1", &result));
}
BENCHMARK(BM_RunScriptConstant)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return kelmio::bench::RunWxBenchmarks(argc, argv, [] { PageHolder().reset(); });
}
