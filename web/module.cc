// The module's own entry points for its JavaScript side: engine bitmaps made
// by the stand-in in the module's memory, their pixels to and from RGBA in
// display order, the gallery's built-in pictures and arrays, exact PNG files,
// and the operation table the command-line tool calls from. The exports
// themselves are bound by name from JavaScript, as an engine binds them.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "standin/bitmap.h"
#include "tools/describe.h"
#include "tools/operations.h"
#include "tools/pictures.h"
#include "tools/png_io.h"

#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

using standin::Bitmap;

namespace {

// Text handed to JavaScript stays valid until the next such call.
const char* keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

Bitmap* adopt(Bitmap bitmap) { return new Bitmap(std::move(bitmap)); }

bool has_pixels(const Bitmap& b) { return b.has_surface() && b.width() > 0 && b.height() > 0; }

// A pixel's four bytes with the first and the third exchanged: blue, green,
// red, alpha to red, green, blue, alpha and back.
uint32_t swapped(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return (v & 0xff00ff00u) | ((v >> 16) & 0xffu) | ((v & 0xffu) << 16);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* module_describe() { return keep(tool::describe_json()); }

// A bitmap of width x height transparent black pixels; sizes of 0 or below
// give a surface without pixels.
EMSCRIPTEN_KEEPALIVE Bitmap* module_bitmap(int32_t width, int32_t height) {
    return new Bitmap(width, height);
}
EMSCRIPTEN_KEEPALIVE Bitmap* module_bitmap_without_surface() {
    return adopt(Bitmap::without_surface());
}
EMSCRIPTEN_KEEPALIVE void module_bitmap_free(Bitmap* b) { delete b; }
EMSCRIPTEN_KEEPALIVE int32_t module_bitmap_handle(const Bitmap* b) { return b->handle(); }
EMSCRIPTEN_KEEPALIVE int32_t module_bitmap_width(const Bitmap* b) { return b->width(); }
EMSCRIPTEN_KEEPALIVE int32_t module_bitmap_height(const Bitmap* b) { return b->height(); }
EMSCRIPTEN_KEEPALIVE int32_t module_bitmap_has_surface(const Bitmap* b) { return b->has_surface(); }
EMSCRIPTEN_KEEPALIVE int32_t module_bitmap_intact(const Bitmap* b) { return b->intact(); }

// Pixels as red, green, blue, alpha, top row first: 4 * width * height bytes.
// Blue and red trade places, whole pixels at a time.
EMSCRIPTEN_KEEPALIVE void module_bitmap_read_rgba(const Bitmap* b, uint8_t* rgba) {
    for (int32_t y = 0; has_pixels(*b) && y < b->height(); ++y) {
        const uint8_t* row = b->row(y);
        for (int32_t x = 0; x < b->width(); ++x, rgba += 4) {
            const uint32_t v = swapped(row + 4 * x);
            std::memcpy(rgba, &v, 4);
        }
    }
}
EMSCRIPTEN_KEEPALIVE void module_bitmap_write_rgba(Bitmap* b, const uint8_t* rgba) {
    for (int32_t y = 0; has_pixels(*b) && y < b->height(); ++y) {
        uint8_t* row = b->row(y);
        for (int32_t x = 0; x < b->width(); ++x, rgba += 4) {
            const uint32_t v = swapped(rgba);
            std::memcpy(row + 4 * x, &v, 4);
        }
    }
}

// Another bitmap with the same size and pixels.
EMSCRIPTEN_KEEPALIVE Bitmap* module_bitmap_copy(const Bitmap* b) {
    if (!b->has_surface()) return adopt(Bitmap::without_surface());
    Bitmap* copy = new Bitmap(b->width(), b->height());
    // The rows lie one after another, the last row lowest in memory.
    if (has_pixels(*b))
        std::memcpy(copy->row(b->height() - 1), b->row(b->height() - 1),
                    size_t{4} * b->width() * b->height());
    return copy;
}

// The gallery's pictures and arrays, by name; unknown names give null.
EMSCRIPTEN_KEEPALIVE const char* module_picture_names() {
    std::string text;
    for (const std::string& name : tool::picture_names()) text += (text.empty() ? "" : "\n") + name;
    return keep(text);
}
EMSCRIPTEN_KEEPALIVE Bitmap* module_picture(const char* name) {
    for (const std::string& known : tool::picture_names())
        if (known == name) return adopt(tool::picture(name));
    return nullptr;
}
EMSCRIPTEN_KEEPALIVE const char* module_array_text(const char* name) {
    const std::optional<std::string> text = tool::array_text(name);
    return text ? keep(*text) : nullptr;
}

// A PNG file's pixels as stored (no gamma, no premultiplying), as 8-bit
// pixels with alpha; null for a file that is no PNG, and for pictures larger
// than the tool takes.
EMSCRIPTEN_KEEPALIVE Bitmap* module_png_decode(const uint8_t* bytes, int32_t size) {
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, size, &width, &height, &channels) ||
        width > tool::kMaxPictureSide || height > tool::kMaxPictureSide)
        return nullptr;
    uint8_t* rgba = stbi_load_from_memory(bytes, size, &width, &height, &channels, 4);
    if (!rgba) return nullptr;
    Bitmap* b = new Bitmap(width, height);
    module_bitmap_write_rgba(b, rgba);
    stbi_image_free(rgba);
    return b;
}
EMSCRIPTEN_KEEPALIVE const char* module_png_error() { return stbi_failure_reason(); }

