#pragma once
// Datasets made in memory for chart tests: whole days of samples from a value function, registered in the
// global dataset list for as long as the object lives.

#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"

#include <functional>
#include <memory>

class TTestDataset {
public:
    // Samples every `interval` seconds from firstDay 00:00 + interval to the end of the last day (the last
    // sample at interval before midnight); value(day, secondOfDay) gives channel 1, 255 - it channel 2. A
    // value below 0 leaves the sample out.
    TTestDataset(double firstDay, int days, int interval, const std::function<int(int, int)>& value) {
        auto dataset = std::make_unique<TActivityData>();
        const std::int32_t start = static_cast<std::int32_t>((firstDay - DateOf2000) * SecondsPerDay);
        for (std::int32_t t = interval; t < days * 86400; t += interval) {
            const int v = value(t / 86400, t % 86400);
            if (v >= 0) {
                dataset->Samples.push_back(
                    {start + t, static_cast<std::int16_t>(v), static_cast<std::int16_t>(255 - v), 20});
            }
        }
        dataset->Interval = interval;
        dataset->Mode = 1;
        dataset->FirstTime = SampleDateTime(dataset->Samples.front().Time - interval);
        dataset->LastTime = SampleDateTime(dataset->Samples.back().Time);
        dataset->BuildSegments(60);
        dataset->SetTitle("Test fox");
        dataset->State = TDatasetState::Loaded;
        Dataset = dataset.get();
        DatasetList.Add(std::move(dataset), "{\"ADF\":{\"ID\":\"x\",\"Filename\":\"/data/fox.adf\"}}");
    }
    ~TTestDataset() {
        for (int i = 0; i < DatasetList.Count(); ++i) {
            if (&DatasetList[i] == Dataset) {
                Dataset->Charts.clear();
                DatasetList.Delete(i);
                return;
            }
        }
    }
    TTestDataset(const TTestDataset&) = delete;
    TTestDataset& operator=(const TTestDataset&) = delete;

    TActivityData* Dataset;
};
