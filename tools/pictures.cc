#include "tools/pictures.h"

#include <algorithm>
#include <cmath>

#include "tools/failure.h"

namespace tool {
namespace {

using standin::Bitmap;
using standin::Pixel;

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

uint8_t byte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

Pixel rgba(int red, int green, int blue, int alpha = 255) {
    return Pixel{byte(blue), byte(green), byte(red), byte(alpha)};
}

int distance(int x, int y, int cx, int cy) {
    return static_cast<int>(std::lround(std::hypot(x - cx, y - cy)));
}

// Gradients under a sun, a dark square and stripes; the lower right fades
// out, and a square at the lower left is fully transparent but coloured.
Bitmap scene() {
    Bitmap b(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Pixel p = rgba(40 + x * 200 / (kWidth - 1), 60 + y * 160 / (kHeight - 1),
                           210 - x * 150 / (kWidth - 1));
            if (distance(x, y, 48, 44) <= 26) p = rgba(255, 210, 60);
            if (x >= 96 && x < 144 && y >= 14 && y < 62) p = rgba(30, 40, 120);
            if (y >= 92 && (x + y) / 6 % 2 == 0) p = rgba(245, 245, 245);
            if (x >= 112 && y >= 72) p.a = byte(255 - (x - 112) * 255 / 47);
            if (x >= 12 && x < 36 && y >= 66 && y < 90) p = rgba(255, 0, 255, 0);
            b.set(x, y, p);
        }
    }
    return b;
}

// A soft-edged disc with a half-transparent bar, on a transparent ground.
Bitmap sprite() {
    Bitmap b(96, 80);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 96; ++x) {
            const int d = distance(x, y, 48, 40);
            const int alpha = d <= 28 ? 255 : 255 - (d - 28) * 32;
            Pixel p = rgba(x * 255 / 95, 255 - y * 255 / 79, 150, alpha);
            if (y >= 34 && y < 46 && d <= 36) p = rgba(250, 250, 250, 128);
            b.set(x, y, p);
        }
    }
    return b;
}

// Grey rising from the centre outwards in the shape of a five-petalled
// flower, so that a transition opens from the middle.
Bitmap mask() {
    Bitmap b(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double angle = std::atan2(y - kHeight / 2, x - kWidth / 2);
            const double petals = 1.0 + 0.35 * std::sin(5 * angle);
            const int grey =
                static_cast<int>(distance(x, y, kWidth / 2, kHeight / 2) * 2.6 / petals);
            b.set(x, y, rgba(grey, grey, grey));
        }
    }
    return b;
}

// Row 0: eight opaque ground tiles in checks or stripes; row 1: eight round
// objects on a transparent ground.
Bitmap tileset() {
    static const int kColours[8][3] = {{90, 170, 70},   {60, 120, 200}, {220, 200, 130},
                                       {150, 150, 150}, {170, 90, 60},  {60, 140, 90},
                                       {200, 220, 240}, {120, 80, 160}};
    Bitmap b(256, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int tile = x / 32, tx = x % 32, ty = y % 32;
            const int* c = kColours[tile];
            if (y < 32) {
                const bool light = tile % 2 ? (tx + ty) / 4 % 2 == 0 : (tx / 8 + ty / 8) % 2 == 0;
                const int shade = light ? 30 : 0;
                b.set(x, y, rgba(c[0] + shade, c[1] + shade, c[2] + shade));
            } else {
                const int d = distance(tx, ty, 16, 16);
                const int radius = 6 + tile;
                b.set(x, y, d <= radius ? rgba(c[2], c[0], c[1], 255 - d * 4) : rgba(0, 0, 0, 0));
            }
        }
    }
    return b;
}

std::string join(const std::vector<int>& values) {
    std::string text;
    for (int v : values) text += std::to_string(v) + ",";
    return text;
}

// The two-layer map for a picture the size of blank: ground tiles under
// key 0, objects under key 1; entries run column, row, layer.
std::string map_array(bool keys) {
    constexpr int kColumns = kWidth / 32, kRows = kHeight / 32;
    std::vector<int> values;
    for (int cx = 0; cx < kColumns; ++cx) {
        for (int cy = 0; cy < kRows; ++cy) {
            values.push_back(keys ? 0 : 384 + (cx + 2 * cy) % 8);
            const bool object = (cx + cy) % 2 == 0;
            values.push_back(keys ? 1 : object ? 392 + (3 * cx + cy) % 8 : 0);
        }
    }
    return join(values);
}

std::string table(int (*entry)(int)) {
    std::vector<int> values;
    for (int k = 0; k < 256; ++k) values.push_back(entry(k));
    return join(values);
}

}  // namespace

const std::vector<std::string>& picture_names() {
    static const std::vector<std::string> names = {"scene", "sprite", "mask", "tileset", "blank"};
    return names;
}

Bitmap picture(const std::string& name) {
    if (name == "scene") return scene();
    if (name == "sprite") return sprite();
    if (name == "mask") return mask();
    if (name == "tileset") return tileset();
    if (name == "blank") return Bitmap(kWidth, kHeight);
    throw Failure(kUsage, "no built-in picture named '" + name + "'");
}

std::optional<std::string> array_text(const std::string& name) {
    if (name == "map-tiles") return map_array(false);
    if (name == "map-keys") return map_array(true);
    if (name == "map-dims") return join({kWidth / 32, kHeight / 32, 2});
    if (name == "posterize") return table([](int k) { return k / 64 * 85; });
    if (name == "contrast") return table([](int k) { return (k - 128) * 2 + 128; });
    if (name == "records") {  // enough for the probe's n up to 12
        std::vector<int> values(4 * (10 * 12 + 11));
        for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i % 256);
        return join(values);
    }
    return std::nullopt;
}

}  // namespace tool
