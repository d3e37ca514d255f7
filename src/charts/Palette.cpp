#include "charts/Palette.h"

#include "platform/SafeFile.h"
#include "platform/UserDialogs.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

constexpr char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint16_t PaletteVersion = 768;

struct THSL {
    float Hue = 0;
    float Saturation = 0;
    float Lightness = 0;
};

THSL ToHSL(TColor colour) {
    const float r = ColorRed(colour) / 255.0f;
    const float g = ColorGreen(colour) / 255.0f;
    const float b = ColorBlue(colour) / 255.0f;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    THSL hsl;
    hsl.Lightness = (max + min) / 2;
    if (max == min) {
        return hsl;
    }
    const float delta = max - min;
    hsl.Saturation = hsl.Lightness > 0.5f ? delta / (2 - max - min) : delta / (max + min);
    if (max == r) {
        hsl.Hue = 60 * (g - b) / delta + (g < b ? 360 : 0);
    } else if (max == g) {
        hsl.Hue = 60 * (b - r) / delta + 120;
    } else {
        hsl.Hue = 60 * (r - g) / delta + 240;
    }
    return hsl;
}

bool IsExtremeLightness(float lightness) {
    return lightness < 0.05f || lightness > 0.95f;
}

void PutLE32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
}

void PutLE16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

std::uint32_t LE32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t LE16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// The reason a palette file was refused; the user sees only "Failed to open file!".
class TPaletteFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<TColor> ReadPaletteFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        throw TPaletteFileError("Cannot open file");
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0);
    if (size < 24) {
        throw TPaletteFileError("Specified file too short");
    }
    unsigned char header[12];
    if (!file.read(reinterpret_cast<char*>(header), 12)) {
        throw TPaletteFileError("Read error (file header)");
    }
    if (std::string(reinterpret_cast<char*>(header), 4) != "RIFF" || LE32(header + 4) != size - 8 ||
        std::string(reinterpret_cast<char*>(header + 8), 4) != "PAL ") {
        throw TPaletteFileError("File header corrupted (1)");
    }
    unsigned char chunk[12];
    if (!file.read(reinterpret_cast<char*>(chunk), 12)) {
        throw TPaletteFileError("Read error (chunk header)");
    }
    const std::uint16_t count = LE16(chunk + 10);
    if (std::string(reinterpret_cast<char*>(chunk), 4) != "data" || LE32(chunk + 4) != size - 20 ||
        LE16(chunk + 8) != PaletteVersion || count != (size - 24) / 4) {
        throw TPaletteFileError("File header corrupted (2)");
    }
    std::vector<unsigned char> entries(4 * std::size_t(count));
    if (!file.read(reinterpret_cast<char*>(entries.data()), static_cast<std::streamsize>(entries.size()))) {
        throw TPaletteFileError("Read error (color data)");
    }
    std::vector<TColor> colors(count);
    for (std::size_t i = 0; i < count; ++i) {
        colors[i] = MakeColor(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]);
    }
    return colors;
}

} // namespace

TPalette::TPalette(int count) : TPalette(count, TPaletteFillMode::RGB, 0xFFFFFF, 0) {}

TPalette::TPalette(int count, TPaletteFillMode mode, TColor endColor, TColor startColor) {
    SetCount(count);
    Fill(0, -1, mode, endColor, startColor);
}

TPalette TPalette::FromPaletteText(const std::string& text) {
    TPalette palette;
    palette.FromText(text);
    return palette;
}

TColor TPalette::GetColor(int index) const {
    return index >= 0 && index < Count() ? Colors[index] : 0;
}

void TPalette::SetColor(int index, TColor value) {
    if (index >= 0 && index < Count()) {
        Colors[index] = value;
    }
}

void TPalette::Fill(int first, int last, TPaletteFillMode mode, TColor endColor, TColor startColor) {
    if (last == -1) {
        last = Count() - 1;
    }
    if (last < first) {
        std::swap(first, last);
    }
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first > last) {
        return;
    }
    if (first == last || mode == TPaletteFillMode::Solid) {
        std::fill(Colors.begin() + first, Colors.begin() + last + 1, startColor);
        return;
    }
    const int steps = last - first;
    if (mode == TPaletteFillMode::RGB) {
        const auto channel = [steps](int start, int end, int i) { return start + (end - start) * i / steps; };
        for (int i = 0; i <= steps; ++i) {
            Colors[first + i] = MakeColor(channel(ColorRed(startColor), ColorRed(endColor), i),
                                          channel(ColorGreen(startColor), ColorGreen(endColor), i),
                                          channel(ColorBlue(startColor), ColorBlue(endColor), i));
        }
        return;
    }
    THSL start = ToHSL(startColor);
    THSL end = ToHSL(endColor);
    if (mode == TPaletteFillMode::HSLClockwise && start.Hue > end.Hue) {
        end.Hue += 360;
    }
    if (mode == TPaletteFillMode::HSLCounterClockwise && start.Hue < end.Hue) {
        start.Hue += 360;
    }
    // A grey end takes the hue of the other; black and white ends take its saturation.
    if (start.Saturation < 0.05f) {
        start.Hue = end.Hue;
    } else if (end.Saturation < 0.05f) {
        end.Hue = start.Hue;
    }
    if (IsExtremeLightness(start.Lightness)) {
        start.Saturation = end.Saturation;
    } else if (IsExtremeLightness(end.Lightness)) {
        end.Saturation = start.Saturation;
    }
    for (int i = 0; i <= steps; ++i) {
        const float x = static_cast<float>(i) / steps;
        const auto along = [x](float a, float b) { return a + (b - a) * x; };
        Colors[first + i] = HSLToColor(along(start.Lightness, end.Lightness),
                                       along(start.Saturation, end.Saturation), along(start.Hue, end.Hue));
    }
}

