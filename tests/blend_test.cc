// blend_blt: every mode against its worked examples, the modes' special
// branches, and the structure of the dissolve.
#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "transfer_support.h"

namespace {

using transfer_support::blended;

const Pixel kDest{40, 128, 200, 255};
const Pixel kSource{100, 50, 250, 255};

struct Row {
    int32_t mode;
    Pixel full, half;  // at opacity 255 and at opacity 128 (e = 128)
};

const Row kTable[] = {
    {0, {100, 50, 250, 255}, {70, 88, 225, 255}},    {1, {140, 178, 255, 255}, {90, 153, 255, 255}},
    {2, {0, 78, 0, 255}, {0, 103, 75, 255}},         {3, {15, 25, 196, 255}, {27, 76, 198, 255}},
    {4, {125, 153, 254, 255}, {82, 140, 227, 255}},  {5, {15, 153, 254, 255}, {27, 140, 227, 255}},
    {6, {32, 89, 241, 255}, {36, 108, 220, 255}},    {7, {65, 159, 255, 255}, {52, 143, 255, 255}},
    {8, {0, 0, 199, 255}, {0, 0, 199, 255}},         {9, {0, 0, 195, 255}, {0, 25, 197, 255}},
    {10, {255, 99, 255, 255}, {255, 113, 255, 255}}, {11, {60, 78, 50, 255}, {60, 78, 50, 255}},
};

TEST(BlendModes, WorkedExamples) {
    for (const Row& row : kTable) {
        EXPECT_EQ(blended(row.mode, 255, kDest, kSource), row.full) << "mode " << row.mode;
        EXPECT_EQ(blended(row.mode, 128, kDest, kSource), row.half) << "mode " << row.mode;
    }
}

TEST(BlendModes, TransparentDestination) {
    const Pixel clear{40, 128, 200, 0};
    for (int32_t mode : {0, 1})
        EXPECT_EQ(blended(mode, 128, clear, kSource), (Pixel{100, 50, 250, 128})) << mode;
    for (int32_t mode : {2, 9})
        EXPECT_EQ(blended(mode, 128, clear, kSource), (Pixel{0, 0, 0, 128})) << mode;
    // The other modes blend into the stored colour like into any other.
    for (const Row& row : kTable) {
        if (row.mode <= 2 || row.mode == 9) continue;
        Pixel expected = row.half;
        expected.a = 64;
        EXPECT_EQ(blended(row.mode, 128, clear, kSource), expected) << "mode " << row.mode;
    }
    // That branch is taken even where the alpha product is 0.
    EXPECT_EQ(blended(0, 128, clear, {1, 2, 3, 0}), (Pixel{1, 2, 3, 0}));
    EXPECT_EQ(blended(2, 128, clear, {1, 2, 3, 0}), (Pixel{0, 0, 0, 0}));
    EXPECT_EQ(blended(3, 128, clear, {1, 2, 3, 0}), clear);
}

TEST(BlendModes, AddAndSubtractKeepAlphaAtFullStrength) {
    EXPECT_EQ(blended(1, 255, {10, 200, 100, 7}, {5, 6, 7, 255}), (Pixel{15, 206, 107, 7}));
    EXPECT_EQ(blended(1, 255, {40, 128, 200, 0}, kSource), (Pixel{140, 178, 255, 0}));
    EXPECT_EQ(blended(2, 255, {40, 128, 200, 0}, kSource), (Pixel{0, 78, 0, 0}));
}

TEST(BlendModes, SpecialChannelValues) {
    // Normal mode takes one quotient of the sum, where blt takes two.
    EXPECT_EQ(blended(0, 128, {1, 1, 1, 255}, {1, 1, 1, 255}), (Pixel{1, 1, 1, 255}));
    // Soft light needs more than 32 bits on the way.
    EXPECT_EQ(blended(6, 200, {255, 255, 255, 200}, {255, 255, 255, 255}),
              (Pixel{255, 255, 255, 255}));
    // Dodge leaves channels whose source is 255, burn inverts those whose
    // source is 0.
    EXPECT_EQ(blended(7, 128, {10, 200, 100, 100}, {255, 255, 254, 255}),
              (Pixel{10, 200, 255, 164}));
    EXPECT_EQ(blended(8, 128, {10, 200, 100, 100}, {0, 0, 0, 255}), (Pixel{245, 55, 155, 164}));
    // Divide: a black destination channel takes the source, and a black red
    // channel keeps the alpha where it was; black blue or green does not.
    EXPECT_EQ(blended(10, 128, {10, 20, 0, 100}, {50, 60, 70, 255}), (Pixel{255, 255, 70, 100}));
    EXPECT_EQ(blended(10, 128, {0, 0, 10, 100}, {50, 60, 70, 255}).a, 164);
}

TEST(BlendModes, FaintPixelsAreSkipped) {
    for (int32_t mode = 0; mode <= 11; ++mode) {
        transfer_support::drawn_around_a_faint_pixel([mode](int32_t d, int32_t s) {
            return LUMORIA(blend_blt)(d, s, 0, 0, 0, 0, 3, 1, mode, 100);
        });
    }
    // Difference draws nothing below alpha product 255, transparent sources
    // included, and full-strength differences above it.
    EXPECT_EQ(blended(11, 254, kDest, {100, 50, 250, 1}), kDest);
    EXPECT_EQ(blended(11, 255, kDest, {100, 50, 250, 0}), kDest);
    EXPECT_EQ(blended(11, 1, {40, 128, 200, 10}, kSource), (Pixel{60, 78, 50, 10}));
}

// Dissolves a 100 x 100 source whose pixels all differ from the destination
// (a third of them fully transparent) and counts the pixels copied; a pixel
// that is neither kept nor an exact copy fails the test.
int dissolved(int32_t opacity) {
    const Pixel background{250, 250, 250, 9};
    Bitmap dest(100, 100), src(100, 100);
    dest.fill(background);
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 100; ++x)
            src.set(x, y,
                    {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7,
                     static_cast<uint8_t>(x % 3 == 0 ? 0 : 128)});
    EXPECT_EQ(LUMORIA(blend_blt)(dest.handle(), src.handle(), 0, 0, 0, 0, 100, 100, 12, opacity),
              1);
    int copied = 0;
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 100; ++x) {
            const Pixel p = dest.get(x, y);
            if (p == src.get(x, y))
                ++copied;
            else
                EXPECT_EQ(p, background) << x << ", " << y;
        }
    EXPECT_TRUE(dest.intact());
    return copied;
}

