#include "render/TextRender.h"

#include "platform/UserDialogs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {

struct TFontMatch {
    std::string File;
    int Index = 0;
    bool Embolden = false;
    bool Oblique = false;
};

// The program's own fontconfig configuration, released at exit (fontconfig's implicit one is never freed).
FcConfig* FontConfiguration() {
    struct THolder {
        FcConfig* Config = FcInitLoadConfigAndFonts();
        ~THolder() { FcConfigDestroy(Config); }
    };
    static THolder holder;
    return holder.Config;
}

// Asks fontconfig for the file of a face. Unknown names get fontconfig's default substitution (a sans
// face), so a match is found whenever any scalable font is installed. Matches are remembered: charts
// switch between a few faces all the time and a match costs far more than a glyph.
TFontMatch FindFont(const std::string& name, bool bold, bool italic) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool>, TFontMatch> found;
    std::lock_guard lock(mutex);
    const auto key = std::make_tuple(name, bold, italic);
    if (auto known = found.find(key); known != found.end()) {
        return known->second;
    }

    TFontMatch match;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(FontConfiguration(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* best = FcFontMatch(FontConfiguration(), pattern, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(best, FC_FILE, 0, &file) == FcResultMatch) {
            match.File = reinterpret_cast<const char*>(file);
        }
        FcPatternGetInteger(best, FC_INDEX, 0, &match.Index);
        FcBool embolden = FcFalse;
        FcPatternGetBool(best, FC_EMBOLDEN, 0, &embolden);
        match.Embolden = embolden == FcTrue;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(best, FC_SLANT, 0, &slant);
        match.Oblique = italic && slant == FC_SLANT_ROMAN;
        FcPatternDestroy(best);
    }
    FcPatternDestroy(pattern);
    found[key] = match;
    return match;
}

// Collects FreeType's segments into runs: consecutive quadratic segments whose joint is the midpoint
// of their controls become one run, as TrueType stores them.
struct TOutlineBuilder {
    TGlyphOutline* Outline;
    double Factor;
    TCurvePoint Current;

    TCurvePoint Point(const FT_Vector* vector) const { return {vector->x * Factor, vector->y * Factor}; }

    TFontCurve& Run(std::uint8_t kind) {
        std::vector<TFontCurve>& curves = Outline->Shapes.back().Curves;
        if (curves.empty() || curves.back().Kind != kind) {
            curves.push_back({kind, {}});
        }
        return curves.back();
    }

    static int MoveTo(const FT_Vector* to, void* user) {
        auto* builder = static_cast<TOutlineBuilder*>(user);
        builder->Current = builder->Point(to);
        builder->Outline->Shapes.push_back({builder->Current, {}});
        return 0;
    }

    static int LineTo(const FT_Vector* to, void* user) {
        auto* builder = static_cast<TOutlineBuilder*>(user);
        const TCurvePoint end = builder->Point(to);
        if (end.X != builder->Current.X || end.Y != builder->Current.Y) {
            builder->Run(CurveLines).Points.push_back(end);
            builder->Current = end;
        }
        return 0;
    }

    static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        auto* builder = static_cast<TOutlineBuilder*>(user);
        const TCurvePoint controlPoint = builder->Point(control);
        std::vector<TFontCurve>& curves = builder->Outline->Shapes.back().Curves;
        bool joined = false;
        if (!curves.empty() && curves.back().Kind == CurveQuadratic) {
            std::vector<TCurvePoint>& points = curves.back().Points;
            const TCurvePoint& previousControl = points[points.size() - 2];
            const TCurvePoint& joint = points.back();
            // FreeType rounds implied midpoints down to whole font units.
            const double tolerance = 0.5 * builder->Factor + 1e-9;
            if (std::abs((previousControl.X + controlPoint.X) / 2 - joint.X) <= tolerance &&
                std::abs((previousControl.Y + controlPoint.Y) / 2 - joint.Y) <= tolerance) {
                points.back() = controlPoint;
                joined = true;
            }
        }
        if (!joined) {
            curves.push_back({CurveQuadratic, {controlPoint}});
        }
        builder->Current = builder->Point(to);
        curves.back().Points.push_back(builder->Current);
        return 0;
    }

    static int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to,
                       void* user) {
        auto* builder = static_cast<TOutlineBuilder*>(user);
        builder->Current = builder->Point(to);
        std::vector<TCurvePoint>& points = builder->Run(CurveCubic).Points;
        points.push_back(builder->Point(control1));
        points.push_back(builder->Point(control2));
        points.push_back(builder->Current);
        return 0;
    }
};

} // namespace

