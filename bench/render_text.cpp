// Text of 1 000 axis labels: measuring with TextWidth and drawing with DrawText, on the screen target
// and on the PNG writer (glyph outlines at output size). Reported per label.

#include "platform/Bitmap.h"
#include "platform/ScriptedDialogs.h"
#include "render/RTAGG.h"
#include "render/RTPNGWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int LabelCount = 1000;

// Hours, dates and values as the axes write them.
std::vector<std::string> AxisLabels() {
    std::vector<std::string> labels;
    char text[32];
    for (int i = 0; i < LabelCount; ++i) {
        switch (i % 3) {
        case 0:
            std::snprintf(text, sizeof text, "%02d:%02d", i % 24, (i * 15) % 60);
            break;
        case 1:
            std::snprintf(text, sizeof text, "%02d.%02d.%04d", i % 28 + 1, i % 12 + 1, 2000 + i % 20);
            break;
        default:
            std::snprintf(text, sizeof text, "%.1f", i * 0.7);
            break;
        }
        labels.push_back(text);
    }
    return labels;
}

void SetPerLabel(benchmark::State& state) {
    state.counters["per_label"] = benchmark::Counter(
        LabelCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// 0: the screen target, 1: the PNG writer at twice the logical size.
std::unique_ptr<TRTAGG> MakeTarget(int kind, TBitmap& bitmap) {
    if (kind == 0) {
        auto target = std::make_unique<TRTAGG>();
        target->Attach(bitmap);
        return target;
    }
    auto writer = std::make_unique<TRTPNGWriter>();
    writer->InitForBitmap(bitmap, bitmap.GetWidth() * 2, bitmap.GetHeight() * 2);
    return writer;
}

void TextWidthOfLabels(benchmark::State& state) {
    TScopedScriptedDialogs dialogs; // the PNG writer's save question is answered with "cancel"
    TBitmap bitmap(1200, 1000);
    std::unique_ptr<TRTAGG> target = MakeTarget(static_cast<int>(state.range(0)), bitmap);
    target->SetFont("Arial", false, false, 11);
    const std::vector<std::string> labels = AxisLabels();
    for (auto _ : state) {
        double total = 0;
        for (const std::string& label : labels) {
            total += target->TextWidth(label);
        }
        benchmark::DoNotOptimize(total);
    }
    SetPerLabel(state);
}

void DrawTextOfLabels(benchmark::State& state) {
    TScopedScriptedDialogs dialogs;
    TBitmap bitmap(1200, 1000);
    std::unique_ptr<TRTAGG> target = MakeTarget(static_cast<int>(state.range(0)), bitmap);
    target->SetFont("Arial", false, false, 11);
    target->SetFillColor(0);
    const std::vector<std::string> labels = AxisLabels();
    for (auto _ : state) {
        for (int i = 0; i < LabelCount; ++i) {
            target->DrawText(labels[i], 40 + (i % 20) * 55, 20 + (i / 20) * 19, 0.5, 1, i % 7 == 0 ? -90 : 0);
        }
        benchmark::DoNotOptimize(bitmap.Data());
    }
    SetPerLabel(state);
}

BENCHMARK(TextWidthOfLabels)->ArgName("png_writer")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawTextOfLabels)->ArgName("png_writer")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
