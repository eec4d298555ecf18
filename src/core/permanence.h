// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zentora {

// The spin results of the current play, one byte per spin. Index 0 is the most recent spin, the last index
// the oldest. Held oldest first, so that adding a spin is amortised O(1) however long the permanence grows.
class Permanence {
  public:
    Permanence() = default;
    static Permanence FromNewestFirst(std::span<const std::uint8_t> spins);
    static Permanence FromOldestFirst(std::span<const std::uint8_t> spins);

    std::size_t size() const { return oldestFirst_.size(); }
    bool empty() const { return oldestFirst_.empty(); }
    // Spin i spins ago: 0 is the most recent. Precondition: i < size().
    std::uint8_t operator[](std::size_t i) const { return oldestFirst_[oldestFirst_.size() - 1 - i]; }

    void PushNewest(std::uint8_t spin) { oldestFirst_.push_back(spin); }
    // Removes the most recent spin; does nothing when empty.
    void RemoveNewest() {
        if (!oldestFirst_.empty()) oldestFirst_.pop_back();
    }
    // Removes spin i spins ago (0 the most recent); the older spins keep their places. Does nothing when
    // i >= size().
    void RemoveAt(std::size_t i) {
        if (i < oldestFirst_.size())
            oldestFirst_.erase(oldestFirst_.end() - 1 - static_cast<std::ptrdiff_t>(i));
    }
    void Clear() { oldestFirst_.clear(); }
    void Reserve(std::size_t spins) { oldestFirst_.reserve(spins); }

    // All spins, oldest first (the order of a replay, of text and Excel files).
    std::span<const std::uint8_t> OldestFirst() const { return oldestFirst_; }
    // A copy newest first (the order of a permanence file).
    std::vector<std::uint8_t> NewestFirst() const { return {oldestFirst_.rbegin(), oldestFirst_.rend()}; }

    bool operator==(const Permanence&) const = default;

  private:
    std::vector<std::uint8_t> oldestFirst_;
};

inline Permanence Permanence::FromNewestFirst(std::span<const std::uint8_t> spins) {
    Permanence p;
    p.oldestFirst_.assign(spins.rbegin(), spins.rend());
    return p;
}

inline Permanence Permanence::FromOldestFirst(std::span<const std::uint8_t> spins) {
    Permanence p;
    p.oldestFirst_.assign(spins.begin(), spins.end());
    return p;
}

}  // namespace zentora
