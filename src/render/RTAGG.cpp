#include "render/RTAGG.h"

#include "platform/Bitmap.h"

#include <cairo.h>

#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

// Layer sizes beyond cairo's limit would give a surface that silently draws nothing.
constexpr double LargestLayer = 32767;

// Em height of the surfaces' glyph outlines: results are scaled to the font height from it, so any
// height, fractional ones included, is drawn from one cache.
constexpr int RasterFontUnits = 2048;

std::uint8_t ToByte(double component) {
    const double scaled = std::round(component * 255);
    if (!(scaled >= 0 && scaled <= 255)) {
        throw std::range_error("Range check error");
    }
    return static_cast<std::uint8_t>(scaled);
}

int LayerSize(double size) {
    const double rounded = std::round(size);
    if (!(rounded > 0)) {
        return 0;
    }
    return static_cast<int>(std::min(rounded, LargestLayer));
}

cairo_line_cap_t CairoCap(std::uint8_t cap) {
    switch (cap) {
    case CapButt:
        return CAIRO_LINE_CAP_BUTT;
    case CapRound:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_SQUARE;
    }
}

cairo_line_join_t CairoJoin(std::uint8_t join) {
    switch (join) {
    case JoinMiter:
        return CAIRO_LINE_JOIN_MITER;
    case JoinRound:
        return CAIRO_LINE_JOIN_ROUND;
    default:
        return CAIRO_LINE_JOIN_BEVEL;
    }
}

} // namespace

// One cairo context on one image surface. The transform is kept here as well as in cairo, because cairo
// refuses a singular matrix for good; while it is singular everything drawn collapses, so nothing is drawn.
struct TRTAGG::TSurface {
    cairo_surface_t* Surface = nullptr;
    cairo_t* Context = nullptr;
    TRGBA Fill;
    TRGBA Stroke;
    cairo_matrix_t Transform{};
    bool Singular = false;
    bool Additive = false;
    // The colour cairo's source holds, so that a run of equal colours sets it once.
    TRGBA Source;
    bool SourceValid = false;

    ~TSurface() {
        cairo_destroy(Context);
        cairo_surface_destroy(Surface);
    }
};

TRTAGG::TRTAGG() {
    TRTAGG::SetFont(FontName, FontBold, FontItalic, FontSize);
}

TRTAGG::~TRTAGG() = default;

