#include "data/ActivityData.h"

#include "data/DateTimeFormats.h"
#include "data/Tools.h"
#include "platform/UserDialogs.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

const std::array<const char*, ActivityModeCount> ActivityModeNames = {
    "No activity available",
    "Activity measurement",
    "Activity measurement",
    "Activity measurement",
    "Activity measurement",
    "Head angle / acceleration threshold",
    "Acceleration peak / threshold",
    "Avg. front-back / up-down raw data",
    "Test mode A",
    "Test mode B",
    "Test mode C",
};

const std::array<int, 4> ModeIntervals = {300, 300, 152, 64};

// clang-format off
const std::array<const char*, ChannelNameCount> ChannelShortNames = {
    "?",     "?",         "?",     // 0
    "X",     "Y",         "Temp.", // 1
    "X",     "Y",         "Temp.", // 2
    "X",     "Y",         "Temp.", // 3
    "X",     "Y",         "Temp.", // 4
    "Angle", "Threshold", "Temp.", // 5
    "Peak",  "Threshold", "Temp.", // 6
    "F/B",   "U/D",       "Temp",  // 7
    "?",     "?",         "?",     // 8
    "?",     "?",         "?",     // 9
    "?",     "?",         "?",     // 10
};

const std::array<const char*, ChannelNameCount> ChannelLongNames = {
    "?",                          "?",                      "?",           // 0
    "Activity X",                 "Activity Y",             "Temperature", // 1
    "Activity X",                 "Activity Y",             "Temperature", // 2
    "Activity X",                 "Activity Y",             "Temperature", // 3
    "Activity X",                 "Activity Y",             "Temperature", // 4
    "Head Angle",                 "Acceleration Threshold", "Temperature", // 5
    "Acceleration Peak",          "Acceleration Threshold", "Temperature", // 6
    "Average front-to-back data", "Average up-down data",   "Temperature", // 7
    "?",                          "?",                      "?",           // 8
    "?",                          "?",                      "?",           // 9
    "?",                          "?",                      "?",           // 10
};
// clang-format on

TActivityDataList DatasetList;

namespace {

const char* const LoadCaption = "Load Activity Data File";
constexpr std::int32_t LastSampleSecond = 2147483647;
constexpr double FirstTimeBeforeLoading = 109575.0; // 2200-01-01
const char* const EnDash = "\xE2\x80\x93";
constexpr int ReaderSegmentGapMinutes = 60;

bool Reject(const std::string& message) {
    UserDialogs().ShowMessage(message, LoadCaption, TMessageKind::Error);
    return false;
}

struct TFileImage {
    std::unique_ptr<std::uint8_t[]> Bytes;
    std::size_t Size = 0;
};

// The whole file in memory; false (after telling the user) when it cannot be read.
bool ReadWholeFile(const std::string& path, TFileImage& image) {
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) {
        file.open(path, std::ios::binary);
    }
    if (!file.is_open()) {
        return Reject("Cannot open file \"" + path + "\".");
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    image.Size = size > 0 ? static_cast<std::size_t>(size) : 0;
    image.Bytes = std::make_unique_for_overwrite<std::uint8_t[]>(image.Size);
    if (!file.read(reinterpret_cast<char*>(image.Bytes.get()), static_cast<std::streamsize>(image.Size))) {
        return Reject("Cannot read file \"" + path + "\".");
    }
    return true;
}

// Shell sort by time whose gap sequence (n/2, then gap × 5 div 11, with 1 after 2, 3 and 4) fixes the
// final order of equal times; the integer quotient keeps it free of floating-point rounding.
void ShellSortByTime(TActivitySampleArray& samples) {
    const std::size_t n = samples.size();
    std::size_t gap = n / 2;
    while (gap > 0) {
        for (std::size_t p = gap; p < n; ++p) {
            const TActivitySample sample = samples[p];
            std::size_t q = p;
            while (q >= gap && samples[q - gap].Time > sample.Time) {
                samples[q] = samples[q - gap];
                q -= gap;
            }
            samples[q] = sample;
        }
        gap = (gap >= 2 && gap <= 4) ? 1 : gap * 5 / 11;
    }
}

bool IsOrderedByTime(const TActivitySampleArray& samples) {
    return std::is_sorted(samples.begin(), samples.end(),
                          [](const TActivitySample& a, const TActivitySample& b) { return a.Time < b.Time; });
}

// The smallest index not below `from` whose time is at least `seconds`; samples.size() when none is.
std::size_t FirstAtOrAfter(const TActivitySampleArray& samples, std::size_t from, std::int64_t seconds) {
    const auto found =
        std::lower_bound(samples.begin() + static_cast<std::ptrdiff_t>(from), samples.end(), seconds,
                         [](const TActivitySample& s, std::int64_t t) { return s.Time < t; });
    return static_cast<std::size_t>(found - samples.begin());
}

// Splits samples into segments where the time steps back or moves on by the gap or more. Fed piece by
// piece as samples arrive, it gives the same segments as one pass over all of them.
class TSegmentSplitter {
public:
    TSegmentSplitter(std::vector<TSampleSegment>& segments, std::int64_t gapSeconds)
        : Segments(segments), GapSeconds(gapSeconds) {}

