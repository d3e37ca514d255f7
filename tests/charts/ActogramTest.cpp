#include "analysis/SunTimes.h"
#include "charts/ChrActogram.h"
#include "charts/RecordingTarget.h"
#include "charts/TestDataset.h"
#include "platform/ScriptedDialogs.h"
#include "render/RenderTargets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double May1 = EncodeDate(2011, 5, 1);
const int May1Day = static_cast<int>(May1 - DateOf2000);

// A palette whose entries all differ: entry j is red j, green 255 - j, blue 128.
std::string DistinctPalette() {
    TPalette palette(256);
    for (int j = 0; j < 256; ++j) {
        palette.SetColor(j, MakeColor(j, 255 - j, 128));
    }
    return palette.ToText();
}

// The bitmap pixel as a colour value (red in the lowest byte); the chart is opaque everywhere.
TColor PixelColor(const TBitmap& bitmap, int x, int y) {
    const std::uint32_t argb = bitmap.Pixel(x, y);
    return MakeColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

class ActogramPicture : public ::testing::Test {
protected:
    // Draws an actogram of `data` on the screen target with the given settings.
    void Draw(TTestDataset& data, const std::string& settings) {
        Chart.AttachImage(&Image);
        Chart.ApplySettings("{\"Data.Dataset\":" + std::to_string(DatasetIdentity(data.Dataset)) +
                            ",\"Data.Channel\":0}");
        Chart.ApplySettings(settings);
        Chart.Redraw();
        Plot = Chart.PlotRects[0];
    }
    // The pixel at a fraction of the row's span in row `row`, in its vertical middle.
    TColor Cell(int row, double fraction) const {
        const int x = Plot.Left + static_cast<int>(fraction * Plot.Width());
        const int y = Plot.Top + static_cast<int>((row + 0.5) * Chart.RowHeight);
        return PixelColor(Chart.Bitmap, x, y);
    }

    TOffscreenImage Image;
    TActogram Chart;
    TRect Plot;
};

TEST_F(ActogramPicture, ThresholdsPickPaletteEntries) {
    struct TCase {
        int Lower, Upper, Value;
        int Entry; // -1: background
    };
    const std::vector<TCase> cases = {
        {0, 255, 0, 0},       {0, 255, 200, 200}, {100, 199, 100, 1},
        {100, 199, 199, 254}, {100, 199, 99, -1}, {100, 199, 200, -1},
    };
    const TPalette palette = TPalette::FromPaletteText(DistinctPalette());
    for (const auto& c : cases) {
        TTestDataset data(May1, 3, 300, [&](int, int) { return c.Value; });
        TOffscreenImage image;
        TActogram chart;
        chart.AttachImage(&image);
        chart.ApplySettings(
            "{\"Data.Dataset\":" + std::to_string(DatasetIdentity(data.Dataset)) +
            ",\"Data.Channel\":0,\"Palette\":\"" + DistinctPalette() +
            "\",\"Axes.BackgroundColor\":65280,\"Data.LowerThreshold\":" + std::to_string(c.Lower) +
            ",\"Data.UpperThreshold\":" + std::to_string(c.Upper) + "}");
        const TRect plot = chart.PlotRects[0];
        const TColor pixel =
            PixelColor(chart.Bitmap, (plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2);
        EXPECT_EQ(pixel, c.Entry < 0 ? 0x00FF00u : palette.GetColor(c.Entry)) << c.Lower << " " << c.Value;
    }
}

TEST_F(ActogramPicture, DoublePlotShowsTheNextDayOnTheRight) {
    TTestDataset data(May1, 12, 300, [](int day, int) { return 10 * day; });
    Draw(data, "{\"Palette\":\"" + DistinctPalette() + "\",\"Data.DaysPerLine\":2,\"Data.StartDate\":" +
                   std::to_string(May1Day) + ",\"Data.EndDate\":" + std::to_string(May1Day + 10) + "}");
    const TPalette palette = TPalette::FromPaletteText(DistinctPalette());
    EXPECT_NEAR(Chart.RowHeight, Plot.Height() / 11.0, 1e-9);
    struct TCase {
        int Row;
        double Fraction;
        int Day;
    };
    for (const TCase c :
         {TCase{0, 0.25, 0}, TCase{0, 0.75, 1}, TCase{3, 0.25, 3}, TCase{3, 0.75, 4}, TCase{10, 0.25, 10}}) {
        EXPECT_EQ(Cell(c.Row, c.Fraction), palette.GetColor(10 * c.Day)) << c.Row << " " << c.Fraction;
    }
    // The last row's second day lies after the period: no samples were extracted for it.
    EXPECT_EQ(Cell(10, 0.75), 0xFFFFFFu);
}

TEST_F(ActogramPicture, GapsShowTheBackground) {
    // Day 2 has no samples from 06:00 to 12:00.
    TTestDataset data(May1, 5, 300, [](int day, int second) {
        return day == 2 && second > 6 * 3600 && second <= 12 * 3600 ? -1 : 255;
    });
    Draw(data, R"({"Axes.BackgroundColor":255})");
    EXPECT_EQ(Cell(2, 9.0 / 24), 0x0000FFu);
    EXPECT_EQ(Cell(2, 15.0 / 24), 0x000000u);
    EXPECT_EQ(Cell(1, 9.0 / 24), 0x000000u);
    // The row after the last sample: background too.
    EXPECT_EQ(Cell(5, 0.5), 0x0000FFu);
}

TEST_F(ActogramPicture, LegendBarShowsThePaletteBottomUp) {
    TTestDataset data(May1, 3, 300, [](int, int) { return 0; });
    Draw(data, "{\"Palette\":\"" + DistinctPalette() + "\"}");
    const TPalette palette = TPalette::FromPaletteText(DistinctPalette());
    // Legend 60 wide at the right; its bar from 20% to 80% of the height, 12 pixels in.
    const int barLeft = 600 - 60 + 12;
    EXPECT_EQ(PixelColor(Chart.Bitmap, barLeft + 4, 398), palette.GetColor(0));
    EXPECT_EQ(PixelColor(Chart.Bitmap, barLeft + 4, 101), palette.GetColor(255));
    EXPECT_EQ(PixelColor(Chart.Bitmap, barLeft + 4, 250), palette.GetColor(127));
    EXPECT_EQ(PixelColor(Chart.Bitmap, barLeft, 250), 0u) << "black frame";
    EXPECT_EQ(PixelColor(Chart.Bitmap, barLeft - 2, 250), 0xFFFFFFu);
}

TEST_F(ActogramPicture, SunLineCrossesARowAtItsTime) {
    TTestDataset data(May1, 20, 300, [](int, int) { return 0; }); // white cells (default palette)
    Draw(
        data,
        "{\"Overlay.SunLinesVisible\":true,\"Overlay.SunLinesData\":\"R\",\"Overlay.SunLinesColor\":255,"
        "\"Overlay.SunLinesOpacity\":100,\"Data.Latitude\":51.3,\"Data.Longitude\":9.9,\"Data.UTCDelta\":2}");
    for (const int row : {0, 7, 19}) {
        const double sunrise = SunPositionTime("R", 2, 51.3, 9.9, May1 + row);
        const double expected = Plot.Left + sunrise * Plot.Width();
        const int y = Plot.Top + static_cast<int>((row + 0.5) * Chart.RowHeight);
        int reddest = -1;
        int best = 0;
        for (int x = Plot.Left; x < Plot.Right; ++x) {
            const TColor c = PixelColor(Chart.Bitmap, x, y);
            const int redness = static_cast<int>(c & 0xFF) - static_cast<int>((c >> 8) & 0xFF);
            if (redness > best) {
                best = redness;
                reddest = x;
            }
        }
        ASSERT_GT(best, 100) << "no line in row " << row;
        EXPECT_NEAR(reddest + 0.5, expected, 1.0) << "row " << row;
    }
}

TEST_F(ActogramPicture, FaintDayGridCoversPartOfOnePixelRow) {
    TTestDataset data(May1, 10, 300, [](int, int) { return 0; });
    Draw(data, "{\"Overlay.DayGridVisible\":true,\"Overlay.DayGridData\":\"D\",\"Data.StartDate\":" +
                   std::to_string(May1Day) + ",\"Data.EndDate\":" + std::to_string(May1Day + 9) + "}");
    const int y = Plot.Top + static_cast<int>(std::floor(3 * (Plot.Height() - 1) / 10.0 + 0.5001));
    const int x = Plot.Left + Plot.Width() / 3;
    const int grey = PixelColor(Chart.Bitmap, x, y) & 0xFF;
    EXPECT_NEAR(grey, 255 * 0.7, 6) << "30% of the pixel row";
    EXPECT_EQ(PixelColor(Chart.Bitmap, x, y - 1), 0xFFFFFFu);
    EXPECT_EQ(PixelColor(Chart.Bitmap, x, y + 1), 0xFFFFFFu);
}

class ActogramLayout : public ::testing::Test {
protected:
    ActogramLayout() {
        Chart.ApplySettings("{\"Data.Dataset\":" + std::to_string(DatasetIdentity(Data.Dataset)) +
                            ",\"Data.Channel\":0}");
    }
    TTestDataset Data{May1, 40, 300, [](int, int) { return 100; }};
    TActogram Chart;
    TRecordingTarget Target;
};

TEST_F(ActogramLayout, Defaults) {
    TActogram chart;
    EXPECT_EQ(chart.ChartKind, ChartActogram);
    EXPECT_EQ(chart.KindName, "Actogram");
    EXPECT_EQ(chart.MenuItems, (std::vector<std::string>{"Zoom out", "Reset zoom"}));
    EXPECT_EQ(chart.VisibleAxes, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(chart.Text("Palette"), PaletteList().Text(0));
    EXPECT_FALSE(chart.CanDraw());
    EXPECT_EQ(chart.ExportSettings("Data.DaysPerLine;Legend.Width;Overlay.SunLinesData;Data.Latitude"),
              R"({"Actogram":{"Data":{"DaysPerLine":1,"Latitude":null},"Legend":{"Width":"60"},)"
              R"("Overlay":{"SunLinesData":"R;S"}}})");
    EXPECT_TRUE(Chart.CanDraw());
}

TEST_F(ActogramLayout, StopAtEndsDrawingAfterItsStage) {
    struct TCase {
        std::string StopAt;
        bool Titles, AxisLabels, Data;
    };
    const std::vector<TCase> cases = {
        {"Legend", false, false, false},
        {"Labels", true, false, false},
        {"Axes", true, true, false},
        {"None", true, true, true},
    };
    for (const auto& c : cases) {
        TRecordingTarget target;
        Chart.MergeSettings("\"StopAt\":\"" + c.StopAt + "\"");
        Chart.Draw(target);
        EXPECT_EQ(target.Clears, 1);
        EXPECT_NE(target.FindText("250"), nullptr) << c.StopAt << ": the legend is always drawn";
        EXPECT_EQ(target.FindText("Date") != nullptr, c.Titles) << c.StopAt;
        EXPECT_EQ(target.FindText("12:00") != nullptr, c.AxisLabels) << c.StopAt;
        // Cells are drawn in the data-area viewport, the second one after the legend's.
        EXPECT_EQ(target.ViewportsOpened, c.Data ? 2 : 1) << c.StopAt;
    }
}

TEST_F(ActogramLayout, LegendWidthInPixelsOrPercent) {
    struct TCase {
        std::string Width;
        int Right;
    };
    for (const TCase& c : {TCase{"\"25%\"", 450}, TCase{"\"60\"", 540}, TCase{"80", 520}, TCase{"\"700\"", 0},
                          TCase{"\"0\"", 600}, TCase{"\"-20\"", 600}}) {
        Chart.MergeSettings("\"Legend.Width\":" + c.Width);
        TRect rest;
        Chart.DrawLegend(Target, TRect{0, 0, 600, 500}, rest);
        EXPECT_EQ(rest.Right, c.Right) << c.Width;
    }
    Chart.MergeSettings(R"("Legend.Visible":false)");
    TRect rest;
    Chart.DrawLegend(Target, TRect{0, 0, 600, 500}, rest);
    EXPECT_EQ(rest.Right, 600);
}

TEST_F(ActogramLayout, DragOverRowsZoomsAndZoomOutStepsBack) {
    TOffscreenImage image;
    Chart.AttachImage(&image);
    Chart.ApplySettings("{\"Data.StartDate\":" + std::to_string(May1Day + 10) +
                        ",\"Data.EndDate\":" + std::to_string(May1Day + 19) + "}");
    const TRect plot = Chart.PlotRects[0];
    const auto rowY = [&](int row) { return plot.Top + static_cast<int>((row + 0.5) * Chart.RowHeight); };
    const int x = (plot.Left + plot.Right) / 2;

    // 15 pixels or less: no zoom.
    Chart.MouseDown(TMouseButton::Left, {}, x, rowY(3));
    Chart.MouseUp(TMouseButton::Left, {}, x, rowY(3) + 15);
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day + 10);
    EXPECT_TRUE(Chart.ZoomHistory.empty());

    const TBitmap before = Chart.Bitmap;
    Chart.MouseDown(TMouseButton::Left, {}, x, rowY(3));
    Chart.MouseMove({}, x, rowY(7));
    const int frameTop = plot.Top + static_cast<int>(std::lround(3 * Chart.RowHeight)) - 1;
    const int frameBottom = plot.Top + static_cast<int>(std::lround(8 * Chart.RowHeight)) - 1;
    for (const int y : {frameTop, frameBottom}) {
        const TColor pixel = PixelColor(Chart.Bitmap, x, y);
        EXPECT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << "the frame is drawn on the picture at " << y;
    }
    Chart.MouseUp(TMouseButton::Left, {}, x, rowY(7));
    EXPECT_EQ(PixelColor(Chart.Bitmap, x, frameBottom), PixelColor(before, x, frameBottom)) << "and erased";
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day + 13);
    EXPECT_EQ(Chart.Integer("Data.EndDate"), May1Day + 17);
    ASSERT_EQ(Chart.ZoomHistory.size(), 1u);

    // One entry: zoom out widens by the span on both sides, within the dataset.
    Chart.ZoomOut();
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day + 8);
    EXPECT_EQ(Chart.Integer("Data.EndDate"), May1Day + 22);
    Chart.GetMenuAction("Reset zoom")();
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day + 10);
    EXPECT_EQ(Chart.Integer("Data.EndDate"), May1Day + 19);
    EXPECT_EQ(Chart.ZoomHistory.size(), 1u);
    EXPECT_FALSE(Chart.GetMenuAction("Something else"));
}

