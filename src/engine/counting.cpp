// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/counting.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/extended_rate.h"
#include "catalogue/platform.h"

namespace zentora {

namespace {

// Consecutive slots of a group that share every component but the last: the shared part is combined once.
struct Run {
    std::uint16_t slot;         // first slot of the run
    std::uint16_t count;        // slots in the run
    std::uint16_t sharedBegin;  // shared components: shared[sharedBegin, sharedEnd)
    std::uint16_t sharedEnd;
    std::uint16_t lastBegin;  // the last component of each slot: last[lastBegin, lastBegin + count)
};

// One composite group as flat tables.
struct GroupTable {
    GroupId id;
    std::vector<Run> runs;
    std::vector<std::uint8_t> shared;
    std::vector<std::uint8_t> last;
};

// The derive order of the composite groups.
constexpr std::array<GroupId, 22> kDeriveOrder{
    GroupId::Z12637, GroupId::Z837, GroupId::Z437,  GroupId::Z537,  GroupId::Z1237, GroupId::N337,
    GroupId::N537,   GroupId::N737, GroupId::N937,  GroupId::G1837, GroupId::G1237, GroupId::P437,
    GroupId::P337,   GroupId::S837, GroupId::S1237, GroupId::S737,  GroupId::S637,  GroupId::SS837,
    GroupId::SS637,  GroupId::S937, GroupId::S1737, GroupId::Z937,
};
constexpr std::size_t kFirstNeighbourGroup = 5;  // N337, N537, N737, N937 follow each other

struct CountingTables {
    // membership[x][i] is 1 when number x is in BaseSet i; row 37 stands for every value outside 0..36.
    std::array<std::array<std::uint8_t, kBaseSetCount>, 38> membership{};
    // multiplicity[x][s]: how many components of slot s hold number x (BaseSets: their own membership).
    std::array<std::array<std::uint8_t, kSlotArraySize>, 38> multiplicity{};
    std::array<GroupTable, kDeriveOrder.size()> groups;
    // The neighbour chances grow by one plein on each side per group: neighbours[k][n] are the pleins k+1
    // places left and right of n on the wheel.
    std::array<std::array<std::array<std::uint8_t, 2>, 37>, 4> neighbours{};
};

CountingTables BuildTables() {
    CountingTables t;
    const auto base = BaseSetTable();
    for (int x = 0; x <= 36; ++x)
        for (int i = 0; i < kBaseSetCount; ++i) t.membership[x][i] = base[i].Contains(x) ? 1 : 0;
    for (int x = 0; x <= 36; ++x)
        for (int s = 0; s < kSlotCount; ++s) {
            if (s < kBaseSetCount) {
                t.multiplicity[x][s] = t.membership[x][s];
                continue;
            }
            for (std::uint8_t c : ComponentList(s)) t.multiplicity[x][s] += t.membership[x][c];
        }
    for (std::size_t g = 0; g < kDeriveOrder.size(); ++g) {
        const ChanceGroup& group = Group(kDeriveOrder[g]);
        GroupTable& table = t.groups[g];
        table.id = group.id;
        for (int s = group.firstSlot; s <= group.lastSlot; ++s) {
            const auto comps = ComponentList(s);
            const auto shared = comps.first(comps.size() - 1);
            const bool extends =
                !table.runs.empty() &&
                std::equal(shared.begin(), shared.end(), table.shared.begin() + table.runs.back().sharedBegin,
                           table.shared.begin() + table.runs.back().sharedEnd);
            if (extends) {
                ++table.runs.back().count;
            } else {
                Run run;
                run.slot = static_cast<std::uint16_t>(s);
                run.count = 1;
                run.sharedBegin = static_cast<std::uint16_t>(table.shared.size());
                table.shared.insert(table.shared.end(), shared.begin(), shared.end());
                run.sharedEnd = static_cast<std::uint16_t>(table.shared.size());
                run.lastBegin = static_cast<std::uint16_t>(table.last.size());
                table.runs.push_back(run);
            }
            table.last.push_back(comps.back());
        }
    }
    for (int k = 0; k < 4; ++k)
        for (int at = 0; at < 37; ++at) {
            const int n = kWheelOrder[at];
            t.neighbours[k][n] = {static_cast<std::uint8_t>(kWheelOrder[(at + 36 - k) % 37]),
                                  static_cast<std::uint8_t>(kWheelOrder[(at + k + 1) % 37])};
        }
    return t;
}

const CountingTables& Tables() {
    static const CountingTables tables = BuildTables();
    return tables;
}

// The derive loops are short gathers: vectorising them only adds set-up cost.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC push_options
#pragma GCC optimize("no-tree-vectorize")
#endif

// Minimum of the absences and sum of the hits over the components, for the arrays asked for.
template <bool Absence, bool Hits>
void DeriveGroup(const GroupTable& g, AbsenceArray* absence, CountArray* hits) {
    // Locals throughout: a store into the counters could otherwise alias the table fields and force reloads.
    std::int16_t* const abs = Absence ? absence->data() : nullptr;
    std::int32_t* const hit = Hits ? hits->data() : nullptr;
    const std::uint8_t* const shared = g.shared.data();
    const std::uint8_t* const lastAll = g.last.data();
    for (const Run& run : g.runs) {
        const int sharedBegin = run.sharedBegin, sharedEnd = run.sharedEnd, count = run.count;
        const int slot = run.slot;
        const std::uint8_t* const last = lastAll + run.lastBegin;
        std::int16_t a = kAbsenceLimit;
        std::int32_t h = 0;
        for (int i = sharedBegin; i < sharedEnd; ++i) {
            if constexpr (Absence) a = std::min(a, abs[shared[i]]);
            if constexpr (Hits) h += hit[shared[i]];
        }
        for (int i = 0; i < count; ++i) {
            if constexpr (Absence) abs[slot + i] = std::min(a, abs[last[i]]);
            if constexpr (Hits) hit[slot + i] = h + hit[last[i]];
        }
    }
}

// The four neighbour groups together: each widens the one before by a plein on either side.
template <bool Absence, bool Hits>
void DeriveNeighbours(const std::array<bool, 4>& active, AbsenceArray* absence, CountArray* hits) {
    const auto& neighbours = Tables().neighbours;
    int lastActive = 3;
    while (!active[lastActive]) --lastActive;
    for (int n = 0; n <= 36; ++n) {
        std::int16_t a = 0;
        std::int32_t h = 0;
        if constexpr (Absence) a = (*absence)[n];
        if constexpr (Hits) h = (*hits)[n];
        for (int k = 0; k <= lastActive; ++k) {
            const auto [left, right] = neighbours[k][n];
            if constexpr (Absence) a = std::min({a, (*absence)[left], (*absence)[right]});
            if constexpr (Hits) h += (*hits)[left] + (*hits)[right];
            if (!active[k]) continue;
            const int slot = 1259 + 37 * k + n;
            if constexpr (Absence) (*absence)[slot] = a;
            if constexpr (Hits) (*hits)[slot] = h;
        }
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC pop_options
#endif

bool DerivesAbsence(const AppliedSettings& settings, GroupId id) {
    return settings.AbsenceRuleActive(id) || settings.RateRuleActive(id);
}

bool DerivesHits(const AppliedSettings& settings, GroupId id) {
    return id == GroupId::G1837 || id == GroupId::G1237 || settings.RateRuleActive(id);
}

// Derives for every composite group what `absenceOf` and `hitsOf` ask for; one pass over the tables when
// both.
template <class AbsenceOf, class HitsOf>
void DeriveComposites(AbsenceOf absenceOf, HitsOf hitsOf, AbsenceArray* absence, CountArray* hits) {
    const auto& groups = Tables().groups;
    std::array<bool, 4> nAbsence{}, nHits{};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const GroupId id = groups[g].id;
        const bool a = absenceOf(id);
        const bool h = hitsOf(id);
        if (g >= kFirstNeighbourGroup && g < kFirstNeighbourGroup + 4) {
            nAbsence[g - kFirstNeighbourGroup] = a;
            nHits[g - kFirstNeighbourGroup] = h;
            if (g + 1 < kFirstNeighbourGroup + 4) continue;
            if (nAbsence == nHits && nAbsence != std::array<bool, 4>{}) {
                DeriveNeighbours<true, true>(nAbsence, absence, hits);
            } else {
                if (nAbsence != std::array<bool, 4>{}) DeriveNeighbours<true, false>(nAbsence, absence, hits);
                if (nHits != std::array<bool, 4>{}) DeriveNeighbours<false, true>(nHits, absence, hits);
            }
            continue;
        }
        if (a && h)
            DeriveGroup<true, true>(groups[g], absence, hits);
        else if (a)
            DeriveGroup<true, false>(groups[g], absence, hits);
        else if (h)
            DeriveGroup<false, true>(groups[g], absence, hits);
    }
}

bool RatesAlways(GroupId id) {
    return id == GroupId::G137 || id == GroupId::G1837 || id == GroupId::G1237;
}

// The slot ranges whose rates are computed, adjacent groups merged.
struct RateRunList {
    std::array<std::pair<int, int>, kGroupCount> runs;
    int count = 0;
    const std::pair<int, int>* begin() const { return runs.data(); }
    const std::pair<int, int>* end() const { return runs.data() + count; }
};

RateRunList RateRuns(const AppliedSettings& settings) {
    RateRunList list;
    for (const ChanceGroup& g : kChanceGroups) {
        if (!RatesAlways(g.id) && !settings.RateRuleActive(g.id)) continue;
        if (list.count > 0 && list.runs[list.count - 1].second + 1 == g.firstSlot)
            list.runs[list.count - 1].second = g.lastSlot;
        else
            list.runs[list.count++] = {g.firstSlot, g.lastSlot};
    }
    return list;
}

}  // namespace

void BaseUpdate(unsigned number, AbsenceArray& absence, CountArray& hits) {
    const auto& member = Tables().membership[number <= 36 ? number : 37];
    for (int i = 0; i < kBaseSetCount; ++i) {
        const std::int16_t grown =
            absence[i] < kAbsenceLimit ? static_cast<std::int16_t>(absence[i] + 1) : kAbsenceLimit;
        absence[i] = member[i] ? std::int16_t{0} : grown;
        hits[i] += member[i];
    }
}

void BaseUpdateRun(std::span<const std::uint8_t> spins, AbsenceArray& absence, CountArray& hits) {
    if (spins.empty()) return;
    // How often each value came, and the index of its last occurrence.
    std::array<std::int64_t, 256> count{};
    std::array<std::int64_t, 256> last;
    last.fill(-1);
    const std::size_t n = spins.size();
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint8_t v = spins[j];
        ++count[v];
        last[v] = static_cast<std::int64_t>(j);
    }
    const auto base = BaseSetTable();
    const std::int64_t length = static_cast<std::int64_t>(n);
    for (int i = 0; i < kBaseSetCount; ++i) {
        std::int64_t hitCount = 0;
        std::int64_t since = -1;  // spins after the set's last hit in the run, -1 when it did not hit
        for (int x = 0; x <= 36; ++x) {
            if (!base[i].Contains(x) || last[x] < 0) continue;
            hitCount += count[x];
            const std::int64_t after = length - 1 - last[x];
            if (since < 0 || after < since) since = after;
        }
        hits[i] = static_cast<std::int32_t>(hits[i] + hitCount);
        const std::int64_t grown = since >= 0 ? since : std::int64_t{absence[i]} + length;
        absence[i] = static_cast<std::int16_t>(std::min<std::int64_t>(grown, kAbsenceLimit));
    }
}

void DeriveCompositeAbsences(const AppliedSettings& settings, AbsenceArray& absence) {
    DeriveComposites([&](GroupId id) { return DerivesAbsence(settings, id); }, [](GroupId) { return false; },
                     &absence, nullptr);
}

void DeriveCompositeHits(const AppliedSettings& settings, CountArray& hits) {
    DeriveComposites([](GroupId) { return false; }, [&](GroupId id) { return DerivesHits(settings, id); },
                     nullptr, &hits);
}

void CountSpin(unsigned number, const AppliedSettings& settings, AbsenceArray& absence, CountArray& hits) {
    BaseUpdate(number, absence, hits);
    // Absences and hits in one pass: no composite is a component of another, so the order does not matter.
    DeriveComposites([&](GroupId id) { return DerivesAbsence(settings, id); },
                     [&](GroupId id) { return DerivesHits(settings, id); }, &absence, &hits);
}

namespace {

ZENTORA_VECTOR_CLONES
void MoveAbsences(const std::uint8_t* multiplicity, std::int16_t* absence, int count) {
    for (int i = 0; i < count; ++i) {
        const std::int16_t grown =
            static_cast<std::int16_t>(std::min<std::int16_t>(absence[i], kAbsenceLimit - 1) + 1);
        absence[i] = multiplicity[i] != 0 ? std::int16_t{0} : grown;
    }
}

ZENTORA_VECTOR_CLONES
void MoveHits(const std::uint8_t* multiplicity, std::int32_t* hits, int count) {
    for (int i = 0; i < count; ++i) hits[i] += multiplicity[i];
}

// Calls f(first, last) for the maximal runs of adjacent slot ranges that `take` accepts: the BaseSets
// always, then the groups.
template <class Take, class F>
void ForEachRun(Take take, F f) {
    int first = 0, last = kBaseSetCount - 1;
    for (int g = GroupIndex(GroupId::Z1237); g < kGroupCount; ++g) {
        const ChanceGroup& group = kChanceGroups[g];
        if (!take(g)) continue;
        if (group.firstSlot == last + 1) {
            last = group.lastSlot;
            continue;
        }
        f(first, last);
        first = group.firstSlot;
        last = group.lastSlot;
    }
    f(first, last);
}

}  // namespace

void CountSpin(unsigned number, const AppliedSettings& settings, AbsenceArray& absence, CountArray& hits,
               CountingSync& sync) {
    std::array<bool, kGroupCount> deriveAbsence{}, deriveHits{};
    for (int g = GroupIndex(GroupId::Z1237); g < kGroupCount; ++g) {
        const GroupId id = kChanceGroups[g].id;
        deriveAbsence[g] = DerivesAbsence(settings, id);
        deriveHits[g] = DerivesHits(settings, id);
    }
    const std::uint8_t* const row = Tables().multiplicity[number <= 36 ? number : 37].data();
    ForEachRun(
        [&](int g) { return deriveAbsence[g] && sync.absence[g]; },
        [&](int first, int last) { MoveAbsences(row + first, absence.data() + first, last - first + 1); });
    ForEachRun([&](int g) { return deriveHits[g] && sync.hits[g]; },
               [&](int first, int last) { MoveHits(row + first, hits.data() + first, last - first + 1); });
    // The rest from their components, which the moves above have brought up to date.
    DeriveComposites(
        [&](GroupId id) { return deriveAbsence[GroupIndex(id)] && !sync.absence[GroupIndex(id)]; },
        [&](GroupId id) { return deriveHits[GroupIndex(id)] && !sync.hits[GroupIndex(id)]; }, &absence,
        &hits);
    sync.absence = deriveAbsence;
    sync.hits = deriveHits;
}

namespace {

constexpr std::int32_t kUseFormula = std::numeric_limits<std::int32_t>::min();

// The fast rates of a range of slots; kUseFormula where the extended formula must decide. Returns whether
// there is any such slot. Numerator, denominator and every product are integers below 2^53, so the doubles
// are exact apart from the reciprocal guess. Built for AVX2 too where the processor has it.
ZENTORA_VECTOR_CLONES
bool FastHitRates(const std::int32_t* hits, std::int32_t* rates, int count, std::int32_t spinsCounted) {
    const double spins = spinsCounted;
    const double d = 2.0 * spins;
    const double reciprocal = 1.0 / d;
    for (int i = 0; i < count; ++i) {
        const double h = hits[i];
        const double numerator = 200000.0 * h + spins;
        const double guess = static_cast<double>(static_cast<std::int32_t>(numerator * reciprocal));
        const double rest = numerator - guess * d;
        const double up = rest >= d ? 1.0 : 0.0;
        const double down = rest < 0.0 ? 1.0 : 0.0;
        const bool formula = (rest - up * d + down * d == 0.0) | (h < 0.0) | (h > d);
        rates[i] = static_cast<std::int32_t>(formula ? -2147483648.0 : guess + up - down);
    }
    int any = 0;
    for (int i = 0; i < count; ++i) any |= rates[i] == kUseFormula;
    return any != 0;
}

// The same for fewer than 2^29 spins in 32-bit lanes: a single-precision guess is within one of the quotient,
// and the remainder, below 2^31 in magnitude, is exact in wrapping 32-bit arithmetic.
constexpr std::int32_t kNarrowSpinsLimit = 1 << 29;

ZENTORA_VECTOR_CLONES
bool FastHitRatesNarrow(const std::int32_t* hits, std::int32_t* rates, int count, std::int32_t spinsCounted) {
    const std::uint32_t s = static_cast<std::uint32_t>(spinsCounted);
    const std::uint32_t d = 2 * s;
    const std::int32_t dSigned = static_cast<std::int32_t>(d);
    const float scale = static_cast<float>(100000.0 / spinsCounted);
    for (int i = 0; i < count; ++i) {
        const std::int32_t h = hits[i];
        // A count outside 0..2s goes to the formula; clamped here, its guess still fits the lanes.
        const std::int32_t guess =
            static_cast<std::int32_t>(static_cast<float>(std::clamp(h, 0, dSigned)) * scale + 0.5f);
        const std::uint32_t numerator = 200000u * static_cast<std::uint32_t>(h) + s;
        const std::int32_t rest =
            static_cast<std::int32_t>(numerator - static_cast<std::uint32_t>(guess) * d);
        const std::int32_t up = rest >= dSigned ? 1 : 0;
        const std::int32_t down = rest < 0 ? 1 : 0;
        const std::int32_t corrected = rest - up * dSigned + down * dSigned;
        const bool formula = (corrected == 0) | (h < 0) | (h > dSigned);
        rates[i] = formula ? kUseFormula : guess + up - down;
    }
    int any = 0;
    for (int i = 0; i < count; ++i) any |= rates[i] == kUseFormula;
    return any != 0;
}

}  // namespace

std::int32_t HitRateOf(std::int32_t hits, std::int32_t spinsCounted) {
    if (hits >= 0 && spinsCounted >= 1 && hits <= std::int64_t{2} * spinsCounted)
        return ExtendedHitRate32(hits, spinsCounted);
    const long double rate =
        static_cast<long double>(hits) / static_cast<long double>(spinsCounted) * 100000.0L + 0.5L;
    // Only counts far beyond any permanence leave the 32-bit range; they saturate.
    if (rate >= 2147483648.0L) return std::numeric_limits<std::int32_t>::max();
    if (rate <= -2147483649.0L) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rate);
}

void ComputeHitRates(const AppliedSettings& settings, const CountArray& hits, CountArray& rates,
                     std::int32_t spinsCounted) {
    if (spinsCounted < 1) return;
    // The rate is floor(q) with q = (200000 h + s) / (2 s), found exactly from a guess corrected by the
    // remainder. Where q is not an integer its distance to the next integer, at least 1 / (2 s), exceeds the
    // rounding error of the extended-precision formula, so that formula gives floor(q) too. Where q is an
    // integer (a rate of exactly half a unit), and for counts outside 0..2s (no permanence has them), the
    // formula itself is evaluated.
    const RateRunList runs = RateRuns(settings);
    bool anyExact = false;
    const auto fast = spinsCounted < kNarrowSpinsLimit ? FastHitRatesNarrow : FastHitRates;
    for (const auto& [first, last] : runs)
        anyExact |= fast(hits.data() + first, rates.data() + first, last - first + 1, spinsCounted);
    if (!anyExact) return;
    for (const auto& [first, last] : runs)
        for (int slot = first; slot <= last; ++slot)
            if (rates[slot] == kUseFormula) rates[slot] = HitRateOf(hits[slot], spinsCounted);
}

}  // namespace zentora
