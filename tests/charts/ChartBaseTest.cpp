#include "charts/ChrActivity.h"
#include "charts/ChrActogram.h"
#include "charts/RecordingTarget.h"
#include "charts/TestDataset.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A chart that only counts its drawings and what "StopAt" was then.
class TCountingChart : public TActivityChart {
public:
    bool CanDraw() const override { return true; }
    void UpdateTitle() override { Title = "auto"; }
    void UpdateDescription() override {}
    void Draw(TRenderTarget&) override { StopAtWhenDrawn.push_back(Text("StopAt")); }
    std::vector<std::string> StopAtWhenDrawn;
};

class ChartBase : public ::testing::Test {
protected:
    void SetUp() override { Chart.AttachImage(&Image); }
    TManualTimer& Timer() { return dynamic_cast<TManualTimer&>(*Chart.CompletionTimer); }

    TOffscreenImage Image;
    TCountingChart Chart;
};

TEST_F(ChartBase, UnchangedValuesAreTrimmedAndDrawNothing) {
    Chart.ApplySettings(R"({"Axes.FontSize":12})");
    EXPECT_TRUE(Chart.StopAtWhenDrawn.empty());
    Chart.ApplySettings(R"({"Axes":{"FontSize":12,"FontName":"Arial"}})");
    EXPECT_TRUE(Chart.StopAtWhenDrawn.empty());
    Chart.ApplySettings(R"({"Axes.FontSize":14})");
    EXPECT_EQ(Chart.StopAtWhenDrawn, (std::vector<std::string>{"None"}));
    EXPECT_EQ(Chart.Integer("Axes.FontSize"), 14);
    EXPECT_EQ(Chart.Title, "auto");
}

TEST_F(ChartBase, PartialChangeIsCompletedByTheTimer) {
    Chart.ApplySettings(R"({"Axes.FontSize":15,"StopAt":"Axes"})");
    EXPECT_EQ(Chart.StopAtWhenDrawn, (std::vector<std::string>{"Axes"}));
    EXPECT_TRUE(Timer().IsActive());
    EXPECT_EQ(Timer().Interval(), 1000);
    // Another partial change restarts the timer; the repeated "StopAt" itself is trimmed.
    Chart.ApplySettings(R"({"Axes.FontSize":16,"StopAt":"Axes"})");
    EXPECT_EQ(Timer().Starts, 2);
    EXPECT_TRUE(Timer().Fire());
    EXPECT_FALSE(Timer().IsActive());
    EXPECT_EQ(Chart.StopAtWhenDrawn, (std::vector<std::string>{"Axes", "Axes", "None"}));
}

TEST_F(ChartBase, CanvasSizeResizesPictureAndBitmap) {
    EXPECT_EQ(Chart.Bitmap.GetWidth(), 600);
    EXPECT_EQ(Image.Height(), 500);
    Chart.ApplySettings(R"({"Canvas.Width":320,"Canvas.Height":200})");
    EXPECT_EQ(Chart.Bitmap.GetWidth(), 320);
    EXPECT_EQ(Chart.Bitmap.GetHeight(), 200);
    EXPECT_EQ(Image.Width(), 320);
    EXPECT_EQ(Chart.PictureHeight(), 200);
}

TEST_F(ChartBase, ExportSettingsWritesJsonLiterals) {
    Chart.MergeSettings(R"("Legend.Visible":true,"Legend.Hidden":false,"Data.Latitude":null,)"
                        R"("Data.Intervals":[{"Position":"R"}],"Legend.Width":"25%","Data.Scale":2.5)");
    struct TCase {
        std::string Keys;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"Canvas.Width;Canvas.Height", R"({"Generic":{"Canvas":{"Width":600,"Height":500}}})"},
        {"Legend.Visible;Legend.Hidden;Data.Latitude",
         R"({"Generic":{"Legend":{"Visible":true,"Hidden":false},"Data":{"Latitude":null}}})"},
        {"Data.Intervals;Legend.Width;Data.Scale;No.Such.Key",
         R"({"Generic":{"Data":{"Intervals":[{"Position":"R"}],"Scale":2.5},"Legend":{"Width":"25%"}}})"},
        {"", R"({"Generic":{}})"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Chart.ExportSettings(c.Keys), c.Expected) << c.Keys;
    }
}

