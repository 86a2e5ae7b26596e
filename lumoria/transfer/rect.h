// Rectangle fill on a surface that is already resolved, shared with the
// operations that write many rectangles to one bitmap.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"

namespace lumoria {

// fill_rect after its handle was resolved: the same clipping, refusals and
// result, on `surface`. The rectangle may lie beyond the 32-bit range (each
// value below 2^62 in size), as the shapes' runs can: it is clipped where it
// truly lies instead of wrapping onto the surface.
int32_t fill_rect_on(const host::Surface& surface, int64_t x, int64_t y, int64_t width,
                     int64_t height, int32_t red, int32_t green, int32_t blue, int32_t alpha);
// fill_rect_on with the pixel's bytes formed already, by fill_value.
int32_t fill_value_on(const host::Surface& surface, int64_t x, int64_t y, int64_t width,
                      int64_t height, uint32_t value);

// Fills a rectangle of a surface W x H whose pixel (x, y) is at `first`
// (rows run downwards in memory, W * 4 bytes apart). Clipped like fill_rect;
// a negative origin is refused because `first` would not move with it.
int32_t fill_rect_raw(int32_t surface_width, int32_t surface_height, uint8_t* first, int32_t x,
                      int32_t y, int32_t width, int32_t height, int32_t red, int32_t green,
                      int32_t blue, int32_t alpha);

// The bytes of the pixel a fill writes: the low 8 bits of each value.
uint32_t fill_value(int32_t red, int32_t green, int32_t blue, int32_t alpha);

}  // namespace lumoria
