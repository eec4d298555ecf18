// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_model.h"

#include <gtest/gtest.h>

namespace zentora {
namespace {

struct FieldCase {
    const char* name;
    FieldKind kind;
    std::int32_t lower, upper, value;
    int tag;
};

TEST(OptionsModel, FieldsHaveTheirKindRangeFormValueAndTag) {
    const FieldCase cases[] = {
        {"Chance137blau", FieldKind::Integer, 1, 999, 3, 0},
        {"Chance137pink", FieldKind::Integer, 1, 9999, 7, 42},
        {"Chance1237pinkz", FieldKind::Integer, 2, 9999, 3, 51},
        {"NB11H", FieldKind::Integer, 2, 9999, 3, 57},
        {"A137", FieldKind::Integer, 1, 999, 1, 0},
        {"AN11", FieldKind::Integer, 0, 999, 3, 0},
        {"A437Z", FieldKind::Integer, 1, 999, 3, 0},
        {"E12376", FieldKind::ItemIndex, -1, 5, 0, 0},
        {"AbRunde137", FieldKind::Integer, 1, 9500000, 37, 42},
        {"AbRundeSS637", FieldKind::Integer, 1, 9500000, 37, 61},
        {"AbRunde237", FieldKind::Integer, 1, 9500000, 3, 45},
        {"BisRunde1371", FieldKind::Integer, 2, 9500001, 7, 1},
        {"BisRunde1374", FieldKind::Integer, 5, 9500000, 7, 4},
        {"BisRunde2373", FieldKind::Integer, 4, 9500003, 4, 3},
        {"BisRunde2378", FieldKind::Integer, 2, 9500008, 3, 8},
        {"BisRundeP43712", FieldKind::Integer, 13, 9500012, 13, 12},
        {"V1371", FieldKind::Decimal, 0, 49000, 49000, 1},
        {"BZ126379", FieldKind::Decimal, 100, 50000, 50000, 9},
        {"Minimum2", FieldKind::Integer, 1, 9999, 3, 0},
        {"Maximum18", FieldKind::Integer, -1, 9999, 3, 0},
        {"CheckBox42", FieldKind::CheckBox, 0, 1, 0, 42},
        {"CheckBox36", FieldKind::CheckBox, 0, 1, 1, 36},
        {"SpeedButton1", FieldKind::Toggle, 0, 1, 0, 0},
        {"RadioButton1", FieldKind::Radio, 0, 1, 1, 0},
        {"JvOfficeColorButton2", FieldKind::Colour, INT32_MIN, INT32_MAX, 16711935, 0},
        {"SpinSummeMerk", FieldKind::Integer, -100000, 100000, 0, 0},
    };
    const OptionsModel model;
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OptionField& f = model.Field(model.Require(c.name));
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.lower, c.lower);
        EXPECT_EQ(f.upper, c.upper);
        EXPECT_EQ(f.value, c.value);
        EXPECT_EQ(f.tag, c.tag);
    }
    // 66 check boxes, the toggle, two radio buttons, 27 groups of 5 + 36 fields, 9 limits, 5 colours, 1.
    EXPECT_EQ(model.FieldCount(), 66 + 1 + 2 + 27 * 41 + 9 + 5 + 1);
}

TEST(OptionsModel, NamesCompareWithoutRegardToCase) {
    const OptionsModel model;
    EXPECT_EQ(model.Find("bisrunde13712"), model.Find("BisRunde13712"));
    EXPECT_EQ(model.Find("CHECKBOX3"), model.CheckBox(3));
    EXPECT_EQ(model.Find("Chance1237b"), model.Fields(GroupId::G1237).abRunde);
    EXPECT_EQ(model.Find("Chance1237blau"), model.Fields(GroupId::Z1237).abRunde);
    EXPECT_EQ(model.Find("NoSuchField"), kNoField);
    EXPECT_THROW((void)model.Require("NoSuchField"), std::out_of_range);
}

TEST(OptionsModel, AssignmentsClampIntoTheCurrentRange) {
    struct Case {
        std::int32_t lower, upper;
        std::int64_t assigned;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, 999, 0, 1},           {1, 999, 1000, 999}, {1, 999, 500, 500}, {7, 7, 3, 3},
        {7, 7, 12345, 12345},                        // equal bounds are no range
        {20, 10, 5, 20},          {20, 10, 25, 10},  // the lower bound is tested first
        {1, 999, INT64_MAX, 999},
    };
    for (const Case& c : cases) {
        OptionsModel model;
        const FieldId id = model.Require("Chance437blau");
        model.SetLower(id, c.lower);
        model.SetUpper(id, c.upper);
        model.Set(id, c.assigned);
        EXPECT_EQ(model.Value(id), c.expected) << c.lower << ".." << c.upper << " := " << c.assigned;
    }
}

TEST(OptionsModel, KindsNormaliseTheirValues) {
    OptionsModel model;
    model.Set("CheckBox5", 7);
    EXPECT_EQ(model.Value("CheckBox5"), 1);
    for (auto [assigned, expected] : {std::pair{5, 5}, {0, 0}, {6, -1}, {-3, -1}}) {
        model.Set("E137", assigned);
        EXPECT_EQ(model.Value("E137"), expected) << assigned;
    }
    model.SetOrphelinPlein(false);
    EXPECT_EQ(model.Value("RadioButton1"), 0);
    EXPECT_EQ(model.Value("RadioButton2"), 1);
    EXPECT_FALSE(model.OrphelinPlein());
    model.Set("RadioButton1", 1);
    EXPECT_EQ(model.Value("RadioButton2"), 0);
}