TEST(ChartBaseAxes, TitlesAreCentredOnTheirSpans) {
    TCountingChart chart;
    TRecordingTarget target;
    chart.MergeSettings(R"("AxisLeft.Visible":true,"AxisBottom.Visible":true,"AxisRight.Visible":false,)"
                        R"("Axes.Left.Label":"Date","Axes.Bottom.Label":"Time","Axes.Right.Label":"Hidden")");
    TRect inner;
    chart.DrawAxisTitles(target, TRect{0, 0, 600, 500}, inner);
    const int s = 24; // 1.5 × the title font size 16
    const auto* left = target.FindText("Date");
    const auto* bottom = target.FindText("Time");
    ASSERT_TRUE(left && bottom);
    EXPECT_DOUBLE_EQ(left->Y, (500 - s) / 2 + 0.5);
    EXPECT_EQ(left->X, 0);
    EXPECT_EQ(left->Angle, -90);
    EXPECT_DOUBLE_EQ(bottom->X, s + (600 - s) / 2 + 0.5);
    EXPECT_EQ(bottom->Y, 500);
    EXPECT_EQ(bottom->AlignY, -1);
    EXPECT_EQ(target.FindText("Hidden"), nullptr);
    EXPECT_EQ(inner.Left, s);
    EXPECT_EQ(inner.Bottom, 500 - s);
    EXPECT_EQ(inner.Right, 600);
    EXPECT_EQ(inner.Top, 0);
}

TEST(ChartBaseAxes, DataAreaWithHiddenAxesAndMargins) {
    struct TCase {
        std::string Settings;
        TRect Expected;
    };
    // Hidden axes keep 10 pixels plus the frame line; a low margin of 10% of the bottom axis moves the left
    // edge only while that axis is visible.
    const std::vector<TCase> cases = {
        {R"("Axes.FrameWidth":2)", {12, 12, 488, 288}},
        {R"("Axes.FrameWidth":1,"Axes.LowMarginX":0.1)", {11, 11, 489, 289}},
    };
    for (const auto& c : cases) {
        TCountingChart chart;
        TRecordingTarget target;
        chart.MergeSettings(c.Settings);
        TRect data;
        chart.DrawAxes(target, TRect{0, 0, 500, 300}, data);
        EXPECT_EQ(data.Left, c.Expected.Left) << c.Settings;
        EXPECT_EQ(data.Top, c.Expected.Top) << c.Settings;
        EXPECT_EQ(data.Right, c.Expected.Right) << c.Settings;
        EXPECT_EQ(data.Bottom, c.Expected.Bottom) << c.Settings;
    }
    TCountingChart chart;
    TRecordingTarget target;
    chart.MergeSettings(R"("AxisBottom.Visible":true,"Axes.FrameWidth":1)");
    TRect plain, withMargin;
    chart.DrawAxes(target, TRect{0, 0, 500, 300}, plain);
    chart.MergeSettings(R"("Axes.LowMarginX":0.1)");
    chart.DrawAxes(target, TRect{0, 0, 500, 300}, withMargin);
    EXPECT_EQ(withMargin.Left - plain.Left, std::lround(0.1 * chart.Axes[AxisBottom].Length));
    EXPECT_EQ(chart.VisibleAxes, (std::array<bool, 4>{true, false, false, false}));
}

class ChartWithDataset : public ::testing::Test {
protected:
    TTestDataset Data{EncodeDate(2011, 5, 1), 10, 300, [](int, int) { return 10; }};
};

TEST_F(ChartWithDataset, SetDatasetLinksAndSelectsTheWholePeriod) {
    TActogram chart;
    chart.SetDataset(Data.Dataset);
    EXPECT_EQ(Data.Dataset->LinkedChartCount(), 1);
    EXPECT_EQ(chart.Integer("Data.Dataset"), DatasetIdentity(Data.Dataset));
    EXPECT_EQ(chart.Integer("Data.StartDate"), EncodeDate(2011, 5, 1) - DateOf2000);
    EXPECT_EQ(chart.Integer("Data.EndDate"), EncodeDate(2011, 5, 11) - DateOf2000);
    EXPECT_EQ(chart.Integer("Data.RangeIndex"), -1);
    TTestDataset other(EncodeDate(2012, 1, 1), 2, 300, [](int, int) { return 1; });
    chart.SetDataset(other.Dataset);
    EXPECT_EQ(Data.Dataset->LinkedChartCount(), 0);
    EXPECT_EQ(other.Dataset->LinkedChartCount(), 1);
    // A dataset that does not list the chart refuses to let it go.
    other.Dataset->Charts.clear();
    try {
        chart.SetDataset(Data.Dataset);
        ADD_FAILURE() << "no error";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Dataset link does not exist.");
    }
    chart.Dataset = nullptr;
}