TEST(Dissolve, EachPixelStaysOrBecomesAnExactCopy) {
    EXPECT_EQ(dissolved(-1), 0);
    EXPECT_EQ(dissolved(INT_MIN), 0);
    EXPECT_EQ(dissolved(257), 10000);
    EXPECT_EQ(dissolved(INT_MAX), 10000);
    // About 1 pixel in 258 at opacity 0, about 2 in 258 left at 255.
    const int faint = dissolved(0);
    EXPECT_GT(faint, 0);
    EXPECT_LT(faint, 100);
    const int strong = dissolved(255);
    EXPECT_LT(strong, 10000);
    EXPECT_GT(strong, 9800);
}

// Runs `call` until it starts and ends within one second of the clock, and
// returns that second.
template <class Call>
std::time_t within_one_second(Call call) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        call();
        if (std::time(nullptr) == before) return before;
    }
    ADD_FAILURE() << "the clock kept changing";
    return 0;
}

TEST(Dissolve, OneDrawPerPixelFromTheGeneratorSeededWithTheClock) {
    auto blend_blt = LUMORIA(blend_blt);
    const int32_t n = 300, opacity = 128;
    Bitmap dest(n, 1), src = transfer_support::numbered(n, 1);
    const Pixel kept{250, 250, 250, 250};
    const std::time_t seed = within_one_second([&] {
        dest.fill(kept);
        blend_blt(dest.handle(), src.handle(), 0, 0, 0, 0, n, 1, 12, opacity);
    });
    std::srand(static_cast<unsigned>(seed));
    for (int32_t x = 0; x < n; ++x) {
        const bool copies = std::rand() % 258 < opacity + 1;
        EXPECT_EQ(dest.get(x, 0), copies ? src.get(x, 0) : kept) << x;
    }
}

TEST(Dissolve, ReseedsEvenWithNothingToDrawButNotWhenRefused) {
    auto blend_blt = LUMORIA(blend_blt);
    Bitmap dest(4, 4), src(4, 4);
    int after_call = 0;
    const std::time_t seed = within_one_second([&] {
        std::srand(12345);
        blend_blt(dest.handle(), src.handle(), 4, 0, 0, 0, 4, 4, 12, 255);
        after_call = std::rand();
    });
    std::srand(static_cast<unsigned>(seed));
    EXPECT_EQ(after_call, std::rand());

    std::srand(12345);
    const int expected = std::rand();
    std::srand(12345);
    EXPECT_EQ(blend_blt(dest.handle(), src.handle(), 0, 0, 0, 0, -1, 4, 12, 255), 0);
    EXPECT_EQ(std::rand(), expected);
}

}  // namespace
