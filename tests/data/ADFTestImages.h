#pragma once
// Building small ADF images for the reader and dataset tests.

#include "data/ADFFormat.h"
#include "data/ActivityData.h"

#include <cstdint>
#include <vector>

struct TTestRecord {
    std::uint32_t Index = 0;
    std::uint8_t Channel1 = 0;
    std::uint8_t Channel2 = 0;
    std::uint8_t TemperatureByte = 103; // temperature 0
};

inline std::vector<std::uint8_t> MakeADFImage(const std::vector<TTestRecord>& records,
                                              const TADFHeaderFields& header = {}) {
    std::vector<std::uint8_t> image = EncodeADFHeader(header);
    for (const TTestRecord& r : records) {
        AppendADFRecord(image, r.Index, r.Channel1, r.Channel2, r.TemperatureByte);
    }
    return image;
}

inline bool LoadImage(TActivityData& dataset, const std::vector<std::uint8_t>& image) {
    TByteStream stream{image};
    return dataset.LoadFromStream(stream, image.size());
}

// A dataset with these UTC sample times (seconds) and the given interval; channel 1 carries the
// sample's position, so that tests can tell which sample a result came from.
inline void SetSamples(TActivityData& dataset, const std::vector<std::int32_t>& times, int interval) {
    dataset.Interval = interval;
    dataset.Samples.clear();
    for (std::size_t k = 0; k < times.size(); ++k) {
        dataset.Samples.push_back({times[k], static_cast<std::int16_t>(k), 0, 0});
    }
    if (!times.empty()) {
        dataset.FirstTime = SampleDateTime(times.front() - interval + 1);
        dataset.LastTime = SampleDateTime(times.back());
    }
    dataset.BuildSegments(60);
}
