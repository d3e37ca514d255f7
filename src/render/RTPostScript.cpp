#include "render/RTPostScript.h"

#include "data/DateTimeFormats.h"
#include "platform/Bitmap.h"
#include "render/SaveThroughDialog.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace {

constexpr int CoordinateDecimals = 2;
constexpr int AngleDecimals = 3;
constexpr int ColorDecimals = 3;
constexpr int ScaleDecimals = 5;

void AppendNumber(std::string& out, double value, int decimals) {
    static constexpr double Powers[] = {1, 10, 100, 1000, 10000, 100000};
    // NaN or infinity would make the document unreadable; such a value stands for nothing drawable.
    if (!std::isfinite(value)) {
        out += '0';
        return;
    }
    const bool negative = value < 0;
    const double scaled = std::fabs(value) * Powers[decimals];
    // The default rounding mode rounds ties to even.
    const double rounded = std::nearbyint(scaled);
    if (scaled < 0.5 || rounded == 0) {
        out += '0';
        return;
    }
    char digits[320];
    char* end = nullptr;
    if (rounded < 1e18) {
        end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long long>(rounded)).ptr;
    } else {
        end = std::to_chars(digits, digits + sizeof digits, rounded, std::chars_format::fixed, 0).ptr;
    }
    const int count = static_cast<int>(end - digits);
    if (negative) {
        out += '-';
    }
    char* fraction = digits;
    if (count > decimals) {
        out.append(digits, count - decimals);
        fraction = end - decimals;
    }
    while (end > fraction && end[-1] == '0') {
        --end;
    }
    if (end == fraction) {
        return;
    }
    if (count > decimals) {
        out += '.';
    } else {
        out += "0.";
        out.append(decimals - count, '0');
    }
    out.append(fraction, end);
}

// Appends one grey value when the components (nearly) agree, else "r g b"; returns whether it was grey.
bool AppendColor(std::string& out, double r, double g, double b) {
    if (std::fabs(r - g) < 0.01 && std::fabs(r - b) < 0.01) {
        AppendNumber(out, (r + g + b) * 0.33333333333, ColorDecimals);
        return true;
    }
    AppendNumber(out, r, ColorDecimals);
    out += ' ';
    AppendNumber(out, g, ColorDecimals);
    out += ' ';
    AppendNumber(out, b, ColorDecimals);
    return false;
}

// A platform colour is grey only when its three bytes are equal.
bool AppendColor(std::string& out, std::uint32_t color) {
    const std::uint8_t r = ColorRed(color);
    const std::uint8_t g = ColorGreen(color);
    const std::uint8_t b = ColorBlue(color);
    if (r == g && r == b) {
        AppendNumber(out, r / 255.0, ColorDecimals);
        return true;
    }
    AppendNumber(out, r / 255.0, ColorDecimals);
    out += ' ';
    AppendNumber(out, g / 255.0, ColorDecimals);
    out += ' ';
    AppendNumber(out, b / 255.0, ColorDecimals);
    return false;
}

const char* ColorOperator(bool grey) {
    return grey ? " sg\r\n" : " s\r\n";
}

// A count from a value array; anything that is not a usable count draws nothing.
int CountValue(double value) {
    return std::isfinite(value) && value >= 0 && value <= 1e6 ? static_cast<int>(value) : 0;
}

double Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace

std::string PostScriptNumber(double value, int decimals) {
    std::string text;
    AppendNumber(text, value, decimals);
    return text;
}

TRTPostScript::~TRTPostScript() {
    if (!Initialised) {
        return;
    }
    TFileDialogRequest request;
    request.Filter = "Encapsulated PostScript (*.eps)|*.eps";
    request.DefaultExtension = "eps";
    SaveThroughDialog(request, [this] { return Stream; });
}

void TRTPostScript::WriteLine(const char* text) {
    Stream += text;
    Stream += "\r\n";
}

void TRTPostScript::WriteNumber(double value, int decimals) {
    AppendNumber(Stream, value, decimals);
    Stream += ' ';
}

void TRTPostScript::WriteStrokeColor() {
    Stream += StrokeColor;
    Stream += ColorOperator(StrokeColor.find(' ') == std::string::npos);
}

