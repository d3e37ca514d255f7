#include "platform/Bitmap.h"
#include "render/RTAGG.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace {

struct TColor8 {
    int R, G, B, A;
};

constexpr TColor8 White{255, 255, 255, 255};
constexpr TColor8 Black{0, 0, 0, 255};
constexpr TColor8 Red{255, 0, 0, 255};
constexpr TColor8 Green{0, 255, 0, 255};
constexpr TColor8 Blue{0, 0, 255, 255};
constexpr TColor8 Yellow{255, 255, 0, 255};

std::ostream& operator<<(std::ostream& out, const TColor8& c) {
    return out << "(" << c.R << ", " << c.G << ", " << c.B << ", " << c.A << ")";
}

// The pixel with straight alpha.
TColor8 PixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint32_t pixel = bitmap.Pixel(x, y);
    const int alpha = pixel >> 24;
    const auto channel = [&](int shift) {
        const int premultiplied = (pixel >> shift) & 0xFF;
        return alpha == 0 ? 0 : (premultiplied * 255 + alpha / 2) / alpha;
    };
    return {channel(16), channel(8), channel(0), alpha};
}

bool Near(const TColor8& a, const TColor8& b, int tolerance = 40) {
    return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance &&
           std::abs(a.B - b.B) <= tolerance && std::abs(a.A - b.A) <= tolerance;
}

struct TBox {
    int Left = std::numeric_limits<int>::max();
    int Top = std::numeric_limits<int>::max();
    int Right = -1; // exclusive
    int Bottom = -1;
};

class RasterTargetTest : public testing::Test {
protected:
    void SetUp() override { Start(100, 100); }

    void Start(int width, int height) {
        Bitmap.SetSize(width, height);
        ASSERT_TRUE(Target.Attach(Bitmap));
        Target.Clear(1, 1, 1, 1);
    }

    TColor8 At(int x, int y) const { return PixelAt(Bitmap, x, y); }

    // The box of the pixels more than half dark.
    TBox InkBox() const {
        TBox box;
        for (int y = 0; y < Bitmap.GetHeight(); ++y) {
            for (int x = 0; x < Bitmap.GetWidth(); ++x) {
                if (At(x, y).R < 128) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
            }
        }
        return box;
    }

    TBitmap Bitmap;
    TRTAGG Target;
};

TEST(RasterTargetSetupTest, DrawsOnlyIntoAnAttachedNonEmptyBitmap) {
    TRTAGG target;
    TBitmap empty;
    TBitmap bitmap(10, 10);
    EXPECT_FALSE(target.Attach(empty));
    EXPECT_FALSE(target.Init(10, 10));
    EXPECT_FALSE(target.InitForBitmap(bitmap, 10, 10));
    EXPECT_FALSE(target.InitSized(10, 10, 10, 10));
    // Nothing attached: drawing is ignored rather than crashing.
    target.Rectangle(DrawFill, 0, 0, 10, 10);
    target.DrawText("x", 1, 1, 0, 0, 0);
    EXPECT_EQ(bitmap.Pixel(5, 5), 0u);
}

TEST_F(RasterTargetTest, ColourComponentsMustRoundIntoAByte) {
    struct TCase {
        double Value;
        bool Accepted;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<TCase> cases = {{0, true},      {1, true},       {1.001, true}, {1.003, false},
                                      {-0.001, true}, {-0.003, false}, {nan, false},  {255, false}};
    const std::vector<std::pair<std::string, std::function<void(double)>>> operations = {
        {"SetFillColorRGBA", [&](double v) { Target.SetFillColorRGBA(v, 0, 0, 1); }},
        {"SetStrokeColorRGBA", [&](double v) { Target.SetStrokeColorRGBA(0, v, 0, 1); }},
        {"FillPathWith", [&](double v) { Target.FillPathWith(0, 0, v, 1); }},
        {"Clear", [&](double v) { Target.Clear(1, 1, 1, v); }},
    };
    for (const auto& [name, operation] : operations) {
        for (const TCase& c : cases) {
            if (c.Accepted) {
                EXPECT_NO_THROW(operation(c.Value)) << name << " " << c.Value;
            } else {
                EXPECT_THROW(operation(c.Value), std::range_error) << name << " " << c.Value;
            }
        }
    }
    // A refused colour leaves the previous one in place.
    Target.SetFillColor(0x0000FF);
    EXPECT_THROW(Target.SetFillColorRGBA(0, 2, 0, 1), std::range_error);
    Target.Rectangle(DrawFill, 0, 0, 10, 10);
    EXPECT_TRUE(Near(At(5, 5), Red)) << At(5, 5);
}

TEST_F(RasterTargetTest, NegativeRectangleSizeExtendsLeftAndUp) {
    for (std::uint8_t mode : {DrawFill, DrawOutlineOnly, DrawFillAndOutline}) {
        TBitmap expected(100, 100);
        TRTAGG reference;
        ASSERT_TRUE(reference.Attach(expected));
        reference.Clear(1, 1, 1, 1);
        reference.SetLineWidth(2);
        reference.Rectangle(mode, 6, 4, 4, 6);

        Target.Clear(1, 1, 1, 1);
        Target.SetLineWidth(2);
        Target.Rectangle(mode, 10, 10, -4, -6);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(Bitmap.Pixel(x, y), expected.Pixel(x, y))
                    << "mode " << int(mode) << " at " << x << ", " << y;
            }
        }
    }
}

