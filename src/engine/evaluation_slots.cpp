// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/evaluation_slots.h"

#include "catalogue/catalogue.h"

namespace zentora {

EvaluationSlotList BuildEvaluationSlotList(const AppliedSettings& settings, bool orphelinPlein) {
    EvaluationSlotList list;
    for (const ChanceGroup& g : kChanceGroups) {
        if (!settings.AbsenceRuleActive(g.id) && !settings.RateRuleActive(g.id)) continue;
        for (int s = g.firstSlot; s <= g.lastSlot; ++s) {
            if (s == kOrphelinPleinSlot && !orphelinPlein) continue;
            if (s == kOrphelinChevalSlot && orphelinPlein) continue;
            list.slots.push_back(s);
            list.sets.push_back(NumberSetOfSlot(s));
        }
    }
    return list;
}

}  // namespace zentora
