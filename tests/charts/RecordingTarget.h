#pragma once
// A render target that draws nothing: it records rectangles and texts, and measures text as 7 units per
// character, so that chart layout can be checked without fonts.

#include "render/RenderTargets.h"

#include <string>
#include <vector>

class TRecordingTarget : public TRenderTarget {
public:
    struct TText {
        std::string Text;
        double X, Y, AlignX, AlignY, Angle;
        double OriginX, OriginY; // the translation in force
    };
    struct TRect {
        double X, Y, W, H;
        std::uint32_t Fill;
        double OriginX, OriginY;
    };

    void DrawShape(std::uint8_t, std::uint8_t, const std::vector<double>&) override {}
    bool Attach(TBitmap&) override { return true; }
    bool Init(int, int) override { return true; }
    bool InitForBitmap(const TBitmap&, int, int) override { return true; }
    bool InitSized(int, int, int, int) override { return true; }
    void Reserved1() override {}
    void Translate(double x, double y) override {
        OriginX += x;
        OriginY += y;
    }
    void Rotate(double degrees) override { Rotation += degrees; }
    void Scale(double, double) override {}
    void SaveState() override { Saved.push_back({OriginX, OriginY, Rotation}); }
    void RestoreState() override {
        if (!Saved.empty()) {
            OriginX = Saved.back()[0];
            OriginY = Saved.back()[1];
            Rotation = Saved.back()[2];
            Saved.pop_back();
        }
    }
    void SetFillColorRGBA(double r, double g, double b, double) override {
        Fill = MakeColor(static_cast<std::uint8_t>(r * 255 + 0.5), static_cast<std::uint8_t>(g * 255 + 0.5),
                         static_cast<std::uint8_t>(b * 255 + 0.5));
    }
    void SetFillColor(std::uint32_t color) override { Fill = color & 0xFFFFFF; }
    void SetStrokeColorRGBA(double, double, double, double) override {}
    void SetStrokeColor(std::uint32_t) override {}
    void SetLineWidth(double width) override { LineWidth = width; }
    void SetLineCap(std::uint8_t) override {}
    void SetLineJoin(std::uint8_t) override {}
    void FillPath() override {}
    void FillPathWith(double, double, double, double) override {}
    void Reserved2() override {}
    void Clear(double, double, double, double) override { ++Clears; }
    void DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                  double angle) override {
        Texts.push_back({text, x, y, alignX, alignY, angle, OriginX, OriginY});
    }
    void MoveTo(double x, double y) override { Path.push_back({x, y}); }
    void LineTo(double x, double y) override { Path.push_back({x, y}); }
    void CurveTo(double, double, double, double, double, double) override {}
    void NewPath() override { Path.clear(); }
    void ClosePath() override {}
    void StrokePath() override { Strokes.push_back(Path); }
    void Line(double, double, double, double) override {}
    void Rectangle(std::uint8_t, double x, double y, double w, double h) override {
        Rects.push_back({x, y, w, h, Fill, OriginX, OriginY});
    }
    void Circle(std::uint8_t, double, double, double) override {}
    void Ellipse(std::uint8_t, double, double, double, double, double) override {}
    void Arc(std::uint8_t, double, double, double, double, double) override {}
    void Star(int, std::uint8_t, double, double, double, double, double) override {}
    void Polygon(int, std::uint8_t, double, double, double, double) override {}
    void BeginViewport(double x, double y, double, double) override {
        ++ViewportsOpened;
        Viewports.push_back({x, y});
        Translate(x, y);
    }
    void EndViewport() override {
        if (!Viewports.empty()) {
            Translate(-Viewports.back()[0], -Viewports.back()[1]);
            Viewports.pop_back();
        }
    }
    double TextWidth(const std::string& text) override { return 7.0 * text.size(); }

    const TText* FindText(const std::string& text) const {
        for (const TText& t : Texts) {
            if (t.Text == text) {
                return &t;
            }
        }
        return nullptr;
    }

    double OriginX = 0, OriginY = 0, Rotation = 0;
    std::uint32_t Fill = 0;
    double LineWidth = 1;
    int Clears = 0;
    int ViewportsOpened = 0;
    std::vector<std::vector<double>> Saved;
    std::vector<std::vector<double>> Viewports;
    std::vector<TText> Texts;
    std::vector<TRect> Rects;
    std::vector<std::vector<double>> Path;
    std::vector<std::vector<std::vector<double>>> Strokes;
};
