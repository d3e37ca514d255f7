#pragma once
// The anti-aliased raster target on cairo image surfaces. TRTAGG draws straight into an attached
// TBitmap (the chart on screen); viewports draw into layers of their own that are composited onto the
// enclosing surface when they close.

#include "render/RenderTargets.h"

#include <array>
#include <memory>

struct _cairo_surface;

enum class TBlendMode {
    Normal,   // source over destination
    Additive, // source and destination summed per channel, saturating
};

class TRTAGG : public TRenderTarget {
public:
    TRTAGG();
    ~TRTAGG() override;

    void DrawShape(std::uint8_t kind, std::uint8_t mode, const std::vector<double>& values) override;
    // The bitmap must keep its size and stay alive while the target draws into it.
    bool Attach(TBitmap& bitmap) override;
    bool Init(int width, int height) override;
    bool InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) override;
    bool InitSized(int width, int height, int outWidth, int outHeight) override;
    void Reserved1() override {}
    void Translate(double x, double y) override;
    void Rotate(double degrees) override;
    void Scale(double sx, double sy) override;
    // Only the coordinate transform is saved; colours, line settings and font are not.
    void SaveState() override;
    void RestoreState() override;
    // Components are rounded to 1/255 steps; one outside 0..1 throws std::range_error.
    void SetFillColorRGBA(double r, double g, double b, double a) override;
    void SetFillColor(std::uint32_t color) override;
    void SetStrokeColorRGBA(double r, double g, double b, double a) override;
    void SetStrokeColor(std::uint32_t color) override;
    void SetLineWidth(double width) override;
    // Cap and join take effect at the next StrokePath.
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
    void Arc(std::uint8_t mode, double x, double y, double r, double start, double sweep) override;
    void Star(int n, std::uint8_t mode, double x, double y, double r1, double r2, double angle) override;
    void Polygon(int n, std::uint8_t mode, double x, double y, double r, double angle) override;
    // A negative position throws std::range_error.
    void BeginViewport(double x, double y, double w, double h) override;
    void EndViewport() override;
    double TextWidth(const std::string& text) override;

    // Compositing of the current surface (the bitmap's, or the innermost viewport's).
    TBlendMode BlendMode() const;
    void SetBlendMode(TBlendMode mode);

protected:
    // Binds a fresh drawing surface to the bitmap, dropping every state, viewport and path; nothing
    // else of the target's settings changes.
    bool AttachSurface(TBitmap& bitmap);
    // Lets go of the bitmap: nothing is drawn until the next attach.
    void DetachSurface();
    // Font sizes given to the text renderer: the em height rounded up to whole units.
    static int CeilFontSize(double size);

    // Pixels per logical unit of new viewport layers (the PNG writer renders them at output size).
    double LayerScaleX = 1;
    double LayerScaleY = 1;
    // Pixel mode on the screen (ascent and descent only); the PNG writer draws its text with it.
    TTextRender TextRender;

private:
    struct TSurface;
    struct TRGBA {
        std::uint8_t R = 0, G = 0, B = 0, A = 255;
    };
    struct TViewport {
        unsigned X = 0;
        unsigned Y = 0;
    };

    TSurface* Current() const { return Surfaces.empty() ? nullptr : Surfaces.back().get(); }
    static TRGBA ToRGBA(double r, double g, double b, double a);
    std::unique_ptr<TSurface> NewSurface(_cairo_surface* surface) const;
    void ApplyTransform();
    void PaintPath(bool fill, bool stroke);
    void UseColor(const TRGBA& color);

    // The bitmap's surface first, then one per open viewport.
    std::vector<std::unique_ptr<TSurface>> Surfaces;
    std::vector<TViewport> Viewports;
    std::vector<std::array<double, 6>> States;
    int PendingCap = 0;  // cairo's numbering
    int PendingJoin = 0; // cairo's numbering

    // The surfaces' own text engine: glyph outlines of a 2048-unit em, scaled to the font height.
    TTextRender RasterFont;
    double RasterFontHeight = 12;
};
