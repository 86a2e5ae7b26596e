// The channel sums and truncated means of runs of pixels, shared by
// pixelize's blocks and the radial blur's lines. Each is a small plain
// function so that a vectorised twin of a row function can be checked
// against it byte for byte.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"

namespace lumoria {

// Sums of the four channels of a run of pixels. 64 bits wide: a run of more
// than about 8.4 million pixels would overflow 32-bit sums and give a wrong
// mean. The run's length is counted by the caller, who knows it in advance.
struct ChannelSums {
    uint64_t blue = 0, green = 0, red = 0, alpha = 0;
};

// The vector rows add sample bytes into 16-bit lanes and empty the lanes
// into 32-bit sums at least every this many samples: 255 · 256 < 65536.
constexpr int32_t kSamplesPerFlush = 256;

// The vector rows form a mean as the float quotient of a 32-bit sum and its
// count, truncated. That is the exact truncated mean while the sums stay
// below 2^24 and the count is at most kLargestFloatMeanCount: both are exact
// in float, and the rounded quotient of a mean that is not whole lies at
// least 1/count below the next whole number, more than half a float step at
// 255.
constexpr int64_t kLargestFloatMeanCount = 65536;

inline void add_pixel(ChannelSums& sums, const uint8_t* p) {
    sums.blue += p[host::kBlue];
    sums.green += p[host::kGreen];
    sums.red += p[host::kRed];
    sums.alpha += p[host::kAlpha];
}

// The truncated mean of each channel of `count` summed pixels into `out`;
// `count` is at least 1. Every mean is 0..255.
inline void store_mean(const ChannelSums& sums, uint64_t count, uint8_t* out) {
    // Fewer than 2^24 pixels sum to below 2^32 in each channel, and 32-bit
    // division is several times quicker.
    if (count < (uint64_t{1} << 24)) {
        const auto n = static_cast<uint32_t>(count);
        out[host::kBlue] = static_cast<uint8_t>(static_cast<uint32_t>(sums.blue) / n);
        out[host::kGreen] = static_cast<uint8_t>(static_cast<uint32_t>(sums.green) / n);
        out[host::kRed] = static_cast<uint8_t>(static_cast<uint32_t>(sums.red) / n);
        out[host::kAlpha] = static_cast<uint8_t>(static_cast<uint32_t>(sums.alpha) / n);
        return;
    }
    out[host::kBlue] = static_cast<uint8_t>(sums.blue / count);
    out[host::kGreen] = static_cast<uint8_t>(sums.green / count);
    out[host::kRed] = static_cast<uint8_t>(sums.red / count);
    out[host::kAlpha] = static_cast<uint8_t>(sums.alpha / count);
}

// store_mean for many sums of one count of at most 2^20 pixels, by a
// multiply instead of a division: with M = 2^56 / count + 1, sum * M / 2^56
// truncated is sum / count for every sum up to 255 count (the product stays
// below 2^64, and its excess over the quotient below 1 / count).
class MeanDivisor {
  public:
    static constexpr uint64_t kLargestCount = uint64_t{1} << 20;
    explicit MeanDivisor(uint64_t count) : multiplier_((uint64_t{1} << 56) / count + 1) {}

    void store_mean(const ChannelSums& sums, uint8_t* out) const {
        out[host::kBlue] = mean(sums.blue);
        out[host::kGreen] = mean(sums.green);
        out[host::kRed] = mean(sums.red);
        out[host::kAlpha] = mean(sums.alpha);
    }

  private:
    uint8_t mean(uint64_t sum) const { return static_cast<uint8_t>(sum * multiplier_ >> 56); }
    uint64_t multiplier_;
};

}  // namespace lumoria
