// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>

namespace zentora {

// A set of roulette numbers as 256 bits; only bits 0..36 are ever set.
struct NumberSet {
    std::array<std::uint64_t, 4> words{};

    constexpr NumberSet() = default;
    constexpr NumberSet(std::initializer_list<int> numbers) {
        for (int n : numbers) Insert(n);
    }

    constexpr void Insert(int n) { words[static_cast<unsigned>(n) >> 6] |= std::uint64_t{1} << (n & 63); }
    // Values above 255 are members of no set.
    constexpr bool Contains(unsigned value) const {
        return value <= 255 && (words[value >> 6] >> (value & 63) & 1u) != 0;
    }
    constexpr NumberSet& operator|=(const NumberSet& other) {
        for (int i = 0; i < 4; ++i) words[i] |= other.words[i];
        return *this;
    }
    constexpr int Count() const {
        int c = 0;
        for (auto w : words) c += std::popcount(w);
        return c;
    }
    constexpr bool operator==(const NumberSet&) const = default;
};

// The black numbers of the table; every other number from 1 to 36 is red.
inline constexpr NumberSet kBlackNumbers{2, 4, 6, 8, 10, 11, 13, 15, 17, 20, 22, 24, 26, 28, 29, 31, 33, 35};
constexpr bool IsBlack(int number) {
    return number >= 0 && kBlackNumbers.Contains(static_cast<unsigned>(number));
}

}  // namespace zentora
