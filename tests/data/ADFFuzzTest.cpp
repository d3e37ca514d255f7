// Damaged images: whatever the bytes, the reader either accepts them with sound samples or rejects
// them with exactly one message, never crashes, and leaves the busy cursor off.

#include "ADFTestImages.h"

#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace {

const std::set<std::string> RejectionMessages = {
    "File size is to small for a valid Orbicol data file.",
    "Not a Orbicol data file.",
    "File does not contain activity data.",
    "Collar type of data is not valid.",
    "File size does not match an Activity Data File.",
    "Activity mode of file can not be processed.",
};

std::vector<std::uint8_t> BaseImage() {
    std::vector<TTestRecord> records;
    for (std::uint32_t k = 0; k < 40; ++k) {
        records.push_back({(k * 7919) % 61, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(200 - k),
                           static_cast<std::uint8_t>(k % 9 == 0 ? 3 : 100 + k)});
    }
    return MakeADFImage(records, {.ModeCode = 2, .ModeParameter = 3});
}

void CheckOutcome(const std::vector<std::uint8_t>& image, TScriptedDialogs& dialogs) {
    dialogs.Messages.clear();
    TActivityData dataset;
    TByteStream stream{image};
    const bool loaded = dataset.LoadFromStream(stream, image.size());
    EXPECT_EQ(dialogs.BusyDepth, 0);
    EXPECT_EQ(stream.Position, 0u);
    if (!loaded) {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(RejectionMessages.count(dialogs.Messages[0].Text), 1u) << dialogs.Messages[0].Text;
        EXPECT_EQ(dialogs.Messages[0].Caption, "Load Activity Data File");
        EXPECT_EQ(dataset.State, TDatasetState::New);
        return;
    }
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(dataset.State, TDatasetState::Loaded);
    EXPECT_LE(dataset.Mode, 7);
    EXPECT_GT(dataset.Interval, 0);
    EXPECT_LE(static_cast<std::size_t>(dataset.SampleCount()),
              (image.size() - ADFHeaderSize) / ADFRecordSize);
    EXPECT_TRUE(std::is_sorted(dataset.Samples.begin(), dataset.Samples.end(),
                               [](const auto& a, const auto& b) { return a.Time < b.Time; }));
    for (const TActivitySample& s : dataset.Samples) {
        ASSERT_GE(s.Time, 0);
        ASSERT_GE(s.Temperature, -103);
        ASSERT_LE(s.Temperature, 152);
    }
    // What charts do with a dataset must work on it too.
    TActivitySampleArray out;
    dataset.ExtractSamples(out, 3, dataset.FirstTime, dataset.LastTime, 1.5);
    TActivityStats stats;
    for (int k = 0; k < dataset.SegmentCount(); ++k) {
        dataset.SegmentStats(stats, k);
    }
}

} // namespace

TEST(ADFFuzz, TruncatedImages) {
    TScopedScriptedDialogs dialogs;
    const std::vector<std::uint8_t> image = BaseImage();
    for (std::size_t length = 0; length <= image.size(); ++length) {
        SCOPED_TRACE(length);
        CheckOutcome({image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length)}, dialogs);
    }
}

TEST(ADFFuzz, BitFlippedImages) {
    TScopedScriptedDialogs dialogs;
    const std::vector<std::uint8_t> base = BaseImage();
    std::mt19937 random(20111);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> image = base;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int f = 0; f < flips; ++f) {
            // Mostly the header bytes the reader looks at, where a flip changes the most.
            const std::size_t at = random() % 2 == 0 ? 24 + random() % 6 : random() % image.size();
            image[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        }
        if (round % 10 == 0) {
            image.resize(random() % (image.size() + 1));
        }
        SCOPED_TRACE(round);
        CheckOutcome(image, dialogs);
    }
}