TEST_F(ActogramLayout, ZoomOutWithoutHistoryWidensWithinTheDataset) {
    Chart.ApplySettings("{\"Data.StartDate\":" + std::to_string(May1Day + 10) +
                        ",\"Data.EndDate\":" + std::to_string(May1Day + 19) + "}");
    Chart.ZoomOut();
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day);
    EXPECT_EQ(Chart.Integer("Data.EndDate"), May1Day + 29);
    Chart.ZoomOut();
    EXPECT_EQ(Chart.Integer("Data.StartDate"), May1Day);
    EXPECT_EQ(Chart.Integer("Data.EndDate"), May1Day + 39);
}

TEST_F(ActogramLayout, HintAndRowAt) {
    TOffscreenImage image;
    Chart.AttachImage(&image);
    Chart.ApplySettings("{\"Data.StartDate\":" + std::to_string(May1Day) +
                        ",\"Data.EndDate\":" + std::to_string(May1Day + 9) + "}");
    const TRect plot = Chart.PlotRects[0];
    Chart.MouseMove({}, plot.Left + plot.Width() / 2, plot.Top + static_cast<int>(2.5 * Chart.RowHeight));
    EXPECT_EQ(image.Hint, "03.05.11\n12:00|");
    Chart.MouseMove({}, plot.Left - 5, plot.Top);
    EXPECT_EQ(image.Hint, "|");
    EXPECT_EQ(Chart.RowAt(plot.Top - 100), 0);
    EXPECT_EQ(Chart.RowAt(plot.Bottom + 100), 9);
    EXPECT_EQ(Chart.RowAt(plot.Top + static_cast<int>(4.5 * Chart.RowHeight)), 4);
}