// An 8-bit RGBA PNG of every byte of the bitmap; its size is written to
// *size. The caller frees the bytes with free(); null without pixels.
EMSCRIPTEN_KEEPALIVE uint8_t* module_png_encode(const Bitmap* b, int32_t* size) {
    if (!has_pixels(*b)) return nullptr;
    std::vector<uint8_t> rgba(size_t{4} * b->width() * b->height());
    module_bitmap_read_rgba(b, rgba.data());
    int length = 0;
    uint8_t* png =
        stbi_write_png_to_mem(rgba.data(), 4 * b->width(), b->width(), b->height(), 4, &length);
    *size = length;
    return png;
}

// The least number of entries array parameter `param` of export `op` (in the
// table's order) must hold for the other arguments, as the command-line
// tool's rule states it; negative when no array is safe. `words` holds one
// word per parameter: the number, or for a bitmap its Bitmap pointer;
// `arrays` and `lengths` the integer arrays. The bitmaps are lent to the
// rule and given back.
EMSCRIPTEN_KEEPALIVE double module_array_needs(int32_t op, int32_t param, const int32_t* words,
                                               const int32_t* const* arrays,
                                               const int32_t* lengths) {
    const tool::Operation& operation = tool::operations()[static_cast<size_t>(op)];
    const tool::Param& rule_param = operation.params[static_cast<size_t>(param)];
    if (rule_param.fixed_count > 0) return rule_param.fixed_count;
    if (!rule_param.rule) return 0;
    tool::Call call;
    std::vector<Bitmap*> lent;
    call.values.resize(operation.params.size());
    for (size_t i = 0; i < operation.params.size(); ++i) {
        tool::Value& value = call.values[i];
        switch (operation.params[i].kind) {
            case tool::Kind::kInteger: value.number = words[i]; break;
            case tool::Kind::kBitmapIn:
            case tool::Kind::kBitmapOut:
                value.bitmap = static_cast<int>(lent.size());
                lent.push_back(reinterpret_cast<Bitmap*>(static_cast<uintptr_t>(words[i])));
                call.bitmaps.push_back(std::move(*lent.back()));
                break;
            case tool::Kind::kInts: value.ints.assign(arrays[i], arrays[i] + lengths[i]); break;
            case tool::Kind::kFloats:
            case tool::Kind::kResultInts: break;
        }
    }
    const int64_t needed = rule_param.rule(call);
    for (size_t k = 0; k < lent.size(); ++k) *lent[k] = std::move(call.bitmaps[k]);
    return static_cast<double>(needed);
}

}  // extern "C"