TEST_F(ChartWithDataset, SelectRangeAndSetDateRange) {
    TActogram chart;
    chart.SetDataset(Data.Dataset);
    chart.TActivityChart::SelectRange(-1);
    EXPECT_DOUBLE_EQ(chart.StartDate, Data.Dataset->FirstTime);
    EXPECT_DOUBLE_EQ(chart.EndDate, Data.Dataset->LastTime);
    chart.MergeSettings(R"("Data.UTCDelta":2)");
    chart.TActivityChart::SelectRange(-1);
    EXPECT_DOUBLE_EQ(chart.StartDate, Data.Dataset->FirstTime + 2.0 / 24);
    EXPECT_DOUBLE_EQ(chart.EndDate, Data.Dataset->LastTime + 2.0 / 24);

    chart.TActivityChart::SetDateRange(EncodeDate(2011, 5, 5), EncodeDate(2011, 4, 20));
    EXPECT_DOUBLE_EQ(chart.StartDate, Data.Dataset->FirstTime);
    EXPECT_DOUBLE_EQ(chart.EndDate, EncodeDate(2011, 5, 6));
    EXPECT_EQ(chart.Integer("Data.StartDate"), EncodeDate(2011, 5, 1) - DateOf2000);
    EXPECT_EQ(chart.Integer("Data.EndDate"), EncodeDate(2011, 5, 5) - DateOf2000);
}

TEST_F(ChartWithDataset, SavedSettingsNameTheDatasetByID) {
    TActogram chart;
    chart.SetDataset(Data.Dataset);
    chart.ApplySettings(R"({"Data.Channel":1,"Data.DaysPerLine":2})");
    const std::string saved = chart.SaveSettingsText();
    EXPECT_NE(saved.find("\"Dataset\":\"" + Data.Dataset->ID() + "\""), std::string::npos) << saved;

    TOffscreenImage image;
    TActogram restored;
    restored.AttachImage(&image);
    restored.RestoreSettingsText(saved);
    EXPECT_EQ(restored.Dataset, Data.Dataset);
    EXPECT_EQ(restored.Integer("Data.DaysPerLine"), 2);
    EXPECT_GT(image.Repaints, 0);

    TOffscreenImage lostImage;
    TActogram lost;
    lost.AttachImage(&lostImage);
    std::string unknown = saved;
    unknown.replace(unknown.find(Data.Dataset->ID()), Data.Dataset->ID().size(), "NoSuchID");
    EXPECT_THROW(lost.RestoreSettingsText(unknown), TChartSettingsError);
    EXPECT_EQ(lost.Dataset, nullptr);
    EXPECT_EQ(lostImage.Repaints, 0);
}

TEST_F(ChartWithDataset, TitlesAndDescriptions) {
    TActogram chart;
    EXPECT_EQ(chart.Title, "");
    chart.SetDataset(Data.Dataset);
    chart.ApplySettings(R"({"Data.Channel":0,"Data.StartDate":4138,"Data.EndDate":4140})");
    EXPECT_EQ(chart.Title, "Test fox, 01.05.2011 \u2013 03.05.2011");
    chart.SetTitle("My fox");
    chart.ApplySettings(R"({"Data.DaysPerLine":2})");
    EXPECT_EQ(chart.Title, "My fox");
    chart.SetTitle("(auto)");
    EXPECT_EQ(chart.Title, "Test fox, 01.05.2011 \u2013 03.05.2011");
    chart.UpdateDescription();
    EXPECT_EQ(chart.Description, ChannelLongNames[1 * ChannelCount + 0]);
    TActogram none;
    none.UpdateDescription();
    EXPECT_EQ(none.Description, "(no description)");
}

} // namespace
