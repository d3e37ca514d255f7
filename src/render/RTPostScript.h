#pragma once
// The EPS target: Encapsulated PostScript (language level 2) written into memory, one command per
// line with CR LF ends, in the chart's logical units (the prolog scales them onto the output size in
// points and turns y downwards). Text is written as filled glyph outlines, so the file needs no fonts.
// Destroying an initialised target asks for a file name and saves the document.

#include "render/RenderTargets.h"
#include "render/TextRender.h"

#include <string>

class TRTPostScript : public TRenderTarget {
public:
    TRTPostScript() = default;
    ~TRTPostScript() override;

    void DrawShape(std::uint8_t kind, std::uint8_t mode, const std::vector<double>& values) override;
    bool Attach(TBitmap& bitmap) override;
    bool Init(int width, int height) override;
    bool InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) override;
    // False for a size that is not positive: the scale of the prolog would be undefined.
    bool InitSized(int width, int height, int outWidth, int outHeight) override;
    void Reserved1() override {}
    void Translate(double x, double y) override;
    void Rotate(double degrees) override;
    void Scale(double sx, double sy) override;
    void SaveState() override;
    void RestoreState() override;
    void SetFillColorRGBA(double r, double g, double b, double a) override;
    void SetFillColor(std::uint32_t color) override;
    // The stroke colour is only remembered; it is written where a stroke needs it.
    void SetStrokeColorRGBA(double r, double g, double b, double a) override;
    void SetStrokeColor(std::uint32_t color) override;
    void SetLineWidth(double width) override;
    void SetLineCap(std::uint8_t cap) override;
    void SetLineJoin(std::uint8_t join) override;
    void SetFont(const std::string& name, bool bold, bool italic, double size) override;
    void FillPath() override;
    void FillPathWith(double r, double g, double b, double a) override;
    void Reserved2() override {}
    void Clear(double r, double g, double b, double a) override;
    void DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                  double angle) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) override;
    void NewPath() override;
    void ClosePath() override;
    void StrokePath() override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Rectangle(std::uint8_t mode, double x, double y, double w, double h) override;
    void Circle(std::uint8_t mode, double x, double y, double r) override;
    void Ellipse(std::uint8_t mode, double x, double y, double rx, double ry, double angle) override;
    // Arcs are not part of the EPS output (no chart draws one).
    void Arc(std::uint8_t, double, double, double, double, double) override {}
    void Star(int n, std::uint8_t mode, double x, double y, double r1, double r2, double angle) override;
    void Polygon(int n, std::uint8_t mode, double x, double y, double r, double angle) override;
    void BeginViewport(double x, double y, double w, double h) override;
    void EndViewport() override;
    double TextWidth(const std::string& text) override;

    // The document written so far (what was drawn before the initialisation is not part of it).
    const std::string& Document() const { return Stream; }

private:
    void WriteLine(const char* text);
    // Appends a number and a blank, so that an operator can follow.
    void WriteNumber(double value, int decimals);
    void WriteStrokeColor();

    std::string Stream;
    bool Initialised = false;
    // One grey value or "r g b".
    std::string StrokeColor = "0";
    TTextRender Text;
};

// A number as the EPS output writes it: at most `decimals` decimals, no trailing zeros, no exponent,
// "." as separator whatever the locale; anything that rounds to zero is "0".
std::string PostScriptNumber(double value, int decimals);
