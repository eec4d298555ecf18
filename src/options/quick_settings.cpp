// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/quick_settings.h"

#include <algorithm>
#include <limits>

#include "engine/counting.h"
#include "options/group_controls.h"

namespace zentora {

namespace {

// The slots a quick setting looks at: the group's range, without "Orphelins à cheval" for S837.
int LastSlot(const ChanceGroup& g) {
    return g.id == GroupId::S837 ? kOrphelinPleinSlot : g.lastSlot;
}

}  // namespace

void AdaptMinimumRates(OptionsModel& model, AppliedSettings& applied,
                       std::span<const std::uint8_t> newestFirst) {
    constexpr std::int32_t kNone = std::numeric_limits<std::int32_t>::max();
    struct Window {
        std::int64_t from, to;  // rows (0-based spins), both included
        std::int32_t minimum = kNone;
    };
    std::array<std::array<Window, kRateWindowCount>, kGroupCount> windows{};
    for (const ChanceGroup& g : kChanceGroups) {
        const GroupFields& f = model.Fields(g.id);
        for (int n = 0; n < kRateWindowCount; ++n) {
            Window& w = windows[GroupIndex(g.id)][n];
            w.from = n == 0 ? model.Value(f.rateStart) : model.Value(f.bisRunde[n - 1]);
            w.to = model.Value(f.bisRunde[n]);
        }
    }

    // Running minima per window instead of a row of 1785 rates per spin.
    AbsenceArray absence{};
    CountArray hits{}, rates{};
    const std::int64_t length = static_cast<std::int64_t>(newestFirst.size());
    for (std::int64_t row = 0; row < length; ++row) {
        const unsigned number = newestFirst[static_cast<std::size_t>(length - 1 - row)];
        CountSpin(number, applied, absence, hits);
        ComputeHitRates(applied, hits, rates,
                        static_cast<std::int32_t>(std::min<std::int64_t>(row + 1, INT32_MAX)));
        for (const ChanceGroup& g : kChanceGroups) {
            auto& ws = windows[GroupIndex(g.id)];
            if (std::none_of(ws.begin(), ws.end(),
                             [&](const Window& w) { return w.from <= row && row <= w.to; }))
                continue;
            const std::int32_t rowMinimum =
                *std::min_element(rates.begin() + g.firstSlot, rates.begin() + LastSlot(g) + 1);
            for (Window& w : ws)
                if (w.from <= row && row <= w.to) w.minimum = std::min(w.minimum, rowMinimum);
        }
    }

    for (GroupId id : kRateBlockOrder) {
        const GroupFields& f = model.Fields(id);
        for (int n = 0; n < kRateWindowCount; ++n) {
            const Window& w = windows[GroupIndex(id)][n];
            if (w.minimum != kNone && w.minimum < model.Value(f.von[n])) model.Set(f.von[n], w.minimum);
        }
    }
    applied = ApplySettings(model);
}

void AdaptMaximumAbsences(OptionsModel& model, AppliedSettings& applied,
                          std::span<const std::uint8_t> newestFirst) {
    std::array<std::int32_t, kGroupCount> maximum{};
    maximum.fill(-1);
    AbsenceArray absence{};
    CountArray hits{};
    for (std::size_t i = newestFirst.size(); i-- > 0;) {
        CountSpin(newestFirst[i], applied, absence, hits);
        for (const ChanceGroup& g : kChanceGroups) {
            const std::int32_t m =
                *std::max_element(absence.begin() + g.firstSlot, absence.begin() + LastSlot(g) + 1);
            maximum[GroupIndex(g.id)] = std::max(maximum[GroupIndex(g.id)], m);
        }
    }
    for (GroupId id : kRateBlockOrder) {
        const FieldId abRunde = model.Fields(id).abRunde;
        const std::int32_t m = maximum[GroupIndex(id)];
        if (m >= 0 && model.Value(abRunde) < m) model.Set(abRunde, m);
    }
    applied = ApplySettings(model);
}

}  // namespace zentora
