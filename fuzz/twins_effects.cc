// Twins of the spatial effects' rows: the block sums and fills of pixelize, the
// column rows of a column ripple, the brightness rings, and the radial blur
// over a whole small surface.
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/effects/blur/blur_rows.h"
#include "lumoria/effects/pixelize/block_rows.h"
#include "lumoria/effects/ripples/ripple_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::BlurFrame;

std::vector<uint8_t> bytes_of(const lumoria::ChannelSums& sums) {
    std::vector<uint8_t> out(sizeof sums);
    std::memcpy(out.data(), &sums, sizeof sums);
    return out;
}

// A block of pixelize, width x height pixels of a surface at least as wide:
// its sums, then its fill.
void check_block_rows(Input& in) {
    const int32_t width = row_width(in);
    const int32_t stride_pixels = width + static_cast<int32_t>(in.below(5));
    const int32_t height = 1 + static_cast<int32_t>(in.below(in.one_in(8) ? 300 : 12));
    const std::vector<uint8_t> pixels =
        random_pixels(static_cast<size_t>(stride_pixels) * height, in.u32());
    const size_t misalign = row_misalignment(in);
    const uint32_t value = in.u32();
    if (tracing())
        note("block rows: " + std::to_string(width) + " x " + std::to_string(height) +
             " in rows of " + std::to_string(stride_pixels));
    expect_twins("block rows", sets_of(lumoria::kBlockVariants), {pixels}, misalign,
                 [&](const SetOf<lumoria::BlockRows>& v, const Blocks& b) {
                     if (width <= 0) return std::vector<uint8_t>{};
                     const auto stride = static_cast<uintptr_t>(stride_pixels) * 4;
                     lumoria::ChannelSums sums;
                     uint8_t* first = b[0] + (height - 1) * stride;
                     v.rows->sum(first, stride, width, height, sums);
                     v.rows->fill(first, stride, width, height, value);
                     return bytes_of(sums);
                 });
}

// Blocks 8 pixels wide flattened several at a time, where a set can, else
// one by one as the plain set does.
void check_8_wide_blocks(Input& in) {
    const int32_t blocks = 1 + static_cast<int32_t>(in.below(40));
    const int32_t stride_pixels = blocks * 8 + static_cast<int32_t>(in.below(9));
    const int32_t height = 1 + static_cast<int32_t>(in.below(in.one_in(8) ? 300 : 12));
    const std::vector<uint8_t> pixels =
        random_pixels(static_cast<size_t>(stride_pixels) * height, in.u32());
    const size_t misalign = row_misalignment(in);
    if (tracing())
        note("8-wide blocks: " + std::to_string(blocks) + " x " + std::to_string(height) +
             " in rows of " + std::to_string(stride_pixels));
    expect_twins("8-wide blocks", sets_of(lumoria::kBlockVariants), {pixels}, misalign,
                 [&](const SetOf<lumoria::BlockRows>& v, const Blocks& b) {
                     const auto stride = static_cast<uintptr_t>(stride_pixels) * 4;
                     const lumoria::Flatten8Wide flatten =
                         v.rows->flatten_8_wide ? v.rows->flatten_8_wide
                                                : lumoria::kPlainBlockRows.flatten_8_wide;
                     flatten(b[0] + (height - 1) * stride, stride, blocks, height);
                     return std::vector<uint8_t>{};
                 });
}

// Columns first .. end - 1 of one destination row, each covering row y or
// not, each reading any byte of a source row of its own.
void check_column_rows(Input& in) {
    const int32_t first = static_cast<int32_t>(in.below(8));
    const int32_t end = first + row_width(in);
    const int32_t y = static_cast<int32_t>(in.below(2000));  // a row of the destination
    const int32_t source_pixels = 1 + static_cast<int32_t>(in.below(64));
    const size_t source_bytes = static_cast<size_t>(source_pixels) * 4;
    const size_t misalign = row_misalignment(in);
    // The offsets are from the source block's middle, so that they reach
    // both ways.
    const auto middle = static_cast<int32_t>(source_bytes / 2);
    auto places = std::make_unique<lumoria::ColumnPlaces>();
    for (int32_t c = first; c < end; ++c) {
        places->top[c] = y - static_cast<int32_t>(in.below(3));
        places->end[c] = y - 1 + static_cast<int32_t>(in.below(4));
        places->offset[c] =
            static_cast<int32_t>(in.below(static_cast<uint32_t>(source_bytes) - 3)) - middle;
    }
    if (tracing())
        note("column rows: columns " + std::to_string(first) + " to " + std::to_string(end) +
             " of row " + std::to_string(y) + ", source of " + std::to_string(source_pixels) +
             " pixels");
    const std::vector<std::vector<uint8_t>> contents = {
        random_pixels(static_cast<size_t>(source_pixels), in.u32()),
        random_pixels(static_cast<size_t>(end), in.u32())};
    expect_twins("column rows", sets_of(lumoria::kRippleVariants), contents, misalign,
                 [&](const SetOf<lumoria::RippleRows>& v, const Blocks& b) {
                     const uintptr_t src_row = reinterpret_cast<uintptr_t>(b[0]) + middle;
                     v.rows->columns(b[1], src_row, *places, first, end, y);
                     return std::vector<uint8_t>{};
                 });
}

