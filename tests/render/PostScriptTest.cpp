#include "platform/Bitmap.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedDialogs.h"
#include "render/RTPostScript.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>

namespace {

using TLines = std::vector<std::string>;

// Splits a document into lines; every line must end with CR LF.
TLines SplitLines(const std::string& text) {
    TLines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text.substr(start);
            break;
        }
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos)
            << "bare line end in: " << lines.back();
        start = end + 2;
    }
    return lines;
}

// What a drawing writes after the prolog of a fresh 800 x 600 document.
TLines Drawn(const std::function<void(TRenderTarget&)>& draw) {
    TScopedScriptedDialogs dialogs;
    TRTPostScript target;
    EXPECT_TRUE(target.InitSized(800, 600, 800, 600));
    const std::size_t prolog = target.Document().size();
    draw(target);
    return SplitLines(target.Document().substr(prolog));
}

struct TOperationCase {
    const char* Name;
    std::function<void(TRenderTarget&)> Draw;
    TLines Expected;
};

const TLines EllipseCurves = {
    "0 50 m",
    "55.18 50 100 27.59 100 0 c",
    "100 -27.59 55.18 -50 0 -50 c",
    "-55.18 -50 -100 -27.59 -100 0 c",
    "-100 27.59 -55.18 50 0 50 c",
};

