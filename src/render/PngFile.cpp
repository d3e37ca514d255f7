#include "render/PngFile.h"

#include "platform/Bitmap.h"

#include <png.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

std::string EncodePng(const TBitmap& bitmap) {
    const int width = bitmap.GetWidth();
    const int height = bitmap.GetHeight();
    std::vector<png_byte> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = bitmap.Pixel(x, y);
            const unsigned alpha = pixel >> 24;
            png_byte* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            for (int channel = 0; channel < 3; ++channel) {
                const unsigned premultiplied = (pixel >> (16 - 8 * channel)) & 0xFF;
                out[channel] =
                    alpha == 0
                        ? 0
                        : static_cast<png_byte>(std::min(255u, (premultiplied * 255 + alpha / 2) / alpha));
            }
            out[3] = static_cast<png_byte>(alpha);
        }
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr)) {
        throw std::runtime_error(image.message);
    }
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) {
        throw std::runtime_error(image.message);
    }
    bytes.resize(size);
    return bytes;
}
