#include "input.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace fuzz {
namespace {

// Values where the libraries' rules change, beyond the obvious few.
constexpr int32_t kSpecialIntegers[] = {
    INT32_MAX - 1, INT32_MIN + 1, 2,     100, 101,  127,  128,  254,     257,        383,    384,
    510,           65025,         65536, -2,  -100, -255, -256, 1 << 24, -(1 << 24), 0x7fff, 46341};

constexpr float kSpecialReals[] = {FLT_MAX,       -FLT_MAX,       1e30f,         -1e30f,
                                   2147483648.0f, -2147483648.0f, 2147483520.0f, 255.9f,
                                   256.0f,        0.5f,           FLT_MIN,       FLT_TRUE_MIN,
                                   -FLT_TRUE_MIN, 16777217.0f,    1e-30f,        0.999999f};

}  // namespace

uint16_t Input::u16() {
    const uint16_t low = byte();
    return static_cast<uint16_t>(low | byte() << 8);
}

uint32_t Input::u32() {
    const uint32_t low = u16();
    return low | uint32_t{u16()} << 16;
}

int32_t Input::edge() {
    if (edges_.empty()) return 0;
    // Unsigned, so that an edge at INT32_MIN wraps instead of overflowing.
    const uint32_t e = static_cast<uint32_t>(edges_[below(static_cast<uint32_t>(edges_.size()))]);
    switch (byte() % 5) {
        case 0: return static_cast<int32_t>(e);
        case 1: return static_cast<int32_t>(e - 1);
        case 2: return static_cast<int32_t>(e + 1);
        case 3: return static_cast<int32_t>(0 - e);
        default: return static_cast<int32_t>(e) / 2;
    }
}

int32_t Input::integer() {
    switch (byte() % 16) {
        case 0: return 0;
        case 1: return 1;
        case 2: return -1;
        case 3: return 255;
        case 4: return 256;
        case 5: return INT32_MAX;
        case 6: return INT32_MIN;
        case 7: return kSpecialIntegers[below(std::size(kSpecialIntegers))];
        case 8:
        case 9: return edge();
        case 10:
        case 11: return static_cast<int8_t>(byte());
        case 12: return byte();
        case 13: return static_cast<int16_t>(u16());
        default: return static_cast<int32_t>(u32());
    }
}

int32_t Input::mostly(int32_t lo, int32_t hi) {
    if (one_in(4)) return integer();
    const uint32_t span = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1;
    return static_cast<int32_t>(static_cast<uint32_t>(lo) + (span == 0 ? u32() : below(span)));
}

int32_t Input::coordinate() { return one_in(3) ? edge() : integer(); }

float Input::real() {
    switch (byte() % 12) {
        case 0: return 0.0f;
        case 1: return -0.0f;
        case 2: return 1.0f;
        case 3: return -1.0f;
        case 4: return std::numeric_limits<float>::quiet_NaN();
        case 5: return std::numeric_limits<float>::infinity();
        case 6: return -std::numeric_limits<float>::infinity();
        case 7: return kSpecialReals[below(std::size(kSpecialReals))];
        case 8:
        case 9: return static_cast<float>(static_cast<int16_t>(u16())) / 64.0f;
        case 10: {
            const uint32_t bits = u32();
            float f;
            std::memcpy(&f, &bits, sizeof f);
            return f;
        }
        default: return static_cast<float>(static_cast<int8_t>(byte()));
    }
}

}  // namespace fuzz
