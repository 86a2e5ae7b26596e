#include "bench/scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

namespace bench {
namespace {

enum class Fill { kRandom, kSprite, kOpaque, kTranslucent };

// Sprites are discs on a grid of cells this many pixels wide and high.
constexpr int32_t kCell = 64;

// Each disc has a random radius, an opaque inside, a transparent outside and
// an edge that fades over three pixels; about half the pixels are opaque,
// half transparent and a few in between.
uint8_t sprite_alpha(int32_t x, int32_t y, const std::vector<float>& radii, int32_t cells_across) {
    constexpr float kEdge = 3.0f;
    const float dx = static_cast<float>(x % kCell) - kCell / 2 + 0.5f;
    const float dy = static_cast<float>(y % kCell) - kCell / 2 + 0.5f;
    const float radius = radii[static_cast<size_t>((y / kCell) * cells_across + x / kCell)];
    const float inside = (radius - std::sqrt(dx * dx + dy * dy)) / kEdge;
    return static_cast<uint8_t>(255.0f * std::clamp(inside, 0.0f, 1.0f));
}

// Pixel bytes in memory order (the bottom row first, as the surface stores
// them); only the alpha pattern of a sprite depends on the position.
std::vector<uint8_t> make_content(Size size, Fill fill) {
    // Each kind has its own bytes: a source must not equal its backdrop.
    std::minstd_rand rng(1 + static_cast<unsigned>(fill));
    std::vector<uint8_t> bytes(static_cast<size_t>(size.width) * size.height * 4);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng() >> 8);
    if (fill == Fill::kRandom || fill == Fill::kTranslucent) return bytes;
    const int32_t cells_across = size.width / kCell + 1;
    std::vector<float> radii(static_cast<size_t>(cells_across) * (size.height / kCell + 1));
    for (float& r : radii) r = 12.0f + static_cast<float>(rng() % 17);
    for (int32_t y = 0; y < size.height; ++y) {
        const size_t row = static_cast<size_t>(size.height - 1 - y) * size.width * 4;
        for (int32_t x = 0; x < size.width; ++x) {
            uint8_t& alpha = bytes[row + static_cast<size_t>(x) * 4 + 3];
            alpha = fill == Fill::kOpaque ? 255 : sprite_alpha(x, y, radii, cells_across);
        }
    }
    return bytes;
}

// Content is made once per size and kind, and shared by every case.
const std::vector<uint8_t>& content(Size size, Fill fill) {
    static std::map<std::tuple<int32_t, int32_t, Fill>, std::vector<uint8_t>> made;
    const auto key = std::make_tuple(size.width, size.height, fill);
    auto found = made.find(key);
    if (found == made.end()) found = made.emplace(key, make_content(size, fill)).first;
    return found->second;
}

Fill source_fill(Content c) { return c == Content::kRandom ? Fill::kRandom : Fill::kSprite; }

Fill dest_fill(const Setup& s) {
    if (s.inputs == Inputs::kSurface) return source_fill(s.content);
    return s.backdrop == Backdrop::kOpaque ? Fill::kOpaque : Fill::kTranslucent;
}

void copy_into(const standin::Bitmap& bitmap, const std::vector<uint8_t>& bytes) {
    if (!bytes.empty()) std::memcpy(Scene::block(bitmap), bytes.data(), bytes.size());
}

}  // namespace

std::string size_name(Size size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string Setup::name() const {
    std::string name = size_name(size) + (content == Content::kRandom ? "/random" : "/sprite");
    if (inputs == Inputs::kSourceOverBackdrop)
        name += backdrop == Backdrop::kOpaque ? "/opaque" : "/translucent";
    return name;
}

std::vector<Setup> setups_for(Inputs inputs, Size size) {
    std::vector<Setup> setups;
    for (Content content : {Content::kRandom, Content::kSprite}) {
        if (inputs != Inputs::kSourceOverBackdrop) {
            setups.push_back({size, content, Backdrop::kOpaque, inputs});
            continue;
        }
        for (Backdrop backdrop : {Backdrop::kOpaque, Backdrop::kTranslucent})
            setups.push_back({size, content, backdrop, inputs});
    }
    return setups;
}

uint8_t* Scene::block(const standin::Bitmap& bitmap) {
    return bitmap.height() > 0 ? bitmap.row(bitmap.height() - 1) : nullptr;
}

Scene::Scene(const Setup& chosen, Restore restore)
    : setup(chosen),
      dest_bitmap(chosen.size.width, chosen.size.height),
      src_bitmap(chosen.inputs == Inputs::kSurface
                     ? standin::Bitmap(1, 1)
                     : standin::Bitmap(chosen.size.width, chosen.size.height)),
      dest(dest_bitmap.handle()),
      src(src_bitmap.handle()),
      width(chosen.size.width),
      height(chosen.size.height),
      dest_start_(nullptr),
      src_start_(nullptr) {
    const std::vector<uint8_t>& dest_start = content(chosen.size, dest_fill(chosen));
    copy_into(dest_bitmap, dest_start);
    if (restore != Restore::kNothing) dest_start_ = &dest_start;
    if (chosen.inputs == Inputs::kSurface) return;
    const std::vector<uint8_t>& src_start = content(chosen.size, source_fill(chosen.content));
    copy_into(src_bitmap, src_start);
    if (restore == Restore::kDestAndSource) src_start_ = &src_start;
}

void Scene::restore() {
    if (dest_start_) copy_into(dest_bitmap, *dest_start_);
    if (src_start_) copy_into(src_bitmap, *src_start_);
}

}  // namespace bench
