// What every target shares: outline filling, shape geometry and text placement.

#include "render/RenderTargets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

// Records the path operations DrawOutline emits, one text per call.
class TPathRecorder : public TRenderTarget {
public:
    std::vector<std::string> Calls;

    void MoveTo(double x, double y) override { Record("m", {x, y}); }
    void LineTo(double x, double y) override { Record("l", {x, y}); }
    void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
        Record("c", {x1, y1, x2, y2, x3, y3});
    }
    void NewPath() override { Calls.push_back("np"); }
    void ClosePath() override { Calls.push_back("cp"); }
    void FillPath() override { Calls.push_back("fill"); }

    void DrawShape(std::uint8_t, std::uint8_t, const std::vector<double>&) override {}
    bool Attach(TBitmap&) override { return false; }
    bool Init(int, int) override { return false; }
    bool InitForBitmap(const TBitmap&, int, int) override { return false; }
    bool InitSized(int, int, int, int) override { return false; }
    void Reserved1() override {}
    void Translate(double, double) override {}
    void Rotate(double) override {}
    void Scale(double, double) override {}
    void SaveState() override {}
    void RestoreState() override {}
    void SetFillColorRGBA(double, double, double, double) override {}
    void SetFillColor(std::uint32_t) override {}
    void SetStrokeColorRGBA(double, double, double, double) override {}
    void SetStrokeColor(std::uint32_t) override {}
    void SetLineWidth(double) override {}
    void SetLineCap(std::uint8_t) override {}
    void SetLineJoin(std::uint8_t) override {}
    void FillPathWith(double, double, double, double) override {}
    void Reserved2() override {}
    void Clear(double, double, double, double) override {}
    void DrawText(const std::string&, double, double, double, double, double) override {}
    void StrokePath() override {}
    void Line(double, double, double, double) override {}
    void Rectangle(std::uint8_t, double, double, double, double) override {}
    void Circle(std::uint8_t, double, double, double) override {}
    void Ellipse(std::uint8_t, double, double, double, double, double) override {}
    void Arc(std::uint8_t, double, double, double, double, double) override {}
    void Star(int, std::uint8_t, double, double, double, double, double) override {}
    void Polygon(int, std::uint8_t, double, double, double, double) override {}
    void BeginViewport(double, double, double, double) override {}
    void EndViewport() override {}
    double TextWidth(const std::string&) override { return 0; }

private:
    void Record(const std::string& name, const std::vector<double>& values) {
        std::ostringstream text;
        text << name;
        for (double value : values) {
            // Rounded to 1e-6 so that thirds compare as text.
            text << ' ' << std::round(value * 1e6) / 1e6;
        }
        Calls.push_back(text.str());
    }
};

TFontShape Shape(TCurvePoint start, std::vector<TFontCurve> curves) {
    return {start, std::move(curves)};
}

TEST(DrawOutlineTest, EmitsOnePathOfClosedContoursAndFillsItOnce) {
    struct TCase {
        std::string Name;
        std::vector<TFontShape> Shapes;
        std::vector<std::string> Calls;
    };
    const std::vector<TCase> cases = {
        {"nothing", {}, {"np", "fill"}},
        {"lines",
         {Shape({0, 0}, {{CurveLines, {{3, 0}, {3, 3}}}})},
         {"np", "m 0 0", "l 3 0", "l 3 3", "cp", "fill"}},
        // Two points: one cubic whose controls lie two thirds of the way to the quadratic control.
        {"quadratic of two points",
         {Shape({0, 0}, {{CurveQuadratic, {{3, 3}, {6, 0}}}})},
         {"np", "m 0 0", "c 2 2 4 2 6 0", "cp", "fill"}},
        // Three points: the first segment ends on the midpoint of the two controls.
        {"quadratic of three points",
         {Shape({0, 0}, {{CurveQuadratic, {{0, 6}, {6, 6}, {6, 0}}}})},
         {"np", "m 0 0", "c 0 4 1 6 3 6", "c 5 6 6 4 6 0", "cp", "fill"}},
        // A run continues from where the previous one ended.
        {"line then quadratic",
         {Shape({0, 0}, {{CurveLines, {{3, 0}}}, {CurveQuadratic, {{6, 0}, {6, 3}}}})},
         {"np", "m 0 0", "l 3 0", "c 5 0 6 1 6 3", "cp", "fill"}},
        {"cubic",
         {Shape({0, 0}, {{CurveCubic, {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}}})},
         {"np", "m 0 0", "c 1 2 3 4 5 6", "c 7 8 9 10 11 12", "cp", "fill"}},
        {"two contours",
         {Shape({0, 0}, {{CurveLines, {{1, 0}}}}), Shape({5, 5}, {{CurveLines, {{6, 5}}}})},
         {"np", "m 0 0", "l 1 0", "cp", "m 5 5", "l 6 5", "cp", "fill"}},
    };
    for (const TCase& c : cases) {
        TPathRecorder target;
        TGlyphOutline outline;
        outline.Shapes = c.Shapes;
        target.DrawOutline(outline);
        EXPECT_EQ(target.Calls, c.Calls) << c.Name;
    }
}

