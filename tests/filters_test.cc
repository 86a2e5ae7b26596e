// The colour filters: tint, colorize, grayscale, negative and table_lookup.
// Worked examples, properties that tie the filters to one another, and
// arguments far outside their ranges.
#include <climits>
#include <cstdint>
#include <vector>

#include "support.h"

namespace {

Bitmap single(Pixel p) {
    Bitmap b(1, 1);
    b.set(0, 0, p);
    return b;
}

// An odd-sized bitmap of random content, so every row and column counts.
Bitmap random_bitmap(uint32_t seed) {
    Bitmap b(7, 5);
    b.randomize(seed);
    return b;
}

// A random bitmap whose pixels all have blue = green = red.
Bitmap random_grey_bitmap(uint32_t seed) {
    Bitmap b = random_bitmap(seed);
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) {
            Pixel p = b.get(x, y);
            b.set(x, y, Pixel{p.g, p.g, p.g, p.a});
        }
    return b;
}

std::vector<uint8_t> alphas(const Bitmap& b) {
    std::vector<uint8_t> a;
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) a.push_back(b.get(x, y).a);
    return a;
}

std::vector<int32_t> table_of(int32_t (*entry)(int32_t)) {
    std::vector<int32_t> table(256);
    for (int32_t k = 0; k < 256; ++k) table[k] = entry(k);
    return table;
}

TEST(Tint, AmountZeroChangesNothingAndHundredSetsTheColour) {
    auto tint = LUMORIA(tint);
    Bitmap b = random_bitmap(1);
    const auto before = b.pixels();
    EXPECT_EQ(tint(b.handle(), 0, 255, 128, 0), 1);
    EXPECT_EQ(b.pixels(), before);

    const auto alpha_before = alphas(b);
    EXPECT_EQ(tint(b.handle(), 100, 255, 128, 0), 1);
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) {
            const Pixel p = b.get(x, y);
            EXPECT_EQ((Pixel{p.b, p.g, p.r, 0}), (Pixel{0, 128, 255, 0}));
        }
    EXPECT_EQ(alphas(b), alpha_before);
    EXPECT_TRUE(b.intact());
}

TEST(Tint, QuotientsTruncateTowardZeroAndResultsWrap) {
    auto tint = LUMORIA(tint);
    Bitmap half = single(Pixel{0, 0, 0, 9});
    EXPECT_EQ(tint(half.handle(), 50, 255, 0, 0), 1);
    EXPECT_EQ(half.get(0, 0), (Pixel{0, 0, 127, 9}));  // 127.5

    Bitmap over = single(Pixel{1, 0, 0, 9});
    EXPECT_EQ(tint(over.handle(), 150, 255, 0, 0), 1);
    EXPECT_EQ(over.get(0, 0).r, 126);  // 382
    EXPECT_EQ(over.get(0, 0).b, 0);    // -0.5

    Bitmap twice = single(Pixel{1, 0, 0, 9});
    EXPECT_EQ(tint(twice.handle(), 200, 0, 0, 0), 1);
    EXPECT_EQ(twice.get(0, 0), (Pixel{255, 0, 0, 9}));  // -1
}

TEST(Colorize, MixesTheColourWithTheGreyLevel) {
    auto colorize = LUMORIA(colorize);
    Bitmap grey = single(Pixel{10, 20, 31, 5});
    EXPECT_EQ(colorize(grey.handle(), 0, 255, 255, 255), 1);
    EXPECT_EQ(grey.get(0, 0), (Pixel{20, 20, 20, 5}));  // 61 / 3

    Bitmap red = single(Pixel{30, 60, 90, 5});
    EXPECT_EQ(colorize(red.handle(), 50, 255, 0, 0), 1);
    EXPECT_EQ(red.get(0, 0), (Pixel{30, 30, 157, 5}));  // 157.5
}

TEST(Colorize, AmountZeroIsFullGrayscale) {
    Bitmap a = random_bitmap(2);
    Bitmap b = random_bitmap(2);
    EXPECT_EQ(LUMORIA(colorize)(a.handle(), 0, 1, 2, 3), 1);
    EXPECT_EQ(LUMORIA(grayscale)(b.handle(), 100), 1);
    EXPECT_EQ(a.pixels(), b.pixels());
}

TEST(Grayscale, WorkedExamples) {
    auto grayscale = LUMORIA(grayscale);
    for (int32_t amount : {100, 250, INT_MAX}) {
        Bitmap b = single(Pixel{10, 20, 31, 77});
        EXPECT_EQ(grayscale(b.handle(), amount), 1);
        EXPECT_EQ(b.get(0, 0), (Pixel{20, 20, 20, 77})) << amount;
    }
    Bitmap half = single(Pixel{0, 0, 255, 77});
    EXPECT_EQ(grayscale(half.handle(), 50), 1);
    EXPECT_EQ(half.get(0, 0), (Pixel{42, 42, 170, 77}));  // grey 85; 42.5

    Bitmap away = single(Pixel{0, 0, 255, 77});
    EXPECT_EQ(grayscale(away.handle(), -50), 1);
    EXPECT_EQ(away.get(0, 0), (Pixel{214, 214, 84, 77}));  // -42.5 and 340
}

