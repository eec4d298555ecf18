// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The money evaluation in its defining form: every entry, rate, stake and position on every spin. The fast
// run must give exactly the same results; the benchmark measures this form for comparison.

#include <vector>

#include "catalogue/catalogue.h"
#include "engine/counting.h"
#include "engine/evaluation_slots.h"
#include "engine/placement.h"
#include "engine/signal_detection.h"
#include "engine/stakes.h"
#include "evaluation/money_evaluation.h"
#include "evaluation/settlement.h"

namespace zentora::testing {

inline EvaluationResult StraightforwardEvaluation(std::span<const std::uint8_t> permanence,
                                                  const AppliedSettings& settings, const LiveSettings& live) {
    EvaluationResult result;
    const EvaluationSlotList list = BuildEvaluationSlotList(settings, live.OrphelinPlein());
    const int n = static_cast<int>(list.slots.size());
    std::vector<std::int64_t> absence(n), hits(n), rate(n), absenceCount(n), rateCount(n), step(n, -1);
    std::vector<GroupId> group(n);
    for (int j = 0; j < n; ++j) group[j] = GroupOfSlot(list.slots[j]);
    const bool oneChance = settings.Flag(kOneChanceBox), halve = settings.Flag(kHalveOnZeroBox),
               shift = settings.Flag(kShiftOthersBox);
    int selected = -1;
    StakeArray slotStake{};
    PositionArray placed{}, current{};
    std::int64_t balance = 0;
    MarkerRule markers(live.SpinSummeMerk());
    const auto length = static_cast<std::int64_t>(permanence.size());

    for (std::int64_t k = 1; k <= length; ++k) {
        const unsigned x = permanence[length - k];
        const int selectedBefore = selected;
        for (int j = 0; j < n; ++j) {
            if (list.sets[j].Contains(x)) {
                absence[j] = 0;
                ++hits[j];
            } else {
                ++absence[j];
            }
            const GroupSettings& gs = settings.Of(group[j]);
            const bool holds = settings.AbsenceRuleActive(group[j]) && gs.absenceLow <= absence[j] &&
                               absence[j] <= gs.absenceHigh;
            absenceCount[j] = holds ? absenceCount[j] + 1 : 0;
            rate[j] = HitRateOf(static_cast<std::int32_t>(hits[j]), static_cast<std::int32_t>(k));
            const bool active = settings.RateRuleActive(group[j]);
            const RateRuleBounds b =
                RateRuleBoundsOf(gs, active, active ? live.RateStart(group[j]) : 0,
                                 static_cast<std::int32_t>(k), LastWindowLimit::OwnValue);
            rateCount[j] = b.applies && b.lower <= rate[j] && rate[j] <= b.upper ? rateCount[j] + 1 : 0;
        }
        auto ruled = [&](int e) { return absenceCount[e] > 0 || rateCount[e] > 0; };
        if (oneChance) {
            bool searching = true;
            auto cont = [&](int e) {
                if (e == selected && absence[e] > 0) {
                    searching = false;
                    if (++step[e] >= settings.Of(group[e]).absenceSpan) {
                        step[e] = -1;
                        selected = -1;
                        searching = true;
                    }
                } else if (ruled(e)) {
                    searching = false;
                    std::fill(step.begin(), step.end(), -1);
                    selected = e;
                    if (shift)
                        step[e] = 0;
                    else if (rateCount[e] > 0)
                        step[e] = absenceCount[e] - 1;
                } else {
                    selected = -1;
                    searching = true;
                    step[e] = -1;
                }
            };
            if (selected >= 0) cont(selected);
            if (searching) {
                int pick = -1;
                std::int64_t best = 0;
                for (int j = n - 1; j >= 0; --j) {
                    if (!ruled(j)) continue;
                    const std::int64_t w = hits[j] * Group(group[j]).chanceWeight;
                    if (pick < 0 || w < best) pick = j, best = w;
                }
                if (pick >= 0) cont(pick);
            }
        } else {
            for (int j = 0; j < n; ++j) {
                if (!ruled(j))
                    step[j] = -1;
                else if (absence[j] != 0)
                    ++step[j];
                else
                    step[j] = 0;
            }
        }
        for (int j = 0; j < n; ++j)
            slotStake[list.slots[j]] =
                StakeAtStep(group[j], static_cast<int>(step[j]), settings, live.Es637sTechnique());
        PlaceSlotStakes(slotStake, placed);
        const std::int64_t returned = SettleSpin(current, x, halve);
        ApplyTableLimits(placed, settings, current);
        const std::int64_t change = returned - TableSum(current);
        result.totalStaked += TableSum(current);
        result.totalReturned += returned;
        balance += change;
        result.balance.push_back(balance);
        auto slotOf = [&](int e) { return e < 0 ? std::optional<std::int32_t>{} : list.slots[e]; };
        if (markers.Step(change))
            result.markers.push_back({k, balance, slotOf(markers.Wins() ? selectedBefore : selected)});
    }
    return result;
}

}  // namespace zentora::testing
