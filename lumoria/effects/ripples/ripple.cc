// ripple: a wavy copy. Every row (or column) of the source is drawn into the
// cleared destination shifted by a sine of its index, as blt draws it at
// opacity 255.
#include <cstring>

#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "lumoria.h"
#include "lumoria/effects/ripples/ripple_rows.h"
#include "lumoria/effects/ripples/strip_position.h"
#include "lumoria/transfer/transfer_frame.h"

namespace lumoria {
namespace {

constexpr int32_t kOpaque = 255;

// The literal form: the clear, then one blt per strip, as the engine would
// call them.
void clear_and_blt_strips(int32_t dest, int32_t src, const host::Surface& surface, int32_t scale,
                          int32_t amplitude, int32_t vertical) {
    clear_rect(dest, 0, 0, surface.width, surface.height);
    if (vertical == 0) {
        for (int32_t row = 0; row < surface.height; ++row) {
            const int32_t at = strip_position(row, scale, amplitude);
            blt(dest, src, at, row, 0, row, surface.width, 1, kOpaque);
        }
    } else {
        for (int32_t column = 0; column < surface.width; ++column) {
            const int32_t at = strip_position(column, scale, amplitude);
            blt(dest, src, column, at, column, 0, 1, surface.height, kOpaque);
        }
    }
}

// Short runs are copied pixel by pixel: a library call costs more.
constexpr int32_t kShortRun = 16;

inline void copy_pixels(uint8_t* dest, const uint8_t* src, int32_t count) {
    if (count > kShortRun) {
        std::memcpy(dest, src, static_cast<size_t>(count) * host::kPixelBytes);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, src + i * host::kPixelBytes, sizeof pixel);
        std::memcpy(dest + i * host::kPixelBytes, &pixel, sizeof pixel);
    }
}

inline void clear_pixels(uint8_t* dest, int32_t count) {
    if (count > kShortRun) {
        std::memset(dest, 0, static_cast<size_t>(count) * host::kPixelBytes);
        return;
    }
    constexpr uint32_t kClear = 0;
    for (int32_t i = 0; i < count; ++i)
        std::memcpy(dest + i * host::kPixelBytes, &kClear, sizeof kClear);
}

// Where the two bitmaps share no byte, no strip reads what another wrote,
// and every pixel a strip covers is still the cleared transparent black when
// blt draws over it. At opacity 255 blt then gives the source pixel itself:
// an opaque one is copied with alpha 255, any other takes the source colour
// and alpha 255 x alpha / 255. So each strip is a copy, and only the pixels
// no strip covers need the clear. Each strip is clipped exactly as blt clips
// it.

void copy_row_strips(const host::Surface& dest, const host::Surface& src, int32_t scale,
                     int32_t amplitude) {
    ClippedTransfer t{dest, src, 0, 0, 0, 0, 0, 0};
    host::each_row_rising(0, dest.height, [&](int32_t row) {
        const int32_t at = strip_position(row, scale, amplitude);
        int32_t first = 0, end = 0;  // the columns the strip covers
        if (clip_on_surfaces(at, row, 0, row, dest.width, 1, t) && t.width > 0 && t.height > 0) {
            first = t.dx;
            end = t.dx + t.width;
            copy_pixels(dest.pixel(t.dx, t.dy), src.pixel(t.sx, t.sy), t.width);
        }
        clear_pixels(dest.row(row), first);
        clear_pixels(dest.pixel(end, row), dest.width - end);
    });
}

// Whether every column's offset (see ColumnPlaces) fits 32 bits: the strips
// start between the source's height above and dest's height below.
bool fits_placed_columns(const host::Surface& dest, const host::Surface& src) {
    const int64_t rows = int64_t{dest.height} + src.height + 1;
    return rows * static_cast<int64_t>(src.stride()) < (int64_t{1} << 31);
}

// A block of columns at a time, each block row by row, every pixel written
// once: with the source it is given or cleared.
void place_column_strips(const host::Surface& dest, const host::Surface& src, int32_t scale,
                         int32_t amplitude) {
    const ColumnRow place = kRippleVariants.for_this_cpu().columns;
    ClippedTransfer t{dest, src, 0, 0, 0, 0, 0, 0};
    ColumnPlaces places;
    const auto stride = static_cast<int64_t>(src.stride());
    for (int32_t block = 0; block < dest.width; block += kPlacedColumns) {
        const int32_t count =
            dest.width - block > kPlacedColumns ? kPlacedColumns : dest.width - block;
        for (int32_t c = 0; c < count; ++c) {
            const int32_t column = block + c;
            const int32_t at = strip_position(column, scale, amplitude);
            places.top[c] = places.end[c] = places.offset[c] = 0;  // nothing drawn
            if (clip_on_surfaces(column, at, column, 0, 1, dest.height, t) && t.width > 0 &&
                t.height > 0) {
                places.top[c] = t.dy;
                places.end[c] = t.dy + t.height;
                // Source row sy + (y - dy) for dest row y.
                places.offset[c] = static_cast<int32_t>((int64_t{t.dy} - t.sy) * stride +
                                                        int64_t{t.sx} * host::kPixelBytes);
            }
        }
        host::each_row_rising(0, dest.height, [&](int32_t y) {
            place(dest.pixel(block, y), reinterpret_cast<uintptr_t>(src.row(y)), places, 0, count,
                  y);
        });
    }
}

}  // namespace
}  // namespace lumoria

int32_t ripple(int32_t dest, int32_t src, int32_t scale, int32_t amplitude, int32_t vertical) {
    host::Surface d, s;
    if (!host::resolve(dest, d)) return 0;
    const bool apart = d.width > 0 && d.height > 0 && host::resolve(src, s) && s.width > 0 &&
                       s.height > 0 && !host::ranges_meet(d.bytes(), s.bytes());
    if (host::kPlainBuild || !apart) {
        lumoria::clear_and_blt_strips(dest, src, d, scale, amplitude, vertical);
    } else if (vertical == 0) {
        lumoria::copy_row_strips(d, s, scale, amplitude);
    } else if (lumoria::fits_placed_columns(d, s)) {
        lumoria::place_column_strips(d, s, scale, amplitude);
    } else {
        lumoria::clear_and_blt_strips(dest, src, d, scale, amplitude, vertical);
    }
    return 1;
}
