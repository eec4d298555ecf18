// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/rate_sum.h"

#include <algorithm>
#include <limits>

#include "catalogue/extended_rate.h"
#include "catalogue/platform.h"

namespace zentora {

namespace {

// Beyond this the remainders no longer fit 32 bits; the sum is then taken per slot.
constexpr std::int64_t kIncrementalLimit = (std::int64_t{1} << 30) - 200000;
// Below this a rate may move by many steps in one spin; the quotient is then taken by division.
constexpr std::int64_t kDivisionLimit = 4096;
// Sums of at most this many quotients (each at most 100000) fit the 32-bit lanes.
constexpr int kChunk = 16384;

struct Lanes {
    std::int32_t sum = 0;
    std::int32_t ties = 0;
    std::int32_t outside = 0;  // some remainder still lies outside [0, d)
    std::int32_t minHits = std::numeric_limits<std::int32_t>::max();
    std::int32_t maxHits = 0;
};

// Brings one quotient/remainder pair one step back towards [0, d) and records what the caller must know.
[[gnu::always_inline]] inline void SettleLane(std::int32_t& quo, std::int32_t& rem, std::int32_t d,
                                              Lanes& out) {
    const std::int32_t below = -static_cast<std::int32_t>(rem < 0);
    quo += below;
    rem += below & d;
    const std::int32_t above = -static_cast<std::int32_t>(rem >= d);
    quo -= above;
    rem -= above & d;
    out.outside |= static_cast<std::int32_t>(rem < 0) | static_cast<std::int32_t>(rem >= d);
    out.ties += static_cast<std::int32_t>(rem == 0);
    out.sum += quo;
}

// Counts the hit of every slot from its mask word.
ZENTORA_VECTOR_CLONES
Lanes CountAll(const std::uint32_t* __restrict words, int shift, std::int32_t* __restrict hits, int count) {
    Lanes out;
    for (int k = 0; k < count; ++k) {
        const std::int32_t h = hits[k] + static_cast<std::int32_t>((words[k] >> shift) & 1u);
        hits[k] = h;
        out.minHits = std::min(out.minHits, h);
        out.maxHits = std::max(out.maxHits, h);
    }
    return out;
}

// One spin further for every slot: the remainder gains 200000 for a hit and 1 - 2 q, and is brought back
// towards [0, d) by one step in either direction.
ZENTORA_VECTOR_CLONES
Lanes StepAll(const std::uint32_t* __restrict words, int shift, std::int32_t* __restrict hits,
              std::int32_t* __restrict q, std::int32_t* __restrict r, int count, std::int32_t d) {
    Lanes out;
    for (int k = 0; k < count; ++k) {
        const std::int32_t hit = static_cast<std::int32_t>((words[k] >> shift) & 1u);
        const std::int32_t h = hits[k] + hit;
        hits[k] = h;
        out.minHits = std::min(out.minHits, h);
        out.maxHits = std::max(out.maxHits, h);
        std::int32_t quo = q[k];
        std::int32_t rem = r[k] + (200000 & -hit) + 1 - 2 * quo;
        SettleLane(quo, rem, d, out);
        q[k] = quo;
        r[k] = rem;
    }
    return out;
}

// Further steps for remainders still outside [0, d).
ZENTORA_VECTOR_CLONES
Lanes Settle(std::int32_t* __restrict q, std::int32_t* __restrict r, int count, std::int32_t d) {
    Lanes out;
    for (int k = 0; k < count; ++k) {
        std::int32_t quo = q[k];
        std::int32_t rem = r[k];
        SettleLane(quo, rem, d, out);
        q[k] = quo;
        r[k] = rem;
    }
    return out;
}

}  // namespace

std::int32_t ExtendedHitRate(std::int64_t hits, std::int64_t spins) {
    return ExtendedHitRate32(hits, spins);
}

std::int64_t SumOfHitRates(std::span<const std::int32_t> hits, std::int64_t spins) {
    std::int64_t sum = 0;
    for (const std::int32_t h : hits) {
        const std::int64_t n = std::int64_t{h} * 200000 + spins;
        sum += n % (2 * spins) == 0 ? ExtendedHitRate(h, spins) : n / (2 * spins);
    }
    return sum;
}

HitRateSum::HitRateSum(std::span<const std::uint64_t> masks)
    : hits_(masks.size()), quotient_(masks.size()), remainder_(masks.size()) {
    for (const std::uint64_t m : masks) {
        low_.push_back(static_cast<std::uint32_t>(m));
        high_.push_back(static_cast<std::uint32_t>(m >> 32));
    }
}

const std::uint32_t* HitRateSum::MaskWords(unsigned number, int& shift) const {
    if (number < 32) {
        shift = static_cast<int>(number);
        return low_.data();
    }
    // Bit 63 is never set, so a number beyond the masks hits nothing.
    shift = number < 64 ? static_cast<int>(number - 32) : 31;
    return high_.data();
}

HitRateSum::Spin HitRateSum::CountHits(unsigned number) {
    ++spins_;
    int shift = 0;
    const std::uint32_t* words = MaskWords(number, shift);
    const Lanes l = CountAll(words, shift, hits_.data(), static_cast<int>(hits_.size()));
    return {0, l.minHits, l.maxHits};
}

HitRateSum::Spin HitRateSum::Advance(unsigned number) {
    ++spins_;
    int shift = 0;
    const std::uint32_t* words = MaskWords(number, shift);
    const int count = static_cast<int>(hits_.size());

    if (spins_ < kDivisionLimit || spins_ > kIncrementalLimit) {
        const Lanes l = CountAll(words, shift, hits_.data(), count);
        const std::int64_t d = 2 * spins_;
        for (int k = 0; k < count && spins_ < kDivisionLimit; ++k) {
            const std::int64_t n = std::int64_t{hits_[k]} * 200000 + spins_;
            quotient_[k] = static_cast<std::int32_t>(n / d);
            remainder_[k] = static_cast<std::int32_t>(n % d);
        }
        return {SumOfHitRates(hits_, spins_), l.minHits, l.maxHits};
    }

    const auto d = static_cast<std::int32_t>(2 * spins_);
    Spin spin{0, std::numeric_limits<std::int32_t>::max(), 0};
    std::int64_t ties = 0;
    for (int from = 0; from < count; from += kChunk) {
        const int n = std::min(kChunk, count - from);
        Lanes l = StepAll(words + from, shift, hits_.data() + from, quotient_.data() + from,
                          remainder_.data() + from, n, d);
        spin.minHits = std::min(spin.minHits, l.minHits);
        spin.maxHits = std::max(spin.maxHits, l.maxHits);
        // Early spins move a rate by more than one step; each pass takes one more.
        while (l.outside != 0) l = Settle(quotient_.data() + from, remainder_.data() + from, n, d);
        spin.rateSum += l.sum;
        ties += l.ties;
    }
    if (ties != 0) {
        for (int k = 0; k < count; ++k)
            if (remainder_[k] == 0) spin.rateSum += ExtendedHitRate(hits_[k], spins_) - quotient_[k];
    }
    if (count == 0) spin.minHits = 0;
    return spin;
}

}  // namespace zentora
