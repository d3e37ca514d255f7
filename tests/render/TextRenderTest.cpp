#include "render/TextRender.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

// Liberation Sans, in design units of its 2048-unit em.
constexpr double EmSquare = 2048;
constexpr double AdvanceA = 1366;
constexpr double AdvanceV = 1366;
constexpr double KerningAV = -152;
constexpr double AdvanceH = 1479;
constexpr double AdvanceSpace = 569;

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TEST(TextRenderTest, StandardFaceNamesResolveToMetricCompatibleFonts) {
    struct TCase {
        std::string Name;
        bool Bold;
        bool Italic;
        std::string File;
    };
    const std::vector<TCase> cases = {
        {"Arial", false, false, "LiberationSans-Regular.ttf"},
        {"Arial", true, false, "LiberationSans-Bold.ttf"},
        {"Arial", true, true, "LiberationSans-BoldItalic.ttf"},
        {"Times New Roman", false, true, "LiberationSerif-Italic.ttf"},
        {"Courier New", false, false, "LiberationMono-Regular.ttf"},
    };
    TTextRender render;
    for (const TCase& c : cases) {
        ASSERT_TRUE(render.SetFont(c.Name, 12, false, c.Italic, c.Bold)) << c.Name;
        EXPECT_EQ(FileName(render.FontFile()), c.File)
            << c.Name << " bold " << c.Bold << " italic " << c.Italic;
    }
}

TEST(TextRenderTest, UnknownFaceFallsBackToAnInstalledFont) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("No Such Face 7Q", 12, false, false, false));
    EXPECT_TRUE(std::filesystem::exists(render.FontFile())) << render.FontFile();
    EXPECT_GT(render.TextWidth("Text"), 0);
}

TEST(TextRenderTest, MetricsAndWidthsScaleWithSizeInBothModes) {
    struct TCase {
        int Size;
        bool PixelMode;
    };
    for (const TCase& c : {TCase{2048, false}, TCase{12, false}, TCase{12, true}, TCase{37, true}}) {
        TTextRender render;
        ASSERT_TRUE(render.SetFont("Arial", c.Size, c.PixelMode, false, false));
        const double q = c.Size / EmSquare;
        SCOPED_TRACE(testing::Message() << "size " << c.Size << " pixel mode " << c.PixelMode);
        EXPECT_DOUBLE_EQ(render.Ascent(), 1491 * q);
        EXPECT_DOUBLE_EQ(render.Descent(), 431 * q);
        EXPECT_NEAR(render.TextWidth("A"), AdvanceA * q, 1e-9);
        // The kerning pair pulls V under A by the font's amount.
        EXPECT_NEAR(render.TextWidth("AV"), (AdvanceA + AdvanceV + KerningAV) * q, 1e-9);
        EXPECT_NEAR(render.TextWidth("H H"), (2 * AdvanceH + AdvanceSpace) * q, 1e-9);
        std::unique_ptr<TGlyphOutline> outline = render.GetTextOutline("AV");
        ASSERT_TRUE(outline);
        EXPECT_NEAR(outline->Width, render.TextWidth("AV"), 1e-9);
        EXPECT_DOUBLE_EQ(outline->Ascent, render.Ascent());
        EXPECT_DOUBLE_EQ(outline->Descent, render.Descent());
    }
}

TEST(TextRenderTest, MonospacedFaceHasNoKerning) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Courier New", 100, false, false, false));
    EXPECT_NEAR(render.TextWidth("AV"), 2 * render.TextWidth("A"), 1e-9);
}

TEST(TextRenderTest, EmptyTextHasNoOutlineAndWidthMinusOne) {
    TTextRender render;
    EXPECT_EQ(render.TextWidth(""), -1);
    EXPECT_EQ(render.GetTextOutline(""), nullptr);
}

TEST(TextRenderTest, GlyphsAreAssembledAtTheirPenPositions) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Arial", 1024, false, false, false));
    const double q = 0.5;
    const TGlyphOutline glyphH = *render.GetGlyph(U'H');
    const TGlyphOutline glyphO = *render.GetGlyph(U'O');
    std::unique_ptr<TGlyphOutline> outline = render.GetTextOutline("H O");
    ASSERT_TRUE(outline);
    // The space adds its advance and no contour.
    ASSERT_EQ(outline->Shapes.size(), glyphH.Shapes.size() + glyphO.Shapes.size());
    const TFontShape& firstOfO = outline->Shapes[glyphH.Shapes.size()];
    const double penX = (AdvanceH + AdvanceSpace) * q;
    EXPECT_NEAR(firstOfO.Start.X, glyphO.Shapes[0].Start.X * q + penX, 1e-9);
    EXPECT_NEAR(firstOfO.Start.Y, glyphO.Shapes[0].Start.Y * q, 1e-9);
    EXPECT_NEAR(outline->Advance.X, penX + glyphO.Advance.X * q, 1e-9);
    EXPECT_EQ(outline->Advance.Y, 0);

    const TGlyphOutline* space = render.GetGlyph(U' ');
    ASSERT_TRUE(space);
    EXPECT_TRUE(space->Shapes.empty());
    EXPECT_EQ(space->Advance.X, AdvanceSpace);
}