TEST_F(ActogramLayout, DayAndHourGridPositions) {
    struct TCase {
        std::string Settings;
        int Height;
        std::vector<double> Lines; // y for the day grid, x for the hour grid (vector target: centred)
    };
    const std::vector<TCase> cases = {
        // "D" needs three pixels a row: 200 rows in 500 pixels draw nothing, 100 rows draw 99 lines.
        {R"("Overlay.DayGridData":"D","Axes.StartDate":0,"Axes.EndDate":199)", 500, {}},
        {R"("Overlay.DayGridData":"D","Axes.StartDate":0,"Axes.EndDate":1)", 500, {250 - 0.15}},
        // "M": the first of March is the first day and gets no line.
        {R"("Overlay.DayGridData":"M","Axes.StartDate":4077,"Axes.EndDate":4107)", 310, {}},
        {R"("Overlay.DayGridData":"M","Axes.StartDate":4077,"Axes.EndDate":4109)", 330, {310 - 0.15}},
        {R"("Overlay.DayGridData":"40634;40636","Axes.StartDate":4107,"Axes.EndDate":4116)",
         100,
         {10 - 0.15, 30 - 0.15}},
    };
    for (const auto& c : cases) {
        TRecordingTarget target;
        Chart.MergeSettings(c.Settings);
        Chart.DrawDayGrid(target, TRect{0, 0, 400, c.Height});
        std::vector<double> ys;
        for (const auto& r : target.Rects) {
            ys.push_back(r.Y);
            EXPECT_DOUBLE_EQ(r.H, 0.3);
        }
        if (c.Settings.find("199") != std::string::npos) {
            EXPECT_TRUE(ys.empty());
        } else {
            ASSERT_EQ(ys.size(), c.Lines.size()) << c.Settings;
            for (std::size_t i = 0; i < ys.size(); ++i) {
                EXPECT_NEAR(ys[i], c.Lines[i], 1e-9) << c.Settings;
            }
        }
    }
    Chart.MergeSettings(R"("Overlay.DayGridData":"D","Axes.StartDate":0,"Axes.EndDate":99)");
    TRecordingTarget hundred;
    Chart.DrawDayGrid(hundred, TRect{0, 0, 400, 500});
    EXPECT_EQ(hundred.Rects.size(), 99u);

    struct THourCase {
        std::string Data;
        double DaysPerLine;
        std::vector<double> Hours;
    };
    const std::vector<THourCase> hourCases = {
        {"R6", 2, {6, 12, 18, 24, 30, 36, 42}},
        {"R3", 1, {3, 6, 9, 12, 15, 18, 21}},
        {"3600;46800", 2, {1, 13, 25, 37}},
        {"R", 1, {}},
        {"", 1, {}},
    };
    for (const auto& c : hourCases) {
        TRecordingTarget target;
        Chart.MergeSettings("\"Overlay.HourGridData\":\"" + c.Data +
                            "\",\"Data.DaysPerLine\":" + std::to_string(c.DaysPerLine));
        Chart.DrawHourGrid(target, TRect{0, 0, 480, 300});
        ASSERT_EQ(target.Rects.size(), c.Hours.size()) << c.Data;
        for (std::size_t i = 0; i < c.Hours.size(); ++i) {
            EXPECT_NEAR(target.Rects[i].X, c.Hours[i] / (24 * c.DaysPerLine) * 480 - 0.15, 1e-9) << c.Data;
        }
    }
}

