#pragma once
// Small shared helpers: locale-free number text, tolerant number input, text replacement,
// random identifiers, series colours, the clipboard and the application-data folder.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

// A colour: red in the lowest byte, then green, then blue; the highest byte is ignored.
using TColor = std::uint32_t;

inline std::uint8_t ColorRed(TColor color) {
    return color & 0xFF;
}
inline std::uint8_t ColorGreen(TColor color) {
    return (color >> 8) & 0xFF;
}
inline std::uint8_t ColorBlue(TColor color) {
    return (color >> 16) & 0xFF;
}
inline TColor MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (green << 8) | (blue << 16);
}

// The hue offset in degrees with which data series are coloured (see SeriesColor).
inline constexpr int SeriesHueOffset = 250;

inline constexpr double NoBound = std::numeric_limits<double>::quiet_NaN();

// `value` with at most `decimals` decimals, "." as separator, no trailing zeros; a value that
// rounds to zero is "0", and so is a value that is not finite (JSON has no text for it).
// For JSON text and files, never for text shown to the user.
std::string FormatFixed(double value, int decimals);
// Reads "2.5" and "2,5" alike whatever the user's decimal separator; 0 for anything IsNumber rejects.
double StrToFloatTolerant(const std::string& text);
// Optional sign, then a digit, then digits with at most one "." or "," (none when integerOnly);
// the value must lie within min and max, a NaN bound imposing no limit.
bool IsNumber(const std::string& text, bool integerOnly, double min = NoBound, double max = NoBound);

// The smaller (larger) of a and b, ignoring whichever is NaN.
double MinOfValid(double a, double b);
double MaxOfValid(double a, double b);
// `value` reduced into 0 <= result < modulus; a modulus that is not positive returns value unchanged.
double PositiveMod(double modulus, double value);

// Replaces the first (all = false) or every non-overlapping occurrence, scanning left to right.
std::string ReplaceText(const std::string& text, const std::string& oldPart, const std::string& newPart,
                        bool all);
// Non-overlapping occurrences of `part` in `text`; 0 for an empty part.
int CountText(const std::string& text, const std::string& part);

// `length` characters drawn independently and uniformly from alphabet 1 (0-9, A-Z, a-z),
// 2 (0-9, a-z) or 3 (the printable characters "!" to "~"). Not unique, not for secrets.
std::string RandomID(int length, int alphabet = 1);

TColor HSLToColor(double lightness, double saturation, double hue);
// Successive indices get hues log2(2 × index + 1) × 360 degrees after hueOffset, which never repeat.
TColor SeriesColor(int index, double hueOffset, double lightness, double saturation);
// 0 (black) to 1 (white), weighted for the eye.
double Luminance(TColor colour);

void CopyToClipboard(const std::string& text);

// Where "default.cfg" and the data cache live: $XDG_DATA_HOME (or ~/.local/share) + "/BRH/Lumeroc";
// the program's own folder when neither variable names a folder.
std::string AppDataFolder();
// The folder holding the running program ("" when the system cannot tell).
std::string ProgramFolder();
