// Twins of the mask transitions' rows, with the mask in its own bitmap or
// in the destination itself.
#include <string>

#include "groups.h"
#include "lumoria/maps/transition_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::TransitionRows;

// Every set of rows this CPU runs, the plain one first, on one row pair
// (the mask in its own row, or in dest itself, even overlapping it).
void check_rows(Input& in, const char* family, lumoria::TransitionRow TransitionRows::*fade) {
    const int32_t width = row_width(in);
    const RowPairLayout layout(in, width);
    const size_t misalign = row_misalignment(in);
    const int32_t progress = in.mostly(-300, 600), total = in.mostly(0, 500);
    const int32_t softness = in.mostly(-10, 300);
    lumoria::TransitionCall call;
    call.frame = lumoria::transition_frame(progress, total, softness);
    call.scales = fade == &TransitionRows::fade_in ? lumoria::fade_in_scales(call.frame)
                                                   : lumoria::fade_out_scales(call.frame);
    if (tracing()) {
        note(std::string(family) + ": width " + std::to_string(width) + ", progress " +
             std::to_string(progress) + ", total " + std::to_string(total) + ", softness " +
             std::to_string(softness));
    }
    expect_twins(family, sets_of(lumoria::kTransitionVariants), layout.contents, misalign,
                 [&](const SetOf<TransitionRows>& v, const Blocks& b) {
                     (v.rows->*fade)(layout.dest(b), layout.src(b), width, call);
                     return std::vector<uint8_t>{};
                 });
}

void check_in(Input& in) { check_rows(in, "transition_in_row", &TransitionRows::fade_in); }
void check_out(Input& in) { check_rows(in, "transition_out_row", &TransitionRows::fade_out); }

}  // namespace

Group<TwinCheck> map_twins() {
    return {"maps",
            {
                {"transition_in_row", check_in},
                {"transition_out_row", check_out},
            }};
}

}  // namespace fuzz