    // Looks at the samples from `from` on; those before were fed already.
    void Feed(const TActivitySampleArray& samples, std::size_t from) {
        for (std::size_t i = std::max<std::size_t>(from, 1); i < samples.size(); ++i) {
            const std::int64_t step = std::int64_t{samples[i].Time} - samples[i - 1].Time;
            if (step < 0 || step >= GapSeconds) {
                Segments.push_back({Start, static_cast<std::int32_t>(i - 1)});
                Start = static_cast<std::int32_t>(i);
            }
        }
    }
    void Finish(std::size_t count) {
        if (count > 0) {
            Segments.push_back({Start, static_cast<std::int32_t>(count - 1)});
        }
    }

private:
    std::vector<TSampleSegment>& Segments;
    std::int64_t GapSeconds;
    std::int32_t Start = 0;
};

std::string ToLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

TModeAndInterval ResolveMode(std::uint8_t code, std::uint8_t parameter) {
    TModeAndInterval result;
    if (code < 4) {
        if (parameter >= 1 && parameter <= 3) {
            result.Mode = code == 0 ? parameter : std::min(code, parameter);
        } else {
            result.Mode = code;
        }
        result.Interval = ModeIntervals[static_cast<std::size_t>(result.Mode)];
    } else {
        result.Mode = code;
        result.Interval = code < 11 ? parameter * 8 : 300;
    }
    return result;
}

std::uint32_t SecondsSince2000(double dateTime) {
    constexpr double LastSampleDate = DateOf2000 + LastSampleSecond / SecondsPerDay;
    if (!(dateTime >= DateOf2000)) {
        return 0;
    }
    if (dateTime > LastSampleDate) {
        return LastSampleSecond;
    }
    const double seconds = std::nearbyint((dateTime - DateOf2000) * SecondsPerDay);
    return static_cast<std::uint32_t>(std::min(seconds, static_cast<double>(LastSampleSecond)));
}

double SampleDateTime(std::int32_t seconds) {
    return DateOf2000 + seconds / SecondsPerDay;
}

TActivityData::TActivityData()
    : Stats(std::make_unique<TActivityStats>()), Strings{RandomID(8), "No title yet", "No dates yet",
                                                         "No mode selected yet"} {}

bool TActivityData::LoadFromStream(TByteStream& stream, std::size_t size) {
    // The stream is only read through Rest(), so its position is the caller's on every path.
    TBusyCursor busy;
    if (size < ADFHeaderSize) {
        return Reject("File size is to small for a valid Orbicol data file.");
    }
    const std::span<const std::uint8_t> available = stream.Rest();
    if (available.size() < size) {
        return Reject("File size does not match an Activity Data File.");
    }
    const std::uint8_t* image = available.data();
    for (std::size_t k = 0; k < 4; ++k) {
        if (image[ADFMagicOffset + k] != ADFMagicByte) {
            return Reject("Not a Orbicol data file.");
        }
    }
    if (image[ADFDataTypeOffset] != ADFActivityDataType) {
        return Reject("File does not contain activity data.");
    }
    if (image[ADFCollarTypeOffset] != ADFCollarType) {
        return Reject("Collar type of data is not valid.");
    }
    if ((size - ADFHeaderSize) % ADFRecordSize != 0) {
        return Reject("File size does not match an Activity Data File.");
    }
    const TModeAndInterval resolved = ResolveMode(image[ADFModeCodeOffset], image[ADFModeParameterOffset]);
    // An interval of 0 (modes 4 to 7 with parameter 0) would put every sample at 2000-01-01.
    if (resolved.Mode > 7 || resolved.Interval <= 0) {
        return Reject("Activity mode of file can not be processed.");
    }

    const std::int32_t interval = resolved.Interval;
    const std::uint32_t indexBound = static_cast<std::uint32_t>(LastSampleSecond / interval);
    const bool withChannels = resolved.Mode != 0;
    const bool withTemperature = image[ADFTemperatureFlagOffset] != 0;
    const std::size_t recordCount = (size - ADFHeaderSize) / ADFRecordSize;

    // Sized once from the file. Records are decoded block by block into a small buffer that stays in
    // the cache, without a branch per record, and each block is appended with one copy.
    TActivitySampleArray samples;
    samples.reserve(recordCount);
    const int channelMask = withChannels ? 0xFF : 0;
    constexpr std::size_t BlockRecords = 2048;
    std::array<TActivitySample, BlockRecords> block;
    std::int32_t previous = 0;
    bool ordered = true;
    std::vector<TSampleSegment> segments;
    TSegmentSplitter splitter(segments, ReaderSegmentGapMinutes * 60);
    const std::uint8_t* record = image + ADFHeaderSize;
    for (std::size_t blockStart = 0; blockStart < recordCount; blockStart += BlockRecords) {
        const std::size_t blockEnd = std::min(recordCount, blockStart + BlockRecords);
        std::size_t kept = 0;
        for (std::size_t r = blockStart; r < blockEnd; ++r, record += ADFRecordSize) {
            const std::uint32_t index = ReadADFSampleIndex(record);
            const bool valid = (index < indexBound) & (record[5] != ADFInvalidRecordMarker);
            // A dropped record is written too and then overwritten by the next one.
            const std::int32_t time = static_cast<std::int32_t>(valid ? index : 0) * interval;
            // Without the temperature flag the stored byte counts as 103, temperature 0.
            const int temperature = withTemperature ? record[5] - ADFTemperatureBias : 0;
            block[kept] = {time, static_cast<std::int16_t>(record[3] & channelMask),
                           static_cast<std::int16_t>(record[4] & channelMask),
                           static_cast<std::int16_t>(temperature)};
            ordered &= !valid || time >= previous;
            previous = valid ? time : previous;
            kept += valid;
        }
        const std::size_t appendedFrom = samples.size();
        samples.insert(samples.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept));
        // Segments of ordered samples are found while the block is still in the cache.
        if (ordered) {
            splitter.Feed(samples, appendedFrom);
        }
    }
    const std::size_t accepted = samples.size();
    // Shrinking copies every sample: worth it only when many records were dropped.
    if (samples.capacity() - accepted > samples.capacity() / 8) {
        samples.shrink_to_fit();
    }
    // A Shell sort of ordered samples moves nothing, so ordered input skips it.
    if (ordered) {
        splitter.Finish(accepted);
    } else {
        ShellSortByTime(samples);
    }

