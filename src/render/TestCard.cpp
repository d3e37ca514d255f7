#include "render/TestCard.h"

#include "render/RTAGG.h"

#include <array>

namespace {

void Label(TRenderTarget& target, const std::string& text, double x, double y, double alignX = 0,
           double alignY = 0) {
    target.SetFont("Arial", false, false, 11);
    target.SetFillColor(MakeColor(40, 40, 40));
    target.DrawText(text, x, y, alignX, alignY, 0);
}

// A small red cross marks a text anchor.
void Cross(TRenderTarget& target, double x, double y) {
    target.SetStrokeColor(MakeColor(220, 0, 0));
    target.SetLineWidth(1);
    target.Line(x - 4, y, x + 4, y);
    target.Line(x, y - 4, x, y + 4);
}

void Shapes(TRenderTarget& target) {
    const std::array<const char*, 6> names = {"rectangle", "circle", "ellipse", "star", "polygon", "arc"};
    const std::array<const char*, 3> modes = {"fill", "outline", "both"};
    const std::array<std::uint32_t, 6> fills = {MakeColor(230, 80, 60),  MakeColor(250, 180, 40),
                                                MakeColor(90, 180, 80),  MakeColor(60, 150, 220),
                                                MakeColor(150, 90, 200), MakeColor(120, 120, 120)};
    for (std::size_t column = 0; column < names.size(); ++column) {
        Label(target, names[column], 100 + 62.0 * column, 42, 0.5, -1);
    }
    for (int mode = 0; mode < 3; ++mode) {
        const double y = 70 + 60.0 * mode;
        Label(target, modes[mode], 16, y, 0, 0.3);
        for (std::size_t column = 0; column < names.size(); ++column) {
            const double x = 100 + 62.0 * column;
            target.SetFillColor(fills[column]);
            target.SetStrokeColor(MakeColor(20, 30, 90));
            target.SetLineWidth(2.5);
            switch (column) {
            case 0:
                target.Rectangle(mode, x + 22, y + 18, -44, -36);
                break;
            case 1:
                target.Circle(mode, x, y, 22);
                break;
            case 2:
                target.Ellipse(mode, x, y, 26, 14, 30);
                break;
            case 3:
                target.Star(5, mode, x, y, 10, 24, -90);
                break;
            case 4:
                target.Polygon(6, mode, x, y, 24, 0);
                break;
            case 5:
                target.Arc(mode, x, y, 22, 0, 4.5);
                break;
            }
        }
    }
}

void CapsAndJoins(TRenderTarget& target) {
    const std::array<const char*, 3> names = {"butt cap, miter join", "round cap, round join",
                                              "square cap, bevel join"};
    for (int k = 0; k < 3; ++k) {
        const double y = 70 + 50.0 * k;
        const auto zigzag = [&] {
            target.NewPath();
            target.MoveTo(480, y + 20);
            target.LineTo(520, y - 10);
            target.LineTo(560, y + 20);
            target.LineTo(600, y - 10);
        };
        target.SetLineCap(k);
        target.SetLineJoin(k);
        target.SetLineWidth(12);
        target.SetStrokeColor(MakeColor(150, 150, 150));
        zigzag();
        target.StrokePath();
        target.SetLineWidth(1);
        target.SetStrokeColor(MakeColor(220, 0, 0));
        zigzag();
        target.StrokePath();
        Label(target, names[k], 625, y + 9);
    }
    target.SetLineCap(CapSquare);
    target.SetLineJoin(JoinRound);
}

void Arrow(TRenderTarget& target) {
    const auto path = [&] {
        target.NewPath();
        target.MoveTo(0, -6);
        target.LineTo(40, -6);
        target.LineTo(40, -14);
        target.LineTo(60, 0);
        target.LineTo(40, 14);
        target.LineTo(40, 6);
        target.LineTo(0, 6);
        target.ClosePath();
    };
    target.SetFillColor(MakeColor(120, 200, 230));
    path();
    target.FillPath();
    target.SetStrokeColor(MakeColor(20, 30, 90));
    target.SetLineWidth(1.5);
    path();
    target.StrokePath();
}

void Transforms(TRenderTarget& target) {
    Label(target, "nested transforms", 330, 255);
    target.SaveState();
    target.Translate(340, 300);
    for (int level = 0; level < 4; ++level) {
        Arrow(target);
        target.SaveState();
        target.Translate(60, 0);
        target.Rotate(35);
        target.Scale(0.8, 0.8);
    }
    for (int level = 0; level < 4; ++level) {
        target.RestoreState();
    }
    target.RestoreState();
    // Back where the first arrow started.
    Cross(target, 340, 300);
}

void Viewports(TRenderTarget& target) {
    target.BeginViewport(20, 240, 280, 170);
    target.Clear(0.86, 0.92, 1, 1);
    target.SetFillColor(MakeColor(250, 150, 40));
    target.Circle(DrawFill, 0, 0, 70);
    Label(target, "viewport", 8, 162);
    target.BeginViewport(140, 20, 120, 90);
    target.Clear(1, 0.93, 0.8, 1);
    target.SetFillColor(MakeColor(200, 60, 60));
    target.Star(5, DrawFill, 120, 90, 25, 60, -90);
    target.SetStrokeColor(0);
    target.SetLineWidth(2);
    target.Rectangle(DrawOutlineOnly, 0, 0, 120, 90);
    Label(target, "nested", 6, 16);
    target.EndViewport();
    target.EndViewport();
}

void Blending(TRenderTarget& target) {
    const TTestCardArea& area = TestCardBlendArea;
    Label(target, "additive blending (raster)", area.X, area.Y - 6);
    target.SetFillColor(0);
    target.Rectangle(DrawFill, area.X, area.Y, area.W, area.H);
    auto* raster = dynamic_cast<TRTAGG*>(&target);
    if (raster) {
        raster->SetBlendMode(TBlendMode::Additive);
    }
    const double centreX = area.X + area.W / 2;
    const double centreY = area.Y + area.H / 2;
    target.SetFillColor(MakeColor(255, 0, 0));
    target.Circle(DrawFill, centreX - 28, centreY - 14, 42);
    target.SetFillColor(MakeColor(0, 255, 0));
    target.Circle(DrawFill, centreX + 28, centreY - 14, 42);
    target.SetFillColor(MakeColor(0, 0, 255));
    target.Circle(DrawFill, centreX, centreY + 28, 42);
    if (raster) {
        raster->SetBlendMode(TBlendMode::Normal);
    }
}

void Alignments(TRenderTarget& target) {
    const std::array<double, 3> alignXs = {0, 0.5, 1};
    const std::array<double, 3> alignYs = {-1, 0, 1};
    for (std::size_t row = 0; row < alignYs.size(); ++row) {
        for (std::size_t column = 0; column < alignXs.size(); ++column) {
            const double x = 60 + 100.0 * column;
            const double y = 455 + 47.0 * row;
            target.SetFont("Arial", false, false, 18);
            target.SetFillColor(MakeColor(20, 30, 90));
            target.DrawText("Ag", x, y, alignXs[column], alignYs[row], 0);
            Cross(target, x, y);
        }
    }
    Label(target, "AlignX 0, 0.5, 1 by AlignY -1, 0, 1", 20, 592);
}

void Faces(TRenderTarget& target) {
    struct TFace {
        const char* Name;
        bool Bold;
        bool Italic;
        const char* Text;
    };
    const std::array<TFace, 6> faces = {{{"Arial", false, false, "Arial regular"},
                                         {"Arial", true, false, "Arial bold"},
                                         {"Arial", false, true, "Arial italic"},
                                         {"Times New Roman", false, false, "Times New Roman regular"},
                                         {"Times New Roman", true, false, "Times New Roman bold"},
                                         {"Times New Roman", false, true, "Times New Roman italic"}}};
    target.SetFillColor(0);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        target.SetFont(faces[i].Name, faces[i].Bold, faces[i].Italic, 17);
        target.DrawText(faces[i].Text, 330, 455 + 24.0 * i, 0, 0, 0);
    }
}

