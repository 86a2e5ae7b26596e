// Twins of the block transfers' rows: the alpha-over rule, the blend modes
// and the layering modes, each plain row against its vector twin in every
// instruction set this CPU runs, on separate, shared and overlapping rows;
// and each transfer export against its own frame run with the plain rows
// only, which tests the frame's choice of where a vector row is exact.
#include <cstring>
#include <string>

#include "exports.h"
#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/transfer/vector_rows.h"
#include "transfer_args.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::RowFunction;
using lumoria::TransferRows;

struct RowVariant {
    const char* name;
    RowFunction row;
};

// The vector sets this build has and this CPU runs.
std::vector<std::pair<const char*, const TransferRows*>> vector_sets() {
    std::vector<std::pair<const char*, const TransferRows*>> sets;
    lumoria::kTransferVariants.each_on_this_cpu([&](const char* name, const TransferRows& rows) {
        if (&rows != &lumoria::kPlainTransferRows) sets.push_back({name, &rows});
    });
    return sets;
}

// A rule's plain row, then its vector twins where the frame would run them:
// an opacity of 1 to 255, and rows that the walk does not read after
// writing them.
template <class Pick>
std::vector<RowVariant> row_variants(RowFunction plain, Pick fast, int32_t opacity,
                                     bool reads_own_writes) {
    std::vector<RowVariant> all{{"plain", plain}};
    if (opacity < 1 || opacity > 255 || reads_own_writes) return all;
    for (const auto& [name, rows] : vector_sets())
        if (const RowFunction row = fast(*rows)) all.push_back({name, row});
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

// simple_blt's plain row: the pixels copied one by one, in walk order.
void copy_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t) {
    for (int32_t i = 0; i < width; ++i) {
        uint8_t pixel[4];
        std::memcpy(pixel, src + 4 * i, 4);
        std::memcpy(dest + 4 * i, pixel, 4);
    }
}

// blt, simple_blt, blend_blt (modes 0 to 11: dissolve draws from the clock's
// seed) or transfer_blt on a scene, against the same frame with only plain
// rows.
void check_frame(Input& in) {
    Scene s(in);
    const Transfer t(s, in);
    const uint32_t kind = in.below(4);
    const uint32_t mode = in.below(kind == 2 ? lumoria::kDissolveMode : lumoria::kLayerModes);
    const int32_t opacity = pick_opacity(in);
    const RowFunction plain = kind == 0   ? lumoria::alpha_over_row
                              : kind == 1 ? copy_row
                              : kind == 2 ? lumoria::blend_row(mode)
                                          : lumoria::layer_row(mode);
    const int32_t dest = s.handle(t.dest), src = s.handle(t.src);
    const auto m = static_cast<int32_t>(mode);
    const bool refused = opacity == 0 && kind != 1;
    expect_plain_frame(
        s, t.dest,
        [&] {
            lumoria::ClippedTransfer clipped;
            if (lumoria::clip_transfer({dest, src, t.dx, t.dy, t.sx, t.sy, t.width, t.height},
                                       refused, clipped))
                lumoria::walk_rows(clipped, plain, nullptr, opacity);
        },
        [&] {
            const Write w = t.write(s);
            switch (kind) {
                case 0:
                    s.call("blt", Result::kStatus, {w}, exports().blt, dest, src, t.dx, t.dy, t.sx,
                           t.sy, t.width, t.height, opacity);
                    break;
                case 1:
                    s.call("simple_blt", Result::kStatus, {w}, exports().simple_blt, dest, src,
                           t.dx, t.dy, t.sx, t.sy, t.width, t.height);
                    break;
                case 2:
                    s.call("blend_blt", Result::kStatus, {w}, exports().blend_blt, dest, src, t.dx,
                           t.dy, t.sx, t.sy, t.width, t.height, m, opacity);
                    break;
                default:
                    s.call("transfer_blt", Result::kStatus, {w}, exports().transfer_blt, dest, src,
                           t.dx, t.dy, t.sx, t.sy, t.width, t.height, m, opacity);
            }
        });
}

}  // namespace

Group<TwinCheck> transfer_twins() {
    return {"transfers",
            {
                {"alpha_over_row", check_alpha_over},
                {"blend rows", check_blend},
                {"layer rows", check_layer},
                {"transfer frames", check_frame},
            }};
}

}  // namespace fuzz