TLines Concat(std::initializer_list<TLines> parts) {
    TLines all;
    for (const TLines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(PostScriptTest, OperationsWriteTheirTemplates) {
    const TOperationCase cases[] = {
        {"translate", [](TRenderTarget& t) { t.Translate(12.3456, -0.5); }, {"12.35 -0.5 translate"}},
        {"translate by nothing", [](TRenderTarget& t) { t.Translate(1e-7, -1e-7); }, {}},
        {"rotate", [](TRenderTarget& t) { t.Rotate(-12.3456); }, {"-12.346 rotate"}},
        {"rotate by nothing", [](TRenderTarget& t) { t.Rotate(0.00005); }, {}},
        {"scale", [](TRenderTarget& t) { t.Scale(2, -0.5); }, {"2 -0.5 scale"}},
        {"save and restore",
         [](TRenderTarget& t) {
             t.SaveState();
             t.RestoreState();
         },
         {"gs", "gr"}},
        {"fill colour grey bytes",
         [](TRenderTarget& t) { t.SetFillColor(MakeColor(128, 128, 128)); },
         {"0.502 sg"}},
        {"fill colour bytes",
         [](TRenderTarget& t) { t.SetFillColor(MakeColor(255, 128, 0)); },
         {"1 0.502 0 s"}},
        {"fill colour of nearly equal bytes",
         [](TRenderTarget& t) { t.SetFillColor(MakeColor(128, 129, 128)); },
         {"0.502 0.506 0.502 s"}},
        {"fill colour ignores the high byte",
         [](TRenderTarget& t) { t.SetFillColor(0xFF000000u); },
         {"0 sg"}},
        {"fill colour rgb", [](TRenderTarget& t) { t.SetFillColorRGBA(1, 0, 0, 1); }, {"1 0 0 s"}},
        {"fill colour nearly grey",
         [](TRenderTarget& t) { t.SetFillColorRGBA(0.5, 0.505, 0.495, 0); },
         {"0.5 sg"}},
        {"fill colour just not grey",
         [](TRenderTarget& t) { t.SetFillColorRGBA(0.5, 0.52, 0.5, 1); },
         {"0.5 0.52 0.5 s"}},
        {"stroke colour alone writes nothing",
         [](TRenderTarget& t) {
             t.SetStrokeColor(MakeColor(0, 0, 255));
             t.SetStrokeColorRGBA(0, 1, 0, 1);
         },
         {}},
        {"line width", [](TRenderTarget& t) { t.SetLineWidth(0.25); }, {"0.25 setlinewidth"}},
        {"line caps",
         [](TRenderTarget& t) {
             for (std::uint8_t cap : {0, 1, 2, 3}) {
                 t.SetLineCap(cap);
             }
         },
         {"0 setlinecap", "1 setlinecap", "2 setlinecap"}},
        {"line joins",
         [](TRenderTarget& t) {
             for (std::uint8_t join : {0, 1, 2, 3}) {
                 t.SetLineJoin(join);
             }
         },
         {"0 setlinejoin", "1 setlinejoin", "2 setlinejoin"}},
        {"fill", [](TRenderTarget& t) { t.FillPath(); }, {"fill"}},
        {"fill with", [](TRenderTarget& t) { t.FillPathWith(0, 0.5, 1, 1); }, {"0 0.5 1 s fill"}},
        {"fill with grey stays rgb",
         [](TRenderTarget& t) { t.FillPathWith(0.5, 0.5, 0.5, 1); },
         {"0.5 0.5 0.5 s fill"}},
        {"clear", [](TRenderTarget& t) { t.Clear(1, 1, 1, 1); }, {"clippath", "1 1 1 s fill"}},
        {"path",
         [](TRenderTarget& t) {
             t.NewPath();
             t.MoveTo(1, 2);
             t.LineTo(3.5, -4);
             t.CurveTo(1, 2, 3, 4, 5, 6);
             t.ClosePath();
         },
         {"np", "1 2 m", "3.5 -4 l", "1 2 3 4 5 6 c", "cp"}},
        {"stroke before any stroke colour is black",
         [](TRenderTarget& t) { t.StrokePath(); },
         {"gs", "0 sg", "stroke", "gr"}},
        {"stroke with a grey stroke colour",
         [](TRenderTarget& t) {
             t.SetStrokeColorRGBA(0.25, 0.25, 0.25, 1);
             t.StrokePath();
         },
         {"gs", "0.25 sg", "stroke", "gr"}},
        {"line",
         [](TRenderTarget& t) {
             t.SetStrokeColor(MakeColor(255, 0, 0));
             t.Line(1, 2, 3, 4);
         },
         {"gs", "1 0 0 s", "np", "1 2 m", "3 4 l", "gs", "1 0 0 s", "stroke", "gr", "gr"}},
        {"rectangle with negative size",
         [](TRenderTarget& t) { t.Rectangle(0, 10, 10, -4, -6); },
         {"6 4 4 6 r"}},
        {"rectangle outline",
         [](TRenderTarget& t) {
             t.SetStrokeColor(MakeColor(0, 0, 255));
             t.Rectangle(1, 1, 2, 3, 4);
         },
         {"gs", "0 0 1 s", "1 2 3 4 rectstroke", "gr"}},
        {"rectangle fill and outline",
         [](TRenderTarget& t) { t.Rectangle(2, 10, 10, -4, 5); },
         {"gs", "6 10 4 5 r", "0 sg", "6 10 4 5 rectstroke", "gr"}},
        {"circle fill",
         [](TRenderTarget& t) { t.Circle(0, 10, 20, 5); },
         {"np", "10 20 5 0 360 arc", "cp", "fill"}},
        {"circle outline",
         [](TRenderTarget& t) { t.Circle(1, 10, 20, 5); },
         {"gs", "np", "10 20 5 0 360 arc", "cp", "0 sg", "gs", "0 sg", "stroke", "gr", "gr"}},
        {"circle fill and outline",
         [](TRenderTarget& t) { t.Circle(2, 10, 20, 5); },
         {"gs", "np", "10 20 5 0 360 arc", "cp", "gs", "fill", "gr", "0 sg", "gs", "0 sg", "stroke", "gr",
          "gr"}},
        {"ellipse fill is enclosed, so its rotation ends with it",
         [](TRenderTarget& t) {
             t.Ellipse(0, 10, 20, 100, 50, 30);
             t.MoveTo(1, 1);
         },
         Concat(
             {{"gs", "np", "10 20 translate", "30 rotate"}, EllipseCurves, {"cp", "fill", "gr", "1 1 m"}})},
        {"ellipse outline", [](TRenderTarget& t) { t.Ellipse(1, 0, 0, 100, 50, 0); },
         Concat({{"gs", "np"}, EllipseCurves, {"cp", "0 sg", "gs", "0 sg", "stroke", "gr", "gr"}})},
        {"polygon",
         [](TRenderTarget& t) { t.Polygon(3, 0, 0, 0, 10, 30); },
         {"np", "8.66 5 m", "-8.66 5 l", "0 -10 l", "cp", "fill"}},
        {"star with tips at the half steps",
         [](TRenderTarget& t) { t.Star(4, 0, 0, 0, 10, 5, 45); },
         {"np", "3.54 3.54 m", "0 10 l", "-3.54 3.54 l", "-10 0 l", "-3.54 -3.54 l", "0 -10 l",
          "3.54 -3.54 l", "10 0 l", "3.54 3.54 l", "cp", "fill"}},
        {"arc and the reserved operations write nothing",
         [](TRenderTarget& t) {
             t.Arc(2, 10, 10, 5, 0, 1);
             t.Reserved1();
             t.Reserved2();
         },
         {}},
        {"viewport",
         [](TRenderTarget& t) {
             t.BeginViewport(10.5, 20, 100, 50.25);
             t.EndViewport();
         },
         {"gs", "10.5 20 t", "0 0 100 50.25 rc", "gr"}},
    };
    for (const TOperationCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Drawn(c.Draw), c.Expected);
    }
}

TEST(PostScriptTest, NumbersHaveNoExponentNoTrailingZerosAndRoundTiesToEven) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double Value;
        const char* Expected;
    } widths[] = {
        {0.05, "0.05"},
        {1.5, "1.5"},
        {100, "100"},
        {-3.25, "-3.25"},
        {0.001, "0"},
        {-0.001, "0"},
        {0.125, "0.12"},
        {0.375, "0.38"},
        {1234.5, "1234.5"},
        {1e12, "1000000000000"},
        {1e20, "100000000000000000000"},
        {nan, "0"},
        {infinity, "0"},
    };
    for (const auto& c : widths) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(Drawn([&](TRenderTarget& t) { t.SetLineWidth(c.Value); }),
                  TLines{c.Expected + std::string(" setlinewidth")});
    }
    // Angles keep three decimals.
    EXPECT_EQ(Drawn([](TRenderTarget& t) { t.Rotate(0.0625); }), TLines{"0.062 rotate"});
    EXPECT_EQ(Drawn([](TRenderTarget& t) { t.Rotate(-90); }), TLines{"-90 rotate"});
}