struct TTextRender::TFreeType {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;
};

TTextRender::TTextRender() : FreeType(std::make_unique<TFreeType>()) {
    FT_Init_FreeType(&FreeType->Library);
    SetFont("Arial", 12, false, false, false);
}

TTextRender::~TTextRender() {
    ReleaseFace();
    if (FreeType->Library) {
        FT_Done_FreeType(FreeType->Library);
    }
}

void TTextRender::ReleaseFace() {
    if (FreeType->Face) {
        FT_Done_Face(FreeType->Face);
        FreeType->Face = nullptr;
    }
    File.clear();
    UnitsPerEm = 0;
    TypoAscent = 0;
    TypoDescent = 0;
}

bool TTextRender::SetFont(const std::string& name, int size, bool pixelMode, bool italic, bool bold) {
    if (FreeType->Face && name == Face && size == FontSize && pixelMode == IsPixelMode &&
        italic == IsItalic && bold == IsBold) {
        return true;
    }
    Face = name;
    FontSize = size;
    IsPixelMode = pixelMode;
    IsItalic = italic;
    IsBold = bold;
    ClearCache();
    ReleaseFace();

    const TFontMatch match = FindFont(name, bold, italic);
    FT_Face face = nullptr;
    if (!FreeType->Library || match.File.empty() ||
        FT_New_Face(FreeType->Library, match.File.c_str(), match.Index, &face) != 0) {
        UserDialogs().ShowMessage("Initialization Fail (1)", "", TMessageKind::Error);
        return false;
    }
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        UserDialogs().ShowMessage("Initialization Fail (1)", "", TMessageKind::Error);
        return false;
    }
    FreeType->Face = face;
    File = match.File;
    SyntheticBold = match.Embolden;
    SyntheticItalic = match.Oblique;
    UnitsPerEm = face->units_per_EM;
    // The typographic metrics; fonts without an OS/2 table have only the horizontal header's.
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        TypoAscent = os2->sTypoAscender;
        TypoDescent = std::abs(os2->sTypoDescender);
    } else {
        TypoAscent = face->ascender;
        TypoDescent = std::abs(face->descender);
    }
    return true;
}

// Glyphs are cached in the font's own units: design units, or pixels in pixel mode.
double TTextRender::UnitScale() const {
    if (IsPixelMode || UnitsPerEm == 0) {
        return 1;
    }
    return static_cast<double>(FontSize) / UnitsPerEm;
}

double TTextRender::Ascent() const {
    return UnitsPerEm ? TypoAscent * FontSize / UnitsPerEm : 0;
}

double TTextRender::Descent() const {
    return UnitsPerEm ? TypoDescent * FontSize / UnitsPerEm : 0;
}

