#pragma once
// Text as vector outlines: the glyphs of a TrueType (or CFF) font read through FreeType, cached per
// character, and assembled into the outline of a whole text with advances and kerning. The render
// targets draw these outlines as filled paths, so text scales with the output and EPS needs no fonts.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct TCurvePoint {
    double X = 0;
    double Y = 0;
};

// Kinds of a curve run.
constexpr std::uint8_t CurveLines = 0;
constexpr std::uint8_t CurveQuadratic = 1; // Q1 … Qn: implied on-curve midpoints, Qn on the curve
constexpr std::uint8_t CurveCubic = 2;     // triples of control 1, control 2, end point

struct TFontCurve {
    std::uint8_t Kind = CurveLines;
    std::vector<TCurvePoint> Points;
};

// One closed contour.
struct TFontShape {
    TCurvePoint Start;
    std::vector<TFontCurve> Curves;
};

struct TGlyphOutline {
    std::vector<TFontShape> Shapes;
    // For a character its advance vector; for an assembled text the final pen position.
    TCurvePoint Advance;
    // Set for assembled texts, in the text's units (ascent and descent as positive distances).
    double Width = 0;
    double Ascent = 0;
    double Descent = 0;
};

// Outline points are y-up, as fonts define them.
class TTextRender {
public:
    TTextRender();
    ~TTextRender();
    TTextRender(const TTextRender&) = delete;
    TTextRender& operator=(const TTextRender&) = delete;

    // Pixel mode: Size is the em height in pixels. Design-unit mode: glyphs are read in font design
    // units and results scaled by Size / em square. False (after showing a message) when the font
    // cannot be used; the values stay stored and the cache is empty.
    bool SetFont(const std::string& name, int size, bool pixelMode, bool italic, bool bold);

    double Ascent() const;
    double Descent() const;

    // The outline of one character in the font's own units (design units, or pixels in pixel mode);
    // owned by the cache. Null when the font cannot give the character.
    const TGlyphOutline* GetGlyph(char32_t character);
    // The outline of a UTF-8 text, scaled and positioned; null for an empty text.
    std::unique_ptr<TGlyphOutline> GetTextOutline(const std::string& text);
    // Advance width including kerning, scaled; -1 for an empty text.
    double TextWidth(const std::string& text);
    void ClearCache();

    const std::string& FaceName() const { return Face; }
    int Size() const { return FontSize; }
    bool Bold() const { return IsBold; }
    bool Italic() const { return IsItalic; }
    bool PixelMode() const { return IsPixelMode; }
    // The font file the face name resolved to; empty while no font is selected.
    const std::string& FontFile() const { return File; }
    int EmSquare() const { return UnitsPerEm; }

private:
    double UnitScale() const;
    double Kerning(char32_t previous, char32_t next) const;
    void ReleaseFace();

    std::string Face;
    int FontSize = 0;
    bool IsBold = false;
    bool IsItalic = false;
    bool IsPixelMode = false;

    struct TFreeType;
    std::unique_ptr<TFreeType> FreeType;
    std::string File;
    int UnitsPerEm = 0;
    double TypoAscent = 0;
    double TypoDescent = 0;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;

    std::unordered_map<char32_t, TGlyphOutline> Cache;
};

// Unicode code points of UTF-8 text; a malformed sequence gives U+FFFD.
std::u32string DecodeUtf8(const std::string& text);
