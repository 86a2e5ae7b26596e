// Twins of the colour filters' rows, each rewriting one row in place: the
// plain set against every vector set this CPU runs; and each filter export
// against its frame run with the plain rows only, which tests its choice of
// rows and its shortcuts.
#include <iterator>
#include <string>

#include "exports.h"
#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/filters/rows.h"
#include "lumoria/filters/vector_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::ColourMix;
using lumoria::FilterRows;

struct RowSet {
    const char* name;
    const FilterRows* rows;
};

// The plain set, then the vector sets this build has and this CPU runs. The
// mixing rows of a vector set take only the arguments fits_vector_mix()
// allows (the filters keep the plain rows for the others): `mixing` says
// whether the row checked is one of them, `fits` whether they may.
std::vector<RowSet> row_sets(bool mixing, bool fits) {
    std::vector<RowSet> sets{{"plain", &lumoria::kPlainFilterRows}};
    if (mixing && !fits) return sets;
    lumoria::kFilterVariants.each_on_this_cpu([&](const char* name, const FilterRows& rows) {
        if (&rows != &lumoria::kPlainFilterRows) sets.push_back({name, &rows});
    });
    return sets;
}

enum Row { kTint, kColorize, kGrey, kGrayscale, kNegative, kLookupColour, kLookupAll };
constexpr const char* kRowNames[] = {"tint_row",      "colorize_row", "grey_row",
                                     "grayscale_row", "negative_row", "lookup_colour_row",
                                     "lookup_all_row"};

// A tint or colorize amount and colour, mostly in the ranges scripts use.
ColourMix draw_mix(Input& in) {
    const int32_t amount = in.mostly(-20, 160);
    const int32_t red = in.mostly(0, 255), green = in.mostly(0, 255), blue = in.mostly(0, 255);
    return ColourMix{amount, red, green, blue};
}

// A lookup table, half its entries bytes, the rest any integer.
void draw_table(Input& in, CallerArray<int32_t>& table) {
    for (size_t k = 0; k < table.size(); ++k)
        table.set(k, in.one_in(2) ? in.mostly(0, 255) : in.integer());
}

void check_filter_rows(Input& in) {
    const auto row = static_cast<Row>(in.below(std::size(kRowNames)));
    const int32_t width = row_width(in);
    const std::vector<uint8_t> pixels = random_pixels(static_cast<size_t>(width), in.u32());
    const size_t misalign = row_misalignment(in);
    const ColourMix mix = draw_mix(in);
    // The caller's table, clamped to bytes as table_lookup does once a call.
    CallerArray<int32_t> table(256);
    draw_table(in, table);
    CallerArray<uint8_t> bytes(256);
    lumoria::clamp_table(table.data(), bytes.data());
    if (tracing()) {
        note(std::string(kRowNames[row]) + ": width " + std::to_string(width) + ", amount " +
             std::to_string(mix.amount) + ", colour " + std::to_string(mix.red) + " " +
             std::to_string(mix.green) + " " + std::to_string(mix.blue) + ", misaligned by " +
             std::to_string(misalign));
    }
    const bool mixing = row == kTint || row == kColorize || row == kGrayscale;
    const bool fits =
        row == kGrayscale ? lumoria::fits_vector_mix(mix.amount) : lumoria::fits_vector_mix(mix);
    expect_twins(kRowNames[row], row_sets(mixing, fits), {pixels}, misalign,
                 [&](const RowSet& set, const Blocks& b) {
                     uint8_t* p = b[0];
                     const FilterRows& r = *set.rows;
                     switch (row) {
                         case kTint: r.tint(p, width, mix); break;
                         case kColorize: r.colorize(p, width, mix); break;
                         case kGrey: r.grey(p, width); break;
                         case kGrayscale: r.grayscale(p, width, mix.amount); break;
                         case kNegative: r.negative(p, width); break;
                         case kLookupColour: r.lookup_colour(p, width, bytes.data()); break;
                         case kLookupAll: r.lookup_all(p, width, bytes.data()); break;
                     }
                     return std::vector<uint8_t>{};
                 });
}

enum Filter { kTintFilter, kColorizeFilter, kGrayscaleFilter, kNegativeFilter, kLookupFilter };

// A filter's frame with the plain rows: every row of the surface, and for
// grayscale plain grey from 100 percent up.
void plain_filter(const host::Surface& surface, Filter filter, const ColourMix& mix,
                  const uint8_t* bytes, int32_t map_alpha) {
    const FilterRows& plain = lumoria::kPlainFilterRows;
    const int32_t w = surface.width;
    for (int32_t y = 0; y < surface.height && w > 0; ++y) {
        uint8_t* row = surface.row(y);
        switch (filter) {
            case kTintFilter: plain.tint(row, w, mix); break;
            case kColorizeFilter: plain.colorize(row, w, mix); break;
            case kGrayscaleFilter:
                if (mix.amount >= 100) {
                    plain.grey(row, w);
                } else {
                    plain.grayscale(row, w, mix.amount);
                }
                break;
            case kNegativeFilter: plain.negative(row, w); break;
            case kLookupFilter:
                (map_alpha > 0 ? plain.lookup_all : plain.lookup_colour)(row, w, bytes);
                break;
        }
    }
}

void check_frame(Input& in) {
    Scene s(in);
    const int d = s.pick(in);
    const auto filter = static_cast<Filter>(in.below(5));
    const ColourMix mix = draw_mix(in);
    CallerArray<int32_t> table(256);
    draw_table(in, table);
    const int32_t map_alpha = in.mostly(-1, 2);
    const int32_t dest = s.handle(d);
    const Write colour{d, Bytes::kColour};
    expect_plain_frame(
        s, d,
        [&] {
            host::Surface surface;
            if (!host::resolve(dest, surface)) return;
            uint8_t bytes[256];
            lumoria::clamp_table(table.data(), bytes);
            plain_filter(surface, filter, mix, bytes, map_alpha);
        },
        [&] {
            switch (filter) {
                case kTintFilter:
                    s.call("tint", Result::kStatus, {colour}, exports().tint, dest, mix.amount,
                           mix.red, mix.green, mix.blue);
                    break;
                case kColorizeFilter:
                    s.call("colorize", Result::kStatus, {colour}, exports().colorize, dest,
                           mix.amount, mix.red, mix.green, mix.blue);
                    break;
                case kGrayscaleFilter:
                    s.call("grayscale", Result::kStatus, {colour}, exports().grayscale, dest,
                           mix.amount);
                    break;
                case kNegativeFilter:
                    s.call("negative", Result::kStatus, {colour}, exports().negative, dest);
                    break;
                case kLookupFilter:
                    s.call("table_lookup", Result::kBoolean, {{d}}, exports().table_lookup, dest,
                           static_cast<const int32_t*>(table.data()), map_alpha);
                    break;
            }
        });
}

}  // namespace

Group<TwinCheck> filter_twins() {
    return {"filters", {{"filter rows", check_filter_rows}, {"filter frames", check_frame}}};
}

}  // namespace fuzz
