#include "catalogue/counting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "catalogue/catalogue.h"

namespace zentora {

namespace {

// One composite group as a flat table: the component indices of its slots, back to back.
struct GroupTable {
    GroupId id;
    int firstSlot;
    int slotCount;
    int stride;  // components per slot when all slots have the same number, else 0
    std::vector<std::uint8_t> components;
    std::vector<std::uint16_t> begin;  // slotCount + 1 offsets into components
};

// The derive order of the composite groups.
constexpr std::array<GroupId, 22> kDeriveOrder{
    GroupId::Z12637, GroupId::Z837, GroupId::Z437,  GroupId::Z537,  GroupId::Z1237, GroupId::N337,
    GroupId::N537,   GroupId::N737, GroupId::N937,  GroupId::G1837, GroupId::G1237, GroupId::P437,
    GroupId::P337,   GroupId::S837, GroupId::S1237, GroupId::S737,  GroupId::S637,  GroupId::SS837,
    GroupId::SS637,  GroupId::S937, GroupId::S1737, GroupId::Z937,
};

struct CountingTables {
    // membership[x][i] is 1 when number x is in BaseSet i; row 37 stands for every value outside 0..36.
    std::array<std::array<std::uint8_t, kBaseSetCount>, 38> membership{};
    std::array<GroupTable, kDeriveOrder.size()> groups;
};

CountingTables BuildTables() {
    CountingTables t;
    const auto base = BaseSetTable();
    for (int x = 0; x <= 36; ++x)
        for (int i = 0; i < kBaseSetCount; ++i) t.membership[x][i] = base[i].Contains(x) ? 1 : 0;
    for (std::size_t g = 0; g < kDeriveOrder.size(); ++g) {
        const ChanceGroup& group = Group(kDeriveOrder[g]);
        GroupTable& table = t.groups[g];
        table.id = group.id;
        table.firstSlot = group.firstSlot;
        table.slotCount = group.SlotCount();
        table.begin.push_back(0);
        std::size_t stride = ComponentList(group.firstSlot).size();
        for (int s = group.firstSlot; s <= group.lastSlot; ++s) {
            const auto comps = ComponentList(s);
            if (comps.size() != stride) stride = 0;
            table.components.insert(table.components.end(), comps.begin(), comps.end());
            table.begin.push_back(static_cast<std::uint16_t>(table.components.size()));
        }
        table.stride = static_cast<int>(stride);
    }
    return t;
}

const CountingTables& Tables() {
    static const CountingTables tables = BuildTables();
    return tables;
}

template <int K, class T, class Op>
void DeriveFixed(const GroupTable& g, std::array<T, kSlotArraySize>& values, Op op) {
    const std::uint8_t* c = g.components.data();
    T* out = values.data() + g.firstSlot;
    for (int s = 0; s < g.slotCount; ++s, c += K) {
        T v = values[c[0]];
        for (int j = 1; j < K; ++j) v = op(v, values[c[j]]);
        out[s] = v;
    }
}

template <class T, class Op>
void Derive(const GroupTable& g, std::array<T, kSlotArraySize>& values, Op op) {
    switch (g.stride) {
        case 2:
            return DeriveFixed<2>(g, values, op);
        case 3:
            return DeriveFixed<3>(g, values, op);
        case 4:
            return DeriveFixed<4>(g, values, op);
        case 5:
            return DeriveFixed<5>(g, values, op);
        case 7:
            return DeriveFixed<7>(g, values, op);
        case 9:
            return DeriveFixed<9>(g, values, op);
        default:
            break;
    }
    for (int s = 0; s < g.slotCount; ++s) {
        T v = values[g.components[g.begin[s]]];
        for (int j = g.begin[s] + 1; j < g.begin[s + 1]; ++j) v = op(v, values[g.components[j]]);
        values[g.firstSlot + s] = v;
    }
}

bool RatesAlways(GroupId id) {
    return id == GroupId::G137 || id == GroupId::G1837 || id == GroupId::G1237;
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
    for (const GroupTable& g : Tables().groups)
        if (settings.AbsenceRuleActive(g.id) || settings.RateRuleActive(g.id))
            Derive(g, absence, [](std::int16_t a, std::int16_t b) { return std::min(a, b); });
}

void DeriveCompositeHits(const AppliedSettings& settings, CountArray& hits) {
    for (const GroupTable& g : Tables().groups)
        if (g.id == GroupId::G1837 || g.id == GroupId::G1237 || settings.RateRuleActive(g.id))
            Derive(g, hits, [](std::int32_t a, std::int32_t b) { return a + b; });
}

void CountSpin(unsigned number, const AppliedSettings& settings, AbsenceArray& absence, CountArray& hits) {
    BaseUpdate(number, absence, hits);
    DeriveCompositeAbsences(settings, absence);
    DeriveCompositeHits(settings, hits);
}

std::int32_t HitRateOf(std::int32_t hits, std::int32_t spinsCounted) {
    const long double rate =
        static_cast<long double>(hits) / static_cast<long double>(spinsCounted) * 100000.0L + 0.5L;
    return static_cast<std::int32_t>(rate);
}

void ComputeHitRates(const AppliedSettings& settings, const CountArray& hits, CountArray& rates,
                     std::int32_t spinsCounted) {
    if (spinsCounted < 1) return;
    // The rate is floor(q) with q = (200000 h + s) / (2 s), computed exactly in double (numerator and
    // denominator are integers below 2^53). Where q is not an integer its distance to the next integer,
    // at least 1 / (2 s), exceeds the rounding error of the double and of the extended-precision formula
    // alike, so both give floor(q). Where q is an integer (hits / spins a half-integer per cent-mille) the
    // extended formula may land either side, so it is evaluated as such.
    const double s = spinsCounted;
    const double d = 2.0 * s;
    for (const ChanceGroup& g : kChanceGroups) {
        if (!RatesAlways(g.id) && !settings.RateRuleActive(g.id)) continue;
        for (int slot = g.firstSlot; slot <= g.lastSlot; ++slot) {
            const std::int32_t h = hits[slot];
            const double q = (200000.0 * h + s) / d;
            const double f = std::floor(q);
            rates[slot] = (q != f && h >= 0) ? static_cast<std::int32_t>(f) : HitRateOf(h, spinsCounted);
        }
    }
}

}  // namespace zentora
