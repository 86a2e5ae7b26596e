#include "standin/bitmap.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "standin/platform.h"

#if STANDIN_ASAN
#include <sanitizer/asan_interface.h>
#define GUARD_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define GUARD_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define GUARD_POISON(p, n) ((void)(p), (void)(n))
#define GUARD_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace standin {
namespace {

// Region layout: the engine records first, then guard, rows, guard.
constexpr size_t kObject = 0;
constexpr size_t kHostBitmap = 32;
constexpr size_t kSurfaceInfo = 64;
constexpr size_t kSurfaceHeader = 96;
constexpr size_t kRecordsEnd = 128;
constexpr size_t kGuard = 64;
constexpr uint8_t kGuardByte = 0xA5;

void put32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

uint32_t low_address(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

struct Rng {
    uint32_t state;
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    uint8_t biased_byte() {
        switch (next() % 4) {
            case 0: return 0;
            case 1: return 255;
            default: return static_cast<uint8_t>(next() >> 24);
        }
    }
};

}  // namespace

Bitmap::Bitmap(int32_t width, int32_t height) { build(width, height, true); }

Bitmap Bitmap::without_surface() {
    Bitmap b;
    b.build(0, 0, false);
    return b;
}

Bitmap::Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        release();
        base_ = std::exchange(other.base_, nullptr);
        mapped_ = std::exchange(other.mapped_, 0);
        width_ = other.width_;
        height_ = other.height_;
        has_surface_ = other.has_surface_;
    }
    return *this;
}

Bitmap::~Bitmap() { release(); }

void Bitmap::release() {
    if (base_) {
        GUARD_UNPOISON(base_ + kRecordsEnd, mapped_ - kRecordsEnd);
        platform::unmap(base_, mapped_);
    }
    base_ = nullptr;
}

size_t Bitmap::pixel_bytes() const {
    if (!has_surface_ || width_ <= 0 || height_ <= 0) return 0;
    return static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
}

uint8_t* Bitmap::pixel_area() const { return base_ + kRecordsEnd + kGuard; }

// Row 0 is the last row in memory: the surface is stored bottom-up.
uint8_t* Bitmap::row0_address() const {
    if (pixel_bytes() == 0) return pixel_area();
    return pixel_area() + (static_cast<size_t>(height_) - 1) * static_cast<size_t>(width_) * 4;
}

void Bitmap::build(int32_t width, int32_t height, bool with_surface) {
    width_ = width;
    height_ = height;
    has_surface_ = with_surface;
    mapped_ = kRecordsEnd + 2 * kGuard + pixel_bytes();
    base_ = static_cast<uint8_t*>(platform::map_low(mapped_));

    put32(base_ + kObject + 16, low_address(base_ + kHostBitmap));
    put32(base_ + kHostBitmap + 8, with_surface ? low_address(base_ + kSurfaceInfo) : 0);
    put32(base_ + kSurfaceInfo + 8, low_address(base_ + kSurfaceHeader));
    put32(base_ + kSurfaceInfo + 12, low_address(row0_address()));
    put32(base_ + kSurfaceHeader + 4, static_cast<uint32_t>(width));
    put32(base_ + kSurfaceHeader + 8, static_cast<uint32_t>(height));

    std::memset(base_ + kRecordsEnd, kGuardByte, kGuard);
    std::memset(pixel_area() + pixel_bytes(), kGuardByte, kGuard);
    GUARD_POISON(base_ + kRecordsEnd, kGuard);
    GUARD_POISON(pixel_area() + pixel_bytes(), kGuard);
}

int32_t Bitmap::handle() const { return static_cast<int32_t>(low_address(base_) >> 1); }

uint8_t* Bitmap::row(int32_t y) const {
    return pixel_area() + static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_) * 4;
}

Pixel Bitmap::get(int32_t x, int32_t y) const {
    const uint8_t* p = at(x, y);
    return Pixel{p[0], p[1], p[2], p[3]};
}

void Bitmap::set(int32_t x, int32_t y, Pixel p) {
    uint8_t* q = at(x, y);
    q[0] = p.b;
    q[1] = p.g;
    q[2] = p.r;
    q[3] = p.a;
}

void Bitmap::fill(Pixel p) {
    for (int32_t y = 0; y < height_; ++y)
        for (int32_t x = 0; x < width_; ++x) set(x, y, p);
}

void Bitmap::randomize(uint32_t seed) {
    Rng rng{seed * 2654435761u + 1};
    uint8_t* p = pixel_area();
    const size_t bytes = pixel_bytes();  // not re-read after every store
    for (size_t i = 0; i < bytes; ++i) p[i] = rng.biased_byte();
}

std::vector<uint8_t> Bitmap::pixels() const {
    std::vector<uint8_t> out;
    out.reserve(pixel_bytes());
    for (int32_t y = 0; y < height_ && width_ > 0; ++y)
        out.insert(out.end(), row(y), row(y) + static_cast<size_t>(width_) * 4);
    return out;
}

void Bitmap::set_pixels(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != pixel_bytes()) throw std::invalid_argument("pixel count differs");
    if (pixel_bytes() == 0) return;  // no rows to copy, and `bytes` may hold no array
    for (int32_t y = 0; y < height_; ++y)
        std::memcpy(row(y), bytes.data() + static_cast<size_t>(y) * width_ * 4,
                    static_cast<size_t>(width_) * 4);
}

bool Bitmap::intact() const {
    // Records hold addresses of this region; compare them field by field.
    auto field = [&](size_t offset) {
        uint32_t v;
        std::memcpy(&v, base_ + offset, 4);
        return v;
    };
    bool ok = field(kObject + 16) == low_address(base_ + kHostBitmap) &&
              field(kHostBitmap + 8) == (has_surface_ ? low_address(base_ + kSurfaceInfo) : 0u) &&
              field(kSurfaceInfo + 8) == low_address(base_ + kSurfaceHeader) &&
              field(kSurfaceInfo + 12) == low_address(row0_address()) &&
              field(kSurfaceHeader + 4) == static_cast<uint32_t>(width_) &&
              field(kSurfaceHeader + 8) == static_cast<uint32_t>(height_);
    uint8_t* guards[2] = {base_ + kRecordsEnd, pixel_area() + pixel_bytes()};
    for (uint8_t* g : guards) {
        GUARD_UNPOISON(g, kGuard);
        for (size_t i = 0; i < kGuard; ++i) ok = ok && g[i] == kGuardByte;
        GUARD_POISON(g, kGuard);
    }
    return ok;
}

}  // namespace standin
