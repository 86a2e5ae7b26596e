// Twins of the spatial effects' rows: the channel sums of pixelize, the
// brightness rings, and the radial blur over a whole small surface.
#include <cstring>
#include <string>

#include "groups.h"
#include "host/cpu_features.h"
#include "lumoria/effects/rows.h"
#include "lumoria/effects/vector_rows.h"
#include "twins.h"

namespace fuzz {
namespace {

using lumoria::BlurFrame;

struct AddRowVariant {
    const char* name;
    void (*row)(const uint8_t* pixels, int64_t width, lumoria::ChannelSums& sums);
};
struct RingRowVariant {
    const char* name;
    void (*row)(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                const lumoria::RingTable& rings);
};
// A pass over every row of a radial blur: a set of blur rows (used, as the
// export uses them, only where fits_vector_blur allows, else the plain set),
// or the copy for runs of one sample, which ignores `samples`.
struct BlurVariant {
    const char* name;
    const lumoria::BlurRows* rows;
};

// The blur rows of every set this CPU runs, the plain ones first.
std::vector<BlurVariant> blur_variants() {
    std::vector<BlurVariant> variants;
    lumoria::kBlurVariants.each_on_this_cpu([&](const char* name, const lumoria::BlurRows& rows) {
        variants.push_back({name, &rows});
    });
    return variants;
}

std::vector<uint8_t> bytes_of(const lumoria::ChannelSums& sums) {
    std::vector<uint8_t> out(sizeof sums);
    std::memcpy(out.data(), &sums, sizeof sums);
    return out;
}

void check_add_row(Input& in) {
    const int32_t width = row_width(in);
    const std::vector<uint8_t> pixels = random_pixels(static_cast<size_t>(width), in.u32());
    const size_t misalign = row_misalignment(in);
    if (tracing()) note("add_row: width " + std::to_string(width));
    expect_twins("add_row", std::vector<AddRowVariant>{{"plain", lumoria::add_row}}, {pixels},
                 misalign, [&](const AddRowVariant& v, const Blocks& b) {
                     lumoria::ChannelSums sums;
                     v.row(b[0], width, sums);
                     return bytes_of(sums);
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
    for (size_t k = 0; k < factors.size(); ++k)
        factors.set(k, in.one_in(4) ? in.real() : static_cast<float>(in.byte()) / 100.0f);
    const lumoria::RingTable rings{factors.data(), first_distance, factors.size()};
    if (tracing()) {
        note("ring_row: width " + std::to_string(width) + ", first dx " + std::to_string(first_dx) +
             ", dy squared " + std::to_string(dy_squared) + ", distances from " +
             std::to_string(first_distance) + ", " + std::to_string(factors.size()) + " factors");
    }
    expect_twins("ring_row", std::vector<RingRowVariant>{{"plain", lumoria::ring_row}}, {pixels},
                 misalign, [&](const RingRowVariant& v, const Blocks& b) {
                     v.row(b[0], width, first_dx, dy_squared, rings);
                     return std::vector<uint8_t>{};
                 });
}

void check_blur(Input& in) {
    static constexpr const char* kKinds[] = {"blur_row_fixed", "blur_row_scaled", "copy_row"};
    const int kind = static_cast<int>(in.below(3));
    const int32_t width = 1 + static_cast<int32_t>(in.below(24));
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
    std::vector<BlurVariant> variants = blur_variants();
    if (kind == 2) variants.resize(1);
    expect_twins(kKinds[kind], variants, contents, misalign,
                 [&](const BlurVariant& v, const Blocks& b) {
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
                {"add_row", check_add_row},
                {"ring_row", check_ring_row},
                {"blur rows", check_blur},
            }};
}

}  // namespace fuzz
