// Drawing an actogram on the screen target: one year of 300-s data and ten years of 64-s data, single and
// double plot, overlays off and on, at 600 x 500 and 1200 x 1000; one Clear of the canvas as reference.
// Goals: the year under 50 ms at 600 x 500 (fluid live preview), the ten years under 1 s.

#include "charts/ChrActogram.h"
#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"
#include "render/RTAGG.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Recordings of lumeroc-cli generate (next to the bench folder of the build): one year at 300 s (mode 1)
// and ten years at 64 s (mode 3; the ADF modes have no 60-s interval, 64 s is the nearest).
TActivityData* Recording(bool decade) {
    static TActivityData* loaded[2] = {nullptr, nullptr};
    TActivityData*& slot = loaded[decade];
    if (!slot) {
        const std::filesystem::path cli =
            std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "lumeroc-cli";
        const std::string file = (std::filesystem::temp_directory_path() /
                                  (decade ? "lumeroc-bench-ten-years.adf" : "lumeroc-bench-year.adf"))
                                     .string();
        const std::string arguments = decade
                                          ? " --start 2010-01-01 --days 3652 --mode 3 --seed 3"
                                          : " --start 2011-01-01 --days 365 --mode 1 --interval 300 --seed 1";
        std::string command = "'";
        command += cli.string();
        command += "' generate --out '" + file + "'" + arguments;
        if (std::system(command.c_str()) != 0) {
            return nullptr;
        }
        const int index = DatasetList.LoadFile(file, "");
        std::filesystem::remove(file);
        slot = index >= 0 ? &DatasetList[index] : nullptr;
    }
    return slot;
}

void DrawActogram(benchmark::State& state, bool decade, int width, int height, int daysPerLine, bool overlays,
                  const std::string& stopAt) {
    TActivityData* data = Recording(decade);
    if (!data) {
        state.SkipWithError("lumeroc-cli generate failed (build the lumeroc-cli target first)");
        return;
    }
    TOffscreenImage image;
    TActogram chart;
    chart.ApplySettings(std::string("{\"Canvas.Width\":") + std::to_string(width) +
                        ",\"Canvas.Height\":" + std::to_string(height) + "}");
    chart.AttachImage(&image);
    const std::string overlaySettings =
        overlays ? ",\"Overlay.DayGridVisible\":true,\"Overlay.HourGridVisible\":true,"
                   "\"Overlay.SunLinesVisible\":true,\"Data.Latitude\":51.3,\"Data.Longitude\":9.9"
                 : "";
    chart.ApplySettings(std::string("{\"Data.Dataset\":") + std::to_string(DatasetIdentity(data)) +
                        ",\"Data.Channel\":0,\"Data.DaysPerLine\":" + std::to_string(daysPerLine) +
                        overlaySettings + ",\"StopAt\":\"" + stopAt + "\"}");
    for (auto _ : state) {
        chart.Redraw();
        benchmark::DoNotOptimize(chart.Bitmap.Data());
    }
    state.counters["samples"] = static_cast<double>(chart.Samples.size());
}

void ClearCanvas(benchmark::State& state, int width, int height) {
    TBitmap bitmap(width, height);
    TRTAGG target;
    for (auto _ : state) {
        target.Attach(bitmap);
        target.Clear(1, 1, 1, 1);
        benchmark::DoNotOptimize(bitmap.Data());
    }
}

const bool Registered = [] {
    for (const auto& [width, height] : {std::pair{600, 500}, std::pair{1200, 1000}}) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        benchmark::RegisterBenchmark(("Clear/" + size).c_str(), ClearCanvas, width, height)
            ->Unit(benchmark::kMillisecond);
        // Legend, titles and axes without the cells: what the data costs on top of the frame.
        benchmark::RegisterBenchmark(("DrawFrameOnly/Year300s/" + size).c_str(), DrawActogram, false, width,
                                     height, 1, false, "Axes")
            ->Unit(benchmark::kMillisecond);
        for (const bool decade : {false, true}) {
            for (const int daysPerLine : {1, 2}) {
                for (const bool overlays : {false, true}) {
                    const std::string name = std::string("Draw/") + (decade ? "TenYears64s/" : "Year300s/") +
                                             size + "/DaysPerLine" + std::to_string(daysPerLine) +
                                             (overlays ? "/Overlays" : "/NoOverlays");
                    benchmark::RegisterBenchmark(name.c_str(), DrawActogram, decade, width, height,
                                                 daysPerLine, overlays, "None")
                        ->Unit(benchmark::kMillisecond);
                }
            }
        }
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
