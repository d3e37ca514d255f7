#include "charts/Axis.h"
#include "charts/RecordingTarget.h"
#include "data/DateTimeFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180;

// R = Length - 3 pixels of room; DistanceH chosen so that `fit` labels of `labelWidth` pixels fit.
void MakeRoomFor(TAxis& axis, double fit, int labelWidth) {
    axis.DistanceH = (axis.Length - 3) / (fit * labelWidth);
}

std::vector<std::string> Texts(const TAxis& axis, bool majorOnly = false) {
    std::vector<std::string> texts;
    for (const TAxisLabel& label : axis.Labels) {
        if (!majorOnly || label.Major) {
            texts.push_back(label.Text);
        }
    }
    return texts;
}

class AxisTest : public ::testing::Test {
protected:
    TRecordingTarget Target;
    TAxis Axis;
    void SetUp() override { Axis.SetTarget(&Target); }
};

TEST_F(AxisTest, RealAxisStepsByNiceNumbers) {
    Axis.DataFormat = "f";
    Axis.Start = 0;
    Axis.End = 100;
    MakeRoomFor(Axis, 6, 21); // "100" is the widest label
    Axis.UpdateTicks();
    EXPECT_NEAR(Axis.MaxLabels, 6, 1e-9);
    EXPECT_EQ(Texts(Axis), (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(Axis.Decimals, -1);
    EXPECT_DOUBLE_EQ(Axis.Labels[1].LabelPos, 0.2);
    EXPECT_EQ(Axis.LabelWidth, 21);
}

TEST_F(AxisTest, TimeOfDayAxisTakesTheCoarsestStepThatFits) {
    Axis.SetType(AxisTimeOfDay);
    Axis.DataFormat = "HH:mm";
    Axis.End = 1;
    MakeRoomFor(Axis, 9, 35); // three-hour steps give 8 ticks, two-hour steps 12
    Axis.UpdateTicks();
    EXPECT_EQ(Texts(Axis), (std::vector<std::string>{"00:00", "03:00", "06:00", "09:00", "12:00", "15:00",
                                                     "18:00", "21:00", "00:00"}));
    EXPECT_DOUBLE_EQ(Axis.Labels.back().LabelPos, 1);
}

TEST_F(AxisTest, LongDateAxisLabelsEverySecondMonth) {
    Axis.SetType(AxisDate);
    Axis.DataFormat = "DD.MM.YY";
    Axis.Start = EncodeDate(2011, 1, 15);
    Axis.End = Axis.Start + 400;
    MakeRoomFor(Axis, 10, 56);
    Axis.UpdateTicks();
    // A tick on every first of a month, every second one labelled.
    ASSERT_EQ(Axis.LabelCount(), 13);
    EXPECT_EQ(Axis.Labels[0].Text, "01.02.11");
    EXPECT_TRUE(Axis.Labels[0].Major);
    EXPECT_EQ(Axis.Labels[1].Text, "01.03.11");
    EXPECT_FALSE(Axis.Labels[1].Major);
    EXPECT_TRUE(Axis.Labels[2].Major);
    EXPECT_EQ(Axis.Labels.back().Text, "01.02.12");
}

TEST_F(AxisTest, DenseDateAxisChangesToYears) {
    Axis.SetType(AxisDate);
    Axis.DataFormat = "YYYY";
    Axis.Start = EncodeDate(2001, 6, 1);
    Axis.End = EncodeDate(2011, 6, 1);
    MakeRoomFor(Axis, 6, 28);
    Axis.UpdateTicks();
    // Ten years in room for six labels: a label on 1 January every two years.
    EXPECT_EQ(Texts(Axis, true), (std::vector<std::string>{"2002", "2004", "2006", "2008", "2010"}));
}

TEST_F(AxisTest, CustomSteps) {
    struct TCase {
        int Type;
        std::string Format;
        double Start, End, Origin;
        std::string Step;
        std::vector<std::string> Expected;
    };
    const double may = EncodeDate(2011, 5, 31);
    const std::vector<TCase> cases = {
        {AxisReal, "f", 0, 100, 10, "25", {"10", "35", "60", "85"}},
        {AxisTimeOfDay, "HH:mm", 0, 1, 0.125, "6h", {"03:00", "09:00", "15:00", "21:00"}},
        {AxisDate, "DD.MM", may, may + 100, may, "1m", {"31.05", "30.06", "31.07", "31.08"}},
        {AxisDate, "DD.MM", may, may + 20, may - 1, "7d", {"06.06", "13.06", "20.06"}},
    };
    for (const auto& c : cases) {
        TAxis axis;
        axis.SetTarget(&Target);
        axis.SetType(c.Type);
        axis.DataFormat = c.Format;
        axis.Start = c.Start;
        axis.End = c.End;
        axis.SetStep(c.Step);
        axis.SetOrigin(c.Origin);
        MakeRoomFor(axis, 5, 42);
        axis.UpdateTicks();
        EXPECT_EQ(Texts(axis, true), c.Expected) << c.Step;
    }
}

TEST(Axis, SetStepAcceptsOnlyUnitsOfTheType) {
    struct TCase {
        int Type;
        std::vector<std::string> Steps; // applied in turn
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {AxisTimeOrDate, {"6H"}, "6h"},    {AxisTimeOrDate, {"6H", "6q"}, "6h"},
        {AxisTimeOrDate, {"-30M"}, "30m"}, {AxisTimeOrDate, {"2d"}, ""},
        {AxisDate, {"3D"}, "3d"},          {AxisDate, {"1y", "2h"}, "1y"},
        {AxisReal, {"2.5"}, "2.5"},        {AxisReal, {"2,5", "abc"}, "2,5"},
        {AxisReal, {"5", ""}, ""},         {AxisDate, {"m"}, ""},
    };
    for (const auto& c : cases) {
        TAxis axis;
        axis.SetType(c.Type);
        for (const std::string& step : c.Steps) {
            axis.SetStep(step);
        }
        EXPECT_EQ(axis.StepText, c.Expected) << c.Steps.back();
    }
}

TEST_F(AxisTest, ReversedAxisMirrorsPositions) {
    Axis.DataFormat = "f";
    Axis.End = 100;
    Axis.SetStep("25");
    Axis.SetOrigin(0);
    Axis.Reversed = true;
    MakeRoomFor(Axis, 5, 21);
    Axis.UpdateTicks();
    ASSERT_EQ(Axis.LabelCount(), 5);
    EXPECT_EQ(Axis.Labels[1].Text, "25");
    EXPECT_DOUBLE_EQ(Axis.Labels[1].LabelPos, 0.75);
}

TEST_F(AxisTest, ValueToPixel) {
    Axis.Start = 10;
    Axis.End = 20;
    Axis.UpdateTicks();
    const double usable = Axis.UsableLength();
    EXPECT_DOUBLE_EQ(usable, 1000 - 1 - 1);
    EXPECT_DOUBLE_EQ(Axis.ValueToPixel(15), usable / 2);
    EXPECT_EQ(Axis.ValueToPixel(9.9), -1);
    EXPECT_EQ(Axis.ValueToPixel(20.1), -1);
    Axis.SetType(4);
    EXPECT_EQ(Axis.ValueToPixel(15), -1);
}

TEST(Axis, TextAngleIsKeptWithinAQuarterTurn) {
    struct TCase {
        double Degrees, Stored;
    };
    for (const TCase c : {TCase{120, -60}, TCase{-120, 60}, TCase{90, 90}, TCase{-90, -90}, TCase{45, 45}}) {
        TAxis axis;
        axis.SetTextAngle(c.Degrees * Degree);
        EXPECT_NEAR(axis.TextAngle, c.Stored * Degree, 1e-12) << c.Degrees;
    }
}

TEST(Axis, MaxLabelCountWithoutRoom) {
    TAxis axis;
    EXPECT_EQ(axis.MaxLabelCount(0.5), 0);
    axis.DistanceH = 0.001;
    EXPECT_EQ(axis.MaxLabelCount(20), 0);
    axis.DistanceH = 1;
    axis.Length = 3;
    EXPECT_EQ(axis.MaxLabelCount(20), 0);
}

TEST_F(AxisTest, MeasuresRoomForLabels) {
    struct TCase {
        int Side;
        double AngleDegrees;
        int Thickness, StartOverhang, EndOverhang;
    };
    // Labels "0" … "100": 21 units wide, 12 high; marks 10 long with labels 1.5 marks away.
    const std::vector<TCase> cases = {
        {AxisBottom, 0, 12 + 15, 11, 11},
        {AxisLeft, 0, 21 + 15, 6, 6},
        {AxisBottom, 90, 21 + 15, 6, 6},
    };
    for (const auto& c : cases) {
        TAxis axis(c.Side);
        axis.SetTarget(&Target);
        axis.DataFormat = "f";
        axis.End = 100;
        axis.SetStep("50");
        axis.SetOrigin(0);
        axis.SetTextAngle(c.AngleDegrees * Degree);
        axis.UpdateTicks();
        EXPECT_EQ(axis.Thickness, c.Thickness) << c.Side << " " << c.AngleDegrees;
        EXPECT_NEAR(axis.StartOverhang, c.StartOverhang, 1) << c.Side << " " << c.AngleDegrees;
        EXPECT_NEAR(axis.EndOverhang, c.EndOverhang, 1) << c.Side << " " << c.AngleDegrees;
    }
    TAxis hidden;
    hidden.SetTarget(&Target);
    hidden.Visible = false;
    hidden.UpdateTicks();
    EXPECT_EQ(hidden.Thickness, 0);
}

TEST_F(AxisTest, DegenerateRangeHasOneLabel) {
    Axis.Start = Axis.End = 5;
    Axis.DataFormat = "f";
    Axis.UpdateTicks();
    ASSERT_EQ(Axis.LabelCount(), 1);
    EXPECT_EQ(Axis.Labels[0].Text, "5");
    EXPECT_TRUE(Axis.Labels[0].Major);
}

TEST_F(AxisTest, CategoryLabelsThinOutToFit) {
    TAxis axis;
    axis.SetTarget(&Target);
    axis.Continuous = false;
    axis.SetType(4);
    axis.DistanceH = 997.0 / (3 * 7);
    axis.SetLabels({"a", "b", "c", "d", "e", "f", "g"});
    // Room for three labels of seven: 7 div 2 is 3, so every second is major.
    std::vector<bool> majors;
    for (const TAxisLabel& label : axis.Labels) {
        majors.push_back(label.Major);
    }
    EXPECT_EQ(majors, (std::vector<bool>{true, false, true, false, true, false, true}));
    EXPECT_DOUBLE_EQ(axis.Labels[0].LabelPos, 0.5 / 7);
    EXPECT_EQ(axis.FormatLabel(0.99), "g");
}

TEST_F(AxisTest, DrawsTicksAndLabelsOutside) {
    TAxis axis(AxisLeft);
    axis.SetTarget(&Target);
    axis.DataFormat = "f";
    axis.End = 100;
    axis.SetStep("50");
    axis.SetOrigin(0);
    axis.Draw(40, 240, 300, 200, 1, 1);
    // The line plus one mark per label, labels 15 units out (left of the axis: negative y after the
    // rotation by -90 degrees) and upright on screen.
    ASSERT_EQ(Target.Texts.size(), 3u);
    EXPECT_EQ(Target.Rects.size(), 4u);
    for (const auto& text : Target.Texts) {
        EXPECT_EQ(text.Y, -15);
        EXPECT_EQ(text.Angle, 90);
        EXPECT_EQ(text.AlignX, 1);
        EXPECT_EQ(text.AlignY, 0.5);
    }
    EXPECT_EQ(Target.Texts[1].Text, "50");
    EXPECT_NEAR(Target.Texts[1].X, 0.5 + 198.0 / 2, 1e-9);
    EXPECT_EQ(Target.OriginX, 0);
    EXPECT_EQ(Target.Rotation, 0);
}

class TFailingFontTarget : public TRecordingTarget {
public:
    void SetFont(const std::string&, bool, bool, double) override { throw std::runtime_error("no font"); }
};

TEST(Axis, RefusedFontNamesItsParameters) {
    TFailingFontTarget target;
    TAxis axis;
    axis.SetTarget(&target);
    axis.Font.Name = "Nowhere";
    axis.Font.Bold = true;
    try {
        axis.UpdateTicks();
        FAIL() << "no error";
    } catch (const TAxisFontError& error) {
        EXPECT_STREQ(error.what(),
                     "SetFont crashed with following parameters:\r\nName: \"Nowhere\",\r\nSize: "
                     "12,\r\nBold: True\r\nItalic: False");
    }
}

} // namespace