TEST(OptionsModel, TypedTextReadsAsLowerBoundWhenNotANumber) {
    OptionsModel model;
    const FieldId ab = model.Require("Chance137blau");
    const FieldId von = model.Require("V1371");
    struct Case {
        FieldId id;
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {ab, "12", 12},         {ab, "", 1},        {ab, "x3", 1},    {ab, " 40 ", 40}, {ab, "5000", 999},
        {von, "12,345", 12345}, {von, "1.5", 1500}, {von, "7", 7000}, {von, "", 0},     {von, "1.2345", 0},
        {von, "-3", 0},
    };
    for (const Case& c : cases) {
        model.Set(c.id, 444);
        model.SetText(c.id, c.text);
        EXPECT_EQ(model.Value(c.id), c.expected) << '"' << c.text << '"';
    }
}

TEST(OptionsModel, PercentRoundsToThousandthsHalfToEven) {
    OptionsModel model;
    const FieldId von = model.Require("V4375");
    for (auto [percent, milli] :
         {std::pair{12.3454, 12345}, {2.7027027, 2703}, {0.0005, 0}, {0.0015, 2}, {60.0, 49000}}) {
        model.SetPercent(von, percent);
        EXPECT_EQ(model.Value(von), milli) << percent;
    }
}

TEST(OptionsModel, ListenerHearsValueRangeAndEnabledChanges) {
    OptionsModel model;
    std::vector<std::pair<FieldId, FieldChange>> heard;
    model.SetListener([&](FieldId id, FieldChange c) { heard.emplace_back(id, c); });
    model.Set("Chance137blau", 3);  // unchanged: silent
    EXPECT_TRUE(heard.empty());
    model.Set("Chance137blau", 9);
    model.SetLower(model.Require("A137"), 4);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], std::pair(model.Require("Chance137blau"), FieldChange::Value));
    EXPECT_EQ(heard[1], std::pair(model.Require("A137"), FieldChange::Range));

    const OptionsModel copy = model;  // a copy has no listener
    heard.clear();
    OptionsModel other = copy;
    other.Set("Chance137blau", 10);
    EXPECT_TRUE(heard.empty());
}

TEST(ApplySettings, CopiesTheModelIntoTheSnapshot) {
    OptionsModel model;
    model.Set("Chance637blau", 3);
    model.Set("Chance637pink", 7);
    model.Set("A637", 12);
    model.Set("E637", 4);
    model.Set("V6372", 12345);
    model.Set("B6372", 20001);
    model.Set("BisRunde6372", 140);
    model.Set("Maximum12", -1);
    model.Set("Minimum2", 9);
    model.Set("CheckBox7", 1);
    model.Set("E1837", 9);  // no item selected
    const AppliedSettings a = ApplySettings(model);
    const GroupSettings& g = a.Of(GroupId::G637);
    EXPECT_EQ(g.absenceHigh, 3);
    EXPECT_EQ(g.absenceLow, -3);
    EXPECT_EQ(g.absenceSpan, 7);
    EXPECT_EQ(g.initialStake, 12);
    EXPECT_EQ(g.stakeTechnique, 4);
    EXPECT_EQ(g.rateFromMilli[1], 12345);
    EXPECT_EQ(g.rateToMilli[1], 20001);
    EXPECT_EQ(g.rateUntil[1], 140);
    EXPECT_EQ(g.rateFromMilli[0], 49000);
    EXPECT_EQ(a.Of(GroupId::G1837).stakeTechnique, -1);
    EXPECT_EQ(a.maximum12, -1);
    EXPECT_EQ(a.minimum2, 9);
    EXPECT_EQ(a.maximum18, 3);
    EXPECT_TRUE(a.AbsenceRuleActive(GroupId::G637));
    EXPECT_FALSE(a.RateRuleActive(GroupId::G637));
    EXPECT_EQ(a.optionFlags[35], 1);  // CheckBox36
    EXPECT_EQ(a.optionFlags[0], 0);
}

TEST(LiveSettings, AreReadFromTheModelAtTheMomentOfUse) {
    OptionsModel model;
    const LiveSettings& live = model;
    model.Set("AbRundeN537", 77);
    model.Set("SpinSummeMerk", -250);
    model.Set("ES637S", 3);
    model.SetOrphelinPlein(false);
    EXPECT_EQ(live.RateStart(GroupId::N537), 77);
    EXPECT_EQ(live.SpinSummeMerk(), -250);
    EXPECT_EQ(live.Es637sTechnique(), 3);
    EXPECT_FALSE(live.OrphelinPlein());
    const FixedLiveSettings fixed = TakeLiveSettings(model);
    model.Set("AbRundeN537", 78);
    EXPECT_EQ(fixed.RateStart(GroupId::N537), 77);
    EXPECT_EQ(fixed.RateStart(GroupId::G137), 37);
    EXPECT_FALSE(fixed.OrphelinPlein());
}

}  // namespace
}  // namespace zentora
