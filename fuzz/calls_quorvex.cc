// Quorvex: affine resampling and fill_color, with matrices and colours as
// floats in caller memory that promises no alignment.
#include "caller_memory.h"
#include "exports.h"
#include "groups.h"
#include "matrix.h"

namespace fuzz {
namespace {

// Bytes off alignment for an array that may be read; none for one that must
// not be read, which can then be made unreadable whole.
size_t misalignment(Input& in, bool readable) { return readable ? in.below(4) : 0; }

std::string floats(const CallerArray<float>& a) {
    std::string s;
    for (size_t k = 0; k < a.size(); ++k) s += (k ? ", " : "") + std::to_string(a.get(k));
    return s;
}

void call_quorvex(Scene& s, Input& in) {
    const int src = s.pick(in), dest = s.pick(in);
    // With either bitmap lacking a surface the matrix is not read.
    const bool read = s.bitmap(src).has_surface() && s.bitmap(dest).has_surface();
    CallerArray<float> matrix(9, misalignment(in, read));
    draw_matrix(in, matrix);
    const int32_t mode = in.mostly(0, 2);
    if (tracing()) note("matrix: " + floats(matrix));
    const auto before = matrix.bytes();
    if (!read) matrix.forbid();
    s.call("Quorvex", Result::kInverted, {{dest}}, &Exports::quorvex, s.handle(src), s.handle(dest),
           static_cast<const float*>(matrix.data()), mode);
    s.expect(!read || matrix.bytes() == before, "it wrote to the caller's matrix");
}

void call_fill_color(Scene& s, Input& in) {
    const int dest = s.pick(in);
    const bool read = s.bitmap(dest).has_surface();
    CallerArray<float> color(3, misalignment(in, read));
    for (size_t k = 0; k < 3; ++k)
        color.set(k, in.one_in(2) ? static_cast<float>(in.byte()) + 0.5f : in.real());
    if (tracing()) note("color: " + floats(color));
    const auto before = color.bytes();
    if (!read) color.forbid();
    s.call("fill_color", Result::kInverted, {{dest, Bytes::kColour}}, &Exports::fill_color,
           s.handle(dest), static_cast<const float*>(color.data()));
    s.expect(!read || color.bytes() == before, "it wrote to the caller's colour");
}

}  // namespace

Group<ExportCall> quorvex_exports() {
    return {"quorvex",
            {
                {"Quorvex", exports().quorvex != nullptr, call_quorvex},
                EXPORT_CALL(fill_color),
            }};
}

}  // namespace fuzz
