// Twins of the mask transitions' rows, with the mask in its own bitmap or
// in the destination itself.
#include <string>

#include "groups.h"
#include "lumoria/maps/transition_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using TransitionRow = void (*)(uint8_t* dest, const uint8_t* mask, int32_t count,
                               const lumoria::TransitionFrame& frame);

struct RowVariant {
    const char* name;
    TransitionRow row;
};

// A transition row has only its plain variant, run on exactly sized rows.
void check_rows(Input& in, const char* family, TransitionRow plain) {
    const int32_t width = row_width(in);
    const RowPairLayout layout(in, width);
    const size_t misalign = row_misalignment(in);
    const int32_t progress = in.mostly(-300, 600), total = in.mostly(0, 500);
    const int32_t softness = in.mostly(-10, 300);
    const lumoria::TransitionFrame frame = lumoria::transition_frame(progress, total, softness);
    if (tracing()) {
        note(std::string(family) + ": width " + std::to_string(width) + ", progress " +
             std::to_string(progress) + ", total " + std::to_string(total) + ", softness " +
             std::to_string(softness));
    }
    expect_twins(family, std::vector<RowVariant>{{"plain", plain}}, layout.contents, misalign,
                 [&](const RowVariant& v, const Blocks& b) {
                     v.row(layout.dest(b), layout.src(b), width, frame);
                     return std::vector<uint8_t>{};
                 });
}

void check_in(Input& in) { check_rows(in, "transition_in_row", lumoria::transition_in_row); }
void check_out(Input& in) { check_rows(in, "transition_out_row", lumoria::transition_out_row); }

}  // namespace

Group<TwinCheck> map_twins() {
    return {"maps",
            {
                {"transition_in_row", check_in},
                {"transition_out_row", check_out},
            }};
}

}  // namespace fuzz