std::string TPalette::ToText() const {
    std::string bytes;
    bytes.reserve(3 * Colors.size());
    for (const TColor colour : Colors) {
        bytes.push_back(static_cast<char>(ColorBlue(colour)));
        bytes.push_back(static_cast<char>(ColorGreen(colour)));
        bytes.push_back(static_cast<char>(ColorRed(colour)));
    }
    // Three bytes per entry: whole base64 groups, never any "=" padding.
    std::string text(4 * Colors.size() + 1, '\0');
    const int length =
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    text.resize(length);
    return text;
}

void TPalette::FromText(const std::string& text) {
    static const std::array<int, 256> digits = [] {
        std::array<int, 256> table;
        table.fill(-1);
        for (int i = 0; i < 64; ++i) {
            table[static_cast<unsigned char>(Base64Alphabet[i])] = i;
        }
        return table;
    }();
    SetCount(static_cast<int>(text.size() / 4));
    for (std::size_t i = 0; i < Colors.size(); ++i) {
        std::int32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            value = value * 64 + digits[static_cast<unsigned char>(text[4 * i + k])];
        }
        Colors[i] = static_cast<TColor>(value);
    }
}

bool TPalette::LoadFromFile(const std::string& fileName) {
    try {
        Colors = ReadPaletteFile(fileName);
        return true;
    } catch (const TPaletteFileError&) {
        UserDialogs().ShowMessage("Failed to open file!", "Palette", TMessageKind::Error);
        return false;
    }
}

bool TPalette::SaveToFile(const std::string& fileName) const {
    const std::size_t count = std::min<std::size_t>(Colors.size(), 65535);
    std::string content = "RIFF";
    PutLE32(content, static_cast<std::uint32_t>(4 * count + 16));
    content += "PAL data";
    PutLE32(content, static_cast<std::uint32_t>(4 * count + 4));
    PutLE16(content, PaletteVersion);
    PutLE16(content, static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        content.push_back(static_cast<char>(ColorRed(Colors[i])));
        content.push_back(static_cast<char>(ColorGreen(Colors[i])));
        content.push_back(static_cast<char>(ColorBlue(Colors[i])));
        content.push_back('\0');
    }
    if (!ReplaceFileContents(fileName, content)) {
        UserDialogs().ShowMessage("Failed to open file!", "Palette", TMessageKind::Error);
        return false;
    }
    return true;
}

bool TPaletteList::Add(const std::string& text) {
    if (Contains(text)) {
        return false;
    }
    Texts.push_back(text);
    return true;
}

bool TPaletteList::Contains(const std::string& text) const {
    return std::find(Texts.begin(), Texts.end(), text) != Texts.end();
}

void TPaletteList::ResetToBuiltIn() {
    Texts.clear();
    for (const std::string& text : BuiltInPaletteTexts()) {
        Add(text);
    }
}

TPaletteList& PaletteList() {
    static TPaletteList list;
    return list;
}

std::vector<std::string> BuiltInPaletteTexts() {
    // Each gradient runs through its colours in equal RGB steps over 256 entries.
    const auto gradient = [](const std::vector<TColor>& stops) {
        TPalette palette(256);
        const int segments = static_cast<int>(stops.size()) - 1;
        for (int s = 0; s < segments; ++s) {
            palette.Fill(255 * s / segments, 255 * (s + 1) / segments, TPaletteFillMode::RGB, stops[s + 1],
                         stops[s]);
        }
        return palette.ToText();
    };
    const TColor white = 0xFFFFFF, black = 0, yellow = 0x00FFFF, magenta = 0xFF00FF, blue = 0xFF0000,
                 cyan = 0xFFFF00, green = 0x00FF00, red = 0x0000FF;
    return {gradient({white, yellow, magenta, blue, black}), gradient({white, black}),
            gradient({blue, cyan, green, yellow, red})};
}
