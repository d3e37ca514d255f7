// The raster and the vector path must stay the same picture: the test card written as PNG by the PNG
// writer and as EPS (rendered by Ghostscript) may differ only where the two rasterisers put anti-aliased
// edges slightly differently (Ghostscript covers a little more of the pixels along a stroke).
//
// Measure: a pixel differs when its largest channel difference exceeds 64 (of 255). Over the whole card
// at most 0.5 % of the compared pixels may differ, and in no 32 x 32 tile more than 8 %, so that one
// misplaced label cannot hide in the whole. Measured: 0.18 % of the card and 5.7 % in the worst tile
// (a stroke along a viewport's clip edge) at 800 x 600; text moved by one unit gives 1.8 % and 20 %.

#include "platform/ScriptedDialogs.h"
#include "render/RTPNGWriter.h"
#include "render/RTPostScript.h"
#include "render/TestCard.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int DifferenceLimit = 64;
constexpr double MaxDifferingShare = 0.005;
constexpr int TileSize = 32;
constexpr double MaxTileShare = 0.08;

struct TTally {
    long Compared = 0;
    long Differing = 0;
    // Tiles that lie mostly in raster-only areas say nothing.
    double Share() const {
        return Compared < TileSize * TileSize / 2 ? 0 : static_cast<double>(Differing) / Compared;
    }
};

// Parts of the card that only the raster targets draw: additive blending, and arcs (which EPS leaves out).
const TTestCardArea RasterOnlyAreas[] = {
    TestCardBlendArea,
    {384, 44, 52, 172}, // the arc column of the shapes table: x 410, rows 70 to 190, radius 22
};

template <typename TTarget> void WriteCard(const std::string& path, int width, int height) {
    TScopedScriptedDialogs dialogs;
    dialogs.SaveFileNames.push_back(path);
    {
        TTarget target;
        ASSERT_TRUE(target.InitSized(TestCardWidth, TestCardHeight, width, height));
        DrawTestCard(target);
    }
    ASSERT_TRUE(dialogs.Messages.empty()) << dialogs.LastMessage();
}

bool RasterOnly(int x, int y, double scaleX, double scaleY) {
    const double logicalX = (x + 0.5) / scaleX;
    const double logicalY = (y + 0.5) / scaleY;
    return std::any_of(std::begin(RasterOnlyAreas), std::end(RasterOnlyAreas),
                       [&](const TTestCardArea& area) {
                           return logicalX >= area.X && logicalX < area.X + area.W && logicalY >= area.Y &&
                                  logicalY < area.Y + area.H;
                       });
}

int ChannelDifference(const TRgba& a, const TRgba& b) {
    return std::max({std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
}

TEST(TestCardComparisonTest, EpsRenderedByGhostscriptMatchesThePngWriter) {
    const struct { int Width, Height; } sizes[] = {{800, 600}, {1200, 450}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.Width << "x" << size.Height);
        TTempFolder folder;
        const std::string png = folder.File("card.png");
        const std::string eps = folder.File("card.eps");
        const std::string rendered = folder.File("card-eps.png");
        WriteCard<TRTPNGWriter>(png, size.Width, size.Height);
        WriteCard<TRTPostScript>(eps, size.Width, size.Height);
        const TPngImage raster = ReadPngImage(png);
        const TPngImage vector = RasteriseEps(eps, rendered);
        ASSERT_EQ(raster.Width, size.Width);
        ASSERT_EQ(raster.Height, size.Height);
        ASSERT_EQ(vector.Width, size.Width);
        ASSERT_EQ(vector.Height, size.Height);

        const double scaleX = static_cast<double>(size.Width) / TestCardWidth;
        const double scaleY = static_cast<double>(size.Height) / TestCardHeight;
        const int tilesX = (size.Width + TileSize - 1) / TileSize;
        const int tilesY = (size.Height + TileSize - 1) / TileSize;
        std::vector<TTally> tiles(static_cast<std::size_t>(tilesX) * tilesY);
        TTally whole;
        for (int y = 0; y < size.Height; ++y) {
            for (int x = 0; x < size.Width; ++x) {
                if (RasterOnly(x, y, scaleX, scaleY)) {
                    continue;
                }
                const bool differs = ChannelDifference(raster.At(x, y), vector.At(x, y)) > DifferenceLimit;
                TTally& tile = tiles[static_cast<std::size_t>(y / TileSize) * tilesX + x / TileSize];
                for (TTally* tally : {&whole, &tile}) {
                    ++tally->Compared;
                    tally->Differing += differs;
                }
            }
        }
        const auto worst = std::max_element(tiles.begin(), tiles.end(), [](const TTally& a, const TTally& b) {
            return a.Share() < b.Share();
        });
        const long worstIndex = worst - tiles.begin();
        RecordProperty("DifferingShare" + std::to_string(size.Width), std::to_string(whole.Share()));
        RecordProperty("WorstTileShare" + std::to_string(size.Width), std::to_string(worst->Share()));
        EXPECT_LT(whole.Share(), MaxDifferingShare) << whole.Differing << " of " << whole.Compared
                                                    << " pixels differ by more than " << DifferenceLimit;
        EXPECT_LT(worst->Share(), MaxTileShare)
            << "tile at x " << worstIndex % tilesX * TileSize << ", y " << worstIndex / tilesX * TileSize
            << ": " << worst->Differing << " of " << worst->Compared << " pixels differ by more than "
            << DifferenceLimit;
    }
}

} // namespace
