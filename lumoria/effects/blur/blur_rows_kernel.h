// The radial blur rows for a vector set V of host/vector_*.h with gathers
// (AVX2, AVX-512): the lines of V::kPixels neighbouring pixels are walked
// together, one per 32-bit lane, each with its own position and error term;
// every step gathers one sample per lane. A lane whose run is complete
// stops reading and adds nothing. Included only by the file built for that
// set, after its header.
#pragma once

#include <algorithm>

#include "lumoria/effects/blur/blur_rows.h"
#include "lumoria/effects/blur/blur_walk.h"

namespace lumoria {
namespace {

template <class V>
struct BlurLanes {
    using Vec = typename V::I32;
    using U32 = typename V::U32;
    using U16 = typename V::U16;
    using F32 = typename V::F32;
    static constexpr int32_t kLanes = V::kPixels;

    // How a step reads its lanes' samples: one gather, or plain loads where
    // the lines of the lanes keep their samples side by side (see
    // sample_lanes).
    enum class Reads { kGather, kOneRow, kRowPair };

    // The lines of up to kLanes neighbouring pixels of one row, a lane each.
    // Offsets are in bytes from the source's top row, which the surface's span
    // below 2 GiB keeps within 32 bits.
    struct Lines {
        // Offsets and steps wrap: a lane past its run goes on stepping, unread.
        U32 offset, major_step, minor_step;
        Vec error, major_length, minor_length;
        Vec points;  // how many samples each lane averages; 0 past the row's end
        int32_t longest;
        Reads reads;
    };

    // Each lane's run length: the same for all with fixed runs, else one by one.
    static Vec runs_of(const FixedRun& run, const BlurFrame&, int32_t, int32_t) {
        return V::splat_i32(run.samples);
    }
    static Vec runs_of(const ScaledRun& run, const BlurFrame& frame, int32_t x0, int32_t y) {
        alignas(V::kBytes) int32_t runs[kLanes];
        // Scaled runs lie within the 32-bit range.
        for (int32_t lane = 0; lane < kLanes; ++lane)
            runs[lane] = static_cast<int32_t>(run(x0 + lane - frame.cx, y - frame.cy));
        return (Vec)V::load(reinterpret_cast<const uint8_t*>(runs));
    }

    // The lines of `lanes` pixels from (x0, y), as line_to_centre makes them:
    // the major axis is y where the way along y is strictly longer, else x.
    template <typename RunLength>
    static Lines lines_of(const BlurFrame& frame, int32_t x0, int32_t y, int32_t lanes,
                          const RunLength& run_length) {
        const Vec lane = V::lane_numbers();
        const Vec x = x0 + lane;
        const Vec to_x = frame.cx - x;
        const int32_t to_y = frame.cy - y;
        const Vec along_x = V::abs_i32(to_x);
        const Vec along_y = V::splat_i32(to_y < 0 ? -to_y : to_y);
        const Vec y_major = along_y > along_x;
        const auto stride = static_cast<int32_t>(frame.src.stride());
        // Rows run downwards in memory: a step down is a step back by a stride.
        const Vec step_x =
            V::select(to_x > 0, V::splat_i32(host::kPixelBytes), V::splat_i32(-host::kPixelBytes));
        const Vec step_y = V::splat_i32(to_y > 0 ? -stride : stride);
        Lines lines;
        lines.major_length = V::select(y_major, along_y, along_x);
        lines.minor_length = V::select(y_major, along_x, along_y);
        lines.major_step = (U32)V::select(y_major, step_y, step_x);
        lines.minor_step = (U32)V::select(y_major, step_x, step_y);
        lines.error = (Vec)((U32)lines.major_length >> 1);
        // Within the surface's span, so the offset fits 32 bits.
        lines.offset =
            (U32)(static_cast<int32_t>(int64_t{x0} * host::kPixelBytes - int64_t{y} * stride) +
                  (lane << 2));
        // As many points as the run and the line allow, and at least the pixel
        // itself: a pixel that is not blurred is the mean of itself alone.
        const Vec one = V::splat_i32(1);
        const Vec points =
            V::max_i32(V::min_i32(runs_of(run_length, frame, x0, y), lines.major_length + 1), one);
        lines.points = points & (lanes > lane);
        lines.longest = 0;
        for (int32_t i = 0; i < kLanes; ++i)
            lines.longest = std::max(lines.longest, lines.points[i]);
        lines.reads = reads_of(frame, lines, y_major, to_x, lanes);
        return lines;
    }

