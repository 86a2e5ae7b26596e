// Colour filters: tint, colorize, grayscale, negative and table_lookup.
// None of them may change an alpha byte, except a lookup asked to map it.
#include "caller_memory.h"
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

int32_t percent(Input& in) { return in.mostly(-20, 160); }
int32_t colour(Input& in) { return in.mostly(0, 255); }

template <class Filter>
void call_mix(Scene& s, Input& in, const char* name, Filter* Exports::*fn) {
    const int d = s.pick(in);
    const int32_t amount = percent(in), red = colour(in), green = colour(in), blue = colour(in);
    s.call(name, Result::kStatus, {{d, Bytes::kColour}}, fn, s.handle(d), amount, red, green, blue);
}

void call_tint(Scene& s, Input& in) { call_mix(s, in, "tint", &Exports::tint); }
void call_colorize(Scene& s, Input& in) { call_mix(s, in, "colorize", &Exports::colorize); }

void call_grayscale(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t amount = percent(in);
    s.call("grayscale", Result::kStatus, {{d, Bytes::kColour}}, &Exports::grayscale, s.handle(d),
           amount);
}

void call_negative(Scene& s, Input& in) {
    const int d = s.pick(in);
    s.call("negative", Result::kStatus, {{d, Bytes::kColour}}, &Exports::negative, s.handle(d));
}

void call_table_lookup(Scene& s, Input& in) {
    const int d = s.pick(in);
    CallerArray<int32_t> table(256);
    for (size_t k = 0; k < table.size(); ++k)
        table.set(k, in.one_in(2) ? colour(in) : in.integer());
    const int32_t map_alpha = in.mostly(-1, 2);
    if (tracing()) {
        std::string line = "table:";
        for (size_t k = 0; k < table.size(); ++k) line += " " + std::to_string(table.get(k));
        note(line);
    }
    // Without a surface the table is not read at all.
    const bool read = s.bitmap(d).has_surface();
    const auto before = table.bytes();
    if (!read) table.forbid();
    s.call("table_lookup", Result::kBoolean, {{d, map_alpha > 0 ? Bytes::kAll : Bytes::kColour}},
           &Exports::table_lookup, s.handle(d), static_cast<const int32_t*>(table.data()),
           map_alpha);
    s.expect(!read || table.bytes() == before, "it wrote to the caller's table");
}

}  // namespace

Group<ExportCall> filter_exports() {
    return {"filters",
            {
                EXPORT_CALL(tint),
                EXPORT_CALL(colorize),
                EXPORT_CALL(grayscale),
                EXPORT_CALL(negative),
                EXPORT_CALL(table_lookup),
            }};
}

}  // namespace fuzz
