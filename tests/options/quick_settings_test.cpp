// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/quick_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/counting.h"

namespace zentora {
namespace {

// Newest first, from spins given oldest first.
std::vector<std::uint8_t> NewestFirst(std::vector<std::uint8_t> oldestFirst) {
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    return oldestFirst;
}

std::vector<std::uint8_t> RandomSpins(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> spins(count);
    for (auto& s : spins) s = static_cast<std::uint8_t>(random() % 37);
    return spins;
}

void SetAllSwitches(OptionsModel& m, bool on) {
    for (const ChanceGroup& g : kChanceGroups) {
        m.Set(m.CheckBox(g.absenceCheckBox), on);
        m.Set(m.CheckBox(g.rateCheckBox), on);
    }
}

// The rule taken literally: a row of 1785 rates per spin, then the minimum over each window's rows.
void LiteralMinimumRates(OptionsModel& m, const AppliedSettings& applied,
                         const std::vector<std::uint8_t>& newest) {
    std::vector<CountArray> history;
    AbsenceArray absence{};
    CountArray hits{}, rates{};
    for (std::size_t i = newest.size(); i-- > 0;) {
        CountSpin(newest[i], applied, absence, hits);
        ComputeHitRates(applied, hits, rates, static_cast<std::int32_t>(history.size() + 1));
        history.push_back(rates);
    }
    const long rows = static_cast<long>(history.size());
    for (const ChanceGroup& g : kChanceGroups) {
        const GroupFields& f = m.Fields(g.id);
        const int last = g.id == GroupId::S837 ? 1435 : g.lastSlot;
        for (int n = 0; n < kRateWindowCount; ++n) {
            const long from = n == 0 ? m.Value(f.rateStart) : m.Value(f.bisRunde[n - 1]);
            const long to = m.Value(f.bisRunde[n]);
            std::int32_t lowest = INT32_MAX;
            for (long r = from; r <= to && r < rows; ++r)
                for (int s = g.firstSlot; s <= last; ++s) lowest = std::min(lowest, history[r][s]);
            if (lowest != INT32_MAX && lowest < m.Value(f.von[n])) m.Set(f.von[n], lowest);
        }
    }
}

TEST(AdaptMinimumRates, GivesTheLiteralResultWithoutAHistory) {
    const auto newest = NewestFirst(RandomSpins(400, 7));
    for (bool on : {true, false}) {
        OptionsModel m;
        SetAllSwitches(m, on);
        for (const ChanceGroup& g : kChanceGroups) {
            const GroupFields& f = m.Fields(g.id);
            m.Set(f.rateStart, 5 + GroupIndex(g.id));
            for (int n = 0; n < kRateWindowCount; ++n) m.Set(f.bisRunde[n], 20 + 31 * n + GroupIndex(g.id));
        }
        m.Set("BisRunde13711", 500);  // window 12 of group 137 starts after the last spin
        m.Set("BisRunde13712", 600);
        m.Set("V18373", 1000);  // already below the minimum: never raised
        AppliedSettings applied = ApplySettings(m);
        OptionsModel expected = m;
        LiteralMinimumRates(expected, applied, newest);
        AdaptMinimumRates(m, applied, newest);
        for (FieldId id = 0; id < m.FieldCount(); ++id)
            EXPECT_EQ(m.Value(id), expected.Value(id)) << m.Field(id).name;
        EXPECT_EQ(m.Value("V18373"), 1000);
        EXPECT_EQ(applied.Of(GroupId::G1837).rateFromMilli[0], m.Value("V18371"));  // applied afterwards
        EXPECT_GT(m.Value("V18371"), 0);                                            // always computed
        EXPECT_LT(m.Value("V18371"), 49000);
        // Windows beyond the 400 spins keep their value.
        EXPECT_EQ(m.Value("V13712"), 49000);
        if (!on) {
            EXPECT_EQ(m.Value("V6371"), 0);  // rate rule off: its rows hold 0
            EXPECT_EQ(m.Value("VS8374"), 0);
        }
    }
}

TEST(AdaptMinimumRates, AnEmptyPermanenceChangesNothing) {
    OptionsModel m;
    SetAllSwitches(m, true);
    AppliedSettings applied = ApplySettings(m);
    const OptionsModel before = m;
    AdaptMinimumRates(m, applied, {});
    for (FieldId id = 0; id < m.FieldCount(); ++id) EXPECT_EQ(m.Value(id), before.Value(id));
}

TEST(AdaptMaximumAbsences, RaisesAbRundeToTheLongestAbsence) {
    // Every number but 5 in turn for 120 spins: plein 5 stays away 120 spins, the others at most 36.
    std::vector<std::uint8_t> spins;
    for (int i = 0; spins.size() < 120; ++i)
        if (i % 37 != 5) spins.push_back(static_cast<std::uint8_t>(i % 37));
    OptionsModel m;
    m.Set("CheckBox9", 1);  // group 1837 counts its composite absences
    m.Set("Chance1837blau", 500);
    AppliedSettings applied = ApplySettings(m);
    AdaptMaximumAbsences(m, applied, NewestFirst(spins));
    EXPECT_EQ(m.Value("Chance137blau"), 120);
    EXPECT_EQ(applied.Of(GroupId::G137).absenceHigh, 120);
    EXPECT_EQ(m.Value("Chance1837blau"), 500);  // never lowered
    EXPECT_EQ(m.Value("Chance837blau"), 3);     // both switches off: composite absences stay 0

    // A longest absence above 999 sets 999.
    std::vector<std::uint8_t> allZero(1200, 0);
    OptionsModel n;
    AppliedSettings a2 = ApplySettings(n);
    AdaptMaximumAbsences(n, a2, allZero);
    EXPECT_EQ(n.Value("Chance137blau"), 999);
}

}  // namespace
}  // namespace zentora