TEST_F(RasterTargetTest, TransformsActBeforeTheExistingOnes) {
    struct TCase {
        std::string Name;
        std::function<void(TRTAGG&)> Transform;
        TBox Expected;
    };
    // Each draws the rectangle (0, 0)-(10, 5).
    const std::vector<TCase> cases = {
        {"translate then scale",
         [](TRTAGG& t) {
             t.Translate(10, 20);
             t.Scale(2, 2);
         },
         {10, 20, 30, 30}},
        {"scale then translate",
         [](TRTAGG& t) {
             t.Scale(2, 2);
             t.Translate(10, 20);
         },
         {20, 40, 40, 50}},
        // Clockwise on screen: x turns into y.
        {"rotate 90",
         [](TRTAGG& t) {
             t.Translate(50, 50);
             t.Rotate(90);
         },
         {45, 50, 50, 60}},
        {"rotate -90",
         [](TRTAGG& t) {
             t.Translate(50, 50);
             t.Rotate(-90);
         },
         {50, 40, 55, 50}},
    };
    for (const TCase& c : cases) {
        Target.Clear(1, 1, 1, 1);
        Target.SaveState();
        c.Transform(Target);
        Target.Rectangle(DrawFill, 0, 0, 10, 5);
        Target.RestoreState();
        const TBox box = InkBox();
        EXPECT_EQ(box.Left, c.Expected.Left) << c.Name;
        EXPECT_EQ(box.Top, c.Expected.Top) << c.Name;
        EXPECT_EQ(box.Right, c.Expected.Right) << c.Name;
        EXPECT_EQ(box.Bottom, c.Expected.Bottom) << c.Name;
    }
}

TEST_F(RasterTargetTest, SavedStateIsTheTransformOnly) {
    Target.SaveState();
    Target.Translate(50, 50);
    Target.SetFillColor(0x0000FF);
    Target.RestoreState();
    Target.Rectangle(DrawFill, 0, 0, 10, 10);
    EXPECT_TRUE(Near(At(5, 5), Red)) << "the fill colour survives RestoreState: " << At(5, 5);
    EXPECT_TRUE(Near(At(55, 55), White));

    // Without a saved state RestoreState changes nothing.
    Target.Clear(1, 1, 1, 1);
    Target.Translate(20, 20);
    Target.RestoreState();
    Target.Rectangle(DrawFill, 0, 0, 10, 10);
    EXPECT_TRUE(Near(At(25, 25), Red));
    EXPECT_TRUE(Near(At(5, 5), White));
}

TEST_F(RasterTargetTest, DegenerateScaleDrawsNothingAndRecovers) {
    Target.SaveState();
    Target.Scale(0, 1);
    Target.Rectangle(DrawFill, 0, 0, 50, 50);
    Target.RestoreState();
    EXPECT_TRUE(Near(At(10, 10), White));
    Target.Rectangle(DrawFill, 0, 0, 50, 50);
    EXPECT_TRUE(Near(At(10, 10), Black)) << "drawing works again once the transform is regular";
}

