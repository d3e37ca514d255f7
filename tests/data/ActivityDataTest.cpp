#include "ADFTestImages.h"

#include "data/DateTimeFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

std::vector<std::int32_t> Times(const TActivitySampleArray& samples) {
    std::vector<std::int32_t> times;
    for (const TActivitySample& s : samples) {
        times.push_back(s.Time);
    }
    return times;
}

double At(double seconds) {
    return DateOf2000 + seconds / SecondsPerDay;
}

} // namespace

TEST(ActivityDataset, NewDatasetDefaults) {
    TActivityData dataset;
    EXPECT_EQ(dataset.ID().size(), 8u);
    EXPECT_EQ(
        dataset.ID().find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
        std::string::npos);
    EXPECT_EQ(dataset.Title(), "No title yet");
    EXPECT_EQ(dataset.DateText(), "No dates yet");
    EXPECT_EQ(dataset.ModeText(), "No mode selected yet");
    EXPECT_EQ(dataset.State, TDatasetState::New);
    EXPECT_EQ(dataset.ViewOffset, 0);
    EXPECT_TRUE(std::isnan(dataset.LastUTCOffset));
    EXPECT_TRUE(std::isnan(dataset.LastLongitude));
    EXPECT_TRUE(std::isnan(dataset.LastLatitude));
    ASSERT_NE(dataset.Stats, nullptr);
    EXPECT_EQ(dataset.Stats->ValueOffset, (std::array<std::int16_t, 3>{0, 0, -103}));
}

TEST(ActivityDataset, ChannelTables) {
    EXPECT_STREQ(ChannelShortNames[1 * 3 + 2], "Temp.");
    EXPECT_STREQ(ChannelShortNames[7 * 3 + 2], "Temp");
    EXPECT_STREQ(ChannelShortNames[5 * 3 + 0], "Angle");
    EXPECT_STREQ(ChannelShortNames[10 * 3 + 2], "?");
    EXPECT_STREQ(ChannelLongNames[6 * 3 + 1], "Acceleration Threshold");
    EXPECT_STREQ(ChannelLongNames[4 * 3 + 0], "Activity X");
    EXPECT_STREQ(ChannelLongNames[8 * 3 + 0], "?");
    EXPECT_STREQ(ActivityModeNames[4], "Activity measurement");
    EXPECT_STREQ(ActivityModeNames[10], "Test mode C");
}

TEST(ActivityDataset, LinkAndUnlinkCharts) {
    TActivityData dataset;
    auto* first = reinterpret_cast<TActivityChart*>(0x1000);
    auto* second = reinterpret_cast<TActivityChart*>(0x2000);
    dataset.LinkChart(first);
    dataset.LinkChart(second);
    EXPECT_EQ(dataset.LinkedChartCount(), 2);
    dataset.UnlinkChart(first);
    EXPECT_EQ(dataset.LinkedChartCount(), 1);
    try {
        dataset.UnlinkChart(first);
        FAIL() << "unlinking an unknown chart must throw";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Dataset link does not exist.");
    }
    EXPECT_EQ(dataset.Charts, std::vector<TActivityChart*>{second});
}

TEST(ActivityDataset, SecondsSince2000) {
    struct Case {
        double DateTime;
        std::uint32_t Seconds;
    };
    const Case cases[] = {
        {EncodeDate(1999, 12, 31), 0},
        {std::nan(""), 0},
        {At(0.5), 0}, // ties go to the even second
        {At(1.5), 2},
        {At(76800.4), 76800},
        // Past 2029: no longer clamped at 2030-01-01.
        {EncodeDate(2030, 1, 1), 946771200},
        {EncodeDate(2035, 6, 1), 1117584000},
        // The last second a sample time can hold, and beyond.
        {At(2147483647.0), 2147483647u},
        {EncodeDate(2200, 1, 1), 2147483647u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DateTime);
        EXPECT_EQ(SecondsSince2000(c.DateTime), c.Seconds);
    }
}

