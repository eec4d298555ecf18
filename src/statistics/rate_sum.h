// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hit counts of many slots and the sum of their rates, spin by spin, without an extended-precision division
// per rate.

#include <cstdint>
#include <span>
#include <vector>

namespace zentora {

// trunc(hits / spins * 100000 + 0.5) in extended precision, exactly as the counting defines the hit rate.
std::int32_t ExtendedHitRate(std::int64_t hits, std::int64_t spins);

// The extended-precision rate equals the exact rational rounding floor((200000 h + spins) / (2 spins)) except
// where that quotient is a whole number (a tie of the "+ 0.5"): the rounding error of the three extended
// operations is below 2^-62 relative, while any other quotient lies at least 1 / (2 spins) from a whole
// number. Ties, and only ties, are handed to the extended formula.

// Sum over `hits` of ExtendedHitRate(h, spins), spins >= 1, 0 <= h <= spins < 2^31.
std::int64_t SumOfHitRates(std::span<const std::int32_t> hits, std::int64_t spins);

// Each slot keeps the quotient and remainder of its exact rounding. From one spin to the next they move by at
// most one step once the spin count passes 100000, so a spin costs a few vectorisable integer operations per
// slot and no division.
class HitRateSum {
  public:
    // Bit z of a slot's mask is set when the slot holds the number z (0..36).
    explicit HitRateSum(std::span<const std::uint64_t> masks);

    struct Spin {
        std::int64_t rateSum = 0;  // sum of ExtendedHitRate over the slots (Advance only)
        std::int32_t minHits = 0;
        std::int32_t maxHits = 0;
    };
    // Counts a spin of `number` (any value; one above 36 hits nothing).
    Spin Advance(unsigned number);
    // The same for callers that need the hit counts only.
    Spin CountHits(unsigned number);

    std::int64_t Spins() const { return spins_; }
    std::span<const std::int32_t> Hits() const { return hits_; }

  private:
    const std::uint32_t* MaskWords(unsigned number, int& shift) const;

    std::int64_t spins_ = 0;
    std::vector<std::uint32_t> low_, high_;  // numbers 0..31 and 32..63 of each slot's mask
    std::vector<std::int32_t> hits_;
    std::vector<std::int32_t> quotient_;   // exact rounding of the rate
    std::vector<std::int32_t> remainder_;  // 200000 h + spins - quotient * 2 spins, in [0, 2 spins)
};

}  // namespace zentora
