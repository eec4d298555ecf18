// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hit rate h / s * 100000 + 0.5, truncated, as the x87's 80-bit extended precision gives it: each of the
// three steps rounded to a 64-bit significand, to nearest, ties to even. Where `long double` is that format
// (x86-64) the hardware computes it; elsewhere (aarch64 has 128-bit `long double`) it is done here in
// integers, so that a rate lying exactly on half a unit rounds alike on every processor.

#include <bit>
#include <cfloat>
#include <cstdint>

namespace zentora {

#if defined(__SIZEOF_INT128__)
namespace extended_rate {

using U128 = unsigned __int128;

inline int BitLength(U128 x) {
    const auto high = static_cast<std::uint64_t>(x >> 64);
    return high ? 128 - std::countl_zero(high) : 64 - std::countl_zero(static_cast<std::uint64_t>(x));
}

// `value` (at least 2^63) rounded to 64 significant bits; `exponent` grows by the bits dropped.
inline std::uint64_t RoundTo64(U128 value, int& exponent) {
    const int drop = BitLength(value) - 64;
    if (drop <= 0) return static_cast<std::uint64_t>(value);
    const U128 rest = value & ((U128{1} << drop) - 1);
    const U128 half = U128{1} << (drop - 1);
    U128 kept = value >> drop;
    if (rest > half || (rest == half && (kept & 1))) ++kept;
    exponent += drop;
    if (kept >> 64) {  // rounded up to the next power of two
        kept >>= 1;
        ++exponent;
    }
    return static_cast<std::uint64_t>(kept);
}

// 0 < hits, 0 < spins, both below 2^31.
inline std::int32_t HitRate(std::uint32_t hits, std::uint32_t spins) {
    // hits / spins as q * 2^-shift, q rounded to 64 bits.
    int shift = 63 + BitLength(spins) - BitLength(hits);
    U128 q = (U128{hits} << shift) / spins;
    if (q < (U128{1} << 63)) q = (U128{hits} << ++shift) / spins;
    const U128 rest = (U128{hits} << shift) - q * spins;
    if (2 * rest > spins || (2 * rest == spins && (q & 1))) ++q;
    if (q >> 64) {
        q >>= 1;
        --shift;
    }
    // times 100000
    int exponent = -shift;
    const std::uint64_t product = RoundTo64(q * 100000u, exponent);
    // plus 0.5 (exponent < 0 here: the product is below 2^31 with 64 significant bits)
    const U128 sum = U128{product} + (U128{1} << (-1 - exponent));
    const std::uint64_t rounded = RoundTo64(sum, exponent);
    if (exponent >= 0) return static_cast<std::int32_t>(rounded << exponent);
    return exponent <= -64 ? 0 : static_cast<std::int32_t>(rounded >> -exponent);
}

}  // namespace extended_rate
#endif

// hits and spins >= 1 and below 2^31, hits <= 2 * spins; the result fits 32 bits.
inline std::int32_t ExtendedHitRate32(std::int64_t hits, std::int64_t spins) {
#if LDBL_MANT_DIG != 64 && defined(__SIZEOF_INT128__)
    if (hits == 0) return 0;
    return extended_rate::HitRate(static_cast<std::uint32_t>(hits), static_cast<std::uint32_t>(spins));
#else
    const long double rate =
        static_cast<long double>(hits) / static_cast<long double>(spins) * 100000.0L + 0.5L;
    return static_cast<std::int32_t>(rate);
#endif
}

}  // namespace zentora
