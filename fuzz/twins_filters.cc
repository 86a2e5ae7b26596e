// Twins of the colour filters' rows, each rewriting one row in place.
#include <iterator>
#include <string>

#include "groups.h"
#include "lumoria/filters/rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::ColourMix;

// One implementation of every filter row.
struct FilterRowSet {
    const char* name;
    void (*tint)(uint8_t* pixels, int32_t width, const ColourMix& mix);
    void (*colorize)(uint8_t* pixels, int32_t width, const ColourMix& mix);
    void (*grey)(uint8_t* pixels, int32_t width);
    void (*grayscale)(uint8_t* pixels, int32_t width, int32_t amount);
    void (*negative)(uint8_t* pixels, int32_t width);
    void (*lookup_colour)(uint8_t* pixels, int32_t width, const int32_t* table);
    void (*lookup_all)(uint8_t* pixels, int32_t width, const int32_t* table);
};

// The sets, the plain one first.
std::vector<FilterRowSet> filter_row_sets() {
    return {{"plain", lumoria::tint_row, lumoria::colorize_row, lumoria::grey_row,
             lumoria::grayscale_row, lumoria::negative_row, lumoria::lookup_colour_row,
             lumoria::lookup_all_row}};
}

constexpr const char* kRows[] = {"tint_row",      "colorize_row", "grey_row",
                                 "grayscale_row", "negative_row", "lookup_colour_row",
                                 "lookup_all_row"};

void check_filter_rows(Input& in) {
    const auto which = in.below(std::size(kRows));
    const int32_t width = row_width(in);
    const std::vector<uint8_t> pixels = random_pixels(static_cast<size_t>(width), in.u32());
    const int32_t amount = in.mostly(-20, 160);
    const int32_t red = in.mostly(0, 255), green = in.mostly(0, 255), blue = in.mostly(0, 255);
    const ColourMix mix{amount, red, green, blue};
    CallerArray<int32_t> table(256);
    for (size_t k = 0; k < table.size(); ++k)
        table.set(k, in.one_in(2) ? in.mostly(0, 255) : in.integer());
    if (tracing()) {
        note(std::string(kRows[which]) + ": width " + std::to_string(width) + ", amount " +
             std::to_string(amount) + ", colour " + std::to_string(red) + " " +
             std::to_string(green) + " " + std::to_string(blue));
    }
    const int32_t* entries = table.data();
    expect_twins(kRows[which], filter_row_sets(), {pixels},
                 [&](const FilterRowSet& set, const Blocks& b) {
                     uint8_t* row = b[0];
                     switch (which) {
                         case 0: set.tint(row, width, mix); break;
                         case 1: set.colorize(row, width, mix); break;
                         case 2: set.grey(row, width); break;
                         case 3: set.grayscale(row, width, amount); break;
                         case 4: set.negative(row, width); break;
                         case 5: set.lookup_colour(row, width, entries); break;
                         default: set.lookup_all(row, width, entries); break;
                     }
                     return std::vector<uint8_t>{};
                 });
}

}  // namespace

Group<TwinCheck> filter_twins() { return {"filters", {{"filter rows", check_filter_rows}}}; }

}  // namespace fuzz
