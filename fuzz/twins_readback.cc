// Twins of get_pixels' record bands: every band of a small surface, its
// records in a block of their own.
#include <algorithm>
#include <cstring>
#include <string>

#include "groups.h"
#include "lumoria/readback/record_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

void check_record_rows(Input& in) {
    const int32_t width = 1 + static_cast<int32_t>(in.below(in.one_in(4) ? 70 : 20));
    const int32_t height = 1 + static_cast<int32_t>(in.below(in.one_in(4) ? 50 : 20));
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const bool stream = in.one_in(2);
    // The caller's ints are aligned to 4 bytes, no more.
    const size_t misalign = row_misalignment(in) & ~size_t{3};
    if (tracing())
        note("record rows: " + std::to_string(width) + " x " + std::to_string(height) +
             (stream ? ", streamed" : ""));
    const std::vector<std::vector<uint8_t>> contents = {random_pixels(pixels, in.u32()),
                                                        std::vector<uint8_t>(pixels * 16)};
    expect_twins("record rows", sets_of(lumoria::kRecordVariants), contents, misalign,
                 [&](const SetOf<lumoria::RecordRows>& v, const Blocks& b) {
                     const host::Surface surface = surface_in(b[0], width, height);
                     auto* records = reinterpret_cast<int32_t*>(b[1]);
                     for (int32_t y0 = 0; y0 < height; y0 += lumoria::kBandRows)
                         v.rows->band(surface, y0, std::min(lumoria::kBandRows, height - y0),
                                      records, stream);
                     return std::vector<uint8_t>{};
                 });
}

}  // namespace

Group<TwinCheck> readback_twins() { return {"read-back", {{"record rows", check_record_rows}}}; }

}  // namespace fuzz
