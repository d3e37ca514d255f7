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

// Unordered records with invalid ones among them, and a long ordered run with gaps of an hour and more
// across more than one decoding block.
std::vector<std::vector<std::uint8_t>> BaseImages() {
    std::vector<TTestRecord> unordered;
    for (std::uint32_t k = 0; k < 40; ++k) {
        unordered.push_back({(k * 7919) % 61, static_cast<std::uint8_t>(k),
                             static_cast<std::uint8_t>(200 - k),
                             static_cast<std::uint8_t>(k % 9 == 0 ? 3 : 100 + k)});
    }
    std::vector<TTestRecord> ordered;
    for (std::uint32_t k = 0, index = 5; k < 2100; ++k) {
        index += k % 300 == 0 ? 24 + k % 7 : 1;
        ordered.push_back(
            {index, static_cast<std::uint8_t>(k), 7, static_cast<std::uint8_t>(k % 500 == 0 ? 3 : 90)});
    }
    return {MakeADFImage(unordered, {.ModeCode = 2, .ModeParameter = 3}),
            MakeADFImage(ordered, {.ModeCode = 2})};
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
    // Segments found while decoding are those of a separate pass over the sorted samples.
    const auto segmentBounds = [&dataset] {
        std::vector<std::pair<int, int>> bounds;
        for (const TSampleSegment& segment : dataset.Segments) {
            bounds.emplace_back(segment.First, segment.Last);
        }
        return bounds;
    };
    const auto decoded = segmentBounds();
    dataset.BuildSegments(60);
    EXPECT_EQ(decoded, segmentBounds());
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
    for (const std::vector<std::uint8_t>& image : BaseImages()) {
        // Every length of the small image; of the long one, lengths on and off the record grid.
        const std::size_t step = image.size() < 1000 ? 1 : 97;
        for (std::size_t length = 0; length <= image.size(); length += step) {
            SCOPED_TRACE(length);
            CheckOutcome({image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length)}, dialogs);
        }
        CheckOutcome(image, dialogs);
    }
}

TEST(ADFFuzz, BitFlippedImages) {
    TScopedScriptedDialogs dialogs;
    const std::vector<std::vector<std::uint8_t>> bases = BaseImages();
    std::mt19937 random(20111);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> image = bases[static_cast<std::size_t>(round) % bases.size()];
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
