// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/window_rules.h"

#include <cmath>
#include <cstdint>

#include "options/group_controls.h"

namespace zentora {

namespace {

void UpdateAbsenceSwitch(OptionsModel& model, const GroupFields& f) {
    const bool absence = model.Value(f.absenceSwitch) != 0;
    const bool rate = model.Value(f.rateSwitch) != 0;
    model.SetEnabled(f.abRunde, absence);
    const bool row = absence || rate;
    model.SetEnabled(f.soOft, row);
    model.SetEnabled(f.technique, row);
    model.SetEnabled(f.stake, row);
}

void UpdateRateSwitch(OptionsModel& model, const GroupFields& f) {
    const bool rate = model.Value(f.rateSwitch) != 0;
    model.SetEnabled(f.rateStart, rate);
    for (int n = 0; n < kRateWindowCount; ++n) {
        model.SetEnabled(f.bisRunde[n], rate);
        model.SetEnabled(f.von[n], rate);
        model.SetEnabled(f.bis[n], false);  // changed only by the rules, the chart and loading
    }
    UpdateAbsenceSwitch(model, f);  // the partner's click handler settles the row
}

void UpdateOrphelinChoice(OptionsModel& model) {
    const bool enabled = model.Checked(24) || model.Checked(62);
    model.SetEnabled(model.OrphelinPleinChoice(), enabled);
    model.SetEnabled(model.OrphelinChevalChoice(), enabled);
}

std::int64_t V(const OptionsModel& model, FieldId id) {
    return model.Value(id);
}

std::int64_t Rounded(double v) {
    const double r = std::nearbyint(v);
    if (!(r == r)) return 0;
    if (r <= -9.2e18) return INT64_MIN;
    if (r >= 9.2e18) return INT64_MAX;
    return static_cast<std::int64_t>(r);
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

void UpdateGroupControls(OptionsModel& model, int first, int last) {
    if (first <= 2 && 2 <= last) model.SetRateBlocksShown(model.Value(model.RateBlocksToggle()) != 0);
    for (int tag = first; tag <= last; ++tag) {
        const ChanceGroup* g = GroupOfSwitch(tag);
        if (!g) continue;
        const GroupFields& f = model.Fields(g->id);
        if (tag == g->absenceCheckBox)
            UpdateAbsenceSwitch(model, f);
        else
            UpdateRateSwitch(model, f);
    }
    UpdateOrphelinChoice(model);
}

void UpdateSplitControls(OptionsModel& model) {
    const bool split = model.Checked(kSplitOnTableBox);
    for (int k : {30, 31, 34}) model.SetEnabled(model.CheckBox(k), split);
    model.SetEnabled(model.CheckBox(kShiftOthersBox), model.Checked(kOneChanceBox));
}

void InitialRulePass(OptionsModel& model) {
    UpdateGroupControls(model, 2, 29);
    UpdateGroupControls(model, 39, 65);
    UpdateSplitControls(model);
}

void CreationRules(OptionsModel& model) {
    InitialRulePass(model);
    UpdateChanceMarkers(model);
}

void ToggleRateBlocks(OptionsModel& model) {
    model.Set(model.RateBlocksToggle(), model.Value(model.RateBlocksToggle()) == 0 ? 1 : 0);
    UpdateGroupControls(model, 2, 2);
}

void ApplyStakeMinimum(OptionsModel& model) {
    const std::int32_t minimum = model.Value(model.Minimum1());
    for (const ChanceGroup& g : kChanceGroups)
        if (g.id != GroupId::G1837) model.SetLower(model.Fields(g.id).stake, minimum);
}

void ApplyEvenChanceMinimum(OptionsModel& model) {
    model.SetLower(model.Fields(GroupId::G1837).stake, model.Value(model.Minimum2()));
}

void RunChangeRules(OptionsModel& model, FieldId id) {
    const OptionField& f = model.Field(id);
    if (f.role == FieldRole::AbsenceSwitch || f.role == FieldRole::RateSwitch) {
        UpdateGroupControls(model, f.tag, f.tag);
    } else if (id == model.CheckBox(kOneChanceBox) || id == model.CheckBox(kSplitOnTableBox)) {
        UpdateSplitControls(model);
    } else if (id == model.Minimum1()) {
        ApplyStakeMinimum(model);
    } else if (id == model.Minimum2()) {
        ApplyEvenChanceMinimum(model);
    } else if (id == model.SpinSummeMerkField()) {
        UpdateChanceMarkers(model);
    }
}

void UpdateChanceMarkers(OptionsModel& model) {
    const bool marking = model.SpinSummeMerk() != 0;
    model.SetEnabled(model.CheckBox(66), marking);
    model.Set(model.CheckBox(66), marking ? 1 : 0);
}

void LeaveField(OptionsModel& model, FieldId id) {
    const OptionField& f = model.Field(id);
    switch (f.role) {
        case FieldRole::BisRunde:
            LeaveRateUntil(model, f.group, f.window);
            break;
        case FieldRole::RateStart:
            LeaveRateStart(model, f.group);
            break;
        case FieldRole::Von:
            LeaveRatePercent(model, f.group, f.window, true);
            break;
        case FieldRole::Bis:
            LeaveRatePercent(model, f.group, f.window, false);
            break;
        case FieldRole::SoOft:
            LeaveTimesPlayed(model, f.group);
            break;
        default:
            break;
    }
    model.ClampField(id);
}

void LeaveRateUntil(OptionsModel& model, GroupId group, int window) {
    const GroupFields& f = model.Fields(group);
    const auto bis = [&](int i) { return V(model, f.bisRunde[i - 1]); };
    for (int i = window; i <= kRateWindowCount - 1; ++i)
        if (bis(i) >= bis(i + 1)) model.Set(f.bisRunde[i], bis(i) + 1);
    for (int i = window; i >= 2; --i)
        if (bis(i - 1) >= bis(i)) model.Set(f.bisRunde[i - 2], bis(i) - 1);
    if (V(model, f.rateStart) > bis(1)) model.Set(f.rateStart, bis(1) - 1);
}

void LeaveRateStart(OptionsModel& model, GroupId group) {
    const GroupFields& f = model.Fields(group);
    const auto bis = [&](int i) { return V(model, f.bisRunde[i - 1]); };
    if (V(model, f.rateStart) >= bis(1)) model.Set(f.bisRunde[0], V(model, f.rateStart) + 50);
    for (int i = 1; i <= kRateWindowCount - 1; ++i)
        if (bis(i) >= bis(i + 1)) model.Set(f.bisRunde[i], bis(i) + 50);
}

void LeaveRatePercent(OptionsModel& model, GroupId group, int window, bool vonField) {
    const GroupFields& f = model.Fields(group);
    const FieldId von = f.von[window - 1], bis = f.bis[window - 1];
    if (V(model, von) < V(model, bis)) return;
    if (vonField)
        model.Set(bis, V(model, von) + 1000);
    else
        model.Set(von, V(model, bis) - 1000);
}

void LeaveTimesPlayed(OptionsModel& model, GroupId group) {
    const GroupFields& f = model.Fields(group);
    const std::int64_t h = V(model, f.soOft);
    model.SetLower(f.rateStart, static_cast<std::int32_t>(h + 2));
    if (V(model, f.rateStart) < h) model.Set(f.rateStart, h + 2);
}

bool IsDigitKey(char32_t key) {
    return (key >= U'0' && key <= U'9') || key == 8;
}

bool UsesStartKeyFilter(const OptionsModel& model, FieldId id) {
    const OptionField& f = model.Field(id);
    return f.role == FieldRole::RateStart && Controls(f.group).firstRow;
}

bool UsesDigitFilter(const OptionsModel& model, FieldId id) {
    const OptionField& f = model.Field(id);
    switch (f.role) {
        case FieldRole::AbRunde:
            return f.group != GroupId::Z537;  // Chance537blau has no filter
        case FieldRole::SoOft:
        case FieldRole::Stake:
        case FieldRole::BisRunde:
            return true;
        case FieldRole::RateStart:
            return !UsesStartKeyFilter(model, id);
        default:
            return false;
    }
}

int FilterRateStartKey(int keyCode) {
    return keyCode == 48 ? 48 : 49;
}

void AdaptInitialStakes(OptionsModel& model) {
    for (const ChanceGroup& g : kChanceGroups)
        model.Set(model.Fields(g.id).stake,
                  model.Value(g.id == GroupId::G1837 ? model.Minimum2() : model.Minimum1()));
}

bool TakeOverChartValue(OptionsModel& model, const ChartLine& clicked, const ChartLine& first) {
    const double d = std::nearbyint(clicked.x1);
    const double c = std::nearbyint(clicked.x2);
    if (d > c) return false;
    const std::string& id = first.identifier;
    if (!EndsWith(id, "7")) {
        const FieldId field = model.Find(id);
        if (field != kNoField) model.Set(field, Rounded(first.y1));
        return true;
    }
    const std::string n = std::to_string(clicked.tag + 1);
    const FieldId bis = model.Find("B" + id + n);
    const FieldId von = model.Find("V" + id + n);
    if (bis == kNoField || von == kNoField) return true;
    const double y = clicked.y1;
    const double e = std::trunc(y / 100.0 * d + 0.5);
    const double span = d - first.tag;
    // With d on the first line's tag the share is undefined: "bis" keeps its value.
    if (span != 0) model.SetPercent(bis, (e == 0 && first.tag > 0 ? 0.1 : e) / span * 100.0);
    model.SetPercent(von, y);
    return true;
}

std::string OrderErrorMessage(std::string_view errorFrom, std::string_view to, std::string_view mustRise,
                              std::string_view fromField, std::string_view toField) {
    std::string text;
    text.append(errorFrom).append(" ").append(fromField).append(" ").append(to).append(" ").append(toField);
    text.append(", ").append(mustRise);
    return text;
}

}  // namespace zentora