std::string TodayText(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

TEST(PostScriptTest, PrologScalesLogicalUnitsOntoTheOutputSize) {
    TFormatSettings formats;
    formats.ShortDateFormat = "yyyy-MM-dd";
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings(formats);
    TScopedScriptedDialogs dialogs;
    TRTPostScript target;
    ASSERT_TRUE(target.InitSized(600, 500, 300, 250));
    SetFormatSettings(previous);

    const TLines lines = SplitLines(target.Document());
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(lines[1].rfind("%%Creator: Lumeroc", 0), 0u) << lines[1];
    const TLines rest(lines.begin() + 2, lines.end());
    const TLines expected = {
        "%%Title: Actogram",
        "%%CreationDate: (" + TodayText("%Y-%m-%d") + ")",
        "%%BoundingBox: 0 0 300 250",
        "%%LanguageLevel: 2",
        "%%EndComments",
        "/r {rectfill} bind def",
        "/rc {rectclip} bind def",
        "/s {setrgbcolor} bind def",
        "/sg {setgray} bind def",
        "/t {translate} bind def",
        "/m {moveto} bind def",
        "/l {lineto} bind def",
        "/c {curveto} bind def",
        "/gs {gsave} bind def",
        "/gr {grestore} bind def",
        "/np {newpath} bind def",
        "/cp {closepath} bind def",
        "0 0 300 250 rc",
        "0 250 translate",
        "0.5 -0.5 scale",
        "2 setlinecap",
        "1 setlinejoin",
    };
    EXPECT_EQ(rest, expected);
}

TEST(PostScriptTest, EveryInitialisationEndsInTheSameProlog) {
    TScopedScriptedDialogs dialogs;
    TBitmap screen(640, 480);
    const TBitmap chart(300, 200);
    const struct {
        const char* Name;
        std::function<bool(TRTPostScript&)> Init;
        TLines Expected; // bounding box, clip, translate, scale
    } cases[] = {
        {"sized",
         [](TRTPostScript& t) { return t.InitSized(3, 7, 1, 1); },
         {"%%BoundingBox: 0 0 1 1", "0 0 1 1 rc", "0 1 translate", "0.33333 -0.14286 scale"}},
        {"init",
         [](TRTPostScript& t) { return t.Init(800, 600); },
         {"%%BoundingBox: 0 0 800 600", "0 0 800 600 rc", "0 600 translate", "1 -1 scale"}},
        {"attach",
         [&](TRTPostScript& t) { return t.Attach(screen); },
         {"%%BoundingBox: 0 0 640 480", "0 0 640 480 rc", "0 480 translate", "1 -1 scale"}},
        {"for bitmap",
         [&](TRTPostScript& t) { return t.InitForBitmap(chart, 1000, 300); },
         {"%%BoundingBox: 0 0 1000 300", "0 0 1000 300 rc", "0 300 translate", "3.33333 -1.5 scale"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TRTPostScript target;
        ASSERT_TRUE(c.Init(target));
        const TLines lines = SplitLines(target.Document());
        ASSERT_EQ(lines.size(), 24u);
        EXPECT_EQ((TLines{lines[4], lines[19], lines[20], lines[21]}), c.Expected);
    }
}

TEST(PostScriptTest, AZeroSizeIsRefusedAndAsksForNoFile) {
    TScopedScriptedDialogs dialogs;
    TBitmap empty;
    const struct {
        const char* Name;
        std::function<bool(TRTPostScript&)> Init;
    } cases[] = {
        {"logical width", [](TRTPostScript& t) { return t.InitSized(0, 300, 800, 600); }},
        {"output height", [](TRTPostScript& t) { return t.InitSized(800, 600, 800, 0); }},
        {"negative", [](TRTPostScript& t) { return t.InitSized(800, -600, 800, 600); }},
        {"empty bitmap", [&](TRTPostScript& t) { return t.Attach(empty); }},
        {"empty bitmap scaled", [&](TRTPostScript& t) { return t.InitForBitmap(empty, 800, 600); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        {
            TRTPostScript target;
            EXPECT_FALSE(c.Init(target));
            EXPECT_TRUE(target.Document().empty());
        }
        EXPECT_TRUE(dialogs.FileRequests.empty());
    }
    { TRTPostScript neverInitialised; }
    EXPECT_TRUE(dialogs.FileRequests.empty());
}

TEST(PostScriptTest, DestructionSavesTheDocumentUnderTheChosenName) {
    TTempFolder folder;
    TScopedScriptedDialogs dialogs;
    const std::string path = folder.File("chart.eps");
    WriteBinaryFile(path, {'o', 'l', 'd'});
    dialogs.SaveFileNames.push_back(path);
    std::string document;
    {
        TRTPostScript target;
        ASSERT_TRUE(target.Init(100, 100));
        target.Rectangle(0, 1, 2, 3, 4);
        document = target.Document();
    }
    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(dialogs.FileRequests[0].Filter, "Encapsulated PostScript (*.eps)|*.eps");
    EXPECT_EQ(dialogs.FileRequests[0].DefaultExtension, "eps");
    EXPECT_EQ(ReadTextFile(path), document);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(PostScriptTest, ACancelledDialogWritesNothing) {
    TTempFolder folder;
    TScopedScriptedDialogs dialogs;
    {
        TRTPostScript target;
        ASSERT_TRUE(target.Init(100, 100));
    }
    EXPECT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(PostScriptTest, AFailedSaveIsReportedAndLeavesNoFileBehind) {
    TTempFolder folder;
    std::filesystem::create_directory(folder.Path() / "taken.eps");
    const struct {
        const char* Name;
        std::string Path;
    } cases[] = {
        {"missing folder", folder.File("missing/chart.eps")},
        {"a folder of that name", folder.File("taken.eps")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TScopedScriptedDialogs dialogs;
        dialogs.SaveFileNames.push_back(c.Path);
        {
            TRTPostScript target;
            ASSERT_TRUE(target.Init(100, 100));
        }
        EXPECT_EQ(dialogs.LastMessage(), "An error occured, could not save the file.");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
        EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken.eps"));
    }
}

TEST(PostScriptTest, TextIsAFilledOutlinePlacedByItsAlignment) {
    TTextRender render;
    ASSERT_TRUE(render.SetFont("Arial", 20, false, false, false));
    const double width = render.TextWidth("AV");
    const struct {
        double AlignX, AlignY;
        TLines Offset;
    } cases[] = {
        {0, 0, {}},
        {0.5,
         1,
         {PostScriptNumber(-0.5 * width, 2) + " " + PostScriptNumber(-render.Ascent(), 2) + " translate"}},
        {1, -1, {PostScriptNumber(-width, 2) + " " + PostScriptNumber(render.Descent(), 2) + " translate"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AlignX << " " << c.AlignY);
        const TLines lines = Drawn([&](TRenderTarget& t) {
            t.SetFont("Arial", false, false, 20);
            t.DrawText("AV", 100, 50, c.AlignX, c.AlignY, -90);
        });
        const TLines head =
            Concat({{"gs", "100 50 translate", "-90 rotate", "1 -1 scale"}, c.Offset, {"np"}});
        ASSERT_GT(lines.size(), head.size() + 2);
        EXPECT_EQ(TLines(lines.begin(), lines.begin() + head.size()), head);
        EXPECT_EQ((TLines{lines[lines.size() - 2], lines.back()}), (TLines{"fill", "gr"}));
        // A has an outer contour and a hole, V one contour; no font is needed to show them.
        EXPECT_EQ(
            std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with(" m"); }),
            3);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "cp"), 3);
    }
}

TEST(PostScriptTest, EmptyTextDrawsNothingAndHasNoWidth) {
    EXPECT_EQ(Drawn([](TRenderTarget& t) { t.DrawText("", 10, 10, 0.5, 1, 0); }), TLines{});
    TRTPostScript target;
    EXPECT_EQ(target.TextWidth(""), -1);
}

TEST(PostScriptTest, FontSizeIsRoundedToWholeUnits) {
    const auto drawnAt = [](double size) {
        return Drawn([size](TRenderTarget& t) {
            t.SetFont("Times New Roman", true, false, size);
            t.DrawText("g", 0, 0, 0, 0, 0);
        });
    };
    EXPECT_EQ(drawnAt(12.4), drawnAt(12));
    EXPECT_EQ(drawnAt(12.6), drawnAt(13));
    EXPECT_NE(drawnAt(12), drawnAt(13));
    TRTPostScript target;
    target.SetFont("Arial", false, false, 12.4);
    EXPECT_EQ(target.FontSize, 12.4);
}

} // namespace
