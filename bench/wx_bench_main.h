#pragma once
// The main function of a benchmark program that needs the toolkit (and so
// a display): the toolkit is started before the benchmarks run and shut
// down after `beforeExit` has let go of the program's windows.

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <functional>

namespace kelmio::bench {

inline int RunWxBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {}) {
    class CBenchApp final : public wxApp {
    public:
        bool OnInit() override { return true; }
    };
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new CBenchApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxTheApp->CallOnInit();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit) beforeExit();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}

}  // namespace kelmio::bench
