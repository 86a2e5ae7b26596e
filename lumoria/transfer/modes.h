// The modes of the blended block transfers, by the numbers callers pass, and
// what sets each weighted blend mode's case order apart. The plain rules and
// their vector twins both read these, so a mode's flags are stated once.
#pragma once

#include <array>
#include <cstdint>

#include "lumoria/transfer/transfer_frame.h"

namespace lumoria {

// blend_blt's modes. The weighted ones (normal to divide) share the case
// order of the alpha-over rule; difference and dissolve have rules of their
// own.
enum class BlendMode : uint32_t {
    kNormal,
    kAdd,
    kSubtract,
    kMultiply,
    kScreen,
    kOverlay,
    kSoftLight,
    kColourDodge,
    kColourBurn,
    kLinearBurn,
    kDivide,
    kDifference,
    kDissolve,
};
constexpr uint32_t kBlendModes = 13;
constexpr uint32_t kDissolveMode = static_cast<uint32_t>(BlendMode::kDissolve);

// transfer_blt's modes: drawing over the destination, replacing it,
// recolouring what it shows, or drawing behind it.
enum class LayerMode : uint32_t { kOver, kReplace, kRecolour, kBehind };
constexpr uint32_t kLayerModes = 4;

// What a weighted mode gives a destination pixel of alpha 0: blended like
// any other, or a colour outright together with alpha e.
enum class OnTransparent { kBlend, kSourceColour, kBlack };

struct ModeTraits {
    bool full_keeps_alpha = false;  // else a full draw sets alpha 255
    OnTransparent on_transparent = OnTransparent::kBlend;
    bool black_red_keeps_alpha = false;  // no alpha growth where the red channel is 0
};

constexpr ModeTraits traits_of(BlendMode mode) {
    switch (mode) {
        case BlendMode::kNormal: return {false, OnTransparent::kSourceColour, false};
        case BlendMode::kAdd: return {true, OnTransparent::kSourceColour, false};
        case BlendMode::kSubtract: return {true, OnTransparent::kBlack, false};
        case BlendMode::kLinearBurn: return {false, OnTransparent::kBlack, false};
        case BlendMode::kDivide: return {false, OnTransparent::kBlend, true};
        default: return {};
    }
}

// The alpha-over rule of blt follows the same case order, as a weighted rule
// of its own.
constexpr ModeTraits kOverTraits{false, OnTransparent::kSourceColour, false};

// The traits of a weighted rule: its own (kTraits) or its mode's (kMode).
template <class Rule>
constexpr ModeTraits traits_of_rule() {
    if constexpr (requires { Rule::kTraits; })
        return Rule::kTraits;
    else
        return traits_of(Rule::kMode);
}

// One set of row functions for every mode (each takes the opacity), indexed
// by mode number; a set may leave a mode null where it has no row for it.
struct TransferRows {
    RowFunction over;          // the alpha-over rule of blt
    const RowFunction* blend;  // kBlendModes entries
    const RowFunction* layer;  // kLayerModes entries
};

// A table of N rows with each rule's row, row_of.operator()<Rule>(), at the
// number of the mode the rule states (Rule::kMode, a BlendMode or a
// LayerMode): a table's order is the enum's, whatever order the rules are
// listed in. Modes no rule states stay null.
template <uint32_t N, class... Rules, class RowOf>
constexpr std::array<RowFunction, N> rows_by_mode(RowOf row_of) {
    std::array<RowFunction, N> rows{};
    ((rows[static_cast<uint32_t>(Rules::kMode)] = row_of.template operator()<Rules>()), ...);
    return rows;
}

// The plain rows of every mode, by number.
extern const std::array<RowFunction, kBlendModes> kPlainBlendRows;
extern const std::array<RowFunction, kLayerModes> kPlainLayerRows;

// The plain row function of a mode number, or null for a number that changes
// no pixel.
RowFunction blend_row(uint32_t mode);
RowFunction layer_row(uint32_t mode);

}  // namespace lumoria
