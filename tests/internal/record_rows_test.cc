// get_pixels' bands against the plain band, on random surfaces of every
// small size, each set writing all bands of a surface into a buffer with
// guard bytes around it; and get_pixels with its records overlapping the
// surface, against the row-by-row walk.
#include "lumoria/readback/record_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "lumoria.h"
#include "standin/platform.h"
#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

constexpr size_t kGuard = 16;

// The records written by all bands of `s`, with guard ints around them; the
// records start on a 64-byte line plus `offset` ints, so that streamed runs
// meet whole lines or none.
std::vector<int32_t> records_by_bands(const RecordRows& rows, const host::Surface& s, bool stream,
                                      size_t offset) {
    std::vector<int32_t> out(static_cast<size_t>(s.width) * s.height * 4 + 2 * kGuard + 32, -7);
    const size_t line = (64 - reinterpret_cast<uintptr_t>(out.data()) % 64) % 64 / 4;
    int32_t* records = out.data() + line + offset + kGuard;
    for (int32_t y0 = 0; y0 < s.height; y0 += kBandRows)
        rows.band(s, y0, std::min(kBandRows, s.height - y0), records, stream);
    return std::vector<int32_t>(records - kGuard,
                                records + static_cast<size_t>(s.width) * s.height * 4 + kGuard);
}

TEST(RecordRows, EverySetWritesThePlainRecords) {
    std::mt19937 rng(11);
    for (const auto& set : vector_sets_of(kRecordVariants)) {
        for (int32_t width = 1; width <= 21; ++width) {
            for (int32_t height = 1; height <= 37; ++height) {
                std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
                for (uint8_t& b : pixels) b = static_cast<uint8_t>(rng());
                const host::Surface s{width, height,
                                      reinterpret_cast<uintptr_t>(pixels.data()) +
                                          static_cast<uintptr_t>(height - 1) * width * 4};
                for (const bool stream : {false, true}) {
                    const size_t offset = rng() % 3 ? 0 : rng() % 16;
                    ASSERT_EQ(records_by_bands(kPlainRecordRows, s, false, offset),
                              records_by_bands(*set.rows, s, stream, offset))
                        << set.name << " " << width << " x " << height << ", stream " << stream
                        << ", offset " << offset;
                }
            }
        }
    }
}

void put32(uint8_t* at, uintptr_t value) {
    const auto v = static_cast<uint32_t>(value);
    std::memcpy(at, &v, 4);
}

// Records that overlap the surface they are read from, starting before it,
// inside it or just after its first byte: later pixels are read after
// earlier records overwrote them, as in the row-by-row walk.
TEST(RecordRows, RecordsOverTheSurfaceKeepTheWalkOrder) {
    std::mt19937 rng(12);
    for (int i = 0; i < 300; ++i) {
        const int32_t width = 1 + static_cast<int32_t>(rng() % 40);
        const int32_t height = 1 + static_cast<int32_t>(rng() % 40);
        const size_t surface_bytes = static_cast<size_t>(width) * height * 4;
        const size_t record_bytes = surface_bytes * 4;
        const size_t area = 256 + record_bytes;  // surface's first byte
        const size_t bytes = area + surface_bytes + record_bytes;
        auto* base = static_cast<uint8_t*>(standin::platform::map_low(bytes));
        const auto low = [&](size_t offset) { return reinterpret_cast<uintptr_t>(base + offset); };
        put32(base + 16, low(64));        // object -> bitmap
        put32(base + 64 + 8, low(128));   // bitmap -> surface info
        put32(base + 128 + 8, low(192));  // surface info -> header
        put32(base + 128 + 12, low(area + surface_bytes - static_cast<size_t>(width) * 4));
        put32(base + 192 + 4, static_cast<uint32_t>(width));
        put32(base + 192 + 8, static_cast<uint32_t>(height));
        for (size_t k = area; k < area + surface_bytes; ++k) base[k] = static_cast<uint8_t>(rng());
        // Start of the records: from record_bytes - 4 before the surface to
        // within it, in steps of 4 bytes.
        const size_t out =
            area - record_bytes + 4 + 4 * (rng() % ((record_bytes + surface_bytes) / 4 - 1));

        std::vector<uint8_t> expected(base, base + bytes);
        const uint8_t* row0 =
            expected.data() + area + surface_bytes - static_cast<size_t>(width) * 4;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                int32_t record[4];
                write_record(row0 - static_cast<size_t>(y) * width * 4 + 4 * x, record);
                std::memcpy(expected.data() + out + (static_cast<size_t>(x) * height + y) * 16,
                            record, 16);
            }
        }
        ::get_pixels(static_cast<int32_t>(low(0) >> 1), reinterpret_cast<int32_t*>(base + out));
        ASSERT_EQ(std::vector<uint8_t>(base, base + bytes), expected)
            << width << " x " << height << ", records from byte " << out;
        standin::platform::unmap(base, bytes);
    }
}

}  // namespace
}  // namespace lumoria
