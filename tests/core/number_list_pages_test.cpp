// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_list_pages.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentora {
namespace {

// Columns of grids 1..7, 0 for a hidden grid.
std::array<int, kListGridCount> Columns(const ListPage& page) {
    std::array<int, kListGridCount> c{};
    for (int g = 0; g < kListGridCount; ++g) c[g] = page.grids[g].columns;
    return c;
}

// Shown grids follow each other without a gap and only the last shown one may be short.
void ExpectContiguous(const ListPage& page) {
    const int last = page.LastShownGrid();
    for (int g = 0; g <= last; ++g) {
        ASSERT_TRUE(page.grids[g].Shown()) << "grid " << g + 1;
        if (g > 0) {
            EXPECT_EQ(page.grids[g].firstSpin, page.grids[g - 1].LastSpin() + 1);
        }
        if (g < last) {
            EXPECT_EQ(page.grids[g].columns, ListColumnsPerGrid(page.columnWidth));
        }
    }
}

TEST(NumberListPages, ColumnWidthTableAndColumnsPerGrid) {
    struct Case {
        std::int64_t n;
        int width, columns;
    };
    for (const Case& c : {Case{0, 25, 30},
                          {999, 25, 30},
                          {1000, 30, 25},
                          {9999, 30, 25},
                          {10000, 35, 21},
                          {99999, 35, 21},
                          {100000, 40, 19},
                          {999999, 40, 19},
                          {1000000, 45, 16},
                          {9999999, 45, 16},
                          {10000000, 51, 14},
                          {5000000000, 51, 14}}) {
        EXPECT_EQ(ListColumnWidth(c.n), c.width) << c.n;
        EXPECT_EQ(ListColumnsPerGrid(c.width), c.columns) << c.n;
    }
    EXPECT_EQ(ListGridPixelWidth(25, 30), 783);
}

TEST(NumberListPages, FillWhenTheWholePermanenceFits) {
    const ListPage five = NumberListPage(5, 5);
    EXPECT_EQ(Columns(five), (std::array<int, 7>{5, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(five.grids[0].firstSpin, 1);
    EXPECT_EQ(five.LastShown(), 5);

    const ListPage p61 = NumberListPage(61, 61);
    EXPECT_EQ(Columns(p61), (std::array<int, 7>{30, 30, 1, 0, 0, 0, 0}));
    EXPECT_EQ(p61.grids[2].firstSpin, 61);
    ExpectContiguous(p61);

    EXPECT_EQ(Columns(NumberListPage(209, 209)), (std::array<int, 7>{30, 30, 30, 30, 30, 30, 29}));
    EXPECT_EQ(NumberListPage(0, 0).LastShownGrid(), -1);
    // A page asked to end early still shows every spin: nothing else could bring the rest back.
    EXPECT_EQ(NumberListPage(0, 150), NumberListPage(150, 150));
}

TEST(NumberListPages, FillFullPages) {
    const ListPage p1000 = NumberListPage(1000, 1000);
    EXPECT_EQ(p1000.columnWidth, 30);
    EXPECT_EQ(Columns(p1000), (std::array<int, 7>{25, 25, 25, 25, 25, 25, 25}));
    EXPECT_EQ(p1000.FirstShown(), 826);
    EXPECT_EQ(p1000.LastShown(), 1000);
    ExpectContiguous(p1000);

    // The page ending at 0 (and at anything up to 210) shows spins 1..210.
    for (std::int64_t n : {0, 1, 210}) {
        const ListPage p = NumberListPage(n, 5000);
        EXPECT_EQ(p.FirstShown(), 1);
        EXPECT_EQ(p.LastShown(), 210);
    }
    const ListPage big = NumberListPage(12345678, 20000000);
    EXPECT_EQ(big.columnWidth, 51);
    EXPECT_EQ(big.FirstShown(), 12345678 - 98 + 1);
    ExpectContiguous(big);
}

TEST(NumberListPages, NextPageEnd) {
    struct Case {
        std::int64_t n, length, expected;
    };
    for (const Case& c : {Case{0, 5000, 210},
                          {210, 5000, 420},
                          {990, 5000, 1165},     // 1200 would need width 30: seven grids of 25 instead
                          {500, 600, 600},       // never past the end
                          {9990, 50000, 10137},  // 30 -> 35
                          {9999990, 20000000, 10000088},  // 45 -> 51
                          {10000000, 20000000, 10000098}}) {
        EXPECT_EQ(NextPageEnd(c.n, c.length), c.expected) << c.n;
    }
}

TEST(NumberListPages, PagingForwardAndBackLeavesNoGap) {
    const std::int64_t length = 1100000;  // crosses every width up to 45
    ListPage page = NumberListPage(*ListPageEndAfter(ListButton::First, {}, length), length);
    while (auto end = ListPageEndAfter(ListButton::Forward, page, length)) {
        const ListPage next = NumberListPage(*end, length);
        ASSERT_LE(next.FirstShown(), page.LastShown() + 1);
        ASSERT_GT(next.LastShown(), page.LastShown());
        page = next;
    }
    EXPECT_EQ(page.LastShown(), length);
    while (page.FirstShown() > 1) {
        const ListPage previous = NumberListPage(*ListPageEndAfter(ListButton::Back, page, length), length);
        ASSERT_EQ(previous.LastShown() + 1, std::max<std::int64_t>(page.FirstShown(), 211));
        page = previous;
    }
}

TEST(NumberListPages, Buttons) {
    const std::int64_t length = 50000;
    const ListPage middle = NumberListPage(30000, length);  // width 35: 147 spins
    EXPECT_EQ(ListPageEndAfter(ListButton::Back, middle, length), 29853);
    EXPECT_EQ(ListPageEndAfter(ListButton::Forward, middle, length), 30147);
    EXPECT_EQ(ListPageEndAfter(ListButton::First, middle, length), 0);
    EXPECT_EQ(ListPageEndAfter(ListButton::Last, middle, length), length);
    EXPECT_EQ(ListPageEndAfter(ListButton::Back10000, middle, length), 19854);
    EXPECT_EQ(ListPageEndAfter(ListButton::Forward10000, middle, length), 40147);

    const ListPage first = NumberListPage(0, length);
    EXPECT_EQ(ListPageEndAfter(ListButton::Back, first, length), 0);
    EXPECT_EQ(ListPageEndAfter(ListButton::Back10000, first, length), 0);
    const ListPage last = NumberListPage(length, length);
    EXPECT_EQ(ListPageEndAfter(ListButton::Forward, last, length), std::nullopt);
    EXPECT_EQ(ListPageEndAfter(ListButton::Forward10000, last, length), length);
}

TEST(NumberListPages, ButtonsShownOnOpening) {
    struct Case {
        std::int64_t length;
        bool paging, jumps, remove;
    };
    for (const Case& c : {Case{0, false, false, false},
                          {5, false, false, true},
                          {259, false, false, true},
                          {260, true, false, true},
                          {10999, true, false, true},
                          {11000, true, true, true}}) {
        const ListButtonsShown shown = ListButtonsOnShow(c.length);
        EXPECT_EQ(shown.paging, c.paging) << c.length;
        EXPECT_EQ(shown.jumps, c.jumps) << c.length;
        EXPECT_EQ(shown.remove, c.remove) << c.length;
    }
}

std::vector<std::uint8_t> Spins(std::size_t count) {
    std::vector<std::uint8_t> spins(count);
    for (std::size_t i = 0; i < count; ++i) spins[i] = static_cast<std::uint8_t>(i % 37);
    return spins;
}

TEST(NumberListPages, DeletionRemovesTheSpinByItsNumber) {
    Permanence p = Permanence::FromOldestFirst(std::vector<std::uint8_t>{10, 11, 12, 13, 14});
    const ListDeletion d = DeleteListSpin(p, NumberListPage(5, 5), 2);
    EXPECT_TRUE(d.deleted);
    EXPECT_EQ(p, Permanence::FromOldestFirst(std::vector<std::uint8_t>{10, 12, 13, 14}));
    EXPECT_EQ(Columns(d.page), (std::array<int, 7>{4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(d.focusGrid, 0);
    EXPECT_FALSE(d.selectLastColumn);
}

TEST(NumberListPages, DeletionPagesAndSelection) {
    struct Case {
        const char* what;
        std::int64_t length, pageEnd, spin;
        std::array<int, 7> columns;
        std::int64_t first;
        int focusGrid;
        bool selectLast;
    };
    for (const Case& c : {
             Case{"only spin of the last grid", 61, 61, 61, {30, 30, 0, 0, 0, 0, 0}, 1, 1, true},
             Case{"only spin of the last grid, deleted earlier",
                  61,
                  61,
                  5,
                  {30, 30, 0, 0, 0, 0, 0},
                  1,
                  1,
                  false},
             Case{"last spin of a full grid", 60, 60, 60, {30, 29, 0, 0, 0, 0, 0}, 1, 1, true},
             Case{"full page drops below 210", 210, 210, 3, {30, 30, 30, 30, 30, 30, 29}, 1, 6, false},
             Case{"newest spin at 1000 narrows the columns",
                  1000,
                  1000,
                  1000,
                  {30, 30, 30, 30, 30, 30, 30},
                  790,
                  6,
                  true},
             Case{"page in the middle", 5000, 3000, 2950, {25, 25, 25, 25, 25, 25, 25}, 2826, 6, false},
             Case{"the only spin", 1, 1, 1, {0, 0, 0, 0, 0, 0, 0}, 0, -1, false},
         }) {
        Permanence p = Permanence::FromOldestFirst(Spins(c.length));
        const ListDeletion d = DeleteListSpin(p, NumberListPage(c.pageEnd, c.length), c.spin);
        EXPECT_TRUE(d.deleted) << c.what;
        EXPECT_EQ(p.size(), c.length - 1) << c.what;
        EXPECT_EQ(Columns(d.page), c.columns) << c.what;
        EXPECT_EQ(d.page.FirstShown(), c.first) << c.what;
        EXPECT_EQ(d.focusGrid, c.focusGrid) << c.what;
        EXPECT_EQ(d.selectLastColumn, c.selectLast) << c.what;
        ExpectContiguous(d.page);
    }
}

TEST(NumberListPages, DeletionOutsideThePermanenceChangesNothing) {
    for (std::int64_t spin : {0, -1, 6}) {
        Permanence p = Permanence::FromOldestFirst(Spins(5));
        const ListPage page = NumberListPage(5, 5);
        const ListDeletion d = DeleteListSpin(p, page, spin);
        EXPECT_FALSE(d.deleted);
        EXPECT_EQ(d.page, page);
        EXPECT_EQ(p.size(), 5u);
    }
    Permanence empty;
    EXPECT_FALSE(DeleteListSpin(empty, {}, 1).deleted);
}

}  // namespace
}  // namespace zentora
