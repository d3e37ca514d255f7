#pragma once
// Pictures read back from files for comparing the raster and the vector output: EPS rendered by
// Ghostscript and PNG converted by ImageMagick, both through binary PPM.

#include <cstdint>
#include <string>
#include <vector>

struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb; // rows top to bottom

    const std::uint8_t* At(int x, int y) const { return &Rgb[(static_cast<std::size_t>(y) * Width + x) * 3]; }
};

// Throws std::runtime_error when the file is no binary PPM (P6, 8 bits).
TPicture ReadPpm(const std::string& path);
// The EPS at its bounding box, one pixel per point (72 dpi, anti-aliased); throws when Ghostscript fails.
TPicture RasteriseEps(const std::string& epsPath, const std::string& ppmPath);
// Throws when ImageMagick fails.
TPicture ReadPngThroughPpm(const std::string& pngPath, const std::string& ppmPath);
// The share of pixels of `a` whose largest channel difference exceeds `limit` against every pixel of `b`
// within `radius` pixels (0: the same pixel only); 1 for pictures of different size.
double DifferingShare(const TPicture& a, const TPicture& b, int limit, int radius = 0);
