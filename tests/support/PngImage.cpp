#include "support/PngImage.h"

#include <png.h>

#include <stdexcept>

TRgba TPngImage::At(int x, int y) const {
    const std::uint8_t* p = &Bytes[(static_cast<std::size_t>(y) * Width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

TPngImage ReadPngImage(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        throw std::runtime_error(path + ": " + image.message);
    }
    image.format = PNG_FORMAT_RGBA;
    TPngImage result;
    result.Width = static_cast<int>(image.width);
    result.Height = static_cast<int>(image.height);
    result.Bytes.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.Bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error(path + ": " + image.message);
    }
    return result;
}
