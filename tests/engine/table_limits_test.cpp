// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/placement.h"

namespace zentora {
namespace {

struct Maxima {
    int m1 = 9999, m2 = 9999, m3 = 9999, m4 = 9999, m6 = 9999, m12 = 9999, m18 = 9999;
};

struct Case {
    std::string name;
    Maxima maxima;
    std::map<int, int> raw;
    std::map<int, int> expected;  // every other position 0
};

PositionArray Limit(const Case& c, bool split) {
    AppliedSettings s;
    s.maximum1 = c.maxima.m1;
    s.maximum2 = c.maxima.m2;
    s.maximum3 = c.maxima.m3;
    s.maximum4 = c.maxima.m4;
    s.maximum6 = c.maxima.m6;
    s.maximum12 = c.maxima.m12;
    s.maximum18 = c.maxima.m18;
    s.optionFlags[32 - 1] = split ? 1 : 0;
    PositionArray raw{};
    for (auto [p, v] : c.raw) raw[p] = v;
    PositionArray out{};
    out.fill(12345);
    ApplyTableLimits(raw, s, out);
    return out;
}

void Check(const Case& c, bool split) {
    const PositionArray out = Limit(c, split);
    for (int p = 0; p < kPositionCount; ++p) {
        const auto it = c.expected.find(p);
        EXPECT_EQ(out[p], it == c.expected.end() ? 0 : it->second) << c.name << ": position " << p;
    }
}

TEST(TableLimits, WithoutSplittingEachKindIsCappedByItsMaximum) {
    const std::vector<Case> cases = {
        {"plein", {.m1 = 5}, {{17, 10}}, {{17, 5}}},
        {"rot", {.m18 = 100}, {{150, 7}}, {{150, 7}}},
        {"kinds",
         {.m1 = 1, .m2 = 2, .m3 = 3, .m4 = 4, .m6 = 6, .m12 = 12, .m18 = 18},
         {{0, 50}, {37, 50}, {48, 50}, {71, 50}, {85, 50}, {145, 50}, {151, 50}, {156, 5}},
         {{0, 1}, {37, 6}, {48, 4}, {71, 3}, {85, 2}, {145, 18}, {151, 12}, {156, 5}}},
    };
    for (const Case& c : cases) Check(c, false);

    // A negative maximum shows on every position of its kind, staked or not.
    const PositionArray out = Limit({"negative maximum", {.m2 = -1}, {{100, 3}}, {}}, false);
    for (int p = 85; p <= 144; ++p) EXPECT_EQ(out[p], -1) << p;
    EXPECT_EQ(out[84], 0);
}

TEST(TableLimits, SplittingExamples) {
    const std::vector<Case> cases = {
        {"transversale simple onto everything finer",
         {.m1 = 5, .m2 = 5, .m3 = 10, .m4 = 8, .m6 = 5},
         {{37, 60}},
         {{1, 4},
          {2, 4},
          {3, 4},
          {6, 4},
          {121, 5},
          {122, 5},
          {133, 5},
          {134, 5},
          {49, 8},
          {60, 8},
          {73, 4},
          {74, 4}}},
        {"same with a plein already staked",
         {.m1 = 5, .m2 = 5, .m3 = 10, .m4 = 8, .m6 = 5},
         {{37, 60}, {2, 1}},
         {{1, 4},
          {2, 1},
          {3, 4},
          {4, 4},
          {6, 4},
          {121, 5},
          {122, 5},
          {133, 5},
          {134, 5},
          {49, 8},
          {60, 8},
          {73, 4},
          {74, 4}}},
        {"cheval halves", {.m1 = 20, .m2 = 4}, {{85, 10}}, {{0, 5}, {1, 5}}},
        {"cheval halves, odd", {.m1 = 20, .m2 = 4}, {{85, 11}}, {{85, 2}, {0, 5}, {1, 5}}},
        {"cheval quarters", {.m1 = 8, .m2 = 4}, {{85, 12}, {0, 5}}, {{85, 6}, {0, 8}, {1, 3}}},
        {"cheval beyond both pleins", {.m1 = 5, .m2 = 4}, {{85, 12}}, {{85, 2}, {0, 5}, {1, 5}}},
        {"cheval far beyond", {.m1 = 5, .m2 = 4}, {{85, 30}}, {{85, 4}, {0, 5}, {1, 5}}},
        {"carre onto vertical chevals", {.m2 = 10, .m4 = 4}, {{49, 9}}, {{49, 2}, {86, 4}, {98, 4}}},
        {"carre onto horizontal chevals",
         {.m2 = 10, .m4 = 4},
         {{49, 9}, {86, 7}},
         {{49, 2}, {86, 7}, {121, 4}, {122, 4}}},
        {"carre, no pair takes a half",
         {.m2 = 10, .m4 = 4},
         {{49, 9}, {86, 7}, {121, 7}},
         {{49, -11}, {86, 7}, {121, 10}, {122, 10}}},
        {"carre quarters onto chevals",
         {.m2 = 3, .m4 = 4},
         {{49, 11}},
         {{49, 12}, {86, 2}, {98, 2}, {121, 2}, {122, 2}}},
        {"carre quarters onto pleins",
         {.m1 = 3, .m2 = 3, .m4 = 4},
         {{49, 11}, {86, 2}},
         {{49, 12}, {86, 2}, {1, 2}, {2, 2}, {4, 2}, {5, 2}}},
        {"carre eighths",
         {.m1 = 3, .m2 = 2, .m4 = 4},
         {{49, 20}},
         {{49, 32}, {86, 2}, {98, 2}, {121, 2}, {122, 2}, {1, 2}, {2, 2}, {4, 2}, {5, 2}}},
        {"carre full",
         {.m1 = 3, .m2 = 2, .m4 = 4},
         {{49, 100}},
         {{49, 4}, {86, 2}, {98, 2}, {121, 2}, {122, 2}, {1, 3}, {2, 3}, {4, 3}, {5, 3}}},
        {"transversale simple halves", {.m3 = 10, .m6 = 5}, {{37, 9}}, {{73, 4}, {74, 4}}},
        {"transversale simple thirds",
         {.m1 = 3, .m2 = 4, .m3 = 2, .m6 = 5},
         {{37, 10}},
         {{37, 3}, {86, 3}, {98, 3}, {110, 3}}},
        {"transversale simple sixths",
         {.m1 = 3, .m2 = 4, .m3 = 2, .m6 = 5},
         {{37, 15}},
         {{37, 18}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        {"transversale simple fills everything",
         {.m1 = 3, .m2 = 4, .m3 = 2, .m4 = 8, .m6 = 5},
         {{37, 100}},
         {{37, 5},
          {1, 3},
          {2, -1},
          {3, 3},
          {4, 3},
          {5, -1},
          {6, 3},
          {86, 4},
          {98, 4},
          {110, 4},
          {121, 4},
          {122, 4},
          {133, 4},
          {134, 4},
          {73, 2},
          {74, 2},
          {49, 8},
          {60, 8}}},
        {"transversale simple onto empty pleins",
         {.m1 = 3, .m2 = 4, .m3 = 2, .m6 = 5},
         {{37, 20}},
         {{37, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}},
        {"transversale simple, pleins taken",
         {.m1 = 3, .m2 = 4, .m3 = 2, .m6 = 5},
         {{37, 20}, {2, 1}},
         {{2, 1}, {1, 1}, {3, 1}, {4, 1}, {6, 1}, {121, 4}, {122, 4}, {133, 4}, {134, 4}}},
        {"transversale pleine thirds", {.m1 = 10, .m3 = 5}, {{73, 12}}, {{1, 4}, {2, 4}, {3, 4}}},
        {"transversale pleine, pleins full",
         {.m1 = 3, .m3 = 5},
         {{73, 12}},
         {{73, 5}, {1, 2}, {2, 2}, {3, 2}}},
        {"transversale pleine far beyond",
         {.m1 = 10, .m2 = 8, .m3 = 5},
         {{73, 100}},
         {{73, 5}, {121, 8}, {133, 8}, {1, 10}, {2, 5}, {3, 10}}},
        {"transversale pleine in fifths",
         {.m1 = 10, .m2 = 8, .m3 = 5},
         {{73, 40}},
         {{73, 5}, {121, 8}, {133, 8}, {1, 6}, {2, 3}, {3, 6}}},
        {"transversale pleine 0/2/3 has zero in the middle",
         {.m1 = 10, .m2 = 8, .m3 = 5},
         {{71, 100}},
         {{71, 5}, {97, 8}, {109, 8}, {2, 10}, {0, 5}, {3, 10}}},
        {"carre 0/1/2/3 eighths",
         {.m1 = 3, .m2 = 2, .m3 = 6, .m4 = 4},
         {{48, 20}},
         {{48, 32}, {85, 2}, {109, 2}, {121, 2}, {133, 2}, {0, 2}, {1, 2}, {2, 2}, {3, 2}}},
        {"carre 0/1/2/3, a plein full",
         {.m1 = 3, .m2 = 2, .m3 = 6, .m4 = 4},
         {{48, 20}, {1, 2}},
         {{71, 2}, {72, 2}, {85, 2}, {109, 2}, {121, 2}, {133, 2}, {1, 3}, {3, 2}}},
        {"carre 0/1/2/3 far beyond",
         {.m1 = 3, .m2 = 2, .m3 = 6, .m4 = 4},
         {{48, 100}},
         {{48, 4}, {71, 6}, {72, 6}, {85, 2}, {109, 2}, {121, 2}, {133, 2}, {0, 1}, {1, 3}, {2, 1}, {3, 3}}},
        {"carre 0/1/2/3 in between",
         {.m1 = 3, .m2 = 2, .m3 = 6, .m4 = 4},
         {{48, 30}},
         {{71, 6}, {72, 6}, {85, 2}, {109, 2}, {121, 2}, {133, 2}, {1, 2}, {3, 2}}},
        {"outside chances as without splitting",
         {.m12 = 3, .m18 = 4},
         {{145, 9}, {156, 9}},
         {{145, 4}, {156, 3}}},
    };
    for (const Case& c : cases) Check(c, true);
}

TEST(TableLimits, LaterStepsOverrideEarlierOnes) {
    // The transversale pleine sets its chevals to M2 after the cheval step has split them.
    Case c{"order", {.m1 = 10, .m2 = 8, .m3 = 5}, {{73, 100}, {121, 20}}, {}};
    const PositionArray out = Limit(c, true);
    EXPECT_EQ(out[121], 8);
    EXPECT_EQ(out[1], 10);
    EXPECT_EQ(out[2], 10);  // filled by 121 before 73 adds M1 / 2 and caps
}

// Ordinary tables are worked in 32 bits, tables under a huge maximum in 64. A huge maximum for the dozens
// touches no other position, so it switches the width without changing the rest of the result. Huge stakes
// under ordinary maxima split as the largest value that still matters and stay in 32 bits.
TEST(TableLimits, SplittingGivesTheSameAtEveryWorkingWidth) {
    std::mt19937 rng(7);
    constexpr int kEdge = 1 << 22;  // the largest magnitude still worked in 32 bits
    for (int round = 0; round < 20000; ++round) {
        // Values from a few units up to the edge, both signs, many positions empty.
        const int scale = round % 3 == 0 ? kEdge - 1 : round % 3 == 1 ? 1000 : 40;
        std::uniform_int_distribution<int> value(round % 5 == 0 ? -scale : 0, scale);
        std::uniform_int_distribution<int> maximum(round % 7 == 0 ? -scale : 0, scale);
        std::uniform_int_distribution<int> huge(kEdge, std::numeric_limits<std::int32_t>::max());
        std::bernoulli_distribution staked(round % 2 ? 0.3 : 0.9), hugeStake(round % 4 == 3 ? 0.2 : 0);
        AppliedSettings s;
        s.optionFlags[32 - 1] = 1;
        for (std::int32_t* m :
             {&s.maximum1, &s.maximum2, &s.maximum3, &s.maximum4, &s.maximum6, &s.maximum12, &s.maximum18})
            *m = maximum(rng);
        PositionArray raw{};
        for (int p = 0; p < 156; ++p) raw[p] = hugeStake(rng) ? huge(rng) : staked(rng) ? value(rng) : 0;
        PositionArray narrow, wide;
        narrow.fill(12345);  // every position is written
        wide.fill(12345);
        ApplyTableLimits(raw, s, narrow);
        s.maximum12 = std::numeric_limits<std::int32_t>::max();
        ApplyTableLimits(raw, s, wide);
        for (int p = 0; p < 151; ++p)
            ASSERT_EQ(narrow[p], wide[p]) << "round " << round << ", position " << p;
    }
}

}  // namespace
}  // namespace zentora
