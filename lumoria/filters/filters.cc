// tint, colorize, grayscale, negative and table_lookup: whole-surface colour
// filters. Each resolves its bitmap, picks a row function for its arguments
// and hands it every row, top row first.
#include "host/host_bitmap.h"
#include "lumoria.h"
#include "lumoria/filters/rows.h"

namespace lumoria {
namespace {

// Hands each row of `dest`'s surface to `rewrite_row(pixels, width)`. False,
// with nothing read beyond the records, when the bitmap has no surface; a
// surface of no positive size is walked as empty.
template <typename RowFunction>
bool filter_surface(int32_t dest, RowFunction rewrite_row) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return false;
    if (surface.width <= 0) return true;
    for (int32_t y = 0; y < surface.height; ++y) rewrite_row(surface.row(y), surface.width);
    return true;
}

// For the arguments that change no pixel: only the surface test remains.
bool has_surface(int32_t dest) {
    host::Surface surface;
    return host::resolve(dest, surface);
}

}  // namespace
}  // namespace lumoria

using lumoria::ColourMix;
using lumoria::filter_surface;

int32_t tint(int32_t dest, int32_t amount, int32_t red, int32_t green, int32_t blue) {
    // No share of the colour gives every channel back unchanged.
    if (amount == 0) return lumoria::has_surface(dest);
    const ColourMix mix{amount, red, green, blue};
    return filter_surface(dest, [&mix](uint8_t* pixels, int32_t width) {
        lumoria::tint_row(pixels, width, mix);
    });
}

int32_t colorize(int32_t dest, int32_t amount, int32_t red, int32_t green, int32_t blue) {
    // No share of the colour leaves the grey level alone.
    if (amount == 0) return filter_surface(dest, lumoria::grey_row);
    const ColourMix mix{amount, red, green, blue};
    return filter_surface(dest, [&mix](uint8_t* pixels, int32_t width) {
        lumoria::colorize_row(pixels, width, mix);
    });
}

int32_t grayscale(int32_t dest, int32_t amount) {
    if (amount == 0) return lumoria::has_surface(dest);
    // 100 percent and beyond is plain grey; only the negative side is open.
    if (amount >= 100) return filter_surface(dest, lumoria::grey_row);
    return filter_surface(dest, [amount](uint8_t* pixels, int32_t width) {
        lumoria::grayscale_row(pixels, width, amount);
    });
}

int32_t negative(int32_t dest) { return filter_surface(dest, lumoria::negative_row); }

bool table_lookup(int32_t dest, const int32_t* table, int32_t map_alpha) {
    // The table is read only for the bytes of actual pixels, never when
    // there is no surface or no pixel.
    if (map_alpha > 0) {
        return filter_surface(dest, [table](uint8_t* pixels, int32_t width) {
            lumoria::lookup_all_row(pixels, width, table);
        });
    }
    return filter_surface(dest, [table](uint8_t* pixels, int32_t width) {
        lumoria::lookup_colour_row(pixels, width, table);
    });
}
