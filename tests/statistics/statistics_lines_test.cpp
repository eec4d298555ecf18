// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/statistics_lines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zentora {
namespace {

// A curve of `length` spins falling from 100 by one per spin, with the inputs of a MinRate run.
StatisticsResult Curve(int length, std::int32_t rateStart, std::int32_t span,
                       std::array<std::int32_t, 12> until) {
    StatisticsResult r;
    r.inputs.kind = StatisticsKind::MinRate;
    r.inputs.rateStart = rateStart;
    r.inputs.absenceSpan = span;
    r.inputs.rateUntil = until;
    r.inputs.spins = length;
    for (int i = 1; i <= length; ++i) {
        r.x.push_back(i);
        r.y.push_back(100.0 - i);
    }
    return r;
}

std::array<std::int32_t, 12> Until(std::int32_t first, std::int32_t step) {
    std::array<std::int32_t, 12> u{};
    for (int i = 0; i < 12; ++i) u[i] = first + i * step;
    return u;
}

TEST(RateWindows, OnlyWindowsThatStartWithinThePermanence) {
    std::array<std::int32_t, 12> von{};
    von.fill(2500);
    const RateWindowLines lines = MinRateWindows(Curve(60, 37, 1, Until(100, 50)), von);
    ASSERT_EQ(lines.windows.size(), 1u);
    const RateWindowLine& w = lines.windows[0];
    EXPECT_EQ(w.start, 37);
    EXPECT_EQ(w.end, 100);
    EXPECT_DOUBLE_EQ(w.lowest, 40.0);  // spin 60, the last there is
    EXPECT_DOUBLE_EQ(w.from, 2.5);
    EXPECT_DOUBLE_EQ(lines.largest, 99.0);
    EXPECT_FALSE(w.firstOrderError);
    // The limit curve runs to the window's end - S, beyond the permanence.
    EXPECT_EQ(w.limit.first, 36);
    EXPECT_EQ(w.limit.last, 99);
    EXPECT_DOUBLE_EQ(w.limit.At(36), 2.5 * 37 / 36);

    // Windows inside the permanence take their lowest value from their own spins.
    const RateWindowLines inner = MinRateWindows(Curve(60, 10, 1, Until(20, 10)), von);
    ASSERT_EQ(inner.windows.size(), 5u);  // starts 10, 20, 30, 40, 50; the sixth would start at 60
    EXPECT_EQ(inner.windows[1].start, 20);
    EXPECT_EQ(inner.windows[1].end, 30);
    EXPECT_DOUBLE_EQ(inner.windows[1].lowest, 70.0);
    EXPECT_TRUE(MinRateWindows(Curve(0, 1, 1, Until(20, 10)), von).windows.empty());
}

TEST(RateWindows, ALimitCurveStartingBeforeSpinOneNamesItsFirstPoint) {
    std::array<std::int32_t, 12> von{};
    const RateWindowLines lines = MinRateWindows(Curve(60, 3, 7, Until(20, 10)), von);
    ASSERT_FALSE(lines.windows.empty());
    EXPECT_EQ(lines.windows[0].firstOrderError, -4);  // x = -4 .. 0 cannot be drawn
    EXPECT_EQ(lines.windows[0].limit.first, 1);
    EXPECT_EQ(lines.windows[0].limit.last, 13);
    EXPECT_FALSE(lines.windows[1].firstOrderError);  // from 20 - 7 on
    EXPECT_EQ(OrderErrorFields(1), (std::pair<std::string, std::string>{"Ab Runde", "Bis Runde(1)"}));
    EXPECT_EQ(OrderErrorFields(3), (std::pair<std::string, std::string>{"Bis Runde(2)", "Bis Runde(3)"}));
}

// A window ending at 9,500,000 is drawn from a few points per view, each on the curve, whatever the zoom.
TEST(LimitCurveSampling, BoundedExactAndReachingTheEdgesOfTheView) {
    const LimitCurve curve{3, 9'500'000 - 7, 49.5, 7};
    struct Case {
        double low, high;
        int samples;
        double firstX, lastX;  // the ends: the spins at or beyond the view's edges, within the curve
    };
    const Case cases[] = {
        {3, 9'499'993, 800, 3, 9'499'993},  // the whole curve
        {-50, 2e7, 800, 3, 9'499'993},      // a view wider than the curve
        {1000.4, 1200.6, 800, 1000, 1201},  // zoomed in: every spin
        {5e6, 5e6 + 1e5, 50, 5'000'000, 5'100'000},
        {9'499'990.5, 9.6e6, 10, 9'499'990, 9'499'993},
        {0, 3, 100, 3, 3},  // the view ends where the curve starts
    };
    for (const Case& c : cases) {
        const auto points = SampleLimitCurve(curve, c.low, c.high, c.samples);
        ASSERT_FALSE(points.empty()) << c.low;
        EXPECT_LE(points.size(), static_cast<std::size_t>(c.samples) + 1) << c.low;
        EXPECT_EQ(points.front().first, c.firstX) << c.low;
        EXPECT_EQ(points.back().first, c.lastX) << c.low;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double x = points[i].first;
            EXPECT_EQ(x, std::floor(x));
            EXPECT_DOUBLE_EQ(points[i].second, 49.5 * (x + 7) / x) << x;
            if (i > 0) {
                EXPECT_GT(x, points[i - 1].first);
            }
        }
    }
    // Zoomed in to fewer spins than samples: every spin is a point.
    EXPECT_EQ(SampleLimitCurve(curve, 100, 110, 800).size(), 11u);
    EXPECT_TRUE(SampleLimitCurve(LimitCurve{5, 4, 1, 1}, 0, 10, 100).empty());  // a window after its own end
}

TEST(AbsenceLines, LongestAbsenceSetValueAndSignal) {
    StatisticsResult r = Curve(5, 1, 4, Until(20, 10));
    const AbsenceLines lines = AbsenceLinesOf(r, 30);
    EXPECT_DOUBLE_EQ(lines.largest, 99);
    EXPECT_DOUBLE_EQ(lines.points, 5);
    EXPECT_DOUBLE_EQ(lines.setValue, 30);
    EXPECT_DOUBLE_EQ(lines.signalValue, 26);
}

}  // namespace
}  // namespace zentora
