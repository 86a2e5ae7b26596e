#include "bench/pixman.h"

#if defined(BENCH_HAVE_PIXMAN)

#include <pixman.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "bench/exports.h"
#include "bench/registry.h"

namespace bench {
namespace {

using Image = std::shared_ptr<pixman_image_t>;

// pixman's view of a surface: its rows lie back to back, and pixman walks
// them from the lowest address, so it sees the picture upside down. That
// changes nothing in its speed, and no copy is needed.
Image image_of(const standin::Bitmap& bitmap) {
    pixman_image_t* image = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, bitmap.width(), bitmap.height(),
        reinterpret_cast<uint32_t*>(Scene::block(bitmap)), bitmap.width() * 4);
    return Image(image, [](pixman_image_t* i) { pixman_image_unref(i); });
}

pixman_fixed_t fixed(double v) { return static_cast<pixman_fixed_t>(std::lround(v * 65536.0)); }

// pixman maps destination points to the source: the inverse of the
// resampling cases' rotation and scale about the centres.
pixman_transform_t inverse_transform(int32_t width, int32_t height) {
    const double turn = kRotationDegrees * std::acos(-1.0) / 180.0;
    const double c = std::cos(turn) / kScale, s = std::sin(turn) / kScale;
    const double cx = width / 2.0, cy = height / 2.0;
    pixman_transform_t t;
    const double rows[3][3] = {
        {c, s, cx - (c * cx + s * cy)}, {-s, c, cy - (-s * cx + c * cy)}, {0.0, 0.0, 1.0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t.matrix[i][j] = fixed(rows[i][j]);
    return t;
}

Call composite(Scene& s, pixman_op_t op, const Image& src) {
    return [op, src, dest = image_of(s.dest_bitmap), &s] {
        pixman_image_composite32(op, src.get(), nullptr, dest.get(), 0, 0, 0, 0, 0, 0, s.width,
                                 s.height);
    };
}

struct Operator {
    const char* name;
    pixman_op_t op;
};
constexpr Operator kOperators[] = {
    {"SRC", PIXMAN_OP_SRC},
    {"OVER", PIXMAN_OP_OVER},
    {"ADD", PIXMAN_OP_ADD},
    {"MULTIPLY", PIXMAN_OP_MULTIPLY},
    {"SCREEN", PIXMAN_OP_SCREEN},
    {"OVERLAY", PIXMAN_OP_OVERLAY},
    {"SOFT_LIGHT", PIXMAN_OP_SOFT_LIGHT},
    {"COLOR_DODGE", PIXMAN_OP_COLOR_DODGE},
    {"COLOR_BURN", PIXMAN_OP_COLOR_BURN},
    {"DIFFERENCE", PIXMAN_OP_DIFFERENCE},
};

// pixman's operation `name` as a case on a scene of `inputs`; an empty
// prepare for a name it does not have.
Operation reference(const std::string& name, Inputs inputs) {
    Operation op{name, inputs, {}};
    if (name == "fill") {
        op.prepare = [](Scene& s) -> Call {
            return [&s] {
                pixman_fill(reinterpret_cast<uint32_t*>(Scene::block(s.dest_bitmap)), s.width, 32,
                            0, 0, s.width, s.height, 0x280a141e);
            };
        };
        return op;
    }
    if (name == "affine-nearest" || name == "affine-bilinear") {
        const pixman_filter_t filter =
            name == "affine-nearest" ? PIXMAN_FILTER_NEAREST : PIXMAN_FILTER_BILINEAR;
        op.prepare = [filter](Scene& s) -> Call {
            const Image src = image_of(s.src_bitmap);
            const pixman_transform_t transform = inverse_transform(s.width, s.height);
            pixman_image_set_transform(src.get(), &transform);
            pixman_image_set_filter(src.get(), filter, nullptr, 0);
            return composite(s, PIXMAN_OP_SRC, src);
        };
        return op;
    }
    for (const Operator& o : kOperators) {
        if (name != o.name) continue;
        op.prepare = [o](Scene& s) -> Call { return composite(s, o.op, image_of(s.src_bitmap)); };
        // Blending changes the destination, and with it the next call's work.
        if (o.op != PIXMAN_OP_SRC) op.restore = Restore::kDest;
    }
    return op;
}

}  // namespace

std::string pixman_reference(const char* op, const Setup& setup) {
    if (!op) return {};
    const Operation reference_op = reference(op, setup.inputs);
    return reference_op.prepare ? add_case(reference_op, setup, "pixman/") : "";
}

std::string pixman_status() { return std::string("pixman ") + pixman_version_string(); }

}  // namespace bench

#else  // built without pixman

namespace bench {

std::string pixman_reference(const char*, const Setup&) { return {}; }

std::string pixman_status() {
    return "install libpixman-1-dev (apt-get install libpixman-1-dev) for the pixman reference "
           "points";
}

}  // namespace bench

#endif
