// Twins of the block transfers' rows: the alpha-over rule, the blend modes
// and the layering modes, on separate, shared and overlapping rows.
#include <string>

#include "groups.h"
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/blend_modes.h"
#include "lumoria/transfer/layer_modes.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::RowFunction;

struct RowVariant {
    const char* name;
    RowFunction row;
};

// The variants of each row, the plain one first.
std::vector<RowVariant> alpha_over_variants() { return {{"plain", lumoria::alpha_over_row}}; }
std::vector<RowVariant> blend_variants(uint32_t mode) {
    return {{"plain", lumoria::blend_row(mode)}};
}
std::vector<RowVariant> layer_variants(uint32_t mode) {
    return {{"plain", lumoria::layer_row(mode)}};
}

void check_rows(Input& in, const std::string& family, const std::vector<RowVariant>& variants) {
    const int32_t width = row_width(in);
    const RowPairLayout layout(in, width);
    const int32_t opacity = in.mostly(0, 256);
    // Dissolve draws from the standard generator: every variant gets the
    // same draws.
    const uint32_t seed = in.u32();
    if (tracing()) {
        note(family + ": width " + std::to_string(width) + ", opacity " + std::to_string(opacity));
    }
    expect_twins(family.c_str(), variants, layout.contents,
                 [&](const RowVariant& v, const Blocks& b) {
                     std::srand(seed);
                     v.row(layout.dest(b), layout.src(b), width, opacity);
                     return std::vector<uint8_t>{};
                 });
}

void check_alpha_over(Input& in) { check_rows(in, "alpha_over_row", alpha_over_variants()); }

void check_blend(Input& in) {
    const uint32_t mode = in.below(lumoria::kDissolveMode + 1);
    check_rows(in, "blend_row " + std::to_string(mode), blend_variants(mode));
}

void check_layer(Input& in) {
    const uint32_t mode = in.below(4);
    check_rows(in, "layer_row " + std::to_string(mode), layer_variants(mode));
}

}  // namespace

Group<TwinCheck> transfer_twins() {
    return {"transfers",
            {
                {"alpha_over_row", check_alpha_over},
                {"blend_row", check_blend},
                {"layer_row", check_layer},
            }};
}

}  // namespace fuzz
