// Twins of the colour filters' rows, each rewriting one row in place: the
// plain set against every vector set this CPU runs.
#include <iterator>
#include <string>

#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/filters/filter_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::ColourMix;
using lumoria::FilterRows;

// The plain set, then the vector sets this build has and this CPU runs. The
// mixing rows of a vector set take only the arguments fits_vector_mix()
// allows (the filters keep the plain rows for the others): `mixing` says
// whether the row checked is one of them, `fits` whether they may.
std::vector<SetOf<FilterRows>> row_sets(bool mixing, bool fits) {
    std::vector<SetOf<FilterRows>> sets = sets_of(lumoria::kFilterVariants);
    if (mixing && !fits) sets.resize(1);
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
                 [&](const SetOf<FilterRows>& set, const Blocks& b) {
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

}  // namespace

Group<TwinCheck> filter_twins() { return {"filters", {{"filter rows", check_filter_rows}}}; }

}  // namespace fuzz