void TRTPostScript::DrawShape(std::uint8_t kind, std::uint8_t mode, const std::vector<double>& values) {
    const std::size_t needed = kind == ShapeCircle ? 3 : kind == ShapeEllipse || kind == ShapePolygon ? 5 : 6;
    if ((kind != ShapeCircle && kind != ShapeEllipse && kind != ShapeStar && kind != ShapePolygon) ||
        values.size() < needed) {
        return;
    }
    const bool stroke = mode == DrawOutlineOnly || mode == DrawFillAndOutline;
    const bool fill = mode == DrawFill || mode == DrawFillAndOutline;
    // The ellipse moves and turns the coordinate system, which must not outlive the shape.
    const bool enclose = stroke || kind == ShapeEllipse;
    if (enclose) {
        WriteLine("gs");
    }
    NewPath();
    switch (kind) {
    case ShapeCircle:
        WriteNumber(values[0], CoordinateDecimals);
        WriteNumber(values[1], CoordinateDecimals);
        WriteNumber(values[2], CoordinateDecimals);
        WriteLine("0 360 arc");
        break;
    case ShapeEllipse:
        Translate(values[0], values[1]);
        Rotate(values[4]);
        EllipsePath(values[2], values[3]);
        break;
    case ShapeStar:
        VerticesPath(
            StarVertices(values[0], values[1], values[2], values[3], values[4], CountValue(values[5])));
        break;
    case ShapePolygon:
        VerticesPath(PolygonVertices(values[0], values[1], values[2], values[3], CountValue(values[4])));
        break;
    }
    ClosePath();
    if (mode == DrawFillAndOutline) {
        // fill consumes the path, which the outline still needs.
        WriteLine("gs");
    }
    if (fill) {
        WriteLine("fill");
    }
    if (mode == DrawFillAndOutline) {
        WriteLine("gr");
    }
    if (stroke) {
        WriteStrokeColor();
        StrokePath();
    }
    if (enclose) {
        WriteLine("gr");
    }
}

bool TRTPostScript::Attach(TBitmap& bitmap) {
    return Init(bitmap.GetWidth(), bitmap.GetHeight());
}

bool TRTPostScript::Init(int width, int height) {
    return InitSized(width, height, width, height);
}

bool TRTPostScript::InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) {
    return InitSized(bitmap.GetWidth(), bitmap.GetHeight(), outWidth, outHeight);
}

bool TRTPostScript::InitSized(int width, int height, int outWidth, int outHeight) {
    if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0) {
        return false;
    }
    try {
        const std::string outW = std::to_string(outWidth);
        const std::string outH = std::to_string(outHeight);
        std::string prolog;
        for (const std::string& line : {
                 std::string("%!PS-Adobe-3.0 EPSF-3.0"),
                 std::string("%%Creator: Lumeroc"),
                 std::string("%%Title: Actogram"),
                 "%%CreationDate: (" + FormatShortDate(Today()) + ")",
                 "%%BoundingBox: 0 0 " + outW + " " + outH,
                 std::string("%%LanguageLevel: 2"),
                 std::string("%%EndComments"),
                 std::string("/r {rectfill} bind def"),
                 std::string("/rc {rectclip} bind def"),
                 std::string("/s {setrgbcolor} bind def"),
                 std::string("/sg {setgray} bind def"),
                 std::string("/t {translate} bind def"),
                 std::string("/m {moveto} bind def"),
                 std::string("/l {lineto} bind def"),
                 std::string("/c {curveto} bind def"),
                 std::string("/gs {gsave} bind def"),
                 std::string("/gr {grestore} bind def"),
                 std::string("/np {newpath} bind def"),
                 std::string("/cp {closepath} bind def"),
                 "0 0 " + outW + " " + outH + " rc",
                 "0 " + outH + " translate",
                 PostScriptNumber(static_cast<double>(outWidth) / width, ScaleDecimals) + " -" +
                     PostScriptNumber(static_cast<double>(outHeight) / height, ScaleDecimals) + " scale",
                 std::string("2 setlinecap"),
                 std::string("1 setlinejoin"),
             }) {
            prolog += line;
            prolog += "\r\n";
        }
        Stream = std::move(prolog);
    } catch (const std::exception&) {
        return false;
    }
    StrokeColor = "0";
    Initialised = true;
    return true;
}

void TRTPostScript::Translate(double x, double y) {
    if (std::fabs(x) <= 1e-7 && std::fabs(y) <= 1e-7) {
        return;
    }
    WriteNumber(x, CoordinateDecimals);
    WriteNumber(y, CoordinateDecimals);
    WriteLine("translate");
}

void TRTPostScript::Rotate(double degrees) {
    if (std::fabs(degrees) <= 1e-4) {
        return;
    }
    WriteNumber(degrees, AngleDecimals);
    WriteLine("rotate");
}

void TRTPostScript::Scale(double sx, double sy) {
    WriteNumber(sx, CoordinateDecimals);
    WriteNumber(sy, CoordinateDecimals);
    WriteLine("scale");
}

void TRTPostScript::SaveState() {
    WriteLine("gs");
}

void TRTPostScript::RestoreState() {
    WriteLine("gr");
}

void TRTPostScript::SetFillColorRGBA(double r, double g, double b, double) {
    const bool grey = AppendColor(Stream, r, g, b);
    Stream += ColorOperator(grey);
}

void TRTPostScript::SetFillColor(std::uint32_t color) {
    const bool grey = AppendColor(Stream, color);
    Stream += ColorOperator(grey);
}

void TRTPostScript::SetStrokeColorRGBA(double r, double g, double b, double) {
    StrokeColor.clear();
    AppendColor(StrokeColor, r, g, b);
}

