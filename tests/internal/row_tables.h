// Every variant table of both libraries, each row of its sets, and the two
// checks that hold that row's vector twins against its plain row: an
// internal test (tests/internal/) and a row check of the fuzzer's twins mode
// (fuzz/twins_*.cc). The internal tests and the fuzzer both walk this one
// list, so nothing is left out quietly:
// - a table missing here fails the test every_table_listed, which finds the
//   tables in the libraries' sources;
// - a row member missing here fails to compile (the member counts below);
// - a listed check that does not exist fails RowTables.EveryRowHasItsChecks
//   among the internal tests, and stops the fuzzer's twins mode at its start.
#pragma once

#include <string_view>

#include "Quorvex/fill_rows.h"
#include "Quorvex/transform_rows.h"
#include "lumoria/effects/blur/blur_rows.h"
#include "lumoria/effects/pixelize/block_rows.h"
#include "lumoria/effects/ripples/ripple_rows.h"
#include "lumoria/filters/filter_rows.h"
#include "lumoria/maps/transition_rows.h"
#include "lumoria/readback/record_rows.h"
#include "lumoria/transfer/transfer_rows.h"

struct ListedRow {
    const char* table;
    const char* member;      // the row member of the table's sets
    const char* test;        // the internal test, as Suite.Name
    const char* twin_group;  // the fuzzer's twins group
    const char* twin_check;  // and the row check in it
};

inline constexpr ListedRow kListedRows[] = {
    {"kTransferVariants", "over", "VectorRows.MatchOnRandomRowsOfEveryWidthAndOpacity", "transfers",
     "alpha_over_row"},
    {"kTransferVariants", "blend", "VectorRows.MatchOnRandomRowsOfEveryWidthAndOpacity",
     "transfers", "blend rows"},
    {"kTransferVariants", "layer", "VectorRows.MatchOnRandomRowsOfEveryWidthAndOpacity",
     "transfers", "layer rows"},
    {"kTransitionVariants", "fade_in", "TransitionRows.MatchThePlainRowsOnRandomRows", "maps",
     "transition_in_row"},
    {"kTransitionVariants", "fade_out", "TransitionRows.MatchThePlainRowsOnRandomRows", "maps",
     "transition_out_row"},
    {"kFilterVariants", "tint", "FilterRows.RandomRowsOfEveryShortWidthAndOffset", "filters",
     "filter rows"},
    {"kFilterVariants", "colorize", "FilterRows.RandomRowsOfEveryShortWidthAndOffset", "filters",
     "filter rows"},
    {"kFilterVariants", "grey", "FilterRows.RandomRowsOfEveryShortWidthAndOffset", "filters",
     "filter rows"},
    {"kFilterVariants", "grayscale", "FilterRows.RandomRowsOfEveryShortWidthAndOffset", "filters",
     "filter rows"},
    {"kFilterVariants", "negative", "FilterRows.RandomRowsOfEveryShortWidthAndOffset", "filters",
     "filter rows"},
    {"kFilterVariants", "lookup_colour", "FilterRows.LookupsReadTheEntryOfEveryByteValue",
     "filters", "filter rows"},
    {"kFilterVariants", "lookup_all", "FilterRows.LookupsReadTheEntryOfEveryByteValue", "filters",
     "filter rows"},
    {"kBlockVariants", "sum", "BlockRows.EverySetGivesThePlainSums", "effects", "block rows"},
    {"kBlockVariants", "fill", "BlockRows.EverySetFillsThePlainBlock", "effects", "block rows"},
    {"kBlockVariants", "flatten_8_wide", "BlockRows.EverySetFlattensThePlain8WideBlocks", "effects",
     "8-wide blocks"},
    {"kRippleVariants", "columns", "RippleRows.EverySetPlacesThePlainColumns", "effects",
     "column rows"},
    {"kRippleVariants", "rings", "RippleRows.EverySetScalesThePlainRings", "effects", "ring_row"},
    {"kBlurVariants", "fixed", "BlurRows.VectorRowsGiveThePlainBytes", "effects", "blur rows"},
    {"kBlurVariants", "scaled", "BlurRows.VectorRowsGiveThePlainBytes", "effects", "blur rows"},
    {"kRecordVariants", "band", "RecordRows.EverySetWritesThePlainRecords", "read-back",
     "record rows"},
    {"kTransformVariants", "nearest", "QuorvexRows.RandomMatricesSourcesAndWidths", "quorvex",
     "rows"},
    {"kTransformVariants", "bilinear", "QuorvexRows.RandomMatricesSourcesAndWidths", "quorvex",
     "rows"},
    {"kFillVariants", "fill", "QuorvexRows.FillRowsKeepAlphaAndStayInTheirRow", "quorvex",
     "fill rows"},
};

namespace row_tables {

// How many members an aggregate of rows has: the most initializers it takes.
struct AnyMember {
    template <class T>
    operator T() const;
};
template <class Rows, class... Members>
constexpr int member_count() {
    if constexpr (requires { Rows{Members{}..., AnyMember{}}; })
        return member_count<Rows, Members..., AnyMember>();
    else
        return sizeof...(Members);
}

constexpr int listed_members(std::string_view table) {
    int count = 0;
    for (const ListedRow& row : kListedRows) count += table == row.table;
    return count;
}

static_assert(member_count<lumoria::TransferRows>() == listed_members("kTransferVariants"));
// Beside its rows, a transition set says whether they read the scales.
static_assert(member_count<lumoria::TransitionRows>() == listed_members("kTransitionVariants") + 1);
static_assert(member_count<lumoria::FilterRows>() == listed_members("kFilterVariants"));
static_assert(member_count<lumoria::BlockRows>() == listed_members("kBlockVariants"));
static_assert(member_count<lumoria::RippleRows>() == listed_members("kRippleVariants"));
static_assert(member_count<lumoria::BlurRows>() == listed_members("kBlurVariants"));
static_assert(member_count<lumoria::RecordRows>() == listed_members("kRecordVariants"));
static_assert(member_count<quorvex::RowTransforms>() == listed_members("kTransformVariants"));
static_assert(member_count<quorvex::FillRows>() == listed_members("kFillVariants"));

}  // namespace row_tables