// All points of the sun lines' strokes.
std::vector<std::vector<double>> StrokePoints(const TRecordingTarget& target) {
    std::vector<std::vector<double>> points;
    for (const auto& stroke : target.Strokes) {
        points.insert(points.end(), stroke.begin(), stroke.end());
    }
    return points;
}

TEST_F(ActogramLayout, SunLinePastMidnightLeavesRightAndReentersLeft) {
    // Solar noon moves from after to before 12:00 UTC in mid April: twelve hours later crosses midnight.
    Chart.MergeSettings(R"("Overlay.SunLinesData":"D+720m","Data.Latitude":0,"Data.Longitude":0,)"
                        R"("Data.UTCDelta":0,"Axes.StartDate":4117,"Axes.EndDate":4126)");
    Chart.DrawSunLines(Target, TRect{0, 0, 400, 100});
    ASSERT_GE(Target.Strokes.size(), 2u);
    const auto points = StrokePoints(Target);
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](const auto& p) { return p[0] > 400; }));
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](const auto& p) { return p[0] < 0; }));
    EXPECT_DOUBLE_EQ(Target.LineWidth, 0.5);
}

TEST_F(ActogramLayout, PolarDaysInterruptTheSunriseLine) {
    // At 70 degrees north the sun does not set from mid May: after the last sunrise the line bends to
    // solar midnight for one day and then stops.
    Chart.MergeSettings(R"("Overlay.SunLinesData":"R","Data.Latitude":70,"Data.Longitude":20,)"
                        R"("Data.UTCDelta":1,"Axes.StartDate":4138,"Axes.EndDate":4167)");
    Chart.DrawSunLines(Target, TRect{0, 0, 400, 300});
    int regularDays = 0;
    for (int day = 0; day < 30; ++day) {
        regularDays += !IsSunMarker(SunPositionTime("R", 1, 70, 20, May1 + day));
    }
    ASSERT_GT(regularDays, 5);
    ASSERT_LT(regularDays, 25);
    const auto points = StrokePoints(Target);
    ASSERT_FALSE(points.empty());
    const double lowest = std::max_element(points.begin(), points.end(), [](const auto& a, const auto& b) {
                              return a[1] < b[1];
                          })->at(1);
    // Row height 10: the line ends in the row after the last regular sunrise.
    EXPECT_NEAR(lowest, (regularDays + 0.5) * 10, 1e-9);
}

