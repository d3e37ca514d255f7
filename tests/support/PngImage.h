#pragma once
// PNG files decoded back with libpng, for checking what the targets wrote.

#include <cstdint>
#include <string>
#include <vector>

struct TRgba {
    std::uint8_t R = 0, G = 0, B = 0, A = 0;
};

struct TPngImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Bytes; // RGBA, straight alpha, rows top to bottom

    TRgba At(int x, int y) const;
};

// Throws std::runtime_error when the file is no readable PNG.
TPngImage ReadPngImage(const std::string& path);
