// EPS export of an actogram-sized load: 100 000 small filled rectangles of varying colour, the document
// built in memory (the save dialog is cancelled, so nothing is written to disk).

#include "platform/ScriptedDialogs.h"
#include "render/RTPostScript.h"

#include <benchmark/benchmark.h>

namespace {

void BM_EpsRectangles(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TScopedScriptedDialogs dialogs;
    std::size_t bytes = 0;
    for (auto _ : state) {
        TRTPostScript target;
        target.InitSized(1200, 1000, 1200, 1000);
        for (int i = 0; i < count; ++i) {
            const double x = (i % 1000) * 1.2;
            const double y = (i / 1000 % 1000) * 1.0;
            target.SetFillColor(MakeColor(i & 0xFF, (i >> 8) & 0xFF, (i * 7) & 0xFF));
            target.Rectangle(DrawFill, x, y, 1.2, 1.0);
        }
        bytes = target.Document().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["per_item"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["document_bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK(BM_EpsRectangles)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
