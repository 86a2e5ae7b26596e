// Twins of the block transfers' rows: the alpha-over rule, the blend modes
// and the layering modes, each plain row against its vector twin in every
// instruction set this CPU runs, on separate, shared and overlapping rows.
#include <string>

#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/transfer/transfer_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::RowFunction;
using lumoria::TransferRows;

struct RowVariant {
    const char* name;
    RowFunction row;
};

// A rule's plain row, then its vector twins where the frame would run them:
// an opacity of 1 to 255, and rows that the walk does not read after
// writing them.
template <class Pick>
std::vector<RowVariant> row_variants(RowFunction plain, Pick fast, int32_t opacity,
                                     bool reads_own_writes) {
    std::vector<RowVariant> all{{"plain", plain}};
    if (opacity < 1 || opacity > 255 || reads_own_writes) return all;
    // The first set is the plain one, whose row is `plain`.
    const std::vector<SetOf<TransferRows>> sets = sets_of(lumoria::kTransferVariants);
    for (size_t k = 1; k < sets.size(); ++k)
        if (const RowFunction row = fast(*sets[k].rows)) all.push_back({sets[k].name, row});
    return all;
}

template <class Pick>
void check_rows(Input& in, const std::string& family, RowFunction plain, Pick fast) {
    const int32_t width = row_width(in);
    const RowPairLayout layout(in, width);
    const size_t misalign = row_misalignment(in);
    const int32_t opacity = in.mostly(0, 256);
    // Dissolve draws from the standard generator: every variant gets the
    // same draws.
    const uint32_t seed = in.u32();
    if (tracing()) {
        note(family + ": width " + std::to_string(width) + ", opacity " + std::to_string(opacity) +
             ", misaligned by " + std::to_string(misalign));
    }
    expect_twins(family, row_variants(plain, fast, opacity, layout.reads_own_writes(width)),
                 layout.contents, misalign, [&](const RowVariant& v, const Blocks& b) {
                     std::srand(seed);
                     v.row(layout.dest(b), layout.src(b), width, opacity);
                     return std::vector<uint8_t>{};
                 });
}

void check_alpha_over(Input& in) {
    check_rows(in, "alpha_over_row", lumoria::alpha_over_row,
               [](const TransferRows& r) { return r.over; });
}

void check_blend(Input& in) {
    const uint32_t mode = in.below(lumoria::kDissolveMode + 1);
    check_rows(in, "blend row " + std::to_string(mode), lumoria::blend_row(mode),
               [mode](const TransferRows& r) { return r.blend[mode]; });
}

void check_layer(Input& in) {
    const uint32_t mode = in.below(lumoria::kLayerModes);
    check_rows(in, "layer row " + std::to_string(mode), lumoria::layer_row(mode),
               [mode](const TransferRows& r) { return r.layer[mode]; });
}

}  // namespace

Group<TwinCheck> transfer_twins() {
    return {"transfers",
            {
                {"alpha_over_row", check_alpha_over},
                {"blend rows", check_blend},
                {"layer rows", check_layer},
            }};
}

}  // namespace fuzz
