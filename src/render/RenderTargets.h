#pragma once
// The one drawing interface of the charts. Logical units with the origin at the top left and y
// downwards; angles in degrees turn clockwise on screen. Implementations: TRTAGG (raster, on a
// bitmap), TRTPNGWriter (raster at an output size, written as PNG) and TRTPostScript (EPS).

#include "data/Tools.h"
#include "render/TextRender.h"

#include <cstdint>
#include <string>
#include <vector>

class TBitmap;

// Draw modes of the shape operations.
constexpr std::uint8_t DrawFill = 0;
constexpr std::uint8_t DrawOutlineOnly = 1;
constexpr std::uint8_t DrawFillAndOutline = 2;

// Shape kinds of DrawShape and the values each takes, in order.
constexpr std::uint8_t ShapeRectangle = 0; // x1, y1, x2, y2 (raster target only)
constexpr std::uint8_t ShapeCircle = 1;    // x, y, radius
constexpr std::uint8_t ShapeEllipse = 2;   // x, y, radius x, radius y, rotation in degrees
constexpr std::uint8_t ShapeStar = 4;      // x, y, R1, R2, start angle in radians, points N
constexpr std::uint8_t ShapePolygon = 5;   // x, y, radius, start angle in radians, corners N

constexpr std::uint8_t CapButt = 0;
constexpr std::uint8_t CapRound = 1;
constexpr std::uint8_t CapSquare = 2;
constexpr std::uint8_t JoinMiter = 0;
constexpr std::uint8_t JoinRound = 1;
constexpr std::uint8_t JoinBevel = 2;

// Quarter-ellipse control distance of the path-based targets (a slightly flatter value than the
// usual 0.5522847498, kept so that ellipses match files written before).
constexpr double EllipseKappa = 0.5517837498;

constexpr double Pi = 3.14159265358979323846;
inline double DegreesToRadians(double degrees) {
    return degrees * Pi / 180;
}

// Vertices of a star (starting at R2 on the start angle, R1 on the half steps) and of a regular
// polygon; vertex (r, a) lies at (x + r cos a, y + r sin a).
std::vector<TCurvePoint> StarVertices(double x, double y, double r1, double r2, double startRadians, int n);
std::vector<TCurvePoint> PolygonVertices(double x, double y, double radius, double startRadians, int n);

// Offset of the baseline origin from the anchor, y downwards: AlignX 0/0.5/1 starts, centres or ends
// the text on the anchor; AlignY 1 hangs it below (ascent line on the anchor), 0 puts the baseline on
// it, -1 stands it above (descent line on the anchor).
TCurvePoint TextAnchorOffset(double width, double ascent, double descent, double alignX, double alignY);

class TRenderTarget {
public:
    TRenderTarget() = default;
    virtual ~TRenderTarget() = default;
    TRenderTarget(const TRenderTarget&) = delete;
    TRenderTarget& operator=(const TRenderTarget&) = delete;

    // The operations in their declared order.
    virtual void DrawShape(std::uint8_t kind, std::uint8_t mode, const std::vector<double>& values) = 0;
    // Exactly one of the four initialising operations is called, before drawing; false means draw nothing.
    virtual bool Attach(TBitmap& bitmap) = 0;
    virtual bool Init(int width, int height) = 0;
    virtual bool InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) = 0;
    virtual bool InitSized(int width, int height, int outWidth, int outHeight) = 0;
    // Does nothing in every target; kept so that the operations keep their places.
    virtual void Reserved1() = 0;
    virtual void Translate(double x, double y) = 0;
    virtual void Rotate(double degrees) = 0;
    virtual void Scale(double sx, double sy) = 0;
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SetFillColorRGBA(double r, double g, double b, double a) = 0;
    virtual void SetFillColor(std::uint32_t color) = 0;
    virtual void SetStrokeColorRGBA(double r, double g, double b, double a) = 0;
    virtual void SetStrokeColor(std::uint32_t color) = 0;
    virtual void SetLineWidth(double width) = 0;
    virtual void SetLineCap(std::uint8_t cap) = 0;
    virtual void SetLineJoin(std::uint8_t join) = 0;
    // Size is the em height in logical units.
    virtual void SetFont(const std::string& name, bool bold, bool italic, double size);
    virtual void FillPath() = 0;
    virtual void FillPathWith(double r, double g, double b, double a) = 0;
    // Does nothing in every target; kept so that the operations keep their places.
    virtual void Reserved2() = 0;
    virtual void Clear(double r, double g, double b, double a) = 0;
    virtual void DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                          double angle) = 0;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) = 0;
    virtual void NewPath() = 0;
    virtual void ClosePath() = 0;
    virtual void StrokePath() = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Rectangle(std::uint8_t mode, double x, double y, double w, double h) = 0;
    virtual void Circle(std::uint8_t mode, double x, double y, double r) = 0;
    virtual void Ellipse(std::uint8_t mode, double x, double y, double rx, double ry, double angle) = 0;
    virtual void Arc(std::uint8_t mode, double x, double y, double r, double start, double sweep) = 0;
    virtual void Star(int n, std::uint8_t mode, double x, double y, double r1, double r2, double angle) = 0;
    virtual void Polygon(int n, std::uint8_t mode, double x, double y, double r, double angle) = 0;
    virtual void BeginViewport(double x, double y, double w, double h) = 0;
    virtual void EndViewport() = 0;
    virtual double TextWidth(const std::string& text) = 0;

    // Fills all contours of the outline as one path (non-zero winding, so letter holes stay open)
    // with the fill colour, in the current coordinate system.
    void DrawOutline(const TGlyphOutline& outline);

    std::string FontName = "Arial";
    double FontSize = 12;
    bool FontBold = false;
    bool FontItalic = false;

protected:
    // Path of an ellipse about the origin with semi-axes rx along x and ry along y, from (0, ry),
    // in four cubic quarters.
    void EllipsePath(double rx, double ry);
    // MoveTo the first vertex, LineTo the others; the caller closes the path.
    void VerticesPath(const std::vector<TCurvePoint>& vertices);
    // Text as a filled outline from `render`, placed as DrawText places it (the outline targets).
    void DrawTextOutline(TTextRender& render, const std::string& text, double x, double y, double alignX,
                         double alignY, double angle);
};