void AnglesAndKerning(TRenderTarget& target) {
    target.SetFillColor(0);
    target.SetFont("Arial", false, false, 15);
    target.DrawText("-90 degrees", 600, 590, 0, 0, -90);
    Cross(target, 600, 590);
    target.SetFont("Times New Roman", false, true, 15);
    target.DrawText("30 degrees", 625, 445, 0, 0, 30);
    Cross(target, 625, 445);

    // The bar under the pair is its measured width: kerning pulls the V under the A.
    target.SetFont("Times New Roman", false, false, 40);
    target.SetFillColor(MakeColor(20, 30, 90));
    target.DrawText("AV", 680, 575, 0, 0, 0);
    target.SetFillColor(MakeColor(220, 0, 0));
    target.Rectangle(DrawFill, 680, 580, target.TextWidth("AV"), 3);
}

} // namespace

void DrawTestCard(TRenderTarget& target) {
    target.Clear(1, 1, 1, 1);
    target.SetLineCap(CapSquare);
    target.SetLineJoin(JoinRound);
    target.SetFont("Arial", true, false, 16);
    target.SetFillColor(0);
    target.DrawText("Lumeroc test card", TestCardWidth / 2.0, 6, 0.5, 1, 0);
    Shapes(target);
    CapsAndJoins(target);
    Transforms(target);
    Viewports(target);
    Blending(target);
    Alignments(target);
    Faces(target);
    AnglesAndKerning(target);
    target.SetStrokeColor(MakeColor(120, 120, 120));
    target.SetLineWidth(1);
    target.Rectangle(DrawOutlineOnly, 0.5, 0.5, TestCardWidth - 1, TestCardHeight - 1);
}
