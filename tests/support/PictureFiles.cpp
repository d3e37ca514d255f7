#include "support/PictureFiles.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

} // namespace

TPicture ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    // Header fields separated by white space, with "#" comments (Ghostscript writes one).
    const auto field = [&file] {
        std::string text;
        while (file >> text && text[0] == '#') {
            std::string rest;
            std::getline(file, rest);
        }
        return text;
    };
    TPicture picture;
    const std::string magic = field();
    picture.Width = std::atoi(field().c_str());
    picture.Height = std::atoi(field().c_str());
    const int maxValue = std::atoi(field().c_str());
    file.get();
    if (!file || magic != "P6" || maxValue != 255 || picture.Width <= 0 || picture.Height <= 0) {
        throw std::runtime_error("not a binary PPM: " + path);
    }
    picture.Rgb.resize(static_cast<std::size_t>(picture.Width) * picture.Height * 3);
    if (!file.read(reinterpret_cast<char*>(picture.Rgb.data()),
                   static_cast<std::streamsize>(picture.Rgb.size()))) {
        throw std::runtime_error("truncated PPM: " + path);
    }
    return picture;
}

TPicture RasteriseEps(const std::string& epsPath, const std::string& ppmPath) {
    Run("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=ppmraw -r72 -dTextAlphaBits=4 "
        "-dGraphicsAlphaBits=4 -sOutputFile='" +
        ppmPath + "' '" + epsPath + "'");
    return ReadPpm(ppmPath);
}

TPicture ReadPngThroughPpm(const std::string& pngPath, const std::string& ppmPath) {
    Run("convert '" + pngPath + "' -background white -flatten -depth 8 'ppm:" + ppmPath + "'");
    return ReadPpm(ppmPath);
}

double DifferingShare(const TPicture& a, const TPicture& b, int limit, int radius) {
    if (a.Width != b.Width || a.Height != b.Height) {
        return 1;
    }
    const auto close = [limit](const std::uint8_t* p, const std::uint8_t* q) {
        return std::max({std::abs(p[0] - q[0]), std::abs(p[1] - q[1]), std::abs(p[2] - q[2])}) <= limit;
    };
    long differing = 0;
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            bool matched = false;
            for (int dy = -radius; dy <= radius && !matched; ++dy) {
                for (int dx = -radius; dx <= radius && !matched; ++dx) {
                    const int bx = x + dx;
                    const int by = y + dy;
                    matched = bx >= 0 && by >= 0 && bx < b.Width && by < b.Height &&
                              close(a.At(x, y), b.At(bx, by));
                }
            }
            differing += !matched;
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(a.Width) * a.Height);
}