std::unique_ptr<TRTAGG::TSurface> TRTAGG::NewSurface(_cairo_surface* surface) const {
    auto result = std::make_unique<TSurface>();
    result->Surface = surface;
    result->Context = cairo_create(surface);
    cairo_matrix_init_identity(&result->Transform);
    // A fresh surface strokes with round caps and joins until a StrokePath applies the stored ones.
    cairo_set_line_cap(result->Context, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(result->Context, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(result->Context, 1);
    return result;
}

bool TRTAGG::AttachSurface(TBitmap& bitmap) {
    if (bitmap.IsEmpty() ||
        bitmap.Stride() != cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, bitmap.GetWidth())) {
        return false;
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(bitmap.Data()), CAIRO_FORMAT_ARGB32, bitmap.GetWidth(),
        bitmap.GetHeight(), bitmap.Stride());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    DetachSurface();
    Surfaces.push_back(NewSurface(surface));
    return true;
}

void TRTAGG::DetachSurface() {
    Viewports.clear();
    Surfaces.clear();
    States.clear();
}

bool TRTAGG::Attach(TBitmap& bitmap) {
    if (!AttachSurface(bitmap)) {
        return false;
    }
    SetLineCap(CapSquare);
    SetLineJoin(JoinRound);
    SetFillColor(0);
    SetStrokeColor(0);
    return true;
}

bool TRTAGG::Init(int, int) {
    return false;
}

bool TRTAGG::InitForBitmap(const TBitmap&, int, int) {
    return false;
}

bool TRTAGG::InitSized(int, int, int, int) {
    return false;
}

void TRTAGG::ApplyTransform() {
    TSurface* surface = Current();
    cairo_matrix_t inverse = surface->Transform;
    surface->Singular = cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS;
    if (!surface->Singular) {
        cairo_set_matrix(surface->Context, &surface->Transform);
    }
}

void TRTAGG::Translate(double x, double y) {
    if (TSurface* surface = Current()) {
        cairo_matrix_translate(&surface->Transform, x, y);
        ApplyTransform();
    }
}

void TRTAGG::Rotate(double degrees) {
    if (TSurface* surface = Current()) {
        cairo_matrix_rotate(&surface->Transform, DegreesToRadians(degrees));
        ApplyTransform();
    }
}

void TRTAGG::Scale(double sx, double sy) {
    if (TSurface* surface = Current()) {
        cairo_matrix_scale(&surface->Transform, sx, sy);
        ApplyTransform();
    }
}

void TRTAGG::SaveState() {
    if (TSurface* surface = Current()) {
        const cairo_matrix_t& m = surface->Transform;
        States.push_back({m.xx, m.yx, m.xy, m.yy, m.x0, m.y0});
    }
}

void TRTAGG::RestoreState() {
    TSurface* surface = Current();
    if (!surface || States.empty()) {
        return;
    }
    const std::array<double, 6> saved = States.back();
    States.pop_back();
    cairo_matrix_init(&surface->Transform, saved[0], saved[1], saved[2], saved[3], saved[4], saved[5]);
    ApplyTransform();
}

TRTAGG::TRGBA TRTAGG::ToRGBA(double r, double g, double b, double a) {
    return {ToByte(r), ToByte(g), ToByte(b), ToByte(a)};
}

void TRTAGG::SetFillColorRGBA(double r, double g, double b, double a) {
    const TRGBA color = ToRGBA(r, g, b, a);
    if (TSurface* surface = Current()) {
        surface->Fill = color;
    }
}

void TRTAGG::SetFillColor(std::uint32_t color) {
    if (TSurface* surface = Current()) {
        surface->Fill = {ColorRed(color), ColorGreen(color), ColorBlue(color), 255};
    }
}

void TRTAGG::SetStrokeColorRGBA(double r, double g, double b, double a) {
    const TRGBA color = ToRGBA(r, g, b, a);
    if (TSurface* surface = Current()) {
        surface->Stroke = color;
    }
}

void TRTAGG::SetStrokeColor(std::uint32_t color) {
    if (TSurface* surface = Current()) {
        surface->Stroke = {ColorRed(color), ColorGreen(color), ColorBlue(color), 255};
    }
}

void TRTAGG::SetLineWidth(double width) {
    if (TSurface* surface = Current()) {
        cairo_set_line_width(surface->Context, std::isfinite(width) && width > 0 ? width : 0);
    }
}

void TRTAGG::SetLineCap(std::uint8_t cap) {
    if (cap <= CapSquare) {
        PendingCap = CairoCap(cap);
    }
}

void TRTAGG::SetLineJoin(std::uint8_t join) {
    if (join <= JoinBevel) {
        PendingJoin = CairoJoin(join);
    }
}

int TRTAGG::CeilFontSize(double size) {
    if (!(size > 0)) {
        return 0;
    }
    return static_cast<int>(std::ceil(std::min(size, 1e6)));
}

void TRTAGG::SetFont(const std::string& name, bool bold, bool italic, double size) {
    TRenderTarget::SetFont(name, bold, italic, size);
    RasterFont.SetFont(name, RasterFontUnits, false, italic, bold);
    RasterFontHeight = std::isfinite(size) ? size : 0;
    TextRender.SetFont(name, CeilFontSize(size), true, italic, bold);
}

void TRTAGG::UseColor(const TRGBA& color) {
    TSurface* surface = Current();
    if (surface->SourceValid && surface->Source.R == color.R && surface->Source.G == color.G &&
        surface->Source.B == color.B && surface->Source.A == color.A) {
        return;
    }
    cairo_set_source_rgba(surface->Context, color.R / 255.0, color.G / 255.0, color.B / 255.0,
                          color.A / 255.0);
    surface->Source = color;
    surface->SourceValid = true;
}

// A fully transparent colour stands for "no fill" or "no stroke".
void TRTAGG::PaintPath(bool fill, bool stroke) {
    TSurface* surface = Current();
    if (fill && surface->Fill.A > 0) {
        UseColor(surface->Fill);
        cairo_fill_preserve(surface->Context);
    }
    if (stroke && surface->Stroke.A > 0) {
        UseColor(surface->Stroke);
        cairo_stroke_preserve(surface->Context);
    }
}

void TRTAGG::FillPath() {
    TSurface* surface = Current();
    if (surface && !surface->Singular) {
        PaintPath(true, false);
    }
}

void TRTAGG::FillPathWith(double r, double g, double b, double a) {
    SetFillColorRGBA(r, g, b, a);
    FillPath();
}

void TRTAGG::Clear(double r, double g, double b, double a) {
    const TRGBA color = ToRGBA(r, g, b, a);
    TSurface* surface = Current();
    if (!surface) {
        return;
    }
    cairo_t* context = surface->Context;
    cairo_save(context);
    cairo_identity_matrix(context);
    cairo_reset_clip(context);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(context, color.R / 255.0, color.G / 255.0, color.B / 255.0, color.A / 255.0);
    cairo_paint(context);
    cairo_restore(context);
}

void TRTAGG::DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                      double angle) {
    if (text.empty() || !Current()) {
        return;
    }
    SaveState();
    // Whole units keep the glyphs of screen labels on the same sub-pixel phase.
    Translate(std::floor(x), std::floor(y));
    Rotate(angle);
    const TCurvePoint offset =
        TextAnchorOffset(TextWidth(text), TextRender.Ascent(), TextRender.Descent(), alignX, alignY);
    Translate(std::round(offset.X), std::round(offset.Y));
    if (std::unique_ptr<TGlyphOutline> outline = RasterFont.GetTextOutline(text)) {
        const double scale = RasterFontHeight / RasterFontUnits;
        Scale(scale, -scale);
        DrawOutline(*outline);
    }
    RestoreState();
}

