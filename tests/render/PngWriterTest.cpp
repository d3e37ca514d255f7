#include "platform/Bitmap.h"
#include "platform/ScriptedDialogs.h"
#include "render/FileTargets.h"
#include "support/PngImage.h"
#include "render/RTPNGWriter.h"
#include "render/TestCard.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string SaveError = "An error occured, could not save the file.";

bool IsColor(const TRgba& pixel, int r, int g, int b, int tolerance = 40) {
    return std::abs(pixel.R - r) <= tolerance && std::abs(pixel.G - g) <= tolerance &&
           std::abs(pixel.B - b) <= tolerance && pixel.A == 255;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class PngWriterTest : public testing::Test {
protected:
    TTempFolder Folder;
    TScopedScriptedDialogs Dialogs;
};

TEST_F(PngWriterTest, RefusesSizesThatAreNotPositive) {
    struct TCase {
        int Width, Height, OutWidth, OutHeight;
    };
    for (const TCase& c : {TCase{0, 300, 800, 600}, TCase{400, 0, 800, 600}, TCase{400, 300, 0, 600},
                           TCase{400, 300, 800, 0}, TCase{-400, 300, 800, 600}}) {
        TRTPNGWriter writer;
        EXPECT_FALSE(writer.InitSized(c.Width, c.Height, c.OutWidth, c.OutHeight))
            << c.Width << " " << c.Height << " " << c.OutWidth << " " << c.OutHeight;
    }
    TBitmap empty;
    TRTPNGWriter fromBitmap;
    EXPECT_FALSE(fromBitmap.Attach(empty));
    // Nothing was drawn, so nothing is saved and nobody is asked.
    EXPECT_TRUE(Dialogs.FileRequests.empty());
}

TEST_F(PngWriterTest, WritesTheOutputBitmapWhenDestroyed) {
    const std::string path = Folder.File("chart.png");
    Dialogs.SaveFileNames.push_back(path);
    {
        TRTPNGWriter writer;
        ASSERT_TRUE(writer.InitSized(400, 300, 800, 600));
        EXPECT_EQ(writer.ScaleX, 2);
        EXPECT_EQ(writer.ScaleY, 2);
        writer.Clear(1, 1, 1, 1);
        writer.SetFillColor(0x0000FF);
        writer.Rectangle(DrawFill, 10, 20, 30, 40); // pixels 20..80 by 40..120
        // A 10-unit line is 20 pixels long.
        writer.SetLineCap(CapButt);
        writer.SetLineWidth(2);
        writer.NewPath();
        writer.MoveTo(100, 100);
        writer.LineTo(110, 100);
        writer.StrokePath();
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    ASSERT_EQ(Dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(Dialogs.FileRequests[0].Filter, "Portable Network Graphics (*.png)|*.png");
    EXPECT_EQ(Dialogs.FileRequests[0].DefaultExtension, "png");
    EXPECT_TRUE(Dialogs.Messages.empty()) << Dialogs.LastMessage();

    const TPngImage image = ReadPngImage(path);
    ASSERT_EQ(image.Width, 800);
    ASSERT_EQ(image.Height, 600);
    EXPECT_TRUE(IsColor(image.At(20, 40), 255, 0, 0));
    EXPECT_TRUE(IsColor(image.At(79, 119), 255, 0, 0));
    EXPECT_TRUE(IsColor(image.At(80, 119), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(19, 40), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(200, 200), 0, 0, 0));
    EXPECT_TRUE(IsColor(image.At(219, 200), 0, 0, 0));
    EXPECT_TRUE(IsColor(image.At(199, 200), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(220, 200), 255, 255, 255));
    EXPECT_EQ(FilesIn(Folder.Path()), std::vector<std::string>{"chart.png"});
}

TEST_F(PngWriterTest, CancelledDialogWritesNothing) {
    {
        TRTPNGWriter writer;
        ASSERT_TRUE(writer.Init(50, 50));
        writer.Clear(1, 1, 1, 1);
    }
    EXPECT_EQ(Dialogs.FileRequests.size(), 1u);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_TRUE(FilesIn(Folder.Path()).empty());
}

TEST_F(PngWriterTest, FailedSaveIsReportedAndLeavesNoFileBehind) {
    const std::string existing = Folder.File("old.png");
    std::filesystem::create_directory(existing); // rename over a folder fails
    const std::vector<std::string> targets = {Folder.File("missing/chart.png"), existing};
    for (const std::string& target : targets) {
        Dialogs.Messages.clear();
        Dialogs.SaveFileNames.push_back(target);
        {
            TRTPNGWriter writer;
            ASSERT_TRUE(writer.Init(20, 20));
            writer.Clear(1, 1, 1, 1);
        }
        EXPECT_EQ(Dialogs.LastMessage(), SaveError) << target;
    }
    EXPECT_EQ(FilesIn(Folder.Path()), std::vector<std::string>{"old.png"});
    EXPECT_TRUE(std::filesystem::is_directory(existing));
}

TEST_F(PngWriterTest, InitialisersTakeTheirSizesFromTheBitmap) {
    TBitmap chart(300, 200);
    struct TCase {
        std::string Name;
        std::function<bool(TRTPNGWriter&)> Init;
        int Width, Height;
        double ScaleX, ScaleY;
    };
    const std::vector<TCase> cases = {
        {"Attach", [&](TRTPNGWriter& w) { return w.Attach(chart); }, 300, 200, 1, 1},
        {"InitForBitmap", [&](TRTPNGWriter& w) { return w.InitForBitmap(chart, 600, 100); }, 600, 100, 2,
         0.5},
        {"Init", [&](TRTPNGWriter& w) { return w.Init(120, 80); }, 120, 80, 1, 1},
    };
    for (const TCase& c : cases) {
        const std::string path = Folder.File(c.Name + ".png");
        Dialogs.SaveFileNames.push_back(path);
        {
            TRTPNGWriter writer;
            ASSERT_TRUE(c.Init(writer)) << c.Name;
            EXPECT_EQ(writer.ScaleX, c.ScaleX) << c.Name;
            EXPECT_EQ(writer.ScaleY, c.ScaleY) << c.Name;
            writer.Clear(1, 1, 1, 1);
        }
        const TPngImage image = ReadPngImage(path);
        EXPECT_EQ(image.Width, c.Width) << c.Name;
        EXPECT_EQ(image.Height, c.Height) << c.Name;
    }
    EXPECT_EQ(chart.Pixel(0, 0), 0u) << "the writer never draws into the given bitmap";
}

TEST_F(PngWriterTest, ViewportsRenderAtOutputResolution) {
    const std::string path = Folder.File("viewport.png");
    Dialogs.SaveFileNames.push_back(path);
    {
        TRTPNGWriter writer;
        ASSERT_TRUE(writer.InitSized(100, 100, 300, 200));
        writer.Clear(0, 0, 0, 1);
        writer.BeginViewport(10, 20, 20.2, 30);
        writer.Clear(1, 1, 1, 1);
        writer.SetFillColor(0x0000FF);
        writer.Rectangle(DrawFill, 5, 5, 100, 100);
        writer.EndViewport();
    }
    const TPngImage image = ReadPngImage(path);
    // Layer of round(20.2 * 3) = 61 by 60 pixels at (30, 40).
    EXPECT_TRUE(IsColor(image.At(30, 40), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(44, 49), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(45, 50), 255, 0, 0));
    EXPECT_TRUE(IsColor(image.At(90, 99), 255, 0, 0));
    EXPECT_TRUE(IsColor(image.At(91, 99), 0, 0, 0));
    EXPECT_TRUE(IsColor(image.At(90, 100), 0, 0, 0));
    EXPECT_TRUE(IsColor(image.At(29, 40), 0, 0, 0));
}

TEST_F(PngWriterTest, TextIsMeasuredInLogicalUnitsAndDrawnAtOutputSize) {
    TRTPNGWriter writer;
    ASSERT_TRUE(writer.InitSized(400, 300, 800, 600));
    EXPECT_EQ(writer.TextWidth(""), -1);
    writer.SetFont("Arial", false, false, 20);
    EXPECT_EQ(writer.FontSize, 20);
    EXPECT_NEAR(writer.TextWidth("AV"), (1366 * 2 - 152) * 20 / 2048.0, 1e-9);
    // Sizes are rounded up to whole units for the outlines.
    writer.SetFont("Arial", false, false, 19.2);
    EXPECT_NEAR(writer.TextWidth("AV"), (1366 * 2 - 152) * 20 / 2048.0, 1e-9);
}

TEST_F(PngWriterTest, TextOutlinesScaleWithTheOutput) {
    const std::string path = Folder.File("text.png");
    Dialogs.SaveFileNames.push_back(path);
    {
        TRTPNGWriter writer;
        ASSERT_TRUE(writer.InitSized(100, 50, 400, 200));
        writer.Clear(1, 1, 1, 1);
        writer.SetFillColor(0);
        writer.SetFont("Arial", false, false, 20);
        writer.DrawText("", 10, 10, 0, 0, 0);
        writer.DrawText("H", 50, 25, 0.5, 0, 0); // baseline at output row 100, H 13.8 x 11.0 units
    }
    const TPngImage image = ReadPngImage(path);
    int left = image.Width, right = -1, top = image.Height, bottom = -1;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            if (image.At(x, y).R < 128) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    // Ink of H: 1150 x 1409 design units of 2048, times 20 units, times 4 pixels.
    EXPECT_NEAR(right - left, 1150 * 80 / 2048.0, 1.5);
    EXPECT_NEAR(bottom - top, 1409 * 80 / 2048.0, 1.5);
    EXPECT_NEAR((left + right) / 2.0, 200, 1.5);
    EXPECT_NEAR(bottom, 100, 1);
}

TEST_F(PngWriterTest, FileTargetIsChosenByExtension) {
    EXPECT_TRUE(dynamic_cast<TRTPNGWriter*>(CreateFileTarget("card.png").get()));
    EXPECT_TRUE(dynamic_cast<TRTPNGWriter*>(CreateFileTarget("/a/b/CARD.PNG").get()));
    EXPECT_EQ(CreateFileTarget("card.txt"), nullptr);
    EXPECT_EQ(CreateFileTarget("png"), nullptr);
}

TEST_F(PngWriterTest, TestCardFillsItsCanvasAtAnySize) {
    const std::string path = Folder.File("card.png");
    Dialogs.SaveFileNames.push_back(path);
    {
        TRTPNGWriter writer;
        ASSERT_TRUE(writer.InitSized(TestCardWidth, TestCardHeight, 400, 300));
        DrawTestCard(writer);
    }
    ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.LastMessage();
    const TPngImage image = ReadPngImage(path);
    ASSERT_EQ(image.Width, 400);
    ASSERT_EQ(image.Height, 300);
    // The white background, the filled rectangle of the shapes table and the white middle of the
    // additively blended circles.
    EXPECT_TRUE(IsColor(image.At(220, 125), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(50, 35), 230, 80, 60));
    const TTestCardArea& blend = TestCardBlendArea;
    EXPECT_TRUE(
        IsColor(image.At(int((blend.X + blend.W / 2) / 2), int((blend.Y + blend.H / 2) / 2)), 255, 255, 255));
    EXPECT_TRUE(IsColor(image.At(int((blend.X + 4) / 2), int((blend.Y + 4) / 2)), 0, 0, 0));
}

} // namespace
