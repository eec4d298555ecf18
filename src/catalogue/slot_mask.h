// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One bit per slot 0..1784, built from a per-slot array on vectors, so that sparse passes visit only the
// slots that matter.

#include <array>
#include <bit>
#include <cstdint>

#include "catalogue/chance_groups.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentora {

inline constexpr int kSlotMaskWords = (kSlotCount + 63) / 64;
using SlotMask = std::array<std::uint64_t, kSlotMaskWords>;

// Bit s is set when stake[s] > 0, for s in 0..1784.
inline SlotMask MaskOfPositive(const StakeArray& stake) {
    SlotMask mask{};
#if defined(__SSE2__)
    // Four slots per compare; the array's 1786 entries hold every load (the last one reads 1782..1785).
    const __m128i zero = _mm_setzero_si128();
    for (int s = 0; s + 4 <= kSlotArraySize; s += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stake.data() + s));
        const __m128i hit = _mm_cmpgt_epi32(v, zero);
        const auto bits = static_cast<std::uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(hit)));
        mask[s >> 6] |= bits << (s & 63);
    }
    for (int s = kSlotArraySize & ~3; s < kSlotCount; ++s)
        if (stake[s] > 0) mask[s >> 6] |= std::uint64_t{1} << (s & 63);
#else
    for (int s = 0; s < kSlotCount; ++s)
        if (stake[s] > 0) mask[s >> 6] |= std::uint64_t{1} << (s & 63);
#endif
    // Index 1785 belongs to no slot.
    mask[kSlotMaskWords - 1] &= (std::uint64_t{1} << (kSlotCount & 63)) - 1;
    return mask;
}

// Bit s is set when a[s] > 0 or b[s] > 0, for s in 0..1784.
inline SlotMask MaskOfEitherPositive(const std::array<std::int16_t, kSlotArraySize>& a,
                                     const std::array<std::int16_t, kSlotArraySize>& b) {
    SlotMask mask{};
    int s = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; s + 16 <= kSlotArraySize; s += 16) {
        const auto load = [](const std::int16_t* p) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        };
        const __m128i low = _mm_or_si128(_mm_cmpgt_epi16(load(a.data() + s), zero),
                                         _mm_cmpgt_epi16(load(b.data() + s), zero));
        const __m128i high = _mm_or_si128(_mm_cmpgt_epi16(load(a.data() + s + 8), zero),
                                          _mm_cmpgt_epi16(load(b.data() + s + 8), zero));
        const auto bits = static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high)) & 0xFFFF);
        mask[s >> 6] |= bits << (s & 63);
    }
#endif
    for (; s < kSlotCount; ++s)
        if (a[s] > 0 || b[s] > 0) mask[s >> 6] |= std::uint64_t{1} << (s & 63);
    mask[kSlotMaskWords - 1] &= (std::uint64_t{1} << (kSlotCount & 63)) - 1;
    return mask;
}

// Calls f(slot) for every set bit, in ascending slot order.
template <class F>
void ForEachSetSlot(const SlotMask& mask, F f) {
    for (int w = 0; w < kSlotMaskWords; ++w)
        for (std::uint64_t bits = mask[w]; bits != 0; bits &= bits - 1) f(w * 64 + std::countr_zero(bits));
}

}  // namespace zentora