TEST_F(ActogramLayout, MalformedSunCodeIsReportedAndSkipped) {
    TScopedScriptedDialogs dialogs;
    Chart.MergeSettings(R"("Overlay.SunLinesData":"Rm;S","Data.Latitude":51,"Data.Longitude":10,)"
                        R"("Axes.StartDate":4138,"Axes.EndDate":4147)");
    Chart.DrawSunLines(Target, TRect{0, 0, 400, 100});
    EXPECT_EQ(Target.Strokes.size(), 1u) << "the sunset line is still drawn";
    EXPECT_NE(dialogs.LastMessage().find("Rm"), std::string::npos);
}

} // namespace

namespace {

// The largest channel difference between two pictures, and how many pixels differ at all.
std::pair<int, int> Compare(const TBitmap& a, const TBitmap& b) {
    int largest = 0, differing = 0;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            const std::uint32_t p = a.Pixel(x, y), q = b.Pixel(x, y);
            int difference = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                difference = std::max(difference, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                                           static_cast<int>((q >> shift) & 0xFF)));
            }
            largest = std::max(largest, difference);
            differing += difference > 0;
        }
    }
    return {largest, differing};
}

TEST(ActogramBatching, BatchedCellsGiveThePictureOfOneFillPerRun) {
    // Noisy values so that nearly every cell is a run of its own, a gap, and thresholds that send some
    // values to the background.
    std::uint32_t random = 7;
    TTestDataset data(EncodeDate(2011, 1, 1), 200, 300, [&random](int day, int second) {
        random = random * 1664525u + 1013904223u;
        return day == 20 && second < 40000 ? -1 : static_cast<int>(random >> 24);
    });
    // 200 rows of 1.6 pixels; 20 rows of 16 pixels; two days per row in 300 pixels: cells below a pixel.
    for (const std::string& settings :
         {std::string(R"({"Data.LowerThreshold":20,"Data.UpperThreshold":230})"),
          std::string(R"({"Data.StartDate":4018,"Data.EndDate":4037,"Axes.BackgroundColor":255})"),
          std::string(R"({"Data.DaysPerLine":2,"Canvas.Width":400})")}) {
        TBitmap pictures[2];
        for (const bool batch : {true, false}) {
            TOffscreenImage image;
            TActogram chart;
            chart.BatchRasterCells = batch;
            chart.AttachImage(&image);
            chart.ApplySettings("{\"Data.Dataset\":" + std::to_string(DatasetIdentity(data.Dataset)) +
                                ",\"Data.Channel\":0}");
            chart.ApplySettings(settings);
            pictures[batch] = chart.Bitmap;
        }
        const auto [largest, differing] = Compare(pictures[0], pictures[1]);
        // Each additive fill rounds its contribution to whole levels; summed on the grid they are exact, so
        // pixels covered by several cells may differ by a few levels.
        EXPECT_LE(largest, 6) << settings;
        EXPECT_LT(differing, pictures[0].GetWidth() * pictures[0].GetHeight() / 4) << settings;
    }
}

} // namespace

namespace {

TEST(ActogramSettings, OutOfRangeValuesDrawWithoutFailing) {
    TTestDataset data(EncodeDate(2011, 5, 1), 3, 300, [](int, int) { return 50; });
    for (const std::string& settings :
         {std::string(R"({"Legend.Width":"700"})"), std::string(R"({"Legend.Width":"150%"})"),
          std::string(R"({"Axes.CustomDates":true,"Axes.StartDate":4140,"Axes.EndDate":4138})"),
          std::string(R"({"Data.DaysPerLine":0})"),
          std::string(R"({"Data.LowerThreshold":200,"Data.UpperThreshold":100})")}) {
        TOffscreenImage image;
        TActogram chart;
        chart.AttachImage(&image);
        chart.ApplySettings("{\"Data.Dataset\":" + std::to_string(DatasetIdentity(data.Dataset)) +
                            ",\"Data.Channel\":0}");
        EXPECT_NO_THROW(chart.ApplySettings(settings)) << settings;
    }
}

} // namespace