    // Sorted, the first and last samples hold the earliest and latest times.
    double firstTime = accepted > 0 ? SampleDateTime(samples.front().Time) : FirstTimeBeforeLoading;
    const double lastTime = accepted > 0 ? SampleDateTime(samples.back().Time) : DateOf2000;
    // Back to the start of the first sample's interval, but not before 2000-01-01.
    const double intervalStart = firstTime - (interval - 1) / SecondsPerDay;
    firstTime = intervalStart > DateOf2000 ? intervalStart : DateOf2000;

    std::copy(image, image + ADFHeaderSize, Header.begin());
    Mode = resolved.Mode;
    Interval = interval;
    Samples = std::move(samples);
    FirstTime = firstTime;
    LastTime = lastTime;
    if (ordered) {
        Segments = std::move(segments);
    } else {
        BuildSegments(ReaderSegmentGapMinutes);
    }
    SetDateText(FormatShortDate(FirstTime) + EnDash +
                FormatShortDate(LastTime - interval / 2.0 / SecondsPerDay));
    SetModeText(std::string(ActivityModeNames[static_cast<std::size_t>(Mode)]) + ", " +
                std::to_string(Interval) + "s");
    State = TDatasetState::Loaded;
    return true;
}

bool TActivityData::LoadFromFile(const std::string& path) {
    TFileImage file;
    if (!ReadWholeFile(path, file)) {
        return false;
    }
    TByteStream stream{{file.Bytes.get(), file.Size}};
    if (!LoadFromStream(stream, file.Size)) {
        return false;
    }
    SetTitle(std::filesystem::path(path).filename().string());
    return true;
}

void TActivityData::LinkChart(TActivityChart* chart) {
    Charts.push_back(chart);
}

void TActivityData::UnlinkChart(TActivityChart* chart) {
    const auto found = std::find(Charts.begin(), Charts.end(), chart);
    if (found == Charts.end()) {
        throw std::runtime_error("Dataset link does not exist.");
    }
    Charts.erase(found);
}

void TActivityData::SortSamples() {
    if (!IsOrderedByTime(Samples)) {
        ShellSortByTime(Samples);
    }
}

