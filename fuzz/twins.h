// Row functions against their twins. Each family of row functions lists its
// sets in its library's variant table, and every table and row is in the
// one list of tests/internal/row_tables.h with its row check here (the run
// stops at its start if one is missing): a check walks the sets of the table
// that this CPU runs, the plain rows first, each under the condition on
// which its frame function would choose it, so a set entered there is
// checked at once. It draws a row (or a small surface) and its arguments,
// runs every variant on its own copy held in blocks of exactly the bytes the
// row spans, and expects each copy to end byte for byte as the plain
// variant's; a variant that reads or writes one byte outside its row is
// caught by AddressSanitizer.
//
// The exports themselves are held against the plain build of their library
// by the scene (scene.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "caller_memory.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "input.h"
#include "trace.h"

namespace fuzz {

// Pixel bytes biased towards 0 and 255, where the rules' special cases lie,
// from a seed drawn from the input (a row costs the input four bytes).
std::vector<uint8_t> random_pixels(size_t pixels, uint32_t seed);

// A row width: every small width, the widths around vector lengths, and a
// few longer ones.
int32_t row_width(Input& in);

// A surface of width x height pixels held in `block` (positive sizes), laid
// out as the engine lays it out: row 0 last, the rows running downwards.
host::Surface surface_in(uint8_t* block, int32_t width, int32_t height);

// The memory of one run: blocks, each holding exactly its bytes, all
// starting `misalign` bytes off the allocator's alignment.
class Blocks {
  public:
    Blocks(const std::vector<std::vector<uint8_t>>& contents, size_t misalign);
    uint8_t* operator[](size_t k) const { return blocks_[k]->data(); }
    // Every block's bytes, one after the other.
    std::vector<uint8_t> contents() const;

  private:
    std::vector<std::unique_ptr<CallerArray<uint8_t>>> blocks_;
};

// Where the two rows of a row function with a source lie: in two blocks, or
// in one, as the same row or overlapping by a shift in either direction (a
// bitmap drawn onto itself).
struct RowPairLayout {
    std::vector<std::vector<uint8_t>> contents;
    size_t dest_block, dest_offset, src_block, src_offset;  // offsets in bytes

    RowPairLayout(Input& in, int32_t width);
    uint8_t* dest(const Blocks& b) const { return b[dest_block] + dest_offset; }
    const uint8_t* src(const Blocks& b) const { return b[src_block] + src_offset; }
    // Whether a left-to-right walk of `width` pixels reads pixels it has
    // already written: the destination starts inside the source, after it.
    bool reads_own_writes(int32_t width) const {
        return dest_block == src_block && dest_offset > src_offset &&
               dest_offset - src_offset < 4 * static_cast<size_t>(width);
    }
};

// A set of rows from a family's table, by its level's name.
template <class Rows>
struct SetOf {
    const char* name;
    const Rows* rows;
};

// Every set of a family's table that this build has and this CPU runs, the
// plain set first.
template <class Rows>
std::vector<SetOf<Rows>> sets_of(const host::Variants<Rows>& table) {
    std::vector<SetOf<Rows>> sets;
    table.each_on_this_cpu([&](const char* name, const Rows& rows) {
        sets.push_back({name, &rows});
    });
    return sets;
}

// Rows as the engine may place them: vector code may assume no alignment.
size_t row_misalignment(Input& in);

// Runs `run(variant, blocks)` for each variant on fresh blocks filled with
// `contents`, and stops the run unless every variant leaves the blocks (and
// the extra output `run` returns) as the first variant does.
template <class Variant, class Run>
void expect_twins(const std::string& family, const std::vector<Variant>& variants,
                  const std::vector<std::vector<uint8_t>>& contents, size_t misalign, Run run) {
    std::vector<uint8_t> expected;
    for (size_t k = 0; k < variants.size(); ++k) {
        const Blocks blocks(contents, misalign);
        std::vector<uint8_t> out = run(variants[k], blocks);
        const std::vector<uint8_t> bytes = blocks.contents();
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (k == 0) {
            expected = std::move(out);
        } else if (out != expected) {
            std::fprintf(stderr, "\n==== %s: %s differs from %s\n", family.c_str(),
                         variants[k].name, variants[0].name);
            std::abort();
        }
    }
}

}  // namespace fuzz
