// clear_rect, fill_rect and fill_rect_raw. The three differ only in how they
// clip; the writing is one routine.
#include "lumoria/transfer/rect.h"

#include <cstring>

#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "host/sanitizers.h"
#include "lumoria.h"
#include "lumoria/int32.h"

#if HOST_X86_VECTORS
#include "host/vector_sse2.h"
#endif

namespace lumoria {
namespace {

// A clipped rectangle. Clipping is done in 64 bits so that an origin plus a
// size near the 32-bit limits can never wrap around into the surface.
struct Span {
    int64_t x, y, width, height;
};

// Cuts the extent at the right and bottom edges, comparing the size with the
// room left. With a surface of negative size the room is negative and the
// rectangle comes out empty.
void clip_extent(int32_t surface_width, int32_t surface_height, Span& r) {
    if (r.width > surface_width - r.x) r.width = surface_width - r.x;
    if (r.height > surface_height - r.y) r.height = surface_height - r.y;
}

// clear_rect's rule: the origin is clamped into the surface and the size is
// kept, so a rectangle starting left of or above the surface moves onto it.
bool clip_clear(int32_t surface_width, int32_t surface_height, Span& r) {
    if (r.x > surface_width) r.x = surface_width;
    if (r.y > surface_height) r.y = surface_height;
    if (r.x < 0) r.x = 0;
    if (r.y < 0) r.y = 0;
    if (r.width < 0 || r.height < 0) return false;
    clip_extent(surface_width, surface_height, r);
    return true;
}

// fill_rect's rule: an origin beyond the surface is refused, and the part of
// the rectangle left of or above the surface is cut off.
bool clip_fill(int32_t surface_width, int32_t surface_height, Span& r) {
    if (r.x > surface_width || r.y > surface_height) return false;
    if (r.x < 0) {
        r.width += r.x;
        r.x = 0;
    }
    if (r.y < 0) {
        r.height += r.y;
        r.y = 0;
    }
    if (r.width < 0 || r.height < 0) return false;
    clip_extent(surface_width, surface_height, r);
    return true;
}

// Writes the 4-byte `value` into `width` pixels from `row`. A long row goes
// to the processor's string store, which writes whole cache lines without
// reading them first, as plain vector stores do not; its start-up costs
// more than vector stores on the short runs of the shapes and of small
// blocks (measured: break-even near 50 pixels). Those take four pixels a
// store, the last store overlapping the one before where the run is not a
// multiple of four. Sanitized builds keep the vector stores, which the
// address checker sees, but not the string store; the plain build keeps
// the loop.
void fill_pixels(uint8_t* row, int64_t width, uint32_t value) {
    const auto count = static_cast<size_t>(width);
#if HOST_X86_VECTORS
#if !HOST_ADDRESS_SANITIZER
    constexpr size_t kStringStoreFrom = 64;
    if (count >= kStringStoreFrom) {
        void* dest = row;
        size_t left = count;
        asm volatile("rep stosl" : "+D"(dest), "+c"(left) : "a"(value) : "memory");
        return;
    }
#endif
    if (count >= 4) {
        const host::Sse2::U32 pixels = host::Sse2::splat_u32(value);
        const auto store = [&](size_t i) {
            host::Sse2::store(row + i * host::kPixelBytes, pixels);
        };
        for (size_t i = 0; i + 4 < count; i += 4) store(i);
        store(count - 4);
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i) std::memcpy(row + i * host::kPixelBytes, &value, 4);
}

// Writes the pixel `value` into `width` pixels of `height` rows, the first
// row at `first`, each next row `stride` bytes lower in memory. A column
// takes one store a row.
void fill_block(uint8_t* first, uintptr_t stride, int64_t width, int64_t height, uint32_t value) {
    if (width <= 0) return;
    host::each_row_rising(int64_t{0}, height, [&](int64_t k) {
        uint8_t* row = first - static_cast<uintptr_t>(k) * stride;
        if (width == 1)
            std::memcpy(row, &value, sizeof value);
        else
            fill_pixels(row, width, value);
    });
}

}  // namespace

uint32_t fill_value(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
    uint8_t pixel[4];
    pixel[host::kBlue] = low8(blue);
    pixel[host::kGreen] = low8(green);
    pixel[host::kRed] = low8(red);
    pixel[host::kAlpha] = low8(alpha);
    uint32_t value;
    std::memcpy(&value, pixel, sizeof value);
    return value;
}

int32_t fill_rect_raw(int32_t surface_width, int32_t surface_height, uint8_t* first, int32_t x,
                      int32_t y, int32_t width, int32_t height, int32_t red, int32_t green,
                      int32_t blue, int32_t alpha) {
    if (x < 0 || y < 0) return 0;
    Span r{x, y, width, height};
    if (!clip_fill(surface_width, surface_height, r)) return 0;
    fill_block(first, static_cast<uintptr_t>(surface_width) * host::kPixelBytes, r.width, r.height,
               fill_value(red, green, blue, alpha));
    return 1;
}

int32_t fill_value_on(const host::Surface& s, int64_t x, int64_t y, int64_t width, int64_t height,
                      uint32_t value) {
    Span r{x, y, width, height};
    if (!clip_fill(s.width, s.height, r)) return 0;
    fill_block(s.pixel(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y)), s.stride(), r.width,
               r.height, value);
    return 1;
}

int32_t fill_rect_on(const host::Surface& s, int64_t x, int64_t y, int64_t width, int64_t height,
                     int32_t red, int32_t green, int32_t blue, int32_t alpha) {
    return fill_value_on(s, x, y, width, height, fill_value(red, green, blue, alpha));
}

}  // namespace lumoria

using lumoria::Span;

int32_t clear_rect(int32_t dest, int32_t x, int32_t y, int32_t width, int32_t height) {
    host::Surface s;
    if (!host::resolve(dest, s)) return 0;
    Span r{x, y, width, height};
    if (!lumoria::clip_clear(s.width, s.height, r)) return 0;
    lumoria::fill_block(s.pixel(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y)), s.stride(),
                        r.width, r.height, 0);
    return 1;
}

int32_t fill_rect(int32_t dest, int32_t x, int32_t y, int32_t width, int32_t height, int32_t red,
                  int32_t green, int32_t blue, int32_t alpha) {
    host::Surface s;
    if (!host::resolve(dest, s)) return 0;
    return lumoria::fill_rect_on(s, x, y, width, height, red, green, blue, alpha);
}