TEST_F(RasterTargetTest, DrawModesFillOutlineOrBothAndKeepTheState) {
    struct TShape {
        std::string Name;
        std::function<void(TRTAGG&, std::uint8_t)> Draw;
        int EdgeX, EdgeY; // a pixel on the outline
    };
    const std::vector<TShape> shapes = {
        {"rectangle", [](TRTAGG& t, std::uint8_t m) { t.Rectangle(m, 30, 30, 40, 40); }, 30, 50},
        {"circle", [](TRTAGG& t, std::uint8_t m) { t.Circle(m, 50, 50, 20); }, 69, 50},
        {"ellipse", [](TRTAGG& t, std::uint8_t m) { t.Ellipse(m, 50, 50, 10, 20, 90); }, 69, 50},
        {"star", [](TRTAGG& t, std::uint8_t m) { t.Star(4, m, 50, 50, 20, 20, 0); }, 69, 50},
        {"polygon", [](TRTAGG& t, std::uint8_t m) { t.Polygon(4, m, 50, 50, 20, 0); }, 69, 50},
    };
    for (const TShape& shape : shapes) {
        for (std::uint8_t mode : {DrawFill, DrawOutlineOnly, DrawFillAndOutline}) {
            SCOPED_TRACE(shape.Name + " mode " + std::to_string(mode));
            Target.Clear(1, 1, 1, 1);
            Target.SetFillColor(0x0000FF);
            Target.SetStrokeColor(0xFF0000);
            Target.SetLineWidth(4);
            shape.Draw(Target, mode);
            EXPECT_TRUE(Near(At(50, 50), mode == DrawOutlineOnly ? White : Red)) << At(50, 50);
            const bool stroked = Near(At(shape.EdgeX, shape.EdgeY), Blue, 60);
            EXPECT_EQ(stroked, mode != DrawFill) << At(shape.EdgeX, shape.EdgeY);

            // Colours and transform are as before the shape.
            Target.Rectangle(DrawFill, 0, 0, 6, 6);
            EXPECT_TRUE(Near(At(3, 3), Red)) << At(3, 3);
            Target.Line(0, 95, 99, 95);
            EXPECT_TRUE(Near(At(3, 95), Blue, 60)) << At(3, 95);
        }
    }
}

TEST_F(RasterTargetTest, ArcIsAnOutlineOnly) {
    Target.SetFillColor(0x0000FF);
    Target.SetStrokeColor(0);
    Target.SetLineWidth(4);
    // A half circle below the centre (clockwise from 0 to pi): stroked in modes 1 and 2, never filled.
    for (std::uint8_t mode : {DrawFill, DrawOutlineOnly, DrawFillAndOutline}) {
        Target.Clear(1, 1, 1, 1);
        Target.Arc(mode, 50, 50, 20, 0, Pi);
        EXPECT_TRUE(Near(At(50, 55), White)) << "mode " << int(mode);
        EXPECT_EQ(Near(At(50, 69), Black), mode != DrawFill) << "mode " << int(mode);
        EXPECT_TRUE(Near(At(50, 31), White)) << "mode " << int(mode);
    }
}

TEST_F(RasterTargetTest, LineCapOfStrokePathAndTheDefaultOfLine) {
    struct TCase {
        std::uint8_t Cap;
        bool BeyondEnd;    // on the axis, 3 units past the end
        bool BeyondCorner; // 4.5 units past the end and off the axis
    };
    const std::vector<TCase> cases = {
        {CapButt, false, false}, {CapRound, true, false}, {CapSquare, true, true}};
    for (const TCase& c : cases) {
        Target.Clear(1, 1, 1, 1);
        Target.SetLineWidth(10);
        Target.SetLineCap(c.Cap);
        Target.NewPath();
        Target.MoveTo(20, 50);
        Target.LineTo(80, 50);
        Target.StrokePath();
        EXPECT_EQ(Near(At(83, 50), Black), c.BeyondEnd) << "cap " << int(c.Cap);
        EXPECT_EQ(Near(At(84, 54), Black), c.BeyondCorner) << "cap " << int(c.Cap);
    }

    // The stored cap waits for StrokePath: a Line before any stroke has round ends, though Attach
    // stored square caps.
    ASSERT_TRUE(Target.Attach(Bitmap));
    Target.Clear(1, 1, 1, 1);
    Target.SetLineWidth(10);
    Target.Line(20, 50, 80, 50);
    EXPECT_TRUE(Near(At(83, 50), Black));
    EXPECT_TRUE(Near(At(84, 54), White));
}

TEST_F(RasterTargetTest, LineJoinOfStrokePath) {
    struct TCase {
        std::uint8_t Join;
        bool Miter; // 8 units above the apex
        bool Round; // 4 units above the apex
    };
    // The legs meet at (50, 20) with a half angle of 26.6 degrees: a miter reaches 11 units above the
    // apex, a round join 5, a bevel 2.
    const std::vector<TCase> cases = {
        {JoinMiter, true, true}, {JoinRound, false, true}, {JoinBevel, false, false}};
    for (const TCase& c : cases) {
        Target.Clear(1, 1, 1, 1);
        Target.SetLineWidth(10);
        Target.SetLineJoin(c.Join);
        Target.NewPath();
        Target.MoveTo(20, 80);
        Target.LineTo(50, 20);
        Target.LineTo(80, 80);
        Target.StrokePath();
        EXPECT_EQ(Near(At(50, 12), Black), c.Miter) << "join " << int(c.Join);
        EXPECT_EQ(Near(At(50, 16), Black), c.Round) << "join " << int(c.Join);
    }
}

