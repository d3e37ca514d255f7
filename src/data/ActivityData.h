#pragma once
// Datasets: the samples of one collar recording read from an ADF image, their identity and texts, the
// charts that draw them, and the global title-sorted list of loaded datasets.

#include "data/ADFFormat.h"
#include "data/ByteStream.h"
#include "data/SampleAllocator.h"

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TActivityChart;

constexpr int ChannelCount = 3; // channel 1, channel 2, temperature
constexpr int ActivityModeCount = 11;
constexpr int ChannelNameCount = ActivityModeCount * ChannelCount;

// Indexed by the effective activity mode 0 to 10.
extern const std::array<const char*, ActivityModeCount> ActivityModeNames;
// Sampling interval in seconds of modes 0 to 3.
extern const std::array<int, 4> ModeIntervals;
// Indexed by mode × 3 + channel.
extern const std::array<const char*, ChannelNameCount> ChannelShortNames;
extern const std::array<const char*, ChannelNameCount> ChannelLongNames;

struct TActivitySample {
    std::int32_t Time = 0; // seconds since 2000-01-01 00:00; UTC in a dataset, local after extraction
    std::int16_t Channel1 = 0;
    std::int16_t Channel2 = 0;
    std::int16_t Temperature = 0;

    // Channel 0, 1 or 2 (temperature).
    std::int16_t Value(int channel) const {
        return channel == 0 ? Channel1 : channel == 1 ? Channel2 : Temperature;
    }
};

using TActivitySampleArray = std::vector<TActivitySample, TSampleAllocator<TActivitySample>>;

struct TSampleSegment {
    std::int32_t First = 0; // inclusive
    std::int32_t Last = 0;  // inclusive
};

struct TActivityStats {
    std::array<std::int16_t, ChannelCount> Min{};
    std::array<std::int16_t, ChannelCount> Max{};
    std::array<std::array<std::int32_t, 256>, ChannelCount> Histogram{};
    // The value bin 0 stands for.
    std::array<std::int16_t, ChannelCount> ValueOffset{0, 0, -ADFTemperatureBias};
};

enum class TDatasetState { New = 0, Loading = 1, Loaded = 2, Failed = 3 };

struct TModeAndInterval {
    int Mode = 0;
    int Interval = 0; // seconds
};

// The effective activity mode and sampling interval of header bytes 27 (code) and 28 (parameter).
TModeAndInterval ResolveMode(std::uint8_t code, std::uint8_t parameter);

// Range ends as seconds since 2000-01-01: 0 before 2000, rounded to the nearest second (ties to even),
// and no later than the last second a sample time can hold (2^31 − 1).
std::uint32_t SecondsSince2000(double dateTime);

// The date-time value of a sample time.
double SampleDateTime(std::int32_t seconds);

class TActivityData {
public:
    TActivityData();
    TActivityData(const TActivityData&) = delete;
    TActivityData& operator=(const TActivityData&) = delete;

    // Decodes the ADF image of `size` bytes at the stream's position. On failure the user is told why
    // (caption "Load Activity Data File") and the dataset stays as it was. The position is left as it
    // was on entry either way.
    bool LoadFromStream(TByteStream& stream, std::size_t size);
    // Reads the whole file and decodes it; on success the title becomes the file name.
    bool LoadFromFile(const std::string& path);

    int SampleCount() const { return static_cast<int>(Samples.size()); }
    TActivitySample GetSample(int index) const { return Samples.at(static_cast<std::size_t>(index)); }

    const std::string& ID() const { return Strings[0]; }
    const std::string& Title() const { return Strings[1]; }
    const std::string& DateText() const { return Strings[2]; }
    const std::string& ModeText() const { return Strings[3]; }
    void SetID(const std::string& text) { Strings[0] = text; }
    void SetTitle(const std::string& text) { Strings[1] = text; }
    void SetDateText(const std::string& text) { Strings[2] = text; }
    void SetModeText(const std::string& text) { Strings[3] = text; }

    void LinkChart(TActivityChart* chart);
    // Throws std::runtime_error("Dataset link does not exist.") for a chart that is not linked.
    void UnlinkChart(TActivityChart* chart);
    int LinkedChartCount() const { return static_cast<int>(Charts.size()); }

    // Orders the samples by time with a fixed Shell sort, so that equal times end in the same order
    // as in every other reader of these files.
    void SortSamples();
    // Splits the samples into runs without a gap of `gapMinutes` or more and without a step back.
    void BuildSegments(int gapMinutes);
    int SegmentCount() const { return static_cast<int>(Segments.size()); }
    // Start of the segment's first sample interval and time of its last sample; for a k out of range
    // FirstTime and LastTime.
    double SegmentStart(int k) const;
    double SegmentEnd(int k) const;
    void SegmentStats(TActivityStats& stats, int k) const;

    // Minimum, maximum and histograms of the samples from `from` to `to` (date-time values); `stats`
    // stays untouched when the dataset has no sample in that range.
    void RangeStats(TActivityStats& stats, double from, double to) const;
    // The samples whose interval lies in the local period from..to, their times shifted by the UTC
    // offset, with gaps of at most maxGap missing samples filled from a neighbour.
    void ExtractSamples(TActivitySampleArray& out, int maxGap, double from, double to,
                        double offsetHours) const;

    TActivitySampleArray Samples;
    double FirstTime = 0;
    double LastTime = 0;
    std::vector<TActivityChart*> Charts;
    // Origin of the dataset as JSON text; at most 65535 characters.
    std::string Link;
    std::array<std::uint8_t, ADFHeaderSize> Header{};
    TDatasetState State = TDatasetState::New;
    int Mode = 0;
    std::vector<TSampleSegment> Segments;
    std::unique_ptr<TActivityStats> Stats;
    int Interval = 0;
    int ViewOffset = 0;
    double LastUTCOffset = std::numeric_limits<double>::quiet_NaN();
    float LastLongitude = std::numeric_limits<float>::quiet_NaN();
    float LastLatitude = std::numeric_limits<float>::quiet_NaN();
    // ID, title, date text, mode text.
    std::array<std::string, 4> Strings;
};

class TActivityDataList {
public:
    TActivityDataList();

    int Count() const { return static_cast<int>(Items.size()); }
    TActivityData& operator[](int index) const { return *Items.at(static_cast<std::size_t>(index)); }

    // Sets the dataset's link and inserts it in title order; returns its index.
    int Add(std::unique_ptr<TActivityData> dataset, const std::string& link);
    // Decodes an ADF image into a new dataset and adds it; -1 when the image was rejected. `name` is a
    // file name, or the four strings (ID, title, date text, mode text) on lines ended by CR LF. An empty
    // link becomes the ADF form naming the file.
    int LoadStream(TByteStream& stream, const std::string& name, const std::string& link, std::size_t size);
    int LoadFile(const std::string& path, const std::string& link);
    // Frees the dataset at `index`.
    void Delete(int index);

    int IndexOfID(const std::string& id) const;
    int IndexOfFile(const std::string& path) const;
    // Gives the dataset at `index` a new title, numbered "Title (n)" when asked, and moves it to its place.
    void Retitle(int index, const std::string& title, bool numbered);

    // The link text of a dataset loaded from the ADF file at `path`.
    std::string ADFLink(const std::string& path) const;

    std::string ListID;
    // How often each numbered title was handed out.
    std::map<std::string, int> TitleCounters;

private:
    // Where a dataset with this title and state belongs.
    int InsertionIndex(const std::string& title, TDatasetState state) const;

    std::vector<std::unique_ptr<TActivityData>> Items;
};

extern TActivityDataList DatasetList;