void TRTPostScript::SetStrokeColor(std::uint32_t color) {
    StrokeColor.clear();
    AppendColor(StrokeColor, color);
}

void TRTPostScript::SetLineWidth(double width) {
    WriteNumber(width, CoordinateDecimals);
    WriteLine("setlinewidth");
}

void TRTPostScript::SetLineCap(std::uint8_t cap) {
    static const char* const Lines[] = {"0 setlinecap", "1 setlinecap", "2 setlinecap"};
    if (cap <= CapSquare) {
        WriteLine(Lines[cap]);
    }
}

void TRTPostScript::SetLineJoin(std::uint8_t join) {
    static const char* const Lines[] = {"0 setlinejoin", "1 setlinejoin", "2 setlinejoin"};
    if (join <= JoinBevel) {
        WriteLine(Lines[join]);
    }
}

void TRTPostScript::SetFont(const std::string& name, bool bold, bool italic, double size) {
    TRenderTarget::SetFont(name, bold, italic, size);
    Text.SetFont(name, static_cast<int>(std::lround(size)), false, italic, bold);
}

void TRTPostScript::FillPath() {
    WriteLine("fill");
}

void TRTPostScript::FillPathWith(double r, double g, double b, double) {
    WriteNumber(r, ColorDecimals);
    WriteNumber(g, ColorDecimals);
    WriteNumber(b, ColorDecimals);
    WriteLine("s fill");
}

void TRTPostScript::Clear(double r, double g, double b, double a) {
    WriteLine("clippath");
    FillPathWith(r, g, b, a);
}

void TRTPostScript::DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                             double angle) {
    DrawTextOutline(Text, text, x, y, alignX, alignY, angle);
}

void TRTPostScript::MoveTo(double x, double y) {
    WriteNumber(x, CoordinateDecimals);
    WriteNumber(y, CoordinateDecimals);
    WriteLine("m");
}

void TRTPostScript::LineTo(double x, double y) {
    WriteNumber(x, CoordinateDecimals);
    WriteNumber(y, CoordinateDecimals);
    WriteLine("l");
}

void TRTPostScript::CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    for (const double value : {x1, y1, x2, y2, x3, y3}) {
        WriteNumber(value, CoordinateDecimals);
    }
    WriteLine("c");
}

void TRTPostScript::NewPath() {
    WriteLine("np");
}

void TRTPostScript::ClosePath() {
    WriteLine("cp");
}

void TRTPostScript::StrokePath() {
    // Inside gsave: the stroke colour must not become the fill colour, and the path stays for a fill.
    WriteLine("gs");
    WriteStrokeColor();
    WriteLine("stroke");
    WriteLine("gr");
}

void TRTPostScript::Line(double x1, double y1, double x2, double y2) {
    WriteLine("gs");
    WriteStrokeColor();
    NewPath();
    MoveTo(x1, y1);
    LineTo(x2, y2);
    StrokePath();
    WriteLine("gr");
}

void TRTPostScript::Rectangle(std::uint8_t mode, double x, double y, double w, double h) {
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    const bool stroke = mode == DrawOutlineOnly || mode == DrawFillAndOutline;
    if (stroke) {
        WriteLine("gs");
    }
    if (mode == DrawFill || mode == DrawFillAndOutline) {
        for (const double value : {x, y, w, h}) {
            WriteNumber(value, CoordinateDecimals);
        }
        WriteLine("r");
    }
    if (stroke) {
        WriteStrokeColor();
        for (const double value : {x, y, w, h}) {
            WriteNumber(value, CoordinateDecimals);
        }
        WriteLine("rectstroke");
        WriteLine("gr");
    }
}

void TRTPostScript::Circle(std::uint8_t mode, double x, double y, double r) {
    DrawShape(ShapeCircle, mode, {x, y, r});
}

void TRTPostScript::Ellipse(std::uint8_t mode, double x, double y, double rx, double ry, double angle) {
    DrawShape(ShapeEllipse, mode, {x, y, rx, ry, angle});
}

void TRTPostScript::Star(int n, std::uint8_t mode, double x, double y, double r1, double r2, double angle) {
    DrawShape(ShapeStar, mode, {x, y, r1, r2, DegreesToRadians(angle), static_cast<double>(n)});
}

void TRTPostScript::Polygon(int n, std::uint8_t mode, double x, double y, double r, double angle) {
    DrawShape(ShapePolygon, mode, {x, y, r, DegreesToRadians(angle), static_cast<double>(n)});
}

void TRTPostScript::BeginViewport(double x, double y, double w, double h) {
    WriteLine("gs");
    WriteNumber(x, CoordinateDecimals);
    WriteNumber(y, CoordinateDecimals);
    WriteLine("t");
    Stream += "0 0 ";
    WriteNumber(w, CoordinateDecimals);
    WriteNumber(h, CoordinateDecimals);
    WriteLine("rc");
}

void TRTPostScript::EndViewport() {
    WriteLine("gr");
}

double TRTPostScript::TextWidth(const std::string& text) {
    return Text.TextWidth(text);
}
