#pragma once
// Comparing the raster and the vector output: EPS rendered by Ghostscript, both pictures decoded by libpng.

#include "support/PngImage.h"

#include <string>

// The EPS at its bounding box, anti-aliased, scaled by `dpi` / 72 (one pixel per point by default),
// written as `pngPath` and decoded; throws std::runtime_error when Ghostscript fails.
TPngImage RasteriseEps(const std::string& epsPath, const std::string& pngPath, int dpi = 72);
// The share of pixels of `a` whose largest channel difference, both composited on white, exceeds `limit`
// against every pixel of `b` within `radius` pixels (0: the same pixel only); 1 for pictures of different
// size.
double DifferingShare(const TPngImage& a, const TPngImage& b, int limit, int radius = 0);
