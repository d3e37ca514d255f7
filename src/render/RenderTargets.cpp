#include "render/RenderTargets.h"

#include <cmath>

std::vector<TCurvePoint> StarVertices(double x, double y, double r1, double r2, double startRadians, int n) {
    std::vector<TCurvePoint> vertices;
    if (n <= 0) {
        return vertices;
    }
    const double step = 2 * Pi / n;
    vertices.push_back({x + r2 * std::cos(startRadians), y + r2 * std::sin(startRadians)});
    for (int i = 0; i < n; ++i) {
        const double inner = startRadians + (i + 0.5) * step;
        const double outer = startRadians + (i + 1) * step;
        vertices.push_back({x + r1 * std::cos(inner), y + r1 * std::sin(inner)});
        vertices.push_back({x + r2 * std::cos(outer), y + r2 * std::sin(outer)});
    }
    return vertices;
}

std::vector<TCurvePoint> PolygonVertices(double x, double y, double radius, double startRadians, int n) {
    std::vector<TCurvePoint> vertices;
    for (int i = 0; i < n; ++i) {
        const double angle = startRadians + i * 2 * Pi / n;
        vertices.push_back({x + radius * std::cos(angle), y + radius * std::sin(angle)});
    }
    return vertices;
}

TCurvePoint TextAnchorOffset(double width, double ascent, double descent, double alignX, double alignY) {
    return {-alignX * width, alignY >= 0 ? alignY * ascent : alignY * descent};
}

void TRenderTarget::SetFont(const std::string& name, bool bold, bool italic, double size) {
    FontName = name;
    FontBold = bold;
    FontItalic = italic;
    FontSize = size;
}

void TRenderTarget::DrawOutline(const TGlyphOutline& outline) {
    NewPath();
    for (const TFontShape& shape : outline.Shapes) {
        MoveTo(shape.Start.X, shape.Start.Y);
        TCurvePoint current = shape.Start;
        for (const TFontCurve& curve : shape.Curves) {
            const std::vector<TCurvePoint>& points = curve.Points;
            if (curve.Kind == CurveLines) {
                for (const TCurvePoint& point : points) {
                    LineTo(point.X, point.Y);
                    current = point;
                }
            } else if (curve.Kind == CurveQuadratic) {
                // Between two control points the curve passes through their midpoint.
                for (std::size_t k = 0; k + 1 < points.size(); ++k) {
                    const TCurvePoint& control = points[k];
                    const TCurvePoint end = k + 2 < points.size()
                                                ? TCurvePoint{(control.X + points[k + 1].X) / 2,
                                                              (control.Y + points[k + 1].Y) / 2}
                                                : points[k + 1];
                    CurveTo(current.X + 2.0 / 3 * (control.X - current.X),
                            current.Y + 2.0 / 3 * (control.Y - current.Y),
                            end.X + 2.0 / 3 * (control.X - end.X), end.Y + 2.0 / 3 * (control.Y - end.Y),
                            end.X, end.Y);
                    current = end;
                }
            } else if (curve.Kind == CurveCubic) {
                for (std::size_t k = 0; k + 2 < points.size(); k += 3) {
                    CurveTo(points[k].X, points[k].Y, points[k + 1].X, points[k + 1].Y, points[k + 2].X,
                            points[k + 2].Y);
                    current = points[k + 2];
                }
            }
        }
        ClosePath();
    }
    FillPath();
}

void TRenderTarget::EllipsePath(double rx, double ry) {
    const double kx = EllipseKappa * rx;
    const double ky = EllipseKappa * ry;
    MoveTo(0, ry);
    CurveTo(kx, ry, rx, ky, rx, 0);
    CurveTo(rx, -ky, kx, -ry, 0, -ry);
    CurveTo(-kx, -ry, -rx, -ky, -rx, 0);
    CurveTo(-rx, ky, -kx, ry, 0, ry);
}

void TRenderTarget::VerticesPath(const std::vector<TCurvePoint>& vertices) {
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (i == 0) {
            MoveTo(vertices[i].X, vertices[i].Y);
        } else {
            LineTo(vertices[i].X, vertices[i].Y);
        }
    }
}

void TRenderTarget::DrawTextOutline(TTextRender& render, const std::string& text, double x, double y,
                                    double alignX, double alignY, double angle) {
    std::unique_ptr<TGlyphOutline> outline = render.GetTextOutline(text);
    if (!outline) {
        return;
    }
    // The outline is y-up: the y-down offset changes sign.
    const TCurvePoint offset =
        TextAnchorOffset(outline->Width, outline->Ascent, outline->Descent, alignX, alignY);
    SaveState();
    Translate(x, y);
    Rotate(angle);
    Scale(1, -1);
    Translate(offset.X, -offset.Y);
    DrawOutline(*outline);
    RestoreState();
}
