// The bitmaps a benchmark case works on, and the content they start with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "standin/bitmap.h"

namespace bench {

// Source content, or the content of a single-bitmap operation's surface.
enum class Content {
    kRandom,  // every byte random: the worst case for per-pixel branches
    kSprite,  // mostly alpha 0 or 255 with soft edges, like drawn sprites
};

// What a two-bitmap transfer draws over.
enum class Backdrop { kOpaque, kTranslucent };

// Which bitmaps an operation reads, and so which variations are worth timing.
enum class Inputs {
    kSurface,             // one bitmap, rewritten in place: varies by content
    kSourceOverBackdrop,  // source drawn over a destination it reads
    kSourceInto,          // source redrawn into a destination it does not read
};

struct Size {
    int32_t width, height;
};

struct Setup {
    Size size;
    Content content;
    Backdrop backdrop;  // an opaque destination where the backdrop plays no part
    Inputs inputs;

    // For example "1920x1080/random/translucent", or "640x480/sprite" for
    // an operation where the backdrop plays no part.
    std::string name() const;
    int64_t pixels() const { return int64_t{size.width} * size.height; }
};

std::string size_name(Size size);

// The setups an operation of `inputs` is timed on at `size`.
std::vector<Setup> setups_for(Inputs inputs, Size size);

// What is put back before each timed call, outside the timed part. A call
// whose work depends on what the previous call left (alpha that grows,
// pixels that fade or move) is measured on the content it was given, every
// time; a call that does the same work on anything keeps the cache as the
// previous call left it, as in a running game.
enum class Restore { kNothing, kDest, kDestAndSource };

class Scene {
  public:
    Scene(const Setup& chosen, Restore restore);

    void restore();

    // The pixel memory of a bitmap as one block (rows lie back to back).
    static uint8_t* block(const standin::Bitmap& bitmap);
    size_t bytes() const { return static_cast<size_t>(setup.pixels()) * 4; }

    const Setup setup;
    standin::Bitmap dest_bitmap, src_bitmap;
    // What the calls pass: handles and the size both bitmaps share.
    int32_t dest, src, width, height;

  private:
    // The content put back, null where nothing is.
    const std::vector<uint8_t>* dest_start_;
    const std::vector<uint8_t>* src_start_;
};

}  // namespace bench
