#pragma once
// PNG encoding of a premultiplied ARGB32 bitmap (8-bit RGBA with straight alpha in the file).

#include <string>

class TBitmap;

// The bytes of the PNG file; throws std::runtime_error when the encoder fails.
std::string EncodePng(const TBitmap& bitmap);