TEST(TextRenderTest, TrueTypeGlyphsAreLinesAndQuadraticRuns) {
    TTextRender render;
    // "o": two contours (the hole), curves only.
    const TGlyphOutline* o = render.GetGlyph(U'o');
    ASSERT_TRUE(o);
    ASSERT_EQ(o->Shapes.size(), 2u);
    for (const TFontShape& shape : o->Shapes) {
        ASSERT_FALSE(shape.Curves.empty());
        for (const TFontCurve& curve : shape.Curves) {
            EXPECT_EQ(curve.Kind, CurveQuadratic);
            EXPECT_GE(curve.Points.size(), 2u);
        }
        // Every contour comes back to its start.
        const TCurvePoint& last = shape.Curves.back().Points.back();
        EXPECT_EQ(last.X, shape.Start.X);
        EXPECT_EQ(last.Y, shape.Start.Y);
    }
    // "H": straight lines only, within the glyph box (y-up, on the baseline).
    const TGlyphOutline* h = render.GetGlyph(U'H');
    ASSERT_TRUE(h);
    ASSERT_EQ(h->Shapes.size(), 1u);
    double lowest = 1e9;
    double highest = -1e9;
    for (const TFontCurve& curve : h->Shapes[0].Curves) {
        EXPECT_EQ(curve.Kind, CurveLines);
        for (const TCurvePoint& point : curve.Points) {
            lowest = std::min(lowest, point.Y);
            highest = std::max(highest, point.Y);
        }
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_NEAR(highest, 1409, 1); // cap height of Liberation Sans
}

TEST(TextRenderTest, CffGlyphsKeepTheirCubicRuns) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Nimbus Sans", 1000, false, false, false));
    if (std::filesystem::path(render.FontFile()).extension() != ".otf") {
        GTEST_SKIP() << "no CFF font installed under that name; got " << render.FontFile();
    }
    const TGlyphOutline* o = render.GetGlyph(U'o');
    ASSERT_TRUE(o);
    ASSERT_FALSE(o->Shapes.empty());
    int cubicRuns = 0;
    for (const TFontShape& shape : o->Shapes) {
        for (const TFontCurve& curve : shape.Curves) {
            EXPECT_NE(curve.Kind, CurveQuadratic);
            if (curve.Kind == CurveCubic) {
                ++cubicRuns;
                EXPECT_EQ(curve.Points.size() % 3, 0u);
            }
        }
    }
    EXPECT_GT(cubicRuns, 0);
}

TEST(TextRenderTest, CacheLivesAsLongAsTheFontChoice) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Arial", 12, false, false, false));
    const TGlyphOutline* regular = render.GetGlyph(U'A');
    ASSERT_TRUE(render.SetFont("Arial", 12, false, false, false));
    EXPECT_EQ(render.GetGlyph(U'A'), regular);

    // Changing only the weight empties the cache: the bold A is wider.
    ASSERT_TRUE(render.SetFont("Arial", 12, false, false, true));
    EXPECT_EQ(render.GetGlyph(U'A')->Advance.X, 1479);
    ASSERT_TRUE(render.SetFont("Arial", 12, false, false, false));
    EXPECT_EQ(render.GetGlyph(U'A')->Advance.X, AdvanceA);

    // Upper and lower case are different entries.
    EXPECT_EQ(render.GetGlyph(U'a')->Advance.X, 1139);
    EXPECT_EQ(render.GetGlyph(U'A')->Advance.X, AdvanceA);
}

TEST(TextRenderTest, TextIsReadAsUtf8) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Arial", 2048, false, false, false));
    // "é" is one character, not two Latin-1 ones.
    EXPECT_EQ(render.TextWidth("\xC3\xA9"), render.GetGlyph(U'\u00E9')->Advance.X);
    EXPECT_NE(render.GetGlyph(U'\u00E9')->Advance.X, render.TextWidth("\xC3") + render.TextWidth("\xA9"));

    struct TCase {
        std::string Text;
        std::u32string CodePoints;
    };
    const std::vector<TCase> cases = {
        {"A\xC3\xA9", U"A\u00E9"},
        {"\xE2\x82\xAC", U"\u20AC"},
        {"\xF0\x9F\x98\x80", U"\U0001F600"},
        {"\xC3", U"\uFFFD"},                     // cut short
        {"\xC0\xAF", U"\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"}, // a surrogate
        {"a\x80z", U"a\uFFFDz"},                 // a stray continuation byte
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(DecodeUtf8(c.Text), c.CodePoints) << c.Text;
    }
}

} // namespace
