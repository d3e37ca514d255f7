#pragma once
// Colour palettes: gradients in RGB or HSL space, the compact palette text stored in chart settings
// (standard base64 of the bytes blue, green, red of each entry), RIFF palette files, and the
// application-wide list of palette texts offered to every chart.

#include "data/Tools.h"

#include <string>
#include <vector>

enum class TPaletteFillMode { Solid = 0, RGB = 1, HSLClockwise = 2, HSLCounterClockwise = 3 };

class TPalette {
public:
    // A ramp of `count` entries from black (index 0) to white (the last index).
    explicit TPalette(int count = 0);
    // `count` entries filled from startColor to endColor.
    TPalette(int count, TPaletteFillMode mode, TColor endColor, TColor startColor);
    // Decodes a palette text (see FromText).
    static TPalette FromPaletteText(const std::string& text);

    void Assign(const TPalette& other) { Colors = other.Colors; }
    int Count() const { return static_cast<int>(Colors.size()); }
    void SetCount(int count) { Colors.assign(count > 0 ? count : 0, 0); }
    // 0 for an index outside the palette; SetColor ignores one.
    TColor GetColor(int index) const;
    void SetColor(int index, TColor value);

    // Fills entries first … last (last -1: the last entry; the ends may come in either order).
    void Fill(int first, int last, TPaletteFillMode mode, TColor endColor, TColor startColor);

    std::string ToText() const;
    // Count becomes length / 4; characters outside the base64 alphabet count as -1 (not validated).
    void FromText(const std::string& text);

    // On failure both show "Failed to open file!" and return false. A file that cannot be read in full
    // leaves the palette as it was; a failed save leaves any previous file as it was.
    bool LoadFromFile(const std::string& fileName);
    bool SaveToFile(const std::string& fileName) const;

private:
    std::vector<TColor> Colors;
};

// The palette texts of this session, without duplicates, in the order they were added.
class TPaletteList {
public:
    // False when the text is already listed.
    bool Add(const std::string& text);
    int Count() const { return static_cast<int>(Texts.size()); }
    const std::string& Text(int index) const { return Texts.at(index); }
    bool Contains(const std::string& text) const;
    void Clear() { Texts.clear(); }
    // Clears the list and adds the three standard 256-entry palettes: white, yellow, magenta, blue,
    // black; white to black; blue, cyan, green, yellow, red.
    void ResetToBuiltIn();

private:
    std::vector<std::string> Texts;
};

TPaletteList& PaletteList();

// The three standard palettes, as palette texts.
std::vector<std::string> BuiltInPaletteTexts();