double AngleOf(const TCurvePoint& point, double x, double y) {
    double degrees = std::atan2(point.Y - y, point.X - x) * 180 / Pi;
    return degrees < -1e-9 ? degrees + 360 : std::abs(degrees);
}

TEST(ShapeGeometryTest, StarAlternatesBetweenItsRadii) {
    // N = 4, R2 = R1 / 2, start 45 degrees: the tips (R1) lie on the half steps 90, 180, 270, 0.
    const std::vector<TCurvePoint> vertices = StarVertices(50, 40, 20, 10, DegreesToRadians(45), 4);
    ASSERT_EQ(vertices.size(), 9u);
    const std::vector<double> expectedAngles = {45, 90, 135, 180, 225, 270, 315, 0, 45};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        EXPECT_NEAR(AngleOf(vertices[i], 50, 40), expectedAngles[i], 1e-9) << i;
        EXPECT_NEAR(std::hypot(vertices[i].X - 50, vertices[i].Y - 40), i % 2 ? 20 : 10, 1e-9) << i;
    }
    // The 270-degree tip is the top one: y grows downwards.
    EXPECT_NEAR(vertices[5].X, 50, 1e-9);
    EXPECT_NEAR(vertices[5].Y, 20, 1e-9);
}

TEST(ShapeGeometryTest, PolygonCornersStartAtTheStartAngle) {
    const std::vector<TCurvePoint> corners = PolygonVertices(10, 10, 5, DegreesToRadians(30), 3);
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_NEAR(AngleOf(corners[0], 10, 10), 30, 1e-9);
    EXPECT_NEAR(AngleOf(corners[1], 10, 10), 150, 1e-9);
    EXPECT_NEAR(AngleOf(corners[2], 10, 10), 270, 1e-9);
    EXPECT_NEAR(corners[2].Y, 5, 1e-9); // the top corner
}

TEST(TextPlacementTest, AlignmentsMoveTheBaselineOrigin) {
    struct TCase {
        double AlignX;
        double AlignY;
        double Dx;
        double Dy;
    };
    // Width 40, ascent 9, descent 3; y downwards.
    const std::vector<TCase> cases = {
        {0, 0, 0, 0},       {0.5, 0, -20, 0},   {1, 0, -40, 0}, {0.5, 1, -20, 9}, // hangs below the anchor
        {0.5, -1, -20, -3}, // stands above it on its descent line
        {0, 0.5, 0, 4.5},   {0, -0.5, 0, -1.5},
    };
    for (const TCase& c : cases) {
        const TCurvePoint offset = TextAnchorOffset(40, 9, 3, c.AlignX, c.AlignY);
        EXPECT_DOUBLE_EQ(offset.X, c.Dx) << c.AlignX << ", " << c.AlignY;
        EXPECT_DOUBLE_EQ(offset.Y, c.Dy) << c.AlignX << ", " << c.AlignY;
    }
}

TEST(RenderTargetTest, StartsWithArialTwelveAndStoresTheFont) {
    TPathRecorder target;
    EXPECT_EQ(target.FontName, "Arial");
    EXPECT_EQ(target.FontSize, 12);
    EXPECT_FALSE(target.FontBold);
    EXPECT_FALSE(target.FontItalic);
    target.SetFont("Times New Roman", true, true, 9.5);
    EXPECT_EQ(target.FontName, "Times New Roman");
    EXPECT_EQ(target.FontSize, 9.5);
    EXPECT_TRUE(target.FontBold);
    EXPECT_TRUE(target.FontItalic);
}

} // namespace
