// Twins of the Quorvex rows: one destination row mapped back into a small
// source, nearest or bilinear, and one row of fill_color, the plain rows
// against the vector rows of every instruction set this CPU runs.
#include <string>

#include "Quorvex/fill_rows.h"
#include "Quorvex/inverse_map.h"
#include "Quorvex/transform_rows.h"
#include "groups.h"
#include "host/cpu_features.h"
#include "matrix.h"
#include "twins.h"

namespace fuzz {
namespace {

using quorvex::RowTransform;

struct RowVariant {
    const char* name;
    RowTransform row;
};

// The plain row, then the vector rows of every set this build has and this
// CPU runs, where Quorvex would use them: not when the destination is the
// source itself (the vector rows read a whole vector before writing).
std::vector<RowVariant> row_variants(bool bilinear, bool in_place) {
    std::vector<RowVariant> all{{"plain", bilinear ? quorvex::bilinear_row : quorvex::nearest_row}};
    if (in_place) return all;
    // The first set is the plain one, whose rows are those above.
    const std::vector<SetOf<quorvex::RowTransforms>> sets = sets_of(quorvex::kTransformVariants);
    for (size_t k = 1; k < sets.size(); ++k)
        all.push_back({sets[k].name, bilinear ? sets[k].rows->bilinear : sets[k].rows->nearest});
    return all;
}

// The destination row is row y of a destination as wide as the row and
// `dest_height` high, or, in place, row y of the source itself.
void check_rows(Input& in) {
    const bool bilinear = in.one_in(2);
    const int32_t src_width = 1 + static_cast<int32_t>(in.below(24));
    const int32_t src_height = 1 + static_cast<int32_t>(in.below(24));
    const bool in_place = in.one_in(4);
    const int32_t dest_width = in_place ? src_width : row_width(in);
    const int32_t dest_height = in_place ? src_height : 1 + static_cast<int32_t>(in.below(24));
    const int32_t y = static_cast<int32_t>(in.below(static_cast<uint32_t>(dest_height)));
    const size_t misalign = row_misalignment(in);
    CallerArray<float> matrix(9);
    draw_matrix(in, matrix);
    const quorvex::InverseMap map =
        quorvex::make_inverse_map(matrix.data(), src_width, src_height, dest_width, dest_height);
    const uint32_t seed = in.u32();
    std::vector<std::vector<uint8_t>> contents = {
        random_pixels(static_cast<size_t>(src_width) * src_height, seed)};
    if (!in_place) contents.push_back(random_pixels(static_cast<size_t>(dest_width), seed + 1));
    if (tracing()) {
        std::string m;
        for (size_t k = 0; k < 9; ++k) m += " " + std::to_string(matrix.get(k));
        note(std::string(bilinear ? "bilinear" : "nearest") + " row " + std::to_string(y) + " of " +
             std::to_string(dest_width) + " x " + std::to_string(dest_height) + " from " +
             std::to_string(src_width) + " x " + std::to_string(src_height) +
             (in_place ? " in place" : "") + ", misaligned by " + std::to_string(misalign) +
             ", matrix" + m);
    }
    expect_twins(bilinear ? "bilinear row" : "nearest row", row_variants(bilinear, in_place),
                 contents, misalign, [&](const RowVariant& v, const Blocks& b) {
                     const host::Surface src = surface_in(b[0], src_width, src_height);
                     uint8_t* dest_row = in_place ? src.row(y) : b[1];
                     v.row(map, quorvex::row_terms(map, y), src, dest_row, dest_width);
                     return std::vector<uint8_t>{};
                 });
}

// fill_color's row: every set this CPU runs, the plain one first, on one row
// held in a block of exactly its bytes.
void check_fill_rows(Input& in) {
    const int32_t width = row_width(in);
    const size_t misalign = row_misalignment(in);
    const uint32_t colour = in.u32() & 0x00FFFFFFu;
    const std::vector<std::vector<uint8_t>> contents = {
        random_pixels(static_cast<size_t>(width), in.u32())};
    if (tracing()) note("fill row: width " + std::to_string(width));
    expect_twins("fill row", sets_of(quorvex::kFillVariants), contents, misalign,
                 [&](const SetOf<quorvex::FillRows>& v, const Blocks& b) {
                     v.rows->fill(b[0], width, colour);
                     return std::vector<uint8_t>{};
                 });
}

}  // namespace

Group<TwinCheck> quorvex_twins() {
    return {"quorvex", {{"rows", check_rows}, {"fill rows", check_fill_rows}}};
}

}  // namespace fuzz
