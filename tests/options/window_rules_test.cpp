// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/window_rules.h"

#include <gtest/gtest.h>

namespace zentora {
namespace {

bool Enabled(const OptionsModel& m, FieldId id) {
    return m.Field(id).enabled;
}

TEST(SwitchRules, GroupSwitchesGovernTheirRowAndRateBlock) {
    struct Case {
        bool absence, rate;
        bool abRunde, row, block;
    };
    const Case cases[] = {
        {true, true, true, true, true},
        {true, false, true, true, false},
        {false, true, false, true, true},
        {false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.absence << c.rate);
        OptionsModel m;
        m.Set("CheckBox7", 1);  // group 637, from a known state
        m.Set("CheckBox41", 1);
        m.Set("CheckBox7", c.absence);
        m.Set("CheckBox41", c.rate);
        const GroupFields& f = m.Fields(GroupId::G637);
        EXPECT_EQ(Enabled(m, f.abRunde), c.abRunde);
        for (FieldId id : {f.soOft, f.technique, f.stake}) EXPECT_EQ(Enabled(m, id), c.row);
        EXPECT_EQ(Enabled(m, f.rateStart), c.block);
        for (int n = 0; n < kRateWindowCount; ++n) {
            EXPECT_EQ(Enabled(m, f.bisRunde[n]), c.block);
            EXPECT_EQ(Enabled(m, f.von[n]), c.block);
            EXPECT_FALSE(Enabled(m, f.bis[n]));
        }
        // Other groups are untouched.
        EXPECT_FALSE(Enabled(m, m.Fields(GroupId::G437).abRunde));
    }
}

TEST(SwitchRules, OrphelinChoiceFollowsGroupS837AndSplitBoxesFollowTheirSwitch) {
    OptionsModel m;
    EXPECT_FALSE(Enabled(m, m.OrphelinPleinChoice()));
    m.Set("CheckBox62", 1);
    EXPECT_TRUE(Enabled(m, m.OrphelinPleinChoice()));
    EXPECT_TRUE(Enabled(m, m.OrphelinChevalChoice()));
    m.Set("CheckBox24", 1);
    m.Set("CheckBox62", 0);
    EXPECT_TRUE(Enabled(m, m.OrphelinChevalChoice()));
    m.Set("CheckBox24", 0);
    EXPECT_FALSE(Enabled(m, m.OrphelinChevalChoice()));

    EXPECT_FALSE(Enabled(m, m.CheckBox(31)));
    m.Set("CheckBox31", 1);
    m.Set("CheckBox32", 1);
    for (int k : {30, 31, 34}) EXPECT_TRUE(Enabled(m, m.CheckBox(k)));
    EXPECT_FALSE(Enabled(m, m.CheckBox(35)));
    m.Set("CheckBox1", 1);
    EXPECT_TRUE(Enabled(m, m.CheckBox(35)));
    m.Set("CheckBox32", 0);
    EXPECT_FALSE(Enabled(m, m.CheckBox(31)));
    EXPECT_TRUE(m.Checked(31));
}

TEST(SwitchRules, SpeedButtonShowsTheRateBlocksOnClickOnly) {
    OptionsModel m;
    m.Set("SpeedButton1", 1);  // as loading does: the blocks stay as they were
    EXPECT_FALSE(m.RateBlocksShown());
    EXPECT_EQ(RateBlockCaption(m), "Permanenzeinstellung");
    ToggleRateBlocks(m);
    EXPECT_EQ(m.Value("SpeedButton1"), 0);
    EXPECT_FALSE(m.RateBlocksShown());
    ToggleRateBlocks(m);
    EXPECT_TRUE(m.RateBlocksShown());
    EXPECT_EQ(RateBlockCaption(m), "Prozenteinstellung");
}

// A group's RateStart and BisRunde 1..12 from a list.
void SetWindows(OptionsModel& m, GroupId g, int rateStart, std::initializer_list<int> bis) {
    const GroupFields& f = m.Fields(g);
    int n = 0;
    for (int b : bis) m.Set(f.bisRunde[n++], b);
    m.Set(f.rateStart, rateStart);
}

std::vector<int> Windows(const OptionsModel& m, GroupId g) {
    std::vector<int> out;
    for (FieldId id : m.Fields(g).bisRunde) out.push_back(m.Value(id));
    return out;
}

TEST(WindowOrderRule, PushesFollowingWindowsUpAndEarlierOnesDown) {
    OptionsModel m;
    SetWindows(m, GroupId::G137, 3, {5, 6, 7, 20, 21, 22, 23, 24, 25, 26, 27, 28});
    const GroupFields& f = m.Fields(GroupId::G137);
    m.SetTyped(f.bisRunde[0], 10);
    LeaveField(m, f.bisRunde[0]);
    EXPECT_EQ(Windows(m, GroupId::G137), (std::vector<int>{10, 11, 12, 20, 21, 22, 23, 24, 25, 26, 27, 28}));
    EXPECT_EQ(m.RateStart(GroupId::G137), 3);

    // Leaving window 5 at 8 pulls windows 4..1 below it and RateStart below window 1.
    SetWindows(m, GroupId::G237, 30, {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51});
    const GroupFields& g = m.Fields(GroupId::G237);
    m.SetTyped(g.bisRunde[4], 8);
    LeaveField(m, g.bisRunde[4]);
    EXPECT_EQ(Windows(m, GroupId::G237), (std::vector<int>{4, 5, 6, 7, 8, 45, 46, 47, 48, 49, 50, 51}));
    EXPECT_EQ(m.RateStart(GroupId::G237), 3);

    // Range bounds stop the repair: window 1 cannot go below 2.
    SetWindows(m, GroupId::G337, 1, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const GroupFields& h = m.Fields(GroupId::G337);
    m.SetTyped(h.bisRunde[1], 3);
    LeaveField(m, h.bisRunde[1]);
    EXPECT_EQ(Windows(m, GroupId::G337)[0], 2);
    EXPECT_EQ(Windows(m, GroupId::G337)[1], 3);
    EXPECT_EQ(m.RateStart(GroupId::G337), 1);
}

TEST(StartRule, PushesWindowsFiftyAboveTheirPredecessor) {
    OptionsModel m;
    SetWindows(m, GroupId::G137, 37, {30, 60, 100, 200, 210, 220, 230, 240, 250, 260, 270, 280});
    const GroupFields& f = m.Fields(GroupId::G137);
    m.SetTyped(f.rateStart, 40);
    LeaveField(m, f.rateStart);
    EXPECT_EQ(m.RateStart(GroupId::G137), 40);
    EXPECT_EQ(Windows(m, GroupId::G137),
              (std::vector<int>{90, 140, 190, 200, 210, 220, 230, 240, 250, 260, 270, 280}));
}

TEST(PercentageRule, KeepsVonBelowBis) {
    OptionsModel m;
    const GroupFields& f = m.Fields(GroupId::Z837);
    m.Set(f.von[2], 49000);
    m.Set(f.bis[2], 45000);
    LeaveField(m, f.von[2]);
    EXPECT_EQ(m.Value(f.bis[2]), 50000);

    m.Set(f.von[3], 20000);
    m.SetTyped(f.bis[3], 10500);
    LeaveField(m, f.bis[3]);
    EXPECT_EQ(m.Value(f.von[3]), 9500);

    m.Set(f.von[4], 0);
    m.SetTyped(f.bis[4], 0);  // typed below 0.1: the rule sees 0, von stays 0, bis is clamped
    LeaveField(m, f.bis[4]);
    EXPECT_EQ(m.Value(f.von[4]), 0);
    EXPECT_EQ(m.Value(f.bis[4]), 100);

    m.Set(f.von[5], 1000);
    m.Set(f.bis[5], 2000);
    LeaveField(m, f.von[5]);
    EXPECT_EQ(m.Value(f.bis[5]), 2000);
}

TEST(StartMinimumRule, RaisesTheRateStartBound) {
    OptionsModel m;
    const GroupFields& f = m.Fields(GroupId::G137);
    m.SetTyped(f.soOft, 40);
    LeaveField(m, f.soOft);
    EXPECT_EQ(m.RateStart(GroupId::G137), 42);
    EXPECT_EQ(m.Field(f.rateStart).lower, 42);

    // A RateStart of h or h + 1 keeps its value until its field is left.
    m.Set(f.rateStart, 50);
    m.Set(f.soOft, 50);
    LeaveField(m, f.soOft);
    EXPECT_EQ(m.RateStart(GroupId::G137), 50);
    EXPECT_EQ(m.Field(f.rateStart).lower, 52);
    m.Set(f.bisRunde[0], 100);
    LeaveField(m, f.rateStart);
    EXPECT_EQ(m.RateStart(GroupId::G137), 52);
}

TEST(StakeRules, MinimaBoundTheStakesAndAdaptSetsThem) {
    OptionsModel m;
    m.Set("Minimum1", 5);
    EXPECT_EQ(m.Field(m.Require("A137")).lower, 5);
    EXPECT_EQ(m.Value("A137"), 1);  // only the bound changes
    EXPECT_EQ(m.Field(m.Require("A1837")).lower, 1);
    m.Set("Minimum2", 8);
    EXPECT_EQ(m.Field(m.Require("A1837")).lower, 8);
    EXPECT_EQ(m.Field(m.Require("AN11")).lower, 5);
    m.ClampField(m.Require("A137"));
    EXPECT_EQ(m.Value("A137"), 5);

    m.Set("A437Z", 40);
    AdaptInitialStakes(m);
    for (const ChanceGroup& g : kChanceGroups)
        EXPECT_EQ(m.Value(m.Fields(g.id).stake), g.id == GroupId::G1837 ? 8 : 5) << g.key;
}

TEST(MarkerThreshold, ChancenAnzeigenFollowsSpinSummeMerk) {
    OptionsModel m;
    const FieldId box = m.CheckBox(66);
    m.Set(m.SpinSummeMerkField(), -100);
    EXPECT_TRUE(m.Checked(66));
    EXPECT_TRUE(Enabled(m, box));
    m.Set(box, 0);  // the user may untick it while marking
    m.Set(m.SpinSummeMerkField(), 0);
    EXPECT_FALSE(m.Checked(66));
    EXPECT_FALSE(Enabled(m, box));
    m.Set(m.SpinSummeMerkField(), 50);
    EXPECT_TRUE(m.Checked(66));
    EXPECT_TRUE(Enabled(m, box));
}

TEST(KeyFilters, DigitsOnlyAndTheStartKeyFilter) {
    EXPECT_TRUE(IsDigitKey(U'0'));
    EXPECT_TRUE(IsDigitKey(U'9'));
    EXPECT_TRUE(IsDigitKey(8));
    EXPECT_FALSE(IsDigitKey(U'-'));
    EXPECT_FALSE(IsDigitKey(U'a'));
    EXPECT_EQ(FilterRateStartKey(48), 48);
    EXPECT_EQ(FilterRateStartKey(55), 49);
    EXPECT_EQ(FilterRateStartKey(37), 49);

    const OptionsModel m;
    for (const char* name : {"AbRunde137", "AbRundeZ437", "AbRundeP437", "AbRundeN337", "AbRundeSS637"}) {
        EXPECT_TRUE(UsesStartKeyFilter(m, m.Require(name))) << name;
        EXPECT_FALSE(UsesDigitFilter(m, m.Require(name))) << name;
    }
    EXPECT_FALSE(UsesDigitFilter(m, m.Require("Chance537blau")));
    for (const char* name : {"Chance137blau", "AbRunde237", "BisRunde13712", "A137", "NB11H"})
        EXPECT_TRUE(UsesDigitFilter(m, m.Require(name))) << name;
    for (const char* name : {"V1371", "E137", "Minimum1", "CheckBox3"})
        EXPECT_FALSE(UsesDigitFilter(m, m.Require(name))) << name;
}

TEST(ChartTakeOver, Test3CopiesTheClickedValue) {
    // A value line of the maximum-absence chart names the "Ab Runde" field.
    OptionsModel m;
    const ChartLine absence{0, "Chance137blau", 0, 40.4, 300, 40.4};
    EXPECT_TRUE(TakeOverChartValue(m, absence, absence));
    EXPECT_EQ(m.Value("Chance137blau"), 40);

    // A rate window: "bis" from the hits the rate stands for, "von" the rate itself.
    const ChartLine first{0, "137", 37, 2.5, 60, 2.5};
    EXPECT_TRUE(TakeOverChartValue(m, first, first));
    EXPECT_EQ(m.Value("V1371"), 2500);
    EXPECT_EQ(m.Value("B1371"), 2703);  // trunc(2.5 / 100 * 37 + 0.5) = 1 of 37

    const ChartLine third{2, "", 120.4, 3.25, 200, 3.25};
    EXPECT_TRUE(TakeOverChartValue(m, third, first));
    EXPECT_EQ(m.Value("V1373"), 3250);
    EXPECT_EQ(m.Value("B1373"), 3333);  // 4 / 120 * 100

    // No hit in the window and a first line with a positive tag: 0.1 / (d - t0) x 100.
    const ChartLine tagged{5, "437", 0, 0, 0, 0};
    const ChartLine low{0, "", 15, 0.001, 30, 0.001};
    EXPECT_TRUE(TakeOverChartValue(m, low, tagged));
    EXPECT_EQ(m.Value("B4371"), 1000);
    EXPECT_EQ(m.Value("V4371"), 1);

    // d on the first line's tag: "bis" keeps its value.
    const ChartLine onTag{0, "", 5, 4, 30, 4};
    EXPECT_TRUE(TakeOverChartValue(m, onTag, tagged));
    EXPECT_EQ(m.Value("B4371"), 1000);
    EXPECT_EQ(m.Value("V4371"), 4000);

    // A line whose first point lies right of its second takes nothing over.
    OptionsModel untouched;
    const ChartLine backwards{0, "Chance137blau", 50, 7, 10, 7};
    EXPECT_FALSE(TakeOverChartValue(untouched, backwards, backwards));
    EXPECT_EQ(untouched.Value("Chance137blau"), 3);
}

TEST(OrderErrorMessage, JoinsTheTexts) {
    EXPECT_EQ(OrderErrorMessage("Ab Runde", "Bis Runde(1)"),
              "Fehler von Ab Runde zu Bis Runde(1), der Folgewert muss immer höher sein!");
    EXPECT_EQ(OrderErrorMessage("Error from", "to", "the next value must always be higher!", "A", "B"),
              "Error from A to B, the next value must always be higher!");
}

}  // namespace
}  // namespace zentora