TEST(Grayscale, AmountZeroChangesNothingAndAlphaIsKept) {
    auto grayscale = LUMORIA(grayscale);
    Bitmap b = random_bitmap(3);
    const auto before = b.pixels();
    const auto alpha_before = alphas(b);
    EXPECT_EQ(grayscale(b.handle(), 0), 1);
    EXPECT_EQ(b.pixels(), before);
    for (int32_t amount : {37, -80, 100, 1000}) EXPECT_EQ(grayscale(b.handle(), amount), 1);
    EXPECT_EQ(alphas(b), alpha_before);
    EXPECT_TRUE(b.intact());
}

TEST(Negative, InvertsColourKeepsAlphaAndUndoesItself) {
    auto negative = LUMORIA(negative);
    Bitmap one = single(Pixel{0, 128, 255, 7});
    EXPECT_EQ(negative(one.handle()), 1);
    EXPECT_EQ(one.get(0, 0), (Pixel{255, 127, 0, 7}));

    Bitmap b = random_bitmap(4);
    const Bitmap original = random_bitmap(4);
    EXPECT_EQ(negative(b.handle()), 1);
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) {
            const Pixel p = original.get(x, y);
            EXPECT_EQ(b.get(x, y), (Pixel{uint8_t(~p.b), uint8_t(~p.g), uint8_t(~p.r), p.a}));
        }
    EXPECT_EQ(negative(b.handle()), 1);
    EXPECT_EQ(b.pixels(), original.pixels());
    EXPECT_TRUE(b.intact());
}

TEST(TableLookup, IdentityAndInvertingTables) {
    auto table_lookup = LUMORIA(table_lookup);
    const auto identity = table_of([](int32_t k) { return k; });
    const auto inverting = table_of([](int32_t k) { return 255 - k; });

    Bitmap same = random_bitmap(5);
    const auto before = same.pixels();
    EXPECT_TRUE(table_lookup(same.handle(), identity.data(), 0));
    EXPECT_TRUE(table_lookup(same.handle(), identity.data(), 1));
    EXPECT_EQ(same.pixels(), before);

    Bitmap looked = random_bitmap(6);
    Bitmap inverted = random_bitmap(6);
    EXPECT_TRUE(table_lookup(looked.handle(), inverting.data(), 0));
    EXPECT_EQ(LUMORIA(negative)(inverted.handle()), 1);
    EXPECT_EQ(looked.pixels(), inverted.pixels());

    // Mapping alpha too inverts every byte.
    Bitmap all = random_bitmap(7);
    const auto original = all.pixels();
    EXPECT_TRUE(table_lookup(all.handle(), inverting.data(), 1));
    const auto after = all.pixels();
    for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], uint8_t(~original[i])) << i;
    EXPECT_TRUE(all.intact());
}

TEST(TableLookup, EntriesAreClampedToAByteAndTheTableIsNotWritten) {
    std::vector<int32_t> table = table_of([](int32_t k) { return k; });
    table[1] = 300;
    table[2] = -5;
    table[3] = INT_MAX;
    table[4] = INT_MIN;
    const auto original = table;
    Bitmap b = single(Pixel{1, 2, 3, 4});
    EXPECT_TRUE(LUMORIA(table_lookup)(b.handle(), table.data(), 1));
    EXPECT_EQ(b.get(0, 0), (Pixel{255, 0, 255, 0}));
    Bitmap ends = single(Pixel{0, 255, 0, 255});
    EXPECT_TRUE(LUMORIA(table_lookup)(ends.handle(), table.data(), 1));
    EXPECT_EQ(ends.get(0, 0), (Pixel{0, 255, 0, 255}));
    EXPECT_EQ(table, original);
}

TEST(TableLookup, AlphaIsMappedOnlyWhenAskedWithAPositiveValue) {
    auto table_lookup = LUMORIA(table_lookup);
    const auto flat = table_of([](int32_t) { return 128; });
    for (int32_t map_alpha : {0, -1, INT_MIN}) {
        Bitmap b = random_bitmap(8);
        const auto alpha_before = alphas(b);
        EXPECT_TRUE(table_lookup(b.handle(), flat.data(), map_alpha));
        EXPECT_EQ(alphas(b), alpha_before) << map_alpha;
        EXPECT_EQ(b.get(6, 4), (Pixel{128, 128, 128, alpha_before.back()}));
    }
    for (int32_t map_alpha : {1, INT_MAX}) {
        Bitmap b = random_bitmap(8);
        EXPECT_TRUE(table_lookup(b.handle(), flat.data(), map_alpha));
        EXPECT_EQ(b.pixels(), std::vector<uint8_t>(7 * 5 * 4, 128)) << map_alpha;
    }
}