const TGlyphOutline* TTextRender::GetGlyph(char32_t character) {
    if (auto cached = Cache.find(character); cached != Cache.end()) {
        return &cached->second;
    }
    FT_Face face = FreeType->Face;
    if (!face) {
        return nullptr;
    }
    // A character the font lacks gets the font's missing-glyph shape, as a word processor shows it.
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return nullptr;
    }
    FT_Outline& glyph = face->glyph->outline;
    FT_Pos advance = face->glyph->metrics.horiAdvance;
    if (SyntheticItalic) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Outline_Transform(&glyph, &shear);
    }
    if (SyntheticBold) {
        const FT_Pos strength = UnitsPerEm / 24;
        FT_Outline_EmboldenXY(&glyph, strength, strength);
        advance += strength;
    }

    const double factor = IsPixelMode ? static_cast<double>(FontSize) / UnitsPerEm : 1;
    TGlyphOutline outline;
    outline.Advance = {advance * factor, 0};
    TOutlineBuilder builder{&outline, factor, {}};
    FT_Outline_Funcs walk{};
    walk.move_to = &TOutlineBuilder::MoveTo;
    walk.line_to = &TOutlineBuilder::LineTo;
    walk.conic_to = &TOutlineBuilder::ConicTo;
    walk.cubic_to = &TOutlineBuilder::CubicTo;
    if (FT_Outline_Decompose(&glyph, &walk, &builder) != 0) {
        return nullptr;
    }
    return &Cache.emplace(character, std::move(outline)).first->second;
}

double TTextRender::Kerning(char32_t previous, char32_t next) const {
    FT_Face face = FreeType->Face;
    if (!face || !FT_HAS_KERNING(face)) {
        return 0;
    }
    FT_Vector amount{};
    if (FT_Get_Kerning(face, FT_Get_Char_Index(face, previous), FT_Get_Char_Index(face, next),
                       FT_KERNING_UNSCALED, &amount) != 0) {
        return 0;
    }
    return IsPixelMode ? amount.x * static_cast<double>(FontSize) / UnitsPerEm : amount.x;
}

std::unique_ptr<TGlyphOutline> TTextRender::GetTextOutline(const std::string& text) {
    if (text.empty()) {
        return nullptr;
    }
    const double q = UnitScale();
    auto result = std::make_unique<TGlyphOutline>();
    result->Ascent = Ascent();
    result->Descent = Descent();
    double x = 0;
    double y = 0;
    bool havePrevious = false;
    char32_t previous = 0;
    for (char32_t character : DecodeUtf8(text)) {
        if (havePrevious) {
            x += Kerning(previous, character) * q;
        }
        const TGlyphOutline* glyph = GetGlyph(character);
        if (!glyph) {
            continue;
        }
        const auto place = [&](const TCurvePoint& point) {
            return TCurvePoint{point.X * q + x, point.Y * q + y};
        };
        for (const TFontShape& shape : glyph->Shapes) {
            TFontShape& copy = result->Shapes.emplace_back();
            copy.Start = place(shape.Start);
            for (const TFontCurve& curve : shape.Curves) {
                TFontCurve& curveCopy = copy.Curves.emplace_back();
                curveCopy.Kind = curve.Kind;
                curveCopy.Points.reserve(curve.Points.size());
                for (const TCurvePoint& point : curve.Points) {
                    curveCopy.Points.push_back(place(point));
                }
            }
        }
        x += glyph->Advance.X * q;
        y += glyph->Advance.Y * q;
        previous = character;
        havePrevious = true;
    }
    result->Width = x;
    result->Advance = {x, y};
    return result;
}

double TTextRender::TextWidth(const std::string& text) {
    if (text.empty()) {
        return -1;
    }
    double width = 0;
    bool havePrevious = false;
    char32_t previous = 0;
    for (char32_t character : DecodeUtf8(text)) {
        if (havePrevious) {
            width += Kerning(previous, character);
        }
        const TGlyphOutline* glyph = GetGlyph(character);
        if (!glyph) {
            continue;
        }
        width += glyph->Advance.X;
        previous = character;
        havePrevious = true;
    }
    return width * UnitScale();
}

void TTextRender::ClearCache() {
    Cache.clear();
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string result;
    result.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        int length = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
            smallest = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                valid = false;
            } else {
                code = (code << 6) | (bytes[i + k] & 0x3F);
            }
        }
        valid = valid && code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (valid) {
            result.push_back(code);
            i += length;
        } else {
            result.push_back(0xFFFD);
            ++i;
        }
    }
    return result;
}
