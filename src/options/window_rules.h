// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "options/options_model.h"

namespace zentora {

// The rules by which the options window keeps its fields consistent. They never complain: out-of-order values
// are repaired silently, every assignment clamped.

// Enabled states of the fields governed by the group switches with CheckBox numbers first..last (3..29
// absence, 39..65 rate; others skipped). A range containing 2 also shows or hides the rate blocks after
// SpeedButton1.
void UpdateGroupControls(OptionsModel& model, int first, int last);

// CheckBox30, 31, 34 usable while CheckBox32 is on; CheckBox35 while CheckBox1 is on.
void UpdateSplitControls(OptionsModel& model);

// The pass that runs when the window is created, after loading and applying.
void InitialRulePass(OptionsModel& model);

// Everything the window runs at its creation after loading and applying: InitialRulePass and
// UpdateChanceMarkers. The program's start and `zentora-cli options` both run it, so that both hold the same
// settings (a SpinSummeMerk of 0 unticks CheckBox66 whatever the file says).
void CreationRules(OptionsModel& model);

// A click on SpeedButton1: toggles it and shows or hides the rate blocks.
void ToggleRateBlocks(OptionsModel& model);

// The change rules a field runs when its value changed (OptionsModel::Set calls this).
void RunChangeRules(OptionsModel& model, FieldId id);

// Leaving a field: its leave rule runs with the value as typed (OptionsModel::SetTyped), then the value is
// clamped into the field's range.
void LeaveField(OptionsModel& model, FieldId id);

// The leave rules by themselves.
void LeaveRateUntil(OptionsModel& model, GroupId group, int window);                   // window order rule
void LeaveRateStart(OptionsModel& model, GroupId group);                               // start rule
void LeaveRatePercent(OptionsModel& model, GroupId group, int window, bool vonField);  // percentage rule
void LeaveTimesPlayed(OptionsModel& model, GroupId group);                             // start minimum rule

// Key filters. IsDigitKey: true when the character may be typed (digits and backspace only).
bool IsDigitKey(char32_t key);
bool UsesDigitFilter(const OptionsModel& model, FieldId id);
// The five first-row RateStart fields replace every key code but "0" (48) by "1" (49).
int FilterRateStartKey(int keyCode);
bool UsesStartKeyFilter(const OptionsModel& model, FieldId id);

// Stake lower bounds: Minimum1 bounds every stake field but A1837, Minimum2 bounds A1837. Only the bounds
// change; a smaller stake is clamped when it is next left or assigned.
void ApplyStakeMinimum(OptionsModel& model);
void ApplyEvenChanceMinimum(OptionsModel& model);

// The marker threshold of the evaluation chart: "Chancen Anzeigen" (CheckBox66) is usable and ticked while
// SpinSummeMerk is not 0, disabled and unticked while it is 0.
void UpdateChanceMarkers(OptionsModel& model);

// Every stake field := Minimum1, A1837 := Minimum2. Nothing is applied.
void AdaptInitialStakes(OptionsModel& model);

// The data of a clicked value line of the statistics chart and of the chart's first line.
struct ChartLine {
    int tag = 0;
    std::string identifier;
    double x1 = 0, y1 = 0;  // first point
    double x2 = 0, y2 = 0;  // second point
};
// Takes a value over from the statistics chart. Returns false when nothing was taken over (d > c).
bool TakeOverChartValue(OptionsModel& model, const ChartLine& clicked, const ChartLine& first);

// The order error message; the texts are passed through the language table by the caller.
inline constexpr std::string_view kOrderErrorTexts[3] = {"Fehler von", "zu",
                                                         "der Folgewert muss immer höher sein!"};
std::string OrderErrorMessage(std::string_view errorFrom, std::string_view to, std::string_view mustRise,
                              std::string_view fromField, std::string_view toField);
inline std::string OrderErrorMessage(std::string_view from, std::string_view to) {
    return OrderErrorMessage(kOrderErrorTexts[0], kOrderErrorTexts[1], kOrderErrorTexts[2], from, to);
}

// The caption of SpeedButton1 (German; translated by the caller).
inline std::string_view RateBlockCaption(const OptionsModel& model) {
    return model.RateBlocksShown() ? "Prozenteinstellung" : "Permanenzeinstellung";
}

}  // namespace zentora