TEST(FilterRefusals, BitmapWithoutSurfaceIsRefusedWithNothingRead) {
    Bitmap none = Bitmap::without_surface();
    const int32_t h = none.handle();
    EXPECT_EQ(LUMORIA(tint)(h, 0, 1, 2, 3), 0);
    EXPECT_EQ(LUMORIA(tint)(h, 50, 1, 2, 3), 0);
    EXPECT_EQ(LUMORIA(colorize)(h, 0, 1, 2, 3), 0);
    EXPECT_EQ(LUMORIA(colorize)(h, 50, 1, 2, 3), 0);
    EXPECT_EQ(LUMORIA(grayscale)(h, 0), 0);
    EXPECT_EQ(LUMORIA(grayscale)(h, 50), 0);
    EXPECT_EQ(LUMORIA(grayscale)(h, 100), 0);
    EXPECT_EQ(LUMORIA(negative)(h), 0);
    // The table is not read: a null one is never touched.
    EXPECT_FALSE(LUMORIA(table_lookup)(h, nullptr, 0));
    EXPECT_FALSE(LUMORIA(table_lookup)(h, nullptr, 1));
    EXPECT_TRUE(none.intact());
}

TEST(FilterRefusals, EmptySurfacesAreDoneWithNothingWritten) {
    const auto table = table_of([](int32_t) { return 9; });
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-3, 4}, {4, -3}}) {
        Bitmap b(w, h);
        const int32_t d = b.handle();
        EXPECT_EQ(LUMORIA(tint)(d, 50, 1, 2, 3), 1);
        EXPECT_EQ(LUMORIA(colorize)(d, 50, 1, 2, 3), 1);
        EXPECT_EQ(LUMORIA(colorize)(d, 0, 1, 2, 3), 1);
        EXPECT_EQ(LUMORIA(grayscale)(d, 50), 1);
        EXPECT_EQ(LUMORIA(grayscale)(d, 100), 1);
        EXPECT_EQ(LUMORIA(negative)(d), 1);
        EXPECT_TRUE(LUMORIA(table_lookup)(d, table.data(), 1));
        EXPECT_TRUE(b.intact()) << w << " x " << h;
    }
}

// Out-of-range amounts and colours wrap like a 32-bit machine's arithmetic.
TEST(FilterArguments, ExtremeValuesWrapAsOnA32BitMachine) {
    auto tint = LUMORIA(tint);
    Bitmap top = single(Pixel{0, 0, 77, 3});
    EXPECT_EQ(tint(top.handle(), 100, INT_MAX, INT_MIN, 0), 1);
    EXPECT_EQ(top.get(0, 0), (Pixel{0, 0, 255, 3}));

    // The pixel side's weight wraps to 2^31 + 100: even bytes come back as
    // they were, odd ones do not.
    Bitmap b = single(Pixel{1, 2, 200, 3});
    EXPECT_EQ(tint(b.handle(), INT_MIN, 0, 0, 0), 1);
    EXPECT_EQ(b.get(0, 0), (Pixel{237, 2, 200, 3}));
}

TEST(FilterArguments, AnyAmountAndColourIsSafe) {
    const int32_t values[] = {INT_MIN, INT_MIN + 1, -101, -1, 0, 1, 99, 100, 101, 256, INT_MAX};
    for (int32_t amount : values)
        for (int32_t colour : values) {
            Bitmap b = random_bitmap(10);
            const auto alpha_before = alphas(b);
            EXPECT_EQ(LUMORIA(tint)(b.handle(), amount, colour, colour / 2, ~colour), 1);
            EXPECT_EQ(LUMORIA(colorize)(b.handle(), amount, ~colour, colour, 7), 1);
            EXPECT_EQ(LUMORIA(grayscale)(b.handle(), amount), 1);
            EXPECT_EQ(alphas(b), alpha_before);
            EXPECT_TRUE(b.intact());
        }
}

// On a picture that is already grey, colorize and tint agree for any
// arguments, and grayscale has nothing to move.
TEST(FilterArguments, GreyPicturesTieTheFiltersTogether) {
    const int32_t values[] = {INT_MIN, -150, -1, 1, 50, 100, 150, INT_MAX};
    for (int32_t amount : values)
        for (int32_t colour : values) {
            Bitmap tinted = random_grey_bitmap(11);
            Bitmap colorized = random_grey_bitmap(11);
            EXPECT_EQ(LUMORIA(tint)(tinted.handle(), amount, colour, 255, ~colour), 1);
            EXPECT_EQ(LUMORIA(colorize)(colorized.handle(), amount, colour, 255, ~colour), 1);
            EXPECT_EQ(tinted.pixels(), colorized.pixels()) << amount << ", " << colour;

            Bitmap grey = random_grey_bitmap(12);
            const auto before = grey.pixels();
            EXPECT_EQ(LUMORIA(grayscale)(grey.handle(), amount), 1);
            EXPECT_EQ(grey.pixels(), before) << amount;
        }
}

}  // namespace
