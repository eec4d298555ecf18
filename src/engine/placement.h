// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

enum class PositionKind : std::uint8_t {
    Plein,               // 0..36
    TransversaleSimple,  // 37..47
    Carre,               // 48..70
    TransversalePleine,  // 71..84
    Cheval,              // 85..144
    SimpleChance,        // 145..150
    DozenColumn,         // 151..156
};

PositionKind PositionKindOf(int position);

// The "Maximum für..." setting that governs a position kind.
std::int32_t TableLimit(PositionKind kind, const AppliedSettings& settings);

// The fixed linear map from slot stakes to position stakes, built once from the catalogue's placement lists.
// Both directions are kept: per position the slots lying on it, per slot the positions it lies on, each with
// multiplicity.
class PlacementTable {
  public:
    struct Term {
        std::uint16_t index;  // slot (per position) or position (per slot)
        std::uint16_t count;  // multiplicity
    };
    static constexpr int kMaxTerms = 6000;

    static const PlacementTable& Instance();

    // Sum over the slots lying on each position (the defining form).
    void PlaceDense(const StakeArray& slotStake, PositionArray& positionStakeRaw) const;

    // Same result again: most composite slots lie on the positions of their components, and consecutive
    // slots sharing all components but the last put their summed stake on the shared ones once.
    void PlaceByRuns(const StakeArray& slotStake, PositionArray& positionStakeRaw) const;

    int TermCount() const { return termCount_; }

  private:
    PlacementTable();

    std::array<std::uint16_t, kPositionCount + 1> positionStart_{};
    std::array<Term, kMaxTerms> positionTerms_{};
    std::array<std::uint16_t, kSlotCount + 1> slotStart_{};
    std::array<Term, kMaxTerms> slotTerms_{};
    int termCount_ = 0;

    struct Run {
        std::uint16_t slot, count;             // slots slot..slot+count-1
        std::uint16_t sharedBegin, sharedEnd;  // positions every slot of the run lies on
        std::uint16_t lastBegin;               // last[lastBegin + i]: the one further position of slot + i
        std::uint32_t blocks;                  // bit b: the run has slots in 64b..64b+63
    };
    static constexpr int kMaxRuns = 600, kMaxRunPositions = 4000;
    std::array<Run, kMaxRuns> runs_{};
    int runCount_ = 0;
    std::array<std::uint8_t, kMaxRunPositions> shared_{}, last_{};
    // The slots after the BaseSets that lie elsewhere than on their components, with their terms.
    struct Direct {
        std::uint16_t slot;
        std::uint8_t position, count;
    };
    static constexpr int kMaxDirect = 64;
    std::array<Direct, kMaxDirect> direct_{};
    int directCount_ = 0;
};

// A position's exact sum as a position stake: saturated to 32 bits, once.
inline std::int32_t SaturatedStake(std::int64_t sum) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// PositionStakeRaw: every slot stake on the positions of its placement list; sums exact, saturated once.
void PlaceSlotStakes(const StakeArray& slotStake, PositionArray& positionStakeRaw);

// PositionStake from PositionStakeRaw: the table maxima, and the splitting of CheckBox32 when it is ticked.
void ApplyTableLimits(const PositionArray& positionStakeRaw, const AppliedSettings& settings,
                      PositionArray& positionStake);

}  // namespace zentora
