// Read-back and timing probes: get_pixel, get_pixels, test and test2. None
// of them writes a bitmap; the two read-backs are held against the bytes.
#include <algorithm>

#include "caller_memory.h"
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

void call_get_pixel(Scene& s, Input& in) {
    const int b = s.pick(in);
    // The handle is the low 32 bits of a long: the high ones must not matter.
    const uint32_t high = in.one_in(2) ? 0 : in.u32();
    const long bitmap =
        static_cast<long>(static_cast<unsigned long>(static_cast<uint32_t>(s.handle(b))) |
                          (sizeof(long) > 4 ? static_cast<unsigned long>(high) << 16 << 16 : 0));
    const int32_t x = in.coordinate(), y = in.coordinate(), channel = in.mostly(0, 3);
    const int value =
        s.call("get_pixel", Result::kByte, {}, &Exports::get_pixel, bitmap, x, y, channel);
    const standin::Bitmap& bm = s.bitmap(b);
    const bool inside = s.has_pixels(b) && x >= 0 && y >= 0 && x < bm.width() && y < bm.height();
    if (!inside) {
        s.expect(value == 0, "a pixel outside the surface read as " + std::to_string(value));
    } else if (channel >= 0 && channel <= 3) {
        s.expect(value == bm.at(x, y)[channel], "the byte read back differs from the pixel's");
    }
}

void call_get_pixels(Scene& s, Input& in) {
    const int b = s.pick(in);
    const standin::Bitmap& bm = s.bitmap(b);
    const size_t w = s.has_pixels(b) ? static_cast<size_t>(bm.width()) : 0;
    const size_t h = s.has_pixels(b) ? static_cast<size_t>(bm.height()) : 0;
    CallerArray<int32_t> out(w * h * 4);
    s.call("get_pixels", Result::kNone, {}, &Exports::get_pixels, s.handle(b), out.data());
    // Column by column, each record red, green, blue, alpha.
    for (size_t x = 0; x < w; ++x) {
        for (size_t y = 0; y < h; ++y) {
            const uint8_t* p = bm.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
            const size_t record = 4 * (x * h + y);
            const bool same = out.get(record) == p[2] && out.get(record + 1) == p[1] &&
                              out.get(record + 2) == p[0] && out.get(record + 3) == p[3];
            if (!same) {
                s.expect(false, "the record of pixel (" + std::to_string(x) + ", " +
                                    std::to_string(y) + ") differs from the pixel");
            }
        }
    }
}

// The probe reads one record of a get_pixels buffer for a bitmap n pixels
// high: the array holds just enough records for it.
void call_test(Scene& s, Input& in) {
    const int32_t n = std::min<int32_t>(std::max<int32_t>(in.mostly(-1, 40), -1), 1000);
    CallerArray<int32_t> values(static_cast<size_t>(4 * (10 * n + 11)));
    for (size_t k = 0; k < values.size(); ++k) values.set(k, static_cast<int32_t>(k));
    const int32_t ignored = in.integer();
    const auto before = values.bytes();
    s.call("test", Result::kNone, {}, &Exports::test, static_cast<const int32_t*>(values.data()),
           ignored, n);
    s.expect(values.bytes() == before, "it wrote to the caller's array");
}

void call_test2(Scene& s, Input&) { s.call("test2", Result::kNone, {}, &Exports::test2); }

}  // namespace

Group<ExportCall> readback_exports() {
    return {"read-back",
            {
                EXPORT_CALL(get_pixel),
                EXPORT_CALL(get_pixels),
                SLOW_EXPORT_CALL(test),
                SLOW_EXPORT_CALL(test2),
            }};
}

}  // namespace fuzz
