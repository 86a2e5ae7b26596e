// The vectorised filter rows against their plain twins: every numerator the
// mixes can form, random rows of every short width at odd offsets, and the
// table lookups; then the exports' choice of rows for arguments the vectors
// do not take.
#include "lumoria/filters/filter_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "host/cpu_features.h"
#include "lumoria.h"
#include "standin/bitmap.h"
#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

using RowSet = ::RowSet<FilterRows>;

// The vectorised sets this CPU can run.
std::vector<RowSet> vector_sets() { return vector_sets_of(kFilterVariants); }

using Row = std::function<void(uint8_t*, int32_t)>;

// Bytes biased towards 0 and 255, the ends of every rule.
std::vector<uint8_t> random_bytes(size_t n, std::mt19937& rng) {
    std::vector<uint8_t> bytes(n);
    for (uint8_t& b : bytes) {
        const uint32_t r = rng();
        b = r % 4 == 0 ? 0 : r % 4 == 1 ? 255 : static_cast<uint8_t>(r >> 8);
    }
    return bytes;
}

// Runs both rows on copies of `pixels` placed `offset` bytes into a guarded
// buffer, and expects the same bytes and untouched guards.
void expect_same(const Row& plain, const Row& fast, const std::vector<uint8_t>& pixels,
                 size_t offset, const std::string& what) {
    constexpr size_t kGuard = 40;
    const auto width = static_cast<int32_t>(pixels.size() / 4);
    std::vector<uint8_t> expected(pixels), buffer(offset + pixels.size() + kGuard, 0xA5);
    std::copy(pixels.begin(), pixels.end(), buffer.begin() + static_cast<ptrdiff_t>(offset));
    plain(expected.data(), width);
    fast(buffer.data() + offset, width);
    const std::vector<uint8_t> got(buffer.begin() + static_cast<ptrdiff_t>(offset),
                                   buffer.begin() + static_cast<ptrdiff_t>(offset + pixels.size()));
    ASSERT_EQ(got, expected) << what << ", width " << width << ", offset " << offset;
    for (size_t i = 0; i < buffer.size(); ++i) {
        if (i < offset || i >= offset + pixels.size()) {
            ASSERT_EQ(buffer[i], 0xA5) << what << ": wrote outside the row at " << i;
        }
    }
}

// Every blue and green value with the given red, alpha varied.
std::vector<uint8_t> colour_cube_row(int32_t red) {
    std::vector<uint8_t> pixels;
    for (int32_t green = 0; green < 256; ++green)
        for (int32_t blue = 0; blue < 256; ++blue)
            pixels.insert(pixels.end(), {uint8_t(blue), uint8_t(green), uint8_t(red),
                                         uint8_t(blue ^ green ^ red)});
    return pixels;
}

// Every numerator: each amount 0..100 and colour value 0..255 meets every
// channel byte 0..255 in each channel.
TEST(FilterRows, MixesMatchForEveryAmountColourAndChannel) {
    std::vector<uint8_t> ramp;
    for (int32_t v = 0; v < 256; ++v)
        ramp.insert(ramp.end(), {uint8_t(v), uint8_t(255 - v), uint8_t(v * 7), uint8_t(v)});
    for (const RowSet& set : vector_sets())
        for (int32_t amount = 0; amount <= 100; ++amount)
            for (int32_t colour = 0; colour < 256; ++colour) {
                const ColourMix mix{amount, colour, 255 - colour, colour};
                auto bound = [&mix](auto row) {
                    return [row, mix](uint8_t* p, int32_t w) { row(p, w, mix); };
                };
                const std::string what = set.name + " amount " + std::to_string(amount) +
                                         " colour " + std::to_string(colour);
                expect_same(bound(tint_row), bound(set.rows->tint), ramp, 0, "tint " + what);
                expect_same(bound(colorize_row), bound(set.rows->colorize), ramp, 0,
                            "colorize " + what);
            }
}