TEST(ActivityDataset, SegmentsSplitAtGapLimitAndStepsBack) {
    struct Case {
        const char* Name;
        std::vector<std::int32_t> Times;
        std::vector<std::pair<int, int>> Segments;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one sample", {300}, {{0, 0}}},
        {"gap 3599 s", {300, 3899, 4199}, {{0, 2}}},
        {"gap 3600 s", {300, 3900, 4200}, {{0, 0}, {1, 2}}},
        {"step back", {600, 900, 300, 600}, {{0, 1}, {2, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TActivityData dataset;
        SetSamples(dataset, c.Times, 300);
        std::vector<std::pair<int, int>> segments;
        for (const TSampleSegment& s : dataset.Segments) {
            segments.emplace_back(s.First, s.Last);
        }
        EXPECT_EQ(segments, c.Segments);
    }
}

TEST(ActivityDataset, SegmentBoundsAndStats) {
    TActivityData dataset;
    SetSamples(dataset, {600, 900, 1200, 9000, 9300}, 300);
    ASSERT_EQ(dataset.SegmentCount(), 2);
    EXPECT_DOUBLE_EQ(dataset.SegmentStart(0), At(301));
    EXPECT_DOUBLE_EQ(dataset.SegmentEnd(0), At(1200));
    EXPECT_DOUBLE_EQ(dataset.SegmentStart(1), At(8701));
    EXPECT_DOUBLE_EQ(dataset.SegmentEnd(1), At(9300));
    for (const int outside : {-1, 2}) {
        EXPECT_DOUBLE_EQ(dataset.SegmentStart(outside), dataset.FirstTime);
        EXPECT_DOUBLE_EQ(dataset.SegmentEnd(outside), dataset.LastTime);
    }

    // Channel 1 holds the sample's position: segment 0 is 0..2, segment 1 is 3..4.
    TActivityStats stats;
    dataset.SegmentStats(stats, 0);
    EXPECT_EQ(stats.Min[0], 0);
    EXPECT_EQ(stats.Max[0], 2);
    dataset.SegmentStats(stats, 1);
    EXPECT_EQ(stats.Min[0], 3);
    EXPECT_EQ(stats.Max[0], 4);
    EXPECT_EQ(stats.Histogram[0][3] + stats.Histogram[0][4], 2);
    EXPECT_EQ(stats.Histogram[0][2], 0);
}

TEST(ActivityDataset, RangeStatsCountsLastSampleAndNegativeMaxima) {
    TActivityData dataset;
    dataset.Interval = 300;
    dataset.Samples = {{300, 10, 20, -5}, {600, 30, 5, -3}, {900, 7, 9, -10}};
    TActivityStats stats;
    dataset.RangeStats(stats, DateOf2000, DateOf2000 + 1);
    // Every sample counts, the last one too, since no time reaches the end of the range.
    EXPECT_EQ(stats.Histogram[2][-10 + 103] + stats.Histogram[2][-5 + 103] + stats.Histogram[2][-3 + 103], 3);
    EXPECT_EQ(stats.Min, (std::array<std::int16_t, 3>{7, 5, -10}));
    EXPECT_EQ(stats.Max, (std::array<std::int16_t, 3>{30, 20, -3}));

    // A range ending at the second sample: hi = 600 + 299 is reached by the third, which is left out.
    dataset.RangeStats(stats, DateOf2000, At(600));
    EXPECT_EQ(stats.Min, (std::array<std::int16_t, 3>{10, 5, -5}));
    EXPECT_EQ(stats.Max, (std::array<std::int16_t, 3>{30, 20, -3}));
    EXPECT_EQ(stats.Histogram[2][-10 + 103], 0);
}

TEST(ActivityDataset, RangeStatsOutsideTheDataLeavesStatsAlone) {
    TActivityData dataset;
    dataset.Interval = 300;
    TActivityStats stats;
    stats.Min = {1, 2, 3};
    stats.Histogram[0][5] = 42;
    dataset.RangeStats(stats, DateOf2000, DateOf2000 + 1);
    dataset.Samples = {{3000, 10, 20, -5}, {3300, 30, 5, -3}};
    dataset.RangeStats(stats, DateOf2000, At(2000));
    dataset.RangeStats(stats, At(3400), DateOf2000 + 1);
    EXPECT_EQ(stats.Min, (std::array<std::int16_t, 3>{1, 2, 3}));
    EXPECT_EQ(stats.Histogram[0][5], 42);
}

TEST(ActivityDataset, ExtractSamples) {
    struct Case {
        const char* Name;
        std::vector<std::int32_t> Samples;
        int MaxGap;
        double From, To, Offset;
        std::vector<std::int32_t> Expected;
    };
    const double day0 = DateOf2000;
    const double day1 = DateOf2000 + 1;
    const Case cases[] = {
        {"gap of two filled", {300, 600, 1500}, 2, day0, day1, 0, {300, 600, 900, 1200, 1500}},
        {"gap of two kept with maxGap 1", {300, 600, 1500}, 1, day0, day1, 0, {300, 600, 1500}},
        {"sample at 0 s never selected", {0, 300, 600}, 0, day0, day1, 0, {300, 600}},
        {"offset shifts fills and tail",
         {300, 600, 1500},
         2,
         day0 + 2 / 24.0,
         day1 + 2 / 24.0,
         2,
         {7500, 7800, 8100, 8400, 8700}},
        {"negative offset", {3900, 4200}, 0, day0, day1, -1, {300, 600}},
        {"equal times separated", {3000, 3600, 3600, 3900}, 0, day0, day1, 0, {3000, 3300, 3600, 3900}},
        {"equal times kept when no room",
         {3300, 3600, 3600, 3900},
         0,
         day0,
         day1,
         0,
         {3300, 3600, 3600, 3900}},
        {"range before the data", {3000, 3300}, 5, day0, At(2000), 0, {}},
        {"range after the data", {3000, 3300}, 5, At(3400), day1, 0, {}},
        {"no samples", {}, 5, day0, day1, 0, {}},
        {"leading fill from the first sample", {1200, 1500}, 2, day0, day1, 0, {300, 600, 900, 1200, 1500}},
        {"no leading fill beyond maxGap", {1200, 1500}, 1, day0, day1, 0, {1200, 1500}},
        {"leading fill inside a gap", {300, 600, 1500}, 2, At(700), day1, 0, {900, 1200, 1500}},
        {"gap before the range too long", {300, 600, 1500}, 1, At(700), day1, 0, {1500}},
        {"tail filled up to the range end", {300, 600}, 3, day0, At(1200), 0, {300, 600, 900, 1200, 1500}},
        {"tail not filled beyond maxGap", {300, 600}, 2, day0, At(1200), 0, {300, 600}},
        {"range end inside the data", {300, 600, 900, 1200, 1500}, 0, day0, At(900), 0, {300, 600, 900}},
        // Ranges past 2029 select data: the old limit clamped them at 2030-01-01.
        {"after 2030",
         {1117584000, 1117584300},
         0,
         EncodeDate(2035, 6, 1),
         EncodeDate(2035, 6, 2),
         0,
         {1117584300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TActivityData dataset;
        SetSamples(dataset, c.Samples, 300);
        TActivitySampleArray out = {{1, 1, 1, 1}};
        dataset.ExtractSamples(out, c.MaxGap, c.From, c.To, c.Offset);
        EXPECT_EQ(Times(out), c.Expected);
    }
}

TEST(ActivityDataset, ExtractSamplesFillsWithTheNeighbourValues) {
    TActivityData dataset;
    dataset.Interval = 300;
    dataset.Samples = {{300, 1, 2, 3}, {600, 4, 5, 6}, {1500, 7, 8, 9}};
    TActivitySampleArray out;
    dataset.ExtractSamples(out, 2, DateOf2000, At(1500), 0);
    ASSERT_EQ(out.size(), 6u);
    // Gap fills take the following sample's values, tail fills the last sample's.
    const std::int16_t expectedChannel1[] = {1, 4, 7, 7, 7, 7};
    for (std::size_t k = 0; k < out.size(); ++k) {
        EXPECT_EQ(out[k].Time, static_cast<std::int32_t>(300 * (k + 1)));
        EXPECT_EQ(out[k].Channel1, expectedChannel1[k]);
        EXPECT_EQ(out[k].Temperature, expectedChannel1[k] + 2);
    }
}