TEST_F(RasterTargetTest, StrokeKeepsThePathForAFill) {
    Target.SetLineWidth(1);
    Target.NewPath();
    Target.MoveTo(10, 10);
    Target.LineTo(60, 10);
    Target.LineTo(60, 60);
    Target.ClosePath();
    Target.StrokePath();
    Target.SetFillColor(0x0000FF);
    Target.FillPath();
    EXPECT_TRUE(Near(At(50, 20), Red)) << At(50, 20);
}

TEST_F(RasterTargetTest, ViewportsClipMoveTheOriginAndNest) {
    Target.Clear(0, 0, 0, 1);
    // Clear inside a viewport paints only the viewport.
    Target.BeginViewport(10, 20, 30, 40);
    Target.Clear(1, 1, 1, 1);
    Target.EndViewport();
    EXPECT_TRUE(Near(At(10, 20), White));
    EXPECT_TRUE(Near(At(39, 59), White));
    EXPECT_TRUE(Near(At(9, 20), Black));
    EXPECT_TRUE(Near(At(40, 20), Black));
    EXPECT_TRUE(Near(At(10, 60), Black));

    // Nested: origins add up, the inner area clips, a new layer is transparent and takes the fill colour.
    Target.Clear(1, 1, 1, 1);
    Target.SetFillColor(0x0000FF);
    Target.BeginViewport(10, 10, 60, 60);
    Target.BeginViewport(20, 20, 10, 10);
    Target.Rectangle(DrawFill, -100, -100, 105, 1000); // the left half of the inner viewport
    Target.EndViewport();
    Target.EndViewport();
    EXPECT_TRUE(Near(At(30, 35), Red)) << At(30, 35);
    EXPECT_TRUE(Near(At(34, 35), Red)) << At(34, 35);
    EXPECT_TRUE(Near(At(35, 35), White)) << At(35, 35);
    EXPECT_TRUE(Near(At(29, 35), White)) << At(29, 35);
    EXPECT_TRUE(Near(At(32, 40), White)) << At(32, 40);

    // The viewport is placed through the current transform.
    Target.Clear(1, 1, 1, 1);
    Target.Translate(50, 60);
    Target.BeginViewport(0, 0, 20, 20);
    Target.Rectangle(DrawFill, 0, 0, 5, 5);
    Target.EndViewport();
    EXPECT_TRUE(Near(At(52, 62), Red)) << At(52, 62);
    EXPECT_TRUE(Near(At(2, 2), White));
}

TEST_F(RasterTargetTest, ViewportLayerIsRoundedToWholePixels) {
    Start(200, 100);
    Target.Clear(0, 0, 0, 1);
    Target.BeginViewport(10, 10, 100.4, 50.6);
    Target.Clear(1, 1, 1, 1);
    Target.EndViewport();
    EXPECT_TRUE(Near(At(109, 60), White)); // 100 by 51 pixels
    EXPECT_TRUE(Near(At(110, 10), Black));
    EXPECT_TRUE(Near(At(10, 61), Black));
}

TEST_F(RasterTargetTest, EmptyViewportClipsEverything) {
    Target.BeginViewport(10, 10, 0.3, 50);
    Target.Rectangle(DrawFill, 0, 0, 50, 50);
    Target.EndViewport();
    EXPECT_TRUE(Near(At(20, 20), White)) << "drawing of an empty viewport must not land outside it";
}

TEST_F(RasterTargetTest, UnbalancedEndViewportAndNegativePosition) {
    Target.EndViewport();
    Target.Rectangle(DrawFill, 0, 0, 10, 10);
    EXPECT_TRUE(Near(At(5, 5), Black));
    EXPECT_THROW(Target.BeginViewport(-1, 0, 10, 10), std::range_error);
    EXPECT_THROW(Target.BeginViewport(0, -0.6, 10, 10), std::range_error);
    Target.BeginViewport(-0.4, 0, 10, 10); // rounds to 0
    Target.EndViewport();
}