void TRTAGG::MoveTo(double x, double y) {
    TSurface* surface = Current();
    if (surface && !surface->Singular) {
        cairo_move_to(surface->Context, x, y);
    }
}

void TRTAGG::LineTo(double x, double y) {
    TSurface* surface = Current();
    if (surface && !surface->Singular) {
        cairo_line_to(surface->Context, x, y);
    }
}

void TRTAGG::CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    TSurface* surface = Current();
    if (surface && !surface->Singular) {
        cairo_curve_to(surface->Context, x1, y1, x2, y2, x3, y3);
    }
}

void TRTAGG::NewPath() {
    if (TSurface* surface = Current()) {
        cairo_new_path(surface->Context);
    }
}

void TRTAGG::ClosePath() {
    TSurface* surface = Current();
    if (surface && !surface->Singular) {
        cairo_close_path(surface->Context);
    }
}

void TRTAGG::StrokePath() {
    TSurface* surface = Current();
    if (!surface || surface->Singular) {
        return;
    }
    cairo_set_line_cap(surface->Context, static_cast<cairo_line_cap_t>(PendingCap));
    cairo_set_line_join(surface->Context, static_cast<cairo_line_join_t>(PendingJoin));
    PaintPath(false, true);
}

void TRTAGG::Line(double x1, double y1, double x2, double y2) {
    TSurface* surface = Current();
    if (!surface || surface->Singular) {
        return;
    }
    cairo_new_path(surface->Context);
    cairo_move_to(surface->Context, x1, y1);
    cairo_line_to(surface->Context, x2, y2);
    PaintPath(false, true);
}

// Without the value array of DrawShape: the actogram fills a million of these.
void TRTAGG::Rectangle(std::uint8_t mode, double x, double y, double w, double h) {
    TSurface* surface = Current();
    if (!surface || surface->Singular) {
        return;
    }
    cairo_new_path(surface->Context);
    cairo_rectangle(surface->Context, x, y, w, h);
    PaintPath(mode != DrawOutlineOnly, mode != DrawFill);
}

void TRTAGG::DrawShape(std::uint8_t kind, std::uint8_t mode, const std::vector<double>& values) {
    static constexpr std::size_t ValueCounts[] = {4, 3, 5, 0, 6, 5};
    TSurface* surface = Current();
    if (!surface || surface->Singular || kind >= std::size(ValueCounts) || ValueCounts[kind] == 0 ||
        values.size() < ValueCounts[kind]) {
        return;
    }
    cairo_t* context = surface->Context;
    const bool fill = mode != DrawOutlineOnly;
    const bool stroke = mode != DrawFill;
    cairo_new_path(context);
    switch (kind) {
    case ShapeRectangle:
        cairo_rectangle(context, values[0], values[1], values[2] - values[0], values[3] - values[1]);
        break;
    case ShapeCircle:
        cairo_arc(context, values[0], values[1], std::abs(values[2]), 0, 2 * Pi);
        cairo_close_path(context);
        break;
    case ShapeEllipse:
        SaveState();
        Translate(values[0], values[1]);
        Rotate(values[4]);
        EllipsePath(values[2], values[3]);
        ClosePath();
        if (!Current()->Singular) {
            PaintPath(fill, stroke);
        }
        RestoreState();
        return;
    case ShapeStar:
        VerticesPath(
            StarVertices(values[0], values[1], values[2], values[3], values[4], static_cast<int>(values[5])));
        cairo_close_path(context);
        break;
    case ShapePolygon:
        VerticesPath(
            PolygonVertices(values[0], values[1], values[2], values[3], static_cast<int>(values[4])));
        cairo_close_path(context);
        break;
    }
    PaintPath(fill, stroke);
}

