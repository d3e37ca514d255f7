#pragma once
// A 32-bit pixel buffer: premultiplied ARGB in native-endian 32-bit words, rows of Stride bytes.
// This is the layout of cairo's ARGB32 surfaces and of QImage::Format_ARGB32_Premultiplied,
// so the raster target draws into it and the UI shows it without copying.

#include <cstdint>
#include <vector>

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }

    // Resizes to width x height; the content becomes transparent black.
    void SetSize(int width, int height) {
        Width = width > 0 ? width : 0;
        Height = height > 0 ? height : 0;
        Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
    }

    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }
    int Stride() const { return Width * 4; }
    bool IsEmpty() const { return Width == 0 || Height == 0; }

    std::uint32_t* Data() { return Pixels.data(); }
    const std::uint32_t* Data() const { return Pixels.data(); }
    std::uint32_t Pixel(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }

private:
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};