TEST_F(RasterTargetTest, AdditiveBlendingSumsAndSaturates) {
    struct TCase {
        TBlendMode Mode;
        double Level;
        TColor8 Overlap;
    };
    const std::vector<TCase> cases = {
        {TBlendMode::Normal, 1, Green},
        {TBlendMode::Additive, 1, Yellow},
        {TBlendMode::Additive, 0.6, {153, 153, 0, 255}},
    };
    for (const TCase& c : cases) {
        Target.Clear(0, 0, 0, 1);
        Target.SetBlendMode(c.Mode);
        Target.SetFillColorRGBA(c.Level, 0, 0, 1);
        Target.Rectangle(DrawFill, 10, 10, 40, 40);
        Target.SetFillColorRGBA(0, c.Level, 0, 1);
        Target.Rectangle(DrawFill, 30, 30, 40, 40);
        Target.SetFillColorRGBA(c.Level, 0, 0, 1);
        Target.Rectangle(DrawFill, 40, 40, 40, 40);
        EXPECT_TRUE(Near(At(35, 35), c.Overlap, 2)) << At(35, 35);
        if (c.Mode == TBlendMode::Additive) {
            // Red added twice saturates instead of wrapping.
            EXPECT_TRUE(Near(At(45, 45), {255, int(std::round(255 * c.Level)), 0, 255}, 2)) << At(45, 45);
        }
    }
    // Closing a viewport returns the enclosing surface to ordinary blending; a layer starts with it.
    Target.SetBlendMode(TBlendMode::Additive);
    Target.BeginViewport(0, 0, 10, 10);
    EXPECT_EQ(Target.BlendMode(), TBlendMode::Normal);
    Target.EndViewport();
    EXPECT_EQ(Target.BlendMode(), TBlendMode::Normal);
}

TEST_F(RasterTargetTest, TextIsPlacedByItsAlignmentAndAngle) {
    Start(160, 160);
    struct TCase {
        double AlignX;
        double AlignY;
        double Angle;
        double Left, Top, Right, Bottom;
    };
    // "H" of Liberation Sans at 40 units: advance 28.9, ink from 3.2 to 25.7 across and 27.5 high,
    // ascent 29.1, descent 8.4. The anchor is (80, 80); offsets are rounded to whole units.
    const std::vector<TCase> cases = {
        {0, 0, 0, 83.2, 52.5, 105.7, 80},
        {0.5, 0, 0, 69.2, 52.5, 91.7, 80},
        {1, 1, 0, 54.2, 81.5, 76.7, 109},
        {0, -1, 0, 83.2, 44.5, 105.7, 72},
        // Reads upwards; the letter stands left of the anchor.
        {0, 0, -90, 52.5, 54.3, 80, 76.8},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AlignX << ", " << c.AlignY << ", " << c.Angle);
        Target.Clear(1, 1, 1, 1);
        Target.SetFillColor(0);
        Target.SetFont("Arial", false, false, 40);
        Target.DrawText("H", 80.7, 80.2, c.AlignX, c.AlignY, c.Angle);
        const TBox box = InkBox();
        EXPECT_NEAR(box.Left, c.Left, 1);
        EXPECT_NEAR(box.Top, c.Top, 1);
        EXPECT_NEAR(box.Right, c.Right, 1);
        EXPECT_NEAR(box.Bottom, c.Bottom, 1);
    }
}

TEST_F(RasterTargetTest, LetterHolesStayOpen) {
    Start(120, 120);
    Target.SetFillColor(0);
    Target.SetFont("Arial", false, false, 100);
    Target.DrawText("O", 60, 60, 0.5, 0.5, 0);
    const TBox box = InkBox();
    ASSERT_GT(box.Right - box.Left, 50);
    const int middleX = (box.Left + box.Right) / 2;
    const int middleY = (box.Top + box.Bottom) / 2;
    EXPECT_TRUE(Near(At(middleX, middleY), White));
    EXPECT_TRUE(Near(At(box.Left + 3, middleY), Black));
}

TEST_F(RasterTargetTest, TextWidthIsMeasuredAtTheExactFontHeight) {
    EXPECT_EQ(Target.TextWidth(""), 0);
    Target.SetFont("Arial", false, false, 10.5);
    // Liberation Sans: A and V advance 1366 each, kerned by -152 of a 2048-unit em.
    EXPECT_NEAR(Target.TextWidth("AV"), (1366 * 2 - 152) * 10.5 / 2048, 1e-9);

    const std::uint32_t before = Bitmap.Pixel(50, 50);
    Target.DrawText("", 50, 50, 0, 0, 0);
    EXPECT_EQ(Bitmap.Pixel(50, 50), before);
}

} // namespace
