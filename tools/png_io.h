// PNG files to and from engine bitmaps. This is the one place that maps the
// PNG's top-down red, green, blue, alpha rows onto the engine's layout.
#pragma once

#include <cstdio>
#include <string>

#include "standin/bitmap.h"

namespace tool {

// Larger pictures are refused before any pixel memory is taken.
constexpr int kMaxPictureSide = 16384;

// Any PNG (palette, grey, 16-bit, interlaced...) as 8-bit pixels with alpha
// (opaque where the file has none). The stored bytes are kept as they are: no
// gamma correction. Throws Failure(kBadInput).
standin::Bitmap load_png(const std::string& path);

// Writes an 8-bit RGBA PNG of every byte of the bitmap, alpha included.
// `name` is used in error messages. Throws Failure(kBadOutput).
void write_png(const standin::Bitmap& bitmap, std::FILE* stream, const std::string& name);

// write_png to `path`, which appears only once complete.
void save_png(const standin::Bitmap& bitmap, const std::string& path);

}  // namespace tool
