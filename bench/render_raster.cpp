// The raster target under the actogram's load: small rectangles of varying colour filled on a
// 1200 x 1000 bitmap, with ordinary and with additive blending. Reported per rectangle.

#include "platform/Bitmap.h"
#include "render/RTAGG.h"

#include <benchmark/benchmark.h>

namespace {

void FillRectangles(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const bool additive = state.range(1) != 0;
    TBitmap bitmap(1200, 1000);
    TRTAGG target;
    if (!target.Attach(bitmap)) {
        state.SkipWithError("attach failed");
        return;
    }
    // Cells of 3 x 2.5 units, row after row, as an actogram of many days lays them out.
    constexpr int Columns = 400;
    constexpr double CellWidth = 3;
    constexpr double CellHeight = 2.5;
    for (auto _ : state) {
        target.Clear(0, 0, 0, 1);
        target.SetBlendMode(additive ? TBlendMode::Additive : TBlendMode::Normal);
        for (int i = 0; i < count; ++i) {
            const int column = i % Columns;
            const int row = (i / Columns) % 400;
            target.SetFillColor(MakeColor(i & 0xFF, (i >> 3) & 0xFF, (i >> 6) & 0xFF));
            target.Rectangle(DrawFill, column * CellWidth, row * CellHeight, CellWidth, CellHeight);
        }
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.counters["per_rectangle"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(FillRectangles)
    ->ArgNames({"rectangles", "additive"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