// Every colour, so every channel sum 0..765 and every grey level; and for
// grayscale every amount against channel bytes 0..255 in each channel, with
// the other two summing to every fifth value (so every remainder by 3).
TEST(FilterRows, GreyRowsMatchForEveryColour) {
    for (const RowSet& set : vector_sets())
        for (int32_t red = 0; red < 256; ++red) {
            const std::vector<uint8_t> pixels = colour_cube_row(red);
            const std::string what = set.name + " red " + std::to_string(red);
            expect_same(grey_row, set.rows->grey, pixels, 0, "grey " + what);
            expect_same(negative_row, set.rows->negative, pixels, 0, "negative " + what);
        }
    std::vector<uint8_t> pairs;
    for (int32_t own = 0; own < 256; ++own)
        for (int32_t others = 0; others <= 510; others += 5) {
            const auto a = static_cast<uint8_t>(others < 255 ? others : 255);
            const auto b = static_cast<uint8_t>(others - a);
            const auto o = static_cast<uint8_t>(own);
            pairs.insert(pairs.end(), {o, a, b, 1, a, o, b, 254, a, b, o, 0});
        }
    for (const RowSet& set : vector_sets())
        for (int32_t amount = 1; amount < 100; ++amount) {
            auto bound = [amount](auto row) {
                return [row, amount](uint8_t* p, int32_t w) { row(p, w, amount); };
            };
            expect_same(bound(grayscale_row), bound(set.rows->grayscale), pairs, 0,
                        set.name + " grayscale " + std::to_string(amount));
        }
}

// A table with entries beyond both ends of a byte and some in range.
std::vector<int32_t> random_table(std::mt19937& rng) {
    std::vector<int32_t> table(256);
    for (int32_t& entry : table) {
        switch (rng() % 4) {
            case 0: entry = static_cast<int32_t>(rng()); break;
            case 1: entry = static_cast<int32_t>(rng() % 300) - 20; break;
            default: entry = static_cast<int32_t>(rng() % 256);
        }
    }
    return table;
}

// Random rows of every width 0..40 and a few long ones, at byte offsets that
// leave them unaligned, with each rule's arguments drawn at random in the
// range the vectorised rows take.
TEST(FilterRows, RandomRowsOfEveryShortWidthAndOffset) {
    std::mt19937 rng(7);
    std::vector<int32_t> widths;
    for (int32_t w = 0; w <= 40; ++w) widths.push_back(w);
    for (int32_t w : {127, 200, 255, 256, 333, 1000}) widths.push_back(w);
    for (const RowSet& set : vector_sets())
        for (int32_t width : widths)
            for (size_t offset : {0, 1, 3, 4, 12, 29}) {
                const std::vector<uint8_t> pixels = random_bytes(size_t(width) * 4, rng);
                const std::string what = set.name + " ";
                const ColourMix mix{int32_t(rng() % 101), int32_t(rng() % 256),
                                    int32_t(rng() % 256), int32_t(rng() % 256)};
                auto with_mix = [&mix](auto row) {
                    return [row, mix](uint8_t* p, int32_t w) { row(p, w, mix); };
                };
                expect_same(with_mix(tint_row), with_mix(set.rows->tint), pixels, offset,
                            what + "tint");
                expect_same(with_mix(colorize_row), with_mix(set.rows->colorize), pixels, offset,
                            what + "colorize");
                const auto amount = static_cast<int32_t>(rng() % 101);
                auto with_amount = [amount](auto row) {
                    return [row, amount](uint8_t* p, int32_t w) { row(p, w, amount); };
                };
                expect_same(with_amount(grayscale_row), with_amount(set.rows->grayscale), pixels,
                            offset, what + "grayscale");
                expect_same(grey_row, set.rows->grey, pixels, offset, what + "grey");
                expect_same(negative_row, set.rows->negative, pixels, offset, what + "negative");

                uint8_t bytes[256];
                clamp_table(random_table(rng).data(), bytes);
                auto with_table = [&bytes](auto row) {
                    return [row, &bytes](uint8_t* p, int32_t w) { row(p, w, bytes); };
                };
                expect_same(with_table(lookup_colour_row), with_table(set.rows->lookup_colour),
                            pixels, offset, what + "lookup colour");
                expect_same(with_table(lookup_all_row), with_table(set.rows->lookup_all), pixels,
                            offset, what + "lookup all");
            }
}

