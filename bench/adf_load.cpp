// Reading a 5-million-record ADF file, from memory and from disk, and extracting one year from it,
// each compared with copying the file's bytes once (the goal: loading within 3 × the copy time).

#include "data/ADFFormat.h"
#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

constexpr std::uint32_t RecordCount = 5'000'000;

// Mode 3 (64 s): 5 million samples cover about ten years from 2000. A short gap every 100000 samples
// and one invalid record in 2000, as real downloads have.
const std::vector<std::uint8_t>& Image() {
    static const std::vector<std::uint8_t> image = [] {
        std::vector<std::uint8_t> bytes = EncodeADFHeader({.Collar = 1, .ModeCode = 3});
        bytes.reserve(ADFHeaderSize + std::size_t{RecordCount} * ADFRecordSize);
        std::uint32_t random = 12345;
        for (std::uint32_t k = 0; k < RecordCount; ++k) {
            random = random * 1664525u + 1013904223u;
            const std::uint32_t index = k + k / 100000 * 10;
            const auto temperature = static_cast<std::uint8_t>(k % 2000 == 0 ? 3 : 100 + (random >> 28));
            AppendADFRecord(bytes, index, static_cast<std::uint8_t>(random >> 8),
                            static_cast<std::uint8_t>(random >> 16), temperature);
        }
        return bytes;
    }();
    return image;
}

const std::string& ImageFile() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("lumeroc-bench-" + std::to_string(::getpid()) + ".adf"))
                                     .string();
        std::ofstream stream(file, std::ios::binary);
        stream.write(reinterpret_cast<const char*>(Image().data()),
                     static_cast<std::streamsize>(Image().size()));
        return file;
    }();
    return path;
}

// The best of several copies of the image into a buffer already written once.
double CopySeconds() {
    static const double seconds = [] {
        std::vector<std::uint8_t> target(Image().size(), 1);
        double best = 1e9;
        for (int run = 0; run < 30; ++run) {
            const auto start = std::chrono::steady_clock::now();
            std::memcpy(target.data(), Image().data(), Image().size());
            benchmark::DoNotOptimize(target.data());
            benchmark::ClobberMemory();
            best = std::min(best,
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("Copying the %zu bytes of the image once: %.3f ms\n", Image().size(), best * 1e3);
        return best;
    }();
    return seconds;
}

// Times only what `operation` measures (not building or freeing datasets) and reports it as a multiple
// of the copy time.
template <typename Operation> void TimeAgainstCopy(benchmark::State& state, Operation operation) {
    double total = 0;
    for (auto _ : state) {
        const double seconds = operation();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["copy_ms"] = CopySeconds() * 1e3;
    state.counters["x_copy"] = total / static_cast<double>(state.iterations()) / CopySeconds();
}

template <typename Load> double TimeLoad(Load load) {
    TActivityData dataset;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = load(dataset);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!loaded || dataset.SampleCount() == 0) {
        std::fprintf(stderr, "the benchmark image was rejected\n");
        std::exit(1);
    }
    return seconds;
}

void BM_CopyImage(benchmark::State& state) {
    std::vector<std::uint8_t> target(Image().size(), 1);
    for (auto _ : state) {
        std::memcpy(target.data(), Image().data(), Image().size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Image().size()));
}

// For scale: the same copy into memory just allocated, which the system must first map and clear, as
// every load must for its samples (twice the file's size).
void BM_CopyImageToFreshMemory(benchmark::State& state) {
    for (auto _ : state) {
        TActivitySampleArray target;
        target.reserve(Image().size() / sizeof(TActivitySample) + 1);
        std::memcpy(target.data(), Image().data(), Image().size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

void BM_LoadFromMemory(benchmark::State& state) {
    TimeAgainstCopy(state, [] {
        return TimeLoad([](TActivityData& dataset) {
            TByteStream stream{Image()};
            return dataset.LoadFromStream(stream, Image().size());
        });
    });
}

void BM_LoadFromDisk(benchmark::State& state) {
    TimeAgainstCopy(state, [] {
        return TimeLoad([](TActivityData& dataset) { return dataset.LoadFromFile(ImageFile()); });
    });
}

void BM_ExtractOneYear(benchmark::State& state) {
    TActivityData dataset;
    TByteStream stream{Image()};
    dataset.LoadFromStream(stream, Image().size());
    TActivitySampleArray samples;
    TimeAgainstCopy(state, [&] {
        const auto start = std::chrono::steady_clock::now();
        dataset.ExtractSamples(samples, 2, EncodeDate(2005, 1, 1), EncodeDate(2006, 1, 1), 1.0);
        benchmark::DoNotOptimize(samples.data());
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    state.counters["samples"] = static_cast<double>(samples.size());
}

} // namespace

BENCHMARK(BM_CopyImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyImageToFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_LoadFromDisk)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ExtractOneYear)->Unit(benchmark::kMillisecond)->UseManualTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    CopySeconds();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(ImageFile());
    return 0;
}
