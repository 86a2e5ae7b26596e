// The ripples' vector rows against the plain rows: the column rows of a
// column ripple and the brightness rings, every set the CPU has, byte for
// byte.
#include "lumoria/effects/ripples/ripple_rows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes random_bytes(std::mt19937& rng, size_t size) {
    Bytes bytes(size);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
    return bytes;
}

// Columns first .. end - 1 of a row, each covering a few rows around y or
// not, reading from any byte of the source (unaligned included); the row is
// written between guard pixels.
TEST(RippleRows, EverySetPlacesThePlainColumns) {
    std::mt19937 rng(5);
    const Bytes source = random_bytes(rng, 4096);
    auto places = std::make_unique<ColumnPlaces>();
    for (const auto& set : vector_sets_of(kRippleVariants)) {
        for (int i = 0; i < 3000; ++i) {
            const int32_t first = static_cast<int32_t>(rng() % 40);
            const int32_t end = first + static_cast<int32_t>(rng() % (i % 8 ? 70 : 300));
            const int32_t y = static_cast<int32_t>(rng() % 1000) - 500;
            for (int32_t c = first; c < end; ++c) {
                places->top[c] = y - static_cast<int32_t>(rng() % 3);
                places->end[c] = y - 1 + static_cast<int32_t>(rng() % 4);
                places->offset[c] = static_cast<int32_t>(rng() % (source.size() - 3)) - 1000;
            }
            const auto src_row = reinterpret_cast<uintptr_t>(source.data()) + 1000;
            const Bytes start = random_bytes(rng, static_cast<size_t>(end + 2) * 4);
            Bytes plain = start, fast = start;
            place_columns(plain.data() + 4, src_row, *places, first, end, y);
            set.rows->columns(fast.data() + 4, src_row, *places, first, end, y);
            ASSERT_EQ(plain, fast) << set.name << ": columns " << first << " to " << end;
        }
    }
}

// A factor of every kind the rule tells apart: zero, negative, subnormal,
// small, ordinary, one, large and beyond 2^23.
float random_factor(std::mt19937& rng) {
    switch (rng() % 8) {
        case 0: return 0.0f;
        case 1: return -static_cast<float>(rng() % 1000) / 100.0f;
        case 2: return std::bit_cast<float>(static_cast<uint32_t>(rng() % 0x00800000));
        case 3: return static_cast<float>(rng() % 1000) / 100000.0f;
        case 4: return 1.0f;
        case 5: return static_cast<float>(rng() % 100000) / 1000.0f;
        case 6:
            return std::bit_cast<float>(0x4B000000u + static_cast<uint32_t>(rng() % 0x02000000));
        default: return static_cast<float>(rng() % 300) / 100.0f;
    }
}

// Rows of every short width from anywhere left or right of the centre,
// through tables that start at any distance and may end inside the row.
TEST(RippleRows, EverySetScalesThePlainRings) {
    std::mt19937 rng(7);
    for (const auto& set : vector_sets_of(kRippleVariants)) {
        for (int i = 0; i < 4000; ++i) {
            std::vector<float> factors(rng() % 120);
            for (float& f : factors) f = random_factor(rng);
            const RingTable rings{factors.data(), static_cast<int64_t>(rng() % 40), factors.size()};
            const int64_t width = static_cast<int64_t>(rng() % 70);
            const int64_t first_dx = static_cast<int64_t>(rng() % 200) - 100;
            const float dy_squared = float_square(static_cast<int64_t>(rng() % 200) - 100);
            const size_t offset = rng() % 4 ? 0 : 1 + rng() % 15;
            const Bytes start = random_bytes(rng, offset + static_cast<size_t>(width + 2) * 4);
            Bytes plain = start, fast = start;
            ring_row(plain.data() + offset + 4, width, first_dx, dy_squared, rings);
            set.rows->rings(fast.data() + offset + 4, width, first_dx, dy_squared, rings);
            ASSERT_EQ(plain, fast) << set.name << ": width " << width << " from dx " << first_dx
                                   << ", dy squared " << dy_squared;
        }
    }
}

}  // namespace
}  // namespace lumoria