// Every byte value through tables that single out each block of sixteen
// entries, so that each block of the lookup is told apart from the others.
TEST(FilterRows, LookupsReadTheEntryOfEveryByteValue) {
    std::vector<uint8_t> every_byte(256 * 4);
    for (int32_t v = 0; v < 256 * 4; ++v)
        every_byte[size_t(v)] = static_cast<uint8_t>(v / 4 + v % 4 * 64);
    for (const RowSet& set : vector_sets())
        for (int32_t marked = 0; marked < 16; ++marked) {
            uint8_t bytes[256];
            for (int32_t k = 0; k < 256; ++k)
                bytes[k] = static_cast<uint8_t>(k / 16 == marked ? 255 - k : k * 3);
            auto with_table = [&bytes](auto row) {
                return [row, &bytes](uint8_t* p, int32_t w) { row(p, w, bytes); };
            };
            const std::string what = set.name + " block " + std::to_string(marked);
            expect_same(with_table(lookup_colour_row), with_table(set.rows->lookup_colour),
                        every_byte, 0, what);
            expect_same(with_table(lookup_all_row), with_table(set.rows->lookup_all), every_byte, 0,
                        what);
        }
}

// The exports pick the plain rows for arguments outside the vectors' range
// and the fast ones inside it: either way the bitmap ends as the plain rows
// leave it.
TEST(FilterRows, ExportsGiveThePlainBytesForEveryArgumentShape) {
    const int32_t amounts[] = {-150, -1, 1, 37, 99, 100, 101, 250, INT32_MIN, INT32_MAX};
    const int32_t colours[] = {0, 255, -1, 256, 1000, INT32_MIN};
    uint32_t seed = 1;
    for (int32_t amount : amounts)
        for (int32_t colour : colours) {
            standin::Bitmap bitmap(37, 3);
            bitmap.randomize(seed++);
            std::vector<uint8_t> expected = bitmap.pixels();
            const ColourMix mix{amount, colour, 200, colour ^ 0x55};
            for (int32_t y = 0; y < 3; ++y) tint_row(expected.data() + y * 37 * 4, 37, mix);
            ASSERT_EQ(::tint(bitmap.handle(), amount, colour, 200, colour ^ 0x55), 1);
            EXPECT_EQ(bitmap.pixels(), expected) << "tint " << amount << " " << colour;

            bitmap.randomize(seed++);
            expected = bitmap.pixels();
            for (int32_t y = 0; y < 3; ++y) colorize_row(expected.data() + y * 37 * 4, 37, mix);
            ASSERT_EQ(::colorize(bitmap.handle(), amount, colour, 200, colour ^ 0x55), 1);
            EXPECT_EQ(bitmap.pixels(), expected) << "colorize " << amount << " " << colour;
        }
    for (int32_t amount : amounts) {
        standin::Bitmap bitmap(37, 3);
        bitmap.randomize(seed++);
        std::vector<uint8_t> expected = bitmap.pixels();
        for (int32_t y = 0; y < 3; ++y) {
            uint8_t* row = expected.data() + y * 37 * 4;
            amount >= 100 ? grey_row(row, 37) : grayscale_row(row, 37, amount);
        }
        ASSERT_EQ(::grayscale(bitmap.handle(), amount), 1);
        EXPECT_EQ(bitmap.pixels(), expected) << "grayscale " << amount;
    }
}

}  // namespace
}  // namespace lumoria
