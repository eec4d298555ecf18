// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The evaluation tests start from settings where nothing plays, and switch on only what a test is about.

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora::test {

// Every group off, maxima high, flat stakes of 1.
inline AppliedSettings Quiet() {
    AppliedSettings s;
    for (GroupSettings& g : s.groups) {
        g.initialStake = 1;
        g.absenceSpan = 1;
        g.rateUntil.fill(1000000);
    }
    s.maximum1 = s.maximum2 = s.maximum3 = s.maximum4 = s.maximum6 = s.maximum12 = s.maximum18 = 1000;
    return s;
}

// The absence rule of a group on, for absences from `from` down over `span` spins.
inline void AbsenceRule(AppliedSettings& s, GroupId id, int from, int span) {
    GroupSettings& g = s.Of(id);
    g.absenceHigh = from;
    g.absenceSpan = span;
    g.absenceLow = from - span + 1;
    s.optionFlags[Group(id).absenceCheckBox - 1] = 1;
}

}  // namespace zentora::test