void TActivityData::BuildSegments(int gapMinutes) {
    Segments.clear();
    TSegmentSplitter splitter(Segments, std::int64_t{gapMinutes} * 60);
    splitter.Feed(Samples, 0);
    splitter.Finish(Samples.size());
}

double TActivityData::SegmentStart(int k) const {
    if (k < 0 || k >= SegmentCount()) {
        return FirstTime;
    }
    return DateOf2000 + (Samples[Segments[k].First].Time - Interval + 1) / SecondsPerDay;
}

double TActivityData::SegmentEnd(int k) const {
    if (k < 0 || k >= SegmentCount()) {
        return LastTime;
    }
    return SampleDateTime(Samples[Segments[k].Last].Time);
}

void TActivityData::SegmentStats(TActivityStats& stats, int k) const {
    if (k >= 0 && k < SegmentCount()) {
        RangeStats(stats, SegmentStart(k), SegmentEnd(k));
    }
}

void TActivityData::RangeStats(TActivityStats& stats, double from, double to) const {
    const std::int64_t lo = SecondsSince2000(from + 1 / SecondsPerDay);
    const std::int64_t hi = SecondsSince2000(to + (Interval - 1) / SecondsPerDay);
    if (Samples.empty() || Samples.front().Time > hi || Samples.back().Time < lo) {
        return;
    }
    // Samples from lo up to, not including, the first at hi; all to the end when none reaches hi.
    const std::size_t i0 = FirstAtOrAfter(Samples, 0, lo);
    const std::size_t i1 = FirstAtOrAfter(Samples, i0, hi);
    for (auto& histogram : stats.Histogram) {
        histogram.fill(0);
    }
    for (int c = 0; c < ChannelCount; ++c) {
        stats.Min[c] = i0 < i1 ? Samples[i0].Value(c) : 255;
        stats.Max[c] = i0 < i1 ? Samples[i0].Value(c) : 0;
    }
    for (std::size_t i = i0; i < i1; ++i) {
        for (int c = 0; c < ChannelCount; ++c) {
            const std::int16_t value = Samples[i].Value(c);
            const int bin = value - stats.ValueOffset[c];
            if (bin >= 0 && bin < 256) {
                ++stats.Histogram[c][bin];
            }
            stats.Min[c] = std::min(stats.Min[c], value);
            stats.Max[c] = std::max(stats.Max[c], value);
        }
    }
}

void TActivityData::ExtractSamples(TActivitySampleArray& out, int maxGap, double from, double to,
                                   double offsetHours) const {
    out.clear();
    if (Samples.empty()) {
        return;
    }
    const std::int64_t interval = Interval;
    const std::int64_t shift = static_cast<std::int64_t>(std::nearbyint(offsetHours * 3600.0));
    const std::int64_t lo = std::int64_t{SecondsSince2000(from - offsetHours / 24.0)} + 1;
    const std::int64_t hi = std::int64_t{SecondsSince2000(to - offsetHours / 24.0)} + interval - 1;
    if (Samples.front().Time > hi || Samples.back().Time < lo) {
        return;
    }
    const std::size_t last = Samples.size() - 1;
    const std::size_t i0 = FirstAtOrAfter(Samples, 0, lo);
    const std::size_t i1 = std::min(FirstAtOrAfter(Samples, i0, hi), last);
    const std::int64_t fillLimit = std::int64_t{maxGap} + 1;

    out.reserve(i1 - i0 + 1);
    auto write = [&out, shift](const TActivitySample& values, std::int64_t utcTime) {
        TActivitySample sample = values;
        sample.Time = static_cast<std::int32_t>(utcTime + shift);
        out.push_back(sample);
    };

    const TActivitySample& first = Samples[i0];
    if (first.Time > lo + interval) {
        const std::int64_t n = (first.Time - lo) / interval;
        const bool fill = i0 > 0 ? (std::int64_t{first.Time} - Samples[i0 - 1].Time) / interval <= fillLimit
                                 : n <= fillLimit;
        if (fill) {
            for (std::int64_t k = n; k >= 1; --k) {
                write(first, first.Time - k * interval);
            }
        }
    }

    for (std::size_t i = i0; i < i1; ++i) {
        const TActivitySample& sample = Samples[i];
        const TActivitySample& next = Samples[i + 1];
        write(sample, sample.Time);
        // Two samples with one time stamp: the first takes the free interval before it.
        if (i > 0 && i + 1 < i1 && sample.Time == next.Time &&
            std::int64_t{Samples[i - 1].Time} + interval < sample.Time) {
            out.back().Time = static_cast<std::int32_t>(std::int64_t{out.back().Time} - interval);
            continue;
        }
        const std::int64_t step = std::int64_t{next.Time} - sample.Time;
        if (maxGap > 0 && step > interval && step <= fillLimit * interval) {
            for (std::int64_t k = 1; k < step / interval; ++k) {
                write(next, sample.Time + k * interval);
            }
        }
    }

    const TActivitySample& end = Samples[i1];
    if (i1 == last && end.Time <= hi) {
        const std::int64_t missing = (hi - end.Time + interval - 1) / interval;
        write(end, end.Time);
        if (missing <= maxGap) {
            for (std::int64_t k = 1; k <= missing; ++k) {
                write(end, end.Time + k * interval);
            }
        }
    }
}

