// Row functions of Quorvex: each fills destination row `y`, whose row terms
// are `row`, from the source, pixel by pixel from left to right. The plain
// ones here are the reference; the vectorised twins of vector_rows.h must
// give the same bytes.
#pragma once

#include <cstdint>

#include "Quorvex/inverse_map.h"
#include "host/host_bitmap.h"

namespace quorvex {

using RowTransform = void (*)(const InverseMap& map, RowTerms row, const host::Surface& src,
                              uint8_t* dest_row, int32_t dest_width);

// The source is read where it stands at that moment: in place, pixels
// written earlier in the call are what is read.
void nearest_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                 int32_t dest_width);
void bilinear_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                  int32_t dest_width);

}  // namespace quorvex
