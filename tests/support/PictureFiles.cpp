#include "support/PictureFiles.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

struct TRgb {
    int R, G, B;
};

TRgb OnWhite(const TRgba& pixel) {
    const auto channel = [&pixel](int value) {
        return (value * pixel.A + 255 * (255 - pixel.A) + 127) / 255;
    };
    return {channel(pixel.R), channel(pixel.G), channel(pixel.B)};
}

} // namespace

TPngImage RasteriseEps(const std::string& epsPath, const std::string& pngPath, int dpi) {
    const std::string command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=png16m -r" + std::to_string(dpi) +
        " -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -sOutputFile='" + pngPath + "' '" + epsPath + "'";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("Ghostscript failed: " + command);
    }
    return ReadPngImage(pngPath);
}

double DifferingShare(const TPngImage& a, const TPngImage& b, int limit, int radius) {
    if (a.Width != b.Width || a.Height != b.Height) {
        return 1;
    }
    const auto close = [limit](const TRgb& p, const TRgb& q) {
        return std::max({std::abs(p.R - q.R), std::abs(p.G - q.G), std::abs(p.B - q.B)}) <= limit;
    };
    long differing = 0;
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            const TRgb pixel = OnWhite(a.At(x, y));
            bool matched = false;
            for (int dy = -radius; dy <= radius && !matched; ++dy) {
                for (int dx = -radius; dx <= radius && !matched; ++dx) {
                    const int bx = x + dx;
                    const int by = y + dy;
                    matched = bx >= 0 && by >= 0 && bx < b.Width && by < b.Height &&
                              close(pixel, OnWhite(b.At(bx, by)));
                }
            }
            differing += !matched;
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(a.Width) * a.Height);
}