    // Plain loads serve a whole vector of lanes, every lane of every step
    // lying on its own line between its pixel and the centre (the walk
    // takes at most `longest` samples):
    // - lines steeper than 45 degrees all have the length |to_y|, and at
    //   every step their samples lie in one row, in the lanes' order and
    //   each at most one column from the next: inside the kLanes pixels from
    //   lane 0's. Those stay inside the row when the surface is at least
    //   2 kLanes wide.
    // - flatter lines on one side of the centre, each at least `longest`
    //   points long, step along x together: at every step lane i's sample
    //   lies i columns right of lane 0's, so the kLanes pixels from lane 0's
    //   column, in the row of any lane's sample, lie inside the surface.
    //   The lanes' rows run in order from lane 0's to the last lane's, and
    //   far from the centre they are one or two.
    static Reads reads_of(const BlurFrame& frame, const Lines& lines, Vec y_major, Vec to_x,
                          int32_t lanes) {
        if (lanes != kLanes) return Reads::kGather;
        bool all_steep = true, none_steep = true, all_left = true, all_right = true;
        int32_t shortest = lines.major_length[0];
        for (int32_t i = 0; i < kLanes; ++i) {
            all_steep = all_steep && y_major[i];
            none_steep = none_steep && !y_major[i];
            all_left = all_left && to_x[i] > 0;
            all_right = all_right && to_x[i] < 0;
            shortest = std::min(shortest, lines.major_length[i]);
        }
        if (all_steep && frame.src.width >= 2 * kLanes) return Reads::kOneRow;
        if (none_steep && (all_left || all_right) && shortest >= lines.longest - 1)
            return Reads::kRowPair;
        return Reads::kGather;
    }

    // The samples at each lane's offset, in the lanes of `live`, 0 elsewhere.
    static U32 sample_lanes(Reads reads, const uint8_t* base, U32 offset, Vec live) {
        const auto at = [&](uint32_t byte) {
            return V::load(base + static_cast<ptrdiff_t>(static_cast<int32_t>(byte)));
        };
        const auto gather = [&] { return V::template gather_32<1>(base, (Vec)offset, live); };
        if (reads == Reads::kGather) return gather();
        const uint32_t first = offset[0];
        if (reads == Reads::kOneRow) {
            const Vec column = (Vec)((offset - first) >> 2);
            return V::permute_32(column, at(first)) & (U32)live;
        }
        if (reads == Reads::kRowPair) {
            // Each lane's sample is in the row of lane 0's or in that of the
            // last lane's (rows that are usually the same or neighbours),
            // at its own place from the column of lane 0's.
            const U32 row_start = offset - ((U32)V::lane_numbers() << 2);
            const uint32_t last = row_start[kLanes - 1];
            const Vec in_first_row = (Vec)(row_start == first);
            if (V::all(in_first_row | (Vec)(row_start == last)))
                return V::select(in_first_row, at(first), at(last)) & (U32)live;
        }
        return gather();
    }

    // The truncated mean of each lane's sums, of at most 32769 samples: the
    // float mean of channel_sums.h.
    static Vec mean(Vec sums, F32 count) { return V::truncate(V::to_floats(sums) / count); }

    // Blurs `lanes` (1 to kLanes) pixels of row y from column x0.
    template <typename RunLength>
    static void blur_lanes(const BlurFrame& frame, int32_t x0, int32_t y, int32_t lanes,
                           const RunLength& run_length) {
        const Lines lines = lines_of(frame, x0, y, lanes, run_length);
        const auto* base = reinterpret_cast<const uint8_t*>(frame.src.row0);
        const U32 low_bytes = V::splat_u32(0x00FF00FF);
        U32 offset = lines.offset;
        Vec error = lines.error;
        Vec taken{};  // samples taken so far, in every lane
        Vec blue{}, green{}, red{}, alpha{};
        for (int32_t done = 0; done < lines.longest;) {
            const int32_t chunk = std::min(lines.longest - done, kSamplesPerFlush);
            // Blue and red, green and alpha: two channels in the 16-bit halves
            // of a lane, emptied every kSamplesPerFlush samples.
            U16 blue_red{}, green_alpha{};
            for (int32_t k = 0; k < chunk; ++k) {
                const U32 pixels = sample_lanes(lines.reads, base, offset, lines.points > taken);
                blue_red += (U16)(pixels & low_bytes);
                green_alpha += (U16)(pixels >> 8 & low_bytes);
                error -= lines.minor_length;
                const Vec turns = error < 0;
                offset += (U32)turns & lines.minor_step;
                error += turns & lines.major_length;
                offset += lines.major_step;
                taken += 1;
            }
            blue += (Vec)((U32)blue_red & 0xFFFF);
            red += (Vec)((U32)blue_red >> 16);
            green += (Vec)((U32)green_alpha & 0xFFFF);
            alpha += (Vec)((U32)green_alpha >> 16);
            done += chunk;
        }
        const F32 count = V::to_floats(V::max_i32(lines.points, V::splat_i32(1)));
        const U32 pixels = V::pack_32_to_8_by_channel(mean(blue, count), mean(green, count),
                                                      mean(red, count), mean(alpha, count));
        uint8_t* out = frame.dest.pixel(x0, y);
        if (lanes == kLanes) {
            V::store(out, pixels);
        } else {
            V::masked_store_32(out, lines.points > 0, pixels);
        }
    }

    template <typename RunLength>
    static void blur_row_lanes(const BlurFrame& frame, int32_t y, const RunLength& run_length) {
        const int32_t width = frame.dest.width;
        for (int32_t x0 = 0; x0 < width; x0 += kLanes)
            blur_lanes(frame, x0, y, std::min(kLanes, width - x0), run_length);
    }

    static void fixed_row(const BlurFrame& frame, int32_t y, int32_t samples) {
        blur_row_lanes(frame, y, FixedRun{samples});
    }

    static void scaled_row(const BlurFrame& frame, int32_t y, int32_t samples) {
        blur_row_lanes(frame, y, ScaledRun(frame, samples));
    }
};

}  // namespace
}  // namespace lumoria