TActivityDataList::TActivityDataList() : ListID(RandomID(8)) {}

int TActivityDataList::InsertionIndex(const std::string& title, TDatasetState state) const {
    const std::string lowered = ToLowerAscii(title);
    for (int i = 0; i < Count(); ++i) {
        const TActivityData& item = *Items[static_cast<std::size_t>(i)];
        if (ToLowerAscii(item.Title().substr(0, title.size())) > lowered || item.State < state) {
            return i;
        }
    }
    return Count();
}

int TActivityDataList::Add(std::unique_ptr<TActivityData> dataset, const std::string& link) {
    dataset->Link = link;
    const int index = InsertionIndex(dataset->Title(), dataset->State);
    Items.insert(Items.begin() + index, std::move(dataset));
    return index;
}

std::string TActivityDataList::ADFLink(const std::string& path) const {
    // The path goes in unescaped, as IndexOfFile expects to find it.
    return "{\"ADF\":{\"ID\":\"" + ListID + "\",\"Filename\":\"" + path + "\"}}";
}

int TActivityDataList::LoadStream(TByteStream& stream, const std::string& name, const std::string& link,
                                  std::size_t size) {
    auto dataset = std::make_unique<TActivityData>();
    if (!dataset->LoadFromStream(stream, size)) {
        return -1;
    }
    std::string fileName = name;
    if (name.find('\n') == std::string::npos) {
        std::error_code error;
        if (std::filesystem::exists(name, error)) {
            fileName = std::filesystem::absolute(name, error).lexically_normal().string();
        }
        dataset->SetTitle(std::filesystem::path(fileName).filename().string());
    } else {
        // A restored dataset keeps its ID and texts, so that its charts find it again.
        std::size_t begin = 0;
        for (std::string& text : dataset->Strings) {
            if (begin > name.size()) {
                break;
            }
            std::size_t end = name.find('\n', begin);
            end = end == std::string::npos ? name.size() : end;
            std::size_t length = end - begin;
            if (length > 0 && name[begin + length - 1] == '\r') {
                --length;
            }
            text = name.substr(begin, length);
            begin = end + 1;
        }
    }
    return Add(std::move(dataset), link.empty() ? ADFLink(fileName) : link);
}

int TActivityDataList::LoadFile(const std::string& path, const std::string& link) {
    TFileImage file;
    if (!ReadWholeFile(path, file)) {
        return -1;
    }
    TByteStream stream{{file.Bytes.get(), file.Size}};
    return LoadStream(stream, path, link, file.Size);
}

void TActivityDataList::Delete(int index) {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("Dataset index out of range.");
    }
    Items.erase(Items.begin() + index);
}

int TActivityDataList::IndexOfID(const std::string& id) const {
    for (int i = 0; i < Count(); ++i) {
        if (Items[static_cast<std::size_t>(i)]->ID() == id) {
            return i;
        }
    }
    return -1;
}

int TActivityDataList::IndexOfFile(const std::string& path) const {
    const std::string ending = "\"Filename\":\"" + path + "\"}";
    for (int i = 0; i < Count(); ++i) {
        if (Items[static_cast<std::size_t>(i)]->Link.find(ending) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

void TActivityDataList::Retitle(int index, const std::string& title, bool numbered) {
    TActivityData& dataset = (*this)[index];
    std::string newTitle = title;
    if (numbered) {
        const int number = ++TitleCounters[title];
        newTitle += " (" + std::to_string(number) + ")";
    }
    dataset.SetTitle(newTitle);
    const int stop = InsertionIndex(newTitle, dataset.State);
    const int target = stop == Count() ? Count() - 1 : index < stop ? stop - 1 : stop;
    const auto begin = Items.begin();
    if (target > index) {
        std::rotate(begin + index, begin + index + 1, begin + target + 1);
    } else if (target < index) {
        std::rotate(begin + target, begin + index, begin + index + 1);
    }
}
