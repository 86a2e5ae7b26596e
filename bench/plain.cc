#include "bench/plain.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "Quorvex/inverse_map.h"
#include "Quorvex/rows.h"
#include "host/host_bitmap.h"
#include "lumoria/effects/passes.h"
#include "lumoria/effects/strip_position.h"
#include "lumoria/effects/vector_rows.h"
#include "lumoria/filters/pixel_rules.h"
#include "lumoria/filters/rows.h"
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/modes.h"

namespace bench {
namespace {

// A transfer's row function on every row of the scene, top row first.
Prepare transfer_rows(lumoria::RowFunction row) {
    if (!row) return {};
    return [row](Scene& s) -> Call {
        return [row, &s] {
            for (int32_t y = 0; y < s.height; ++y)
                row(s.dest_bitmap.row(y), s.src_bitmap.row(y), s.width, kFullOpacity);
        };
    };
}

// A filter's row function on every row of the scene's surface.
using FilterRow = std::function<void(uint8_t* pixels, int32_t width)>;
Prepare filter_rows(FilterRow row) {
    return [row](Scene& s) -> Call {
        return [row, &s] {
            for (int32_t y = 0; y < s.height; ++y) row(s.dest_bitmap.row(y), s.width);
        };
    };
}

// Quorvex's plain row transform, walked as its export walks it.
Prepare resampling(std::array<float, 9> matrix, quorvex::RowTransform transform) {
    return [matrix, transform](Scene& s) -> Call {
        host::Surface src, dest;
        host::resolve(s.src, src);
        host::resolve(s.dest, dest);
        const quorvex::InverseMap map = quorvex::make_inverse_map(
            matrix.data(), src.width, src.height, dest.width, dest.height);
        return [=] {
            for (int32_t y = 0; y < dest.height; ++y)
                transform(map, quorvex::row_terms(map, y), src, dest.row(y), dest.width);
        };
    };
}

}  // namespace

Prepare plain_blt() { return transfer_rows(lumoria::alpha_over_row); }

Prepare plain_blend(int32_t mode) {
    return transfer_rows(lumoria::blend_row(static_cast<uint32_t>(mode)));
}

Prepare plain_layer(int32_t mode) {
    return transfer_rows(lumoria::layer_row(static_cast<uint32_t>(mode)));
}

Prepare plain_tint(int32_t amount, int32_t red, int32_t green, int32_t blue) {
    const lumoria::ColourMix mix{amount, red, green, blue};
    return filter_rows([mix](uint8_t* p, int32_t w) { lumoria::tint_row(p, w, mix); });
}

Prepare plain_colorize(int32_t amount, int32_t red, int32_t green, int32_t blue) {
    const lumoria::ColourMix mix{amount, red, green, blue};
    return filter_rows([mix](uint8_t* p, int32_t w) { lumoria::colorize_row(p, w, mix); });
}

Prepare plain_grayscale(int32_t amount) {
    return filter_rows([amount](uint8_t* p, int32_t w) { lumoria::grayscale_row(p, w, amount); });
}

Prepare plain_negative() { return filter_rows(lumoria::negative_row); }

// The caller's table is clamped into bytes once per call, as the export does.
Prepare plain_table_lookup(LookupTable table, int32_t map_alpha) {
    const auto row = map_alpha > 0 ? lumoria::lookup_all_row : lumoria::lookup_colour_row;
    return [table, row](Scene& s) -> Call {
        return [table, row, &s] {
            uint8_t bytes[256];
            lumoria::clamp_table(table->data(), bytes);
            for (int32_t y = 0; y < s.height; ++y) row(s.dest_bitmap.row(y), s.width, bytes);
        };
    };
}

Prepare plain_pixelize(int32_t block_width, int32_t block_height) {
    return [=](Scene& s) -> Call {
        return [=, &s] {
            host::Surface surface;
            host::resolve(s.dest, surface);
            lumoria::pixelize_pass(surface, block_width, block_height, lumoria::add_row);
        };
    };
}

// Both bitmaps of the scene share one size, so a strip is cut only by the
// destination's far edge.
Prepare plain_ripple(int32_t scale, int32_t amplitude, int32_t vertical) {
    return [=](Scene& s) -> Call {
        return [=, &s] {
            const standin::Bitmap& dest = s.dest_bitmap;
            const standin::Bitmap& src = s.src_bitmap;
            for (int32_t y = 0; y < s.height; ++y) std::memset(dest.row(y), 0, size_t(s.width) * 4);
            if (vertical == 0) {
                for (int32_t y = 0; y < s.height; ++y) {
                    const int32_t at =
                        std::min(lumoria::strip_position(y, scale, amplitude), s.width);
                    lumoria::alpha_over_row(dest.at(at, y), src.row(y), s.width - at, kFullOpacity);
                }
                return;
            }
            for (int32_t x = 0; x < s.width; ++x) {
                const int32_t at = lumoria::strip_position(x, scale, amplitude);
                for (int32_t y = at; y < s.height; ++y)
                    lumoria::alpha_over_row(dest.at(x, y), src.at(x, y - at), 1, kFullOpacity);
            }
        };
    };
}

Prepare plain_ripple_circ(int32_t phase, int32_t period, int32_t strength) {
    return [=](Scene& s) -> Call {
        return [=, &s] {
            host::Surface surface;
            host::resolve(s.dest, surface);
            lumoria::ring_pass(surface, s.width / 2, s.height / 2, phase, period, strength,
                               std::min(s.width, s.height) / 2, lumoria::ring_row);
        };
    };
}

Prepare plain_radial_blur(int32_t samples, int32_t scaled) {
    return [=](Scene& s) -> Call {
        lumoria::BlurFrame frame;
        host::resolve(s.dest, frame.dest);
        host::resolve(s.src, frame.src);
        frame.cx = frame.dest.width / 2;
        frame.cy = frame.dest.height / 2;
        const auto row =
            scaled > 0 ? lumoria::kPlainBlurRows.scaled : lumoria::kPlainBlurRows.fixed;
        return [=] {
            for (int32_t y = 0; y < frame.dest.height; ++y) row(frame, y, samples);
        };
    };
}

Prepare plain_resampling(std::array<float, 9> matrix, int32_t mode) {
    return resampling(matrix, mode == 1 ? quorvex::bilinear_row : quorvex::nearest_row);
}

}  // namespace bench