void check_ring_row(Input& in) {
    const int32_t width = row_width(in);
    const std::vector<uint8_t> pixels = random_pixels(static_cast<size_t>(width), in.u32());
    const size_t misalign = row_misalignment(in);
    const int64_t first_dx = in.mostly(-60, 60);
    const float dy_squared = lumoria::float_square(in.mostly(-60, 60));
    const int64_t first_distance = in.mostly(0, 40);
    CallerArray<float> factors(in.below(64));
    // Finite factors, as ripple_circ's table holds: any float pattern but
    // the infinities and NaN, or a byte's hundredth.
    for (size_t k = 0; k < factors.size(); ++k) {
        const float real = in.real();
        const bool any = in.one_in(4) && std::isfinite(real);
        factors.set(k, any ? real : static_cast<float>(in.byte()) / 100.0f);
    }
    const lumoria::RingTable rings{factors.data(), first_distance, factors.size()};
    if (tracing()) {
        note("ring_row: width " + std::to_string(width) + ", first dx " + std::to_string(first_dx) +
             ", dy squared " + std::to_string(dy_squared) + ", distances from " +
             std::to_string(first_distance) + ", " + std::to_string(factors.size()) + " factors");
    }
    expect_twins("ring_row", sets_of(lumoria::kRippleVariants), {pixels}, misalign,
                 [&](const SetOf<lumoria::RippleRows>& v, const Blocks& b) {
                     v.rows->rings(b[0], width, first_dx, dy_squared, rings);
                     return std::vector<uint8_t>{};
                 });
}

void check_blur(Input& in) {
    static constexpr const char* kKinds[] = {"blur_row_fixed", "blur_row_scaled", "copy_row"};
    const int kind = static_cast<int>(in.below(3));
    // Up to 48 wide: the widest vectors read whole rows of neighbouring
    // samples on surfaces at least 32 wide.
    const int32_t width = 1 + static_cast<int32_t>(in.below(in.one_in(3) ? 48 : 24));
    const int32_t height = 1 + static_cast<int32_t>(in.below(24));
    const bool in_place = in.one_in(3);
    const int32_t samples = in.small(-1, 30);
    const size_t pixels = static_cast<size_t>(width) * height;
    const uint32_t seed = in.u32();
    const size_t misalign = row_misalignment(in);
    std::vector<std::vector<uint8_t>> contents = {random_pixels(pixels, seed)};
    if (!in_place) contents.push_back(random_pixels(pixels, seed + 1));
    if (tracing()) {
        note(std::string(kKinds[kind]) + ": " + std::to_string(width) + " x " +
             std::to_string(height) + (in_place ? " in place" : "") + ", samples " +
             std::to_string(samples));
    }
    // The copy has no vector twin: it runs alone.
    // A pass over every row: a set of blur rows (used, as the export uses
    // them, only where fits_vector_blur allows, else the plain set), or the
    // copy for runs of one sample, which ignores `samples`.
    std::vector<SetOf<lumoria::BlurRows>> variants = sets_of(lumoria::kBlurVariants);
    if (kind == 2) variants.resize(1);
    expect_twins(kKinds[kind], variants, contents, misalign,
                 [&](const SetOf<lumoria::BlurRows>& v, const Blocks& b) {
                     BlurFrame frame{surface_in(b[in_place ? 0 : 1], width, height),
                                     surface_in(b[0], width, height), width / 2, height / 2};
                     const lumoria::BlurRows& rows =
                         lumoria::fits_vector_blur(frame) ? *v.rows : lumoria::kPlainBlurRows;
                     for (int32_t y = 0; y < height; ++y) {
                         if (kind == 0) rows.fixed(frame, y, samples);
                         if (kind == 1) rows.scaled(frame, y, samples);
                         if (kind == 2) lumoria::copy_row(frame, y);
                     }
                     return std::vector<uint8_t>{};
                 });
}

}  // namespace

Group<TwinCheck> effect_twins() {
    return {"effects",
            {
                {"block rows", check_block_rows},
                {"8-wide blocks", check_8_wide_blocks},
                {"column rows", check_column_rows},
                {"ring_row", check_ring_row},
                {"blur rows", check_blur},
            }};
}

}  // namespace fuzz