void TRTAGG::Circle(std::uint8_t mode, double x, double y, double r) {
    DrawShape(ShapeCircle, mode, {x, y, r});
}

void TRTAGG::Ellipse(std::uint8_t mode, double x, double y, double rx, double ry, double angle) {
    DrawShape(ShapeEllipse, mode, {x, y, rx, ry, angle});
}

void TRTAGG::Arc(std::uint8_t mode, double x, double y, double r, double start, double sweep) {
    TSurface* surface = Current();
    if (!surface) {
        return;
    }
    cairo_new_path(surface->Context);
    if (mode == DrawFill || surface->Singular) {
        return;
    }
    if (sweep >= 0) {
        cairo_arc(surface->Context, x, y, std::abs(r), start, start + sweep);
    } else {
        cairo_arc_negative(surface->Context, x, y, std::abs(r), start, start + sweep);
    }
    PaintPath(false, true);
}

void TRTAGG::Star(int n, std::uint8_t mode, double x, double y, double r1, double r2, double angle) {
    DrawShape(ShapeStar, mode, {x, y, r1, r2, DegreesToRadians(angle), static_cast<double>(n)});
}

void TRTAGG::Polygon(int n, std::uint8_t mode, double x, double y, double r, double angle) {
    TSurface* surface = Current();
    if (!surface || surface->Singular) {
        return;
    }
    NewPath();
    VerticesPath(PolygonVertices(x, y, r, DegreesToRadians(angle), n));
    ClosePath();
    PaintPath(mode == DrawFill || mode == DrawFillAndOutline, mode != DrawFill);
}

void TRTAGG::BeginViewport(double x, double y, double w, double h) {
    TSurface* enclosing = Current();
    if (!enclosing) {
        return;
    }
    const double left = std::round(x);
    const double top = std::round(y);
    if (!(left >= 0 && top >= 0 && left <= UINT_MAX && top <= UINT_MAX)) {
        throw std::range_error("Range check error");
    }
    // An empty layer is still a viewport: what is drawn into it is clipped away, not spilled outside.
    std::unique_ptr<TSurface> layer = NewSurface(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, LayerSize(w * LayerScaleX), LayerSize(h * LayerScaleY)));
    layer->Fill = enclosing->Fill;
    Surfaces.push_back(std::move(layer));
    Viewports.push_back({static_cast<unsigned>(left), static_cast<unsigned>(top)});
    Scale(LayerScaleX, LayerScaleY);
}

void TRTAGG::EndViewport() {
    if (Viewports.empty()) {
        return;
    }
    const TViewport viewport = Viewports.back();
    Viewports.pop_back();
    const std::unique_ptr<TSurface> layer = std::move(Surfaces.back());
    Surfaces.pop_back();
    SetBlendMode(TBlendMode::Normal);
    TSurface* surface = Current();
    if (surface->Singular) {
        return;
    }
    cairo_surface_flush(layer->Surface);
    cairo_t* context = surface->Context;
    cairo_save(context);
    cairo_translate(context, viewport.X, viewport.Y);
    cairo_scale(context, 1 / LayerScaleX, 1 / LayerScaleY);
    cairo_set_source_surface(context, layer->Surface, 0, 0);
    cairo_paint(context);
    cairo_restore(context);
}

double TRTAGG::TextWidth(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    return RasterFont.TextWidth(text) * RasterFontHeight / RasterFontUnits;
}

TBlendMode TRTAGG::BlendMode() const {
    const TSurface* surface = Current();
    return surface && surface->Additive ? TBlendMode::Additive : TBlendMode::Normal;
}

void TRTAGG::SetBlendMode(TBlendMode mode) {
    if (TSurface* surface = Current()) {
        surface->Additive = mode == TBlendMode::Additive;
        cairo_set_operator(surface->Context, surface->Additive ? CAIRO_OPERATOR_ADD : CAIRO_OPERATOR_OVER);
    }
}
