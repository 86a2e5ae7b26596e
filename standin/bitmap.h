// A stand-in for the engine's bitmap objects, for tests, benchmarks and
// tools. Each bitmap is built in the engine's exact layout in memory below
// 4 GiB, with guard bytes around its pixel rows so that a write outside the
// rows (or a change to the engine's records) is detected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/sanitizers.h"

// Whether AddressSanitizer watches the guard bytes (a read or write of them
// aborts at once).
#define STANDIN_ASAN HOST_ADDRESS_SANITIZER

namespace standin {

struct Pixel {
    uint8_t b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Pixel&) const = default;
};

class Bitmap {
  public:
    // A bitmap with a surface of width x height pixels, all bytes 0. Sizes of
    // 0 or below give a surface without pixel memory.
    Bitmap(int32_t width, int32_t height);
    // A bitmap whose surface pointer is null.
    static Bitmap without_surface();

    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();

    int32_t handle() const;
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool has_surface() const { return has_surface_; }

    uint8_t* row(int32_t y) const;
    uint8_t* at(int32_t x, int32_t y) const { return row(y) + 4 * x; }
    Pixel get(int32_t x, int32_t y) const;
    void set(int32_t x, int32_t y, Pixel p);
    void fill(Pixel p);
    // Random content biased towards the bytes 0 and 255, where the special
    // cases of the compositing rules live.
    void randomize(uint32_t seed);

    // All pixels, top row first, 4 * width bytes per row.
    std::vector<uint8_t> pixels() const;
    void set_pixels(const std::vector<uint8_t>& bytes);

    // True while the guard bytes and the engine records are as built.
    bool intact() const;

  private:
    Bitmap() = default;
    void build(int32_t width, int32_t height, bool with_surface);
    void release();
    size_t pixel_bytes() const;
    uint8_t* pixel_area() const;
    uint8_t* row0_address() const;

    uint8_t* base_ = nullptr;
    size_t mapped_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool has_surface_ = false;
};

}  // namespace standin
