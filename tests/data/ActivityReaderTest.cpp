#include "ADFTestImages.h"

#include "data/DateTimeFormats.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const Caption = "Load Activity Data File";

// Remembers whether the busy cursor was on when a message was shown.
class TBusyWatchingDialogs : public TScopedScriptedDialogs {
public:
    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override {
        BusyWhenShown.push_back(BusyDepth);
        TScopedScriptedDialogs::ShowMessage(text, caption, kind);
    }
    std::vector<int> BusyWhenShown;
};

std::vector<std::int32_t> Times(const TActivityData& dataset) {
    std::vector<std::int32_t> times;
    for (const TActivitySample& s : dataset.Samples) {
        times.push_back(s.Time);
    }
    return times;
}

class ActivityReader : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings{"dd.MM.yyyy", "HH:mm:ss", '.'}); }
    TBusyWatchingDialogs Dialogs;
};

} // namespace

TEST_F(ActivityReader, RejectsEachFaultWithItsMessageInCheckOrder) {
    struct Case {
        const char* Name;
        std::function<void(std::vector<std::uint8_t>&)> Damage;
        const char* Message;
    };
    const std::string tooSmall = "File size is to small for a valid Orbicol data file.";
    const std::string sizeMismatch = "File size does not match an Activity Data File.";
    const std::string badMode = "Activity mode of file can not be processed.";
    const Case cases[] = {
        {"empty", [](auto& image) { image.clear(); }, tooSmall.c_str()},
        {"77 bytes with a wrong magic",
         [](auto& image) {
             image.resize(77);
             image[4] = 0;
         },
         tooSmall.c_str()},
        {"magic", [](auto& image) { image[7] = 0x5B; }, "Not a Orbicol data file."},
        {"magic before data type",
         [](auto& image) {
             image[5] = 0;
             image[24] = 1;
         },
         "Not a Orbicol data file."},
        {"data type", [](auto& image) { image[24] = 6; }, "File does not contain activity data."},
        {"data type before collar type",
         [](auto& image) {
             image[24] = 8;
             image[25] = 0;
         },
         "File does not contain activity data."},
        {"collar type", [](auto& image) { image[25] = 2; }, "Collar type of data is not valid."},
        {"collar type before size",
         [](auto& image) {
             image[25] = 4;
             image.push_back(0);
         },
         "Collar type of data is not valid."},
        {"partial record", [](auto& image) { image.resize(image.size() - 1); }, sizeMismatch.c_str()},
        {"size before mode",
         [](auto& image) {
             image[27] = 9;
             image.push_back(0);
         },
         sizeMismatch.c_str()},
        {"mode 8", [](auto& image) { image[27] = 8; }, badMode.c_str()},
        {"mode code 11 and above", [](auto& image) { image[27] = 200; }, badMode.c_str()},
        {"modes 4 to 7 without an interval",
         [](auto& image) {
             image[27] = 6;
             image[28] = 0;
         },
         badMode.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::uint8_t> image = MakeADFImage({{10, 1, 2, 110}, {11, 3, 4, 111}});
        c.Damage(image);
        TActivityData dataset;
        const std::string id = dataset.ID();
        Dialogs.Messages.clear();
        Dialogs.BusyWhenShown.clear();

        EXPECT_FALSE(LoadImage(dataset, image));
        ASSERT_EQ(Dialogs.Messages.size(), 1u);
        EXPECT_EQ(Dialogs.Messages[0].Text, c.Message);
        EXPECT_EQ(Dialogs.Messages[0].Caption, Caption);
        EXPECT_EQ(Dialogs.Messages[0].Kind, TMessageKind::Error);
        EXPECT_EQ(Dialogs.BusyWhenShown[0], 1);
        EXPECT_EQ(Dialogs.BusyDepth, 0);
        // Nothing of the rejected image reached the dataset.
        EXPECT_EQ(dataset.State, TDatasetState::New);
        EXPECT_EQ(dataset.SampleCount(), 0);
        EXPECT_EQ(dataset.Mode, 0);
        EXPECT_EQ(dataset.Interval, 0);
        EXPECT_EQ(dataset.ID(), id);
        EXPECT_EQ(dataset.DateText(), "No dates yet");
        EXPECT_EQ(dataset.ModeText(), "No mode selected yet");
    }
}

TEST(ResolveModeTest, ModeAndInterval) {
    struct Case {
        int Code, Parameter, Mode, Interval;
    };
    const Case cases[] = {
        {2, 3, 2, 152}, {0, 3, 3, 64},  {3, 0, 3, 64},  {5, 10, 5, 80},    {1, 2, 1, 300},  {0, 0, 0, 300},
        {3, 9, 3, 64},  {0, 1, 1, 300}, {3, 1, 1, 300}, {7, 255, 7, 2040}, {10, 4, 10, 32}, {12, 4, 12, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "A=" << c.Code << " B=" << c.Parameter);
        const TModeAndInterval result =
            ResolveMode(static_cast<std::uint8_t>(c.Code), static_cast<std::uint8_t>(c.Parameter));
        EXPECT_EQ(result.Mode, c.Mode);
        EXPECT_EQ(result.Interval, c.Interval);
    }
}

TEST_F(ActivityReader, DecodesRecordsTimesAndTexts) {
    // 2011-05-03 06:00 and 2011-06-17 12:00 UTC at 300 s.
    const auto indexOf = [](double dateTime) {
        return static_cast<std::uint32_t>(SecondsSince2000(dateTime) / 300);
    };
    const std::uint32_t first = indexOf(EncodeDate(2011, 5, 3) + 0.25);
    const std::uint32_t last = indexOf(EncodeDate(2011, 6, 17) + 0.5);
    TActivityData dataset;
    ASSERT_TRUE(
        LoadImage(dataset, MakeADFImage({{first, 200, 7, 0}, {first + 1, 0, 255, 255}, {last, 5, 6, 103}},
                                        {.Collar = 4711, .ModeCode = 1})));
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(Dialogs.BusyDepth, 0);
    EXPECT_EQ(dataset.State, TDatasetState::Loaded);
    EXPECT_EQ(dataset.Mode, 1);
    EXPECT_EQ(dataset.Interval, 300);
    ASSERT_EQ(dataset.SampleCount(), 3);
    const TActivitySample s0 = dataset.GetSample(0);
    const TActivitySample s1 = dataset.GetSample(1);
    EXPECT_EQ(s0.Time, static_cast<std::int32_t>(first * 300));
    EXPECT_EQ(s0.Channel1, 200);
    EXPECT_EQ(s0.Channel2, 7);
    EXPECT_EQ(s0.Temperature, -103);
    EXPECT_EQ(s1.Channel2, 255);
    EXPECT_EQ(s1.Temperature, 152);
    EXPECT_EQ(dataset.Header[0], 4711 % 256);
    EXPECT_EQ(dataset.Header[1], 4711 / 256);
    EXPECT_DOUBLE_EQ(dataset.FirstTime, SampleDateTime(first * 300 - 299));
    EXPECT_DOUBLE_EQ(dataset.LastTime, SampleDateTime(last * 300));
    EXPECT_EQ(dataset.DateText(), "03.05.2011\xE2\x80\x93"
                                  "17.06.2011");
    EXPECT_EQ(dataset.ModeText(), "Activity measurement, 300s");
    EXPECT_EQ(dataset.SegmentCount(), 2);
}

TEST_F(ActivityReader, ModeTextNamesResolvedModeAndInterval) {
    struct Case {
        int Code, Parameter;
        const char* Text;
    };
    const Case cases[] = {
        {2, 3, "Activity measurement, 152s"},
        {0, 0, "No activity available, 300s"},
        {5, 10, "Head angle / acceleration threshold, 80s"},
        {7, 1, "Avg. front-back / up-down raw data, 8s"},
    };
    for (const Case& c : cases) {
        TActivityData dataset;
        ASSERT_TRUE(
            LoadImage(dataset, MakeADFImage({{1, 1, 1, 110}},
                                            {.ModeCode = static_cast<std::uint8_t>(c.Code),
                                             .ModeParameter = static_cast<std::uint8_t>(c.Parameter)})));
        EXPECT_EQ(dataset.ModeText(), c.Text);
    }
}

TEST_F(ActivityReader, IndexIsBigEndianAndBoundedToThirtyOneBits) {
    TActivityData dataset;
    // 300 s: the bound is 2147483647 div 300 = 7158278.
    ASSERT_TRUE(LoadImage(
        dataset,
        MakeADFImage(
            {{0x000100, 1, 1, 110}, {7158277, 2, 2, 110}, {7158278, 3, 3, 110}, {0xFFFFFF, 4, 4, 110}})));
    EXPECT_EQ(Times(dataset), (std::vector<std::int32_t>{76800, 7158277 * 300}));
    // 76800 s is 2000-01-01 21:20 UTC.
    EXPECT_DOUBLE_EQ(SampleDateTime(76800), EncodeDate(2000, 1, 1) + EncodeTime(21, 20, 0));
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ActivityReader, InvalidRecordsTemperatureFlagAndModeZero) {
    const std::vector<TTestRecord> records = {
        {1, 10, 20, 3}, {2, 30, 40, 150}, {3, 50, 60, 3}, {4, 70, 80, 0}};
    struct Case {
        const char* Name;
        TADFHeaderFields Header;
        std::vector<std::int16_t> Channel1, Temperatures;
    };
    const Case cases[] = {
        {"with temperature", {.ModeCode = 1}, {30, 70}, {47, -103}},
        {"without temperature", {.ModeCode = 1, .HasTemperature = false}, {30, 70}, {0, 0}},
        {"mode 0", {.ModeCode = 0}, {0, 0}, {47, -103}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TActivityData dataset;
        ASSERT_TRUE(LoadImage(dataset, MakeADFImage(records, c.Header)));
        ASSERT_EQ(dataset.SampleCount(), 2);
        EXPECT_EQ(Times(dataset), (std::vector<std::int32_t>{600, 1200}));
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(dataset.GetSample(k).Channel1, c.Channel1[k]);
            EXPECT_EQ(dataset.GetSample(k).Channel2, c.Channel1[k] == 0 ? 0 : c.Channel1[k] + 10);
            EXPECT_EQ(dataset.GetSample(k).Temperature, c.Temperatures[k]);
        }
    }
}

TEST_F(ActivityReader, FirstTimeIsStartOfFirstIntervalNotBefore2000) {
    struct Case {
        std::uint32_t FirstIndex;
        double FirstTime;
    };
    const Case cases[] = {
        {1, DateOf2000 + 1 / SecondsPerDay},
        {0, DateOf2000},
        {2, DateOf2000 + 301 / SecondsPerDay},
    };
    for (const Case& c : cases) {
        TActivityData dataset;
        ASSERT_TRUE(
            LoadImage(dataset, MakeADFImage({{c.FirstIndex + 5, 1, 1, 110}, {c.FirstIndex, 1, 1, 110}})));
        EXPECT_DOUBLE_EQ(dataset.FirstTime, c.FirstTime);
        EXPECT_DOUBLE_EQ(dataset.LastTime, SampleDateTime((c.FirstIndex + 5) * 300));
    }
}

TEST_F(ActivityReader, HeaderOnlyImageIsAcceptedWithoutSamples) {
    TActivityData dataset;
    ASSERT_TRUE(LoadImage(dataset, MakeADFImage({})));
    // Also when every record is dropped.
    TActivityData allDropped;
    ASSERT_TRUE(LoadImage(allDropped, MakeADFImage({{1, 1, 1, 3}, {0xFFFFFF, 1, 1, 110}})));
    for (const TActivityData* d : {&dataset, &allDropped}) {
        EXPECT_EQ(d->SampleCount(), 0);
        EXPECT_EQ(d->SegmentCount(), 0);
        EXPECT_DOUBLE_EQ(d->FirstTime, EncodeDate(2200, 1, 1) - 299 / SecondsPerDay);
        EXPECT_DOUBLE_EQ(d->LastTime, DateOf2000);
        EXPECT_EQ(d->DateText(), "31.12.2199\xE2\x80\x93"
                                 "31.12.1999");
    }
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ActivityReader, ImageInsideBiggerStreamLeavesPositionUnchanged) {
    const std::vector<std::uint8_t> image = MakeADFImage({{3, 9, 9, 110}, {2, 8, 8, 110}});
    for (const bool valid : {true, false}) {
        SCOPED_TRACE(valid ? "valid" : "rejected");
        std::vector<std::uint8_t> buffer(13, 0xEE);
        buffer.insert(buffer.end(), image.begin(), image.end());
        buffer[13 + 24] = valid ? 7 : 0;
        buffer.insert(buffer.end(), 20, 0xEE);
        TByteStream stream{buffer, 13};
        TActivityData dataset;
        EXPECT_EQ(dataset.LoadFromStream(stream, image.size()), valid);
        EXPECT_EQ(stream.Position, 13u);
        EXPECT_EQ(dataset.SampleCount(), valid ? 2 : 0);
        EXPECT_EQ(Dialogs.BusyDepth, 0);
    }
}

TEST_F(ActivityReader, StreamShorterThanTheGivenSizeIsRejected) {
    const std::vector<std::uint8_t> image = MakeADFImage({{3, 9, 9, 110}});
    TByteStream stream{image, 6};
    TActivityData dataset;
    EXPECT_FALSE(dataset.LoadFromStream(stream, image.size()));
    EXPECT_EQ(Dialogs.LastMessage(), "File size does not match an Activity Data File.");
}

TEST_F(ActivityReader, DescendingRecordsLoadAscending) {
    TActivityData dataset;
    ASSERT_TRUE(
        LoadImage(dataset, MakeADFImage({{9, 1, 1, 110}, {5, 2, 2, 110}, {7, 3, 3, 110}, {1, 4, 4, 110}})));
    EXPECT_EQ(Times(dataset), (std::vector<std::int32_t>{300, 1500, 2100, 2700}));
    EXPECT_EQ(dataset.GetSample(0).Channel1, 4);
    EXPECT_DOUBLE_EQ(dataset.FirstTime, SampleDateTime(1));
    EXPECT_DOUBLE_EQ(dataset.LastTime, SampleDateTime(2700));
}

namespace {

// The Shell sort written out with an explicit gap list, to check the reader's gap sequence.
std::vector<int> SortWithGaps(std::vector<std::pair<int, int>> items, const std::vector<std::size_t>& gaps) {
    for (const std::size_t gap : gaps) {
        for (std::size_t p = gap; p < items.size(); ++p) {
            const auto item = items[p];
            std::size_t q = p;
            for (; q >= gap && items[q - gap].first > item.first; q -= gap) {
                items[q] = items[q - gap];
            }
            items[q] = item;
        }
    }
    std::vector<int> order;
    for (const auto& item : items) {
        order.push_back(item.second);
    }
    return order;
}

} // namespace

TEST_F(ActivityReader, EqualTimesEndInTheOrderOfTheIntegerGapSequence) {
    // 146 records give the gaps 73, 33, 15, 6, 2, 1; a floating-point 33 / 2.2 would give 14 instead.
    std::vector<TTestRecord> records;
    std::vector<std::pair<int, int>> items;
    for (int r = 0; r < 146; ++r) {
        const int index = (146 - r) / 3 + (r % 5 == 0 ? 7 : 0);
        records.push_back({static_cast<std::uint32_t>(index), static_cast<std::uint8_t>(r), 0, 110});
        items.emplace_back(index, r);
    }
    const std::vector<int> expected = SortWithGaps(items, {73, 33, 15, 6, 2, 1});
    ASSERT_NE(expected, SortWithGaps(items, {73, 33, 14, 6, 2, 1})) << "the fixture must tell the gaps apart";

    TActivityData dataset;
    ASSERT_TRUE(LoadImage(dataset, MakeADFImage(records)));
    std::vector<int> order;
    for (const TActivitySample& s : dataset.Samples) {
        order.push_back(s.Channel1);
    }
    EXPECT_EQ(order, expected);
}

TEST_F(ActivityReader, LoadFromFileTitlesAfterTheFileName) {
    TTempFolder folder;
    const std::string path = folder.File("fox-2011.adf");
    WriteBinaryFile(path, MakeADFImage({{1, 1, 1, 110}}));
    TActivityData dataset;
    ASSERT_TRUE(dataset.LoadFromFile(path));
    EXPECT_EQ(dataset.Title(), "fox-2011.adf");

    const std::string broken = folder.File("broken.adf");
    WriteBinaryFile(broken, std::vector<unsigned char>(80, 0));
    TActivityData rejected;
    EXPECT_FALSE(rejected.LoadFromFile(broken));
    EXPECT_EQ(rejected.Title(), "No title yet");
    EXPECT_EQ(Dialogs.LastMessage(), "Not a Orbicol data file.");

    for (const std::string& unreadable : {folder.File("missing.adf"), folder.Path().string()}) {
        EXPECT_FALSE(rejected.LoadFromFile(unreadable));
        EXPECT_EQ(Dialogs.LastMessage(), "Cannot open file \"" + unreadable + "\".");
        EXPECT_EQ(Dialogs.Messages.back().Caption, Caption);
    }
}
