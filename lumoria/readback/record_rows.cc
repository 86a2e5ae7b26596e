#include "lumoria/readback/record_rows.h"

namespace lumoria {
namespace {

void plain_band(const host::Surface& s, int32_t y0, int32_t count, int32_t* out, bool) {
    for (int32_t x = 0; x < s.width; ++x)
        for (int32_t y = y0; y < y0 + count; ++y)
            write_record(s.pixel(x, y), record_of(out, x, y, s.height));
}

}  // namespace

const RecordRows kPlainRecordRows{plain_band};

const host::Variants<RecordRows> kRecordVariants{{
    &kPlainRecordRows,
    HOST_IF_X86_VECTORS(&kSse2RecordRows),
    nullptr,
    HOST_IF_X86_VECTORS(&kAvx512RecordRows),
}};

}  // namespace lumoria
