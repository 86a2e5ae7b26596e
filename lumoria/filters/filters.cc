// tint, colorize, grayscale, negative and table_lookup: whole-surface colour
// filters. Each resolves its bitmap, picks a row function for its arguments
// and the CPU, and hands it every row.
#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "lumoria.h"
#include "lumoria/filters/filter_rows.h"

namespace lumoria {
namespace {

const FilterRows& fastest_rows() { return kFilterVariants.for_this_cpu(); }

// The vectorised rows where the arguments suit them, else the plain ones.
const FilterRows& rows_for(bool fits_vectors) {
    return fits_vectors ? fastest_rows() : kPlainFilterRows;
}

// Hands each row of a surface to `rewrite_row(pixels, width)`; a surface of
// no positive size is walked as empty.
template <typename RowFunction>
void walk_rows(const host::Surface& surface, RowFunction rewrite_row) {
    if (surface.width <= 0) return;
    // Each pixel is rewritten from itself alone: any order of rows will do.
    host::each_row_rising(0, surface.height,
                          [&](int32_t y) { rewrite_row(surface.row(y), surface.width); });
}

// False, with nothing read beyond the records, when the bitmap has no
// surface.
template <typename RowFunction>
bool filter_surface(int32_t dest, RowFunction rewrite_row) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return false;
    walk_rows(surface, rewrite_row);
    return true;
}

// For the arguments that change no pixel: only the surface test remains.
bool has_surface(int32_t dest) {
    host::Surface surface;
    return host::resolve(dest, surface);
}

// Binds a mixing row to its colour.
auto with_mix(void (*row)(uint8_t*, int32_t, const ColourMix&), const ColourMix& mix) {
    return [row, &mix](uint8_t* pixels, int32_t width) { row(pixels, width, mix); };
}

}  // namespace
}  // namespace lumoria

using lumoria::ColourMix;
using lumoria::filter_surface;
using lumoria::fits_vector_mix;
using lumoria::rows_for;
using lumoria::with_mix;

int32_t tint(int32_t dest, int32_t amount, int32_t red, int32_t green, int32_t blue) {
    // No share of the colour gives every channel back unchanged.
    if (amount == 0) return lumoria::has_surface(dest);
    const ColourMix mix{amount, red, green, blue};
    return filter_surface(dest, with_mix(rows_for(fits_vector_mix(mix)).tint, mix));
}

int32_t colorize(int32_t dest, int32_t amount, int32_t red, int32_t green, int32_t blue) {
    // No share of the colour leaves the grey level alone.
    if (amount == 0) return filter_surface(dest, lumoria::fastest_rows().grey);
    const ColourMix mix{amount, red, green, blue};
    return filter_surface(dest, with_mix(rows_for(fits_vector_mix(mix)).colorize, mix));
}

int32_t grayscale(int32_t dest, int32_t amount) {
    if (amount == 0) return lumoria::has_surface(dest);
    // 100 percent and beyond is plain grey; only the negative side is open.
    if (amount >= 100) return filter_surface(dest, lumoria::fastest_rows().grey);
    const auto row = rows_for(fits_vector_mix(amount)).grayscale;
    return filter_surface(
        dest, [row, amount](uint8_t* pixels, int32_t width) { row(pixels, width, amount); });
}

int32_t negative(int32_t dest) { return filter_surface(dest, lumoria::fastest_rows().negative); }

LUMORIA_BOOL table_lookup(int32_t dest, const int32_t* table, int32_t map_alpha) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return false;
    // The table is read only when there is a pixel to remap, and then whole.
    if (surface.width <= 0 || surface.height <= 0) return true;
    uint8_t bytes[256];
    lumoria::clamp_table(table, bytes);
    const lumoria::FilterRows& rows = lumoria::fastest_rows();
    const auto row = map_alpha > 0 ? rows.lookup_all : rows.lookup_colour;
    lumoria::walk_rows(
        surface, [row, &bytes](uint8_t* pixels, int32_t width) { row(pixels, width, bytes); });
    return true;
}
