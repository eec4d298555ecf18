// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Design geometry of the main window (pixels of the 1152 x 864 design, before the layout file and scaling).
// The drawn table picture, the chip places and the layout file for 1280 x 800 all derive from it, so the
// chips always lie on the bets they show. Plain data: the asset generator uses it without the window.

#include <array>

namespace zentora::table {

struct Rect {
    int left, top, width, height;
    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr int CenterX() const { return left + width / 2; }
    constexpr int CenterY() const { return top + height / 2; }
};
struct Point {
    int x, y;
};

inline constexpr Rect kWindow{0, 0, 1280, 812};
inline constexpr Rect kHintergrund{0, 0, 1250, 950};
inline constexpr Rect kZeroField{162, 13, 314, 71};
inline constexpr std::array<int, 3> kColumnLeft{162, 267, 373};
inline constexpr std::array<int, 3> kColumnWidth{103, 104, 103};
inline constexpr int kFieldLeft = 162;
inline constexpr int kFieldRight = 476;
inline constexpr int kChipSize = 35;

// Rows 1..12 start at 85 and step by 53 and 54 in turn.
constexpr int RowTop(int row) {
    return 85 + (row - 1) * 107 / 2;
}
constexpr int RowHeight(int row) {
    return RowTop(row + 1) - RowTop(row) - 2;
}
constexpr int RowLine(int row) {
    return RowTop(row + 1) - 1;
}  // line below row (0: below the zero)
constexpr int ColumnLine(int column) {
    return kColumnLeft[column] - 1;
}  // line left of column 1 or 2 (0-based)

constexpr int RowOf(int number) {
    return (number - 1) / 3 + 1;
}
constexpr int ColumnOf(int number) {
    return (number - 1) % 3;
}  // 0-based

constexpr Rect NumberField(int number) {
    if (number == 0) return kZeroField;
    const int row = RowOf(number), column = ColumnOf(number);
    return {kColumnLeft[column], RowTop(row), kColumnWidth[column], RowHeight(row)};
}

// Boxes of the six simple chances, the dozens and the columns.
inline constexpr int kLeftStrip = 4, kRightStrip = 480, kStripWidth = 154;
inline constexpr std::array<int, 4> kStripTops{85, 275, 465, 655};
constexpr Rect SimpleChanceBox(int index) {  // 0 "19-36" .. 5 "Rot" (positions 145..150)
    const int band = index / 2;
    return {index % 2 == 0 ? kLeftStrip : kRightStrip, kStripTops[band], kStripWidth,
            kStripTops[band + 1] - kStripTops[band] - 2};
}
constexpr Rect DozenBox(int index) {
    return {6 + 50 * index, 676 + 35 * index, 48, 32};
}  // bottom left, stepping
constexpr Rect ColumnBox(int index) {
    return {kColumnLeft[index], 729, kColumnWidth[index], 44};
}

constexpr Point Center(Rect r) {
    return {r.CenterX(), r.CenterY()};
}

// Where the chip of each TablePosition lies: on the place of its bet.
constexpr Point ChipCenter(int position) {
    const int line1 = ColumnLine(1), line2 = ColumnLine(2);
    if (position <= 36) return Center(NumberField(position));
    if (position <= 47) return {kFieldRight, RowLine(position - 37 + 1)};  // transversale simple
    if (position == 48) return {kFieldRight, RowLine(0)};                  // carré 0-1-2-3
    if (position <= 59) return {line1, RowLine(position - 49 + 1)};        // carré left/middle
    if (position <= 70) return {line2, RowLine(position - 60 + 1)};        // carré middle/right
    if (position == 71) return {line2, RowLine(0)};                        // 0-2-3
    if (position == 72) return {line1, RowLine(0)};                        // 0-1-2
    if (position <= 84) return {kFieldLeft, Center(NumberField(3 * (position - 73) + 1)).y};
    if (position <= 120) {  // vertical chevals
        const int column = (position - 85) / 12, j = (position - 85) % 12;
        return {Center(NumberField(column + 1)).x, RowLine(j)};
    }
    if (position <= 132) return {line1, Center(NumberField(3 * (position - 121) + 1)).y};
    if (position <= 144) return {line2, Center(NumberField(3 * (position - 133) + 1)).y};
    if (position <= 150) return Center(SimpleChanceBox(position - 145));
    if (position <= 153) return Center(DozenBox(position - 151));
    return Center(ColumnBox(position - 154));
}
constexpr Rect ChipRect(int position) {
    const Point c = ChipCenter(position);
    return {c.x - kChipSize / 2, c.y - kChipSize / 2, kChipSize, kChipSize};
}

// The counter board right of the grid: one cell per number and per column; the simple chances and the
// dozens show their counters on the table itself.
inline constexpr Rect kBoardZero{759, 100, 386, 40};
inline constexpr std::array<int, 3> kBoardColumnLeft{759, 898, 1035};
inline constexpr std::array<int, 3> kBoardColumnWidth{137, 135, 110};
inline constexpr int kBoardRowTop = 140, kBoardRowStep = 33;
constexpr Rect BoardCell(int number) {
    if (number == 0) return kBoardZero;
    return {kBoardColumnLeft[ColumnOf(number)], kBoardRowTop + (RowOf(number) - 1) * kBoardRowStep,
            kBoardColumnWidth[ColumnOf(number)], kBoardRowStep};
}
constexpr Rect BoardColumnCell(int index) {
    return {kBoardColumnLeft[index], 536, kBoardColumnWidth[index], 36};
}

inline constexpr int kLabelWidth = 72, kLabelHeight = 24;
inline constexpr std::array<int, 3> kLabelColumnLeft{799, 938, 1075};
// Label0..Label46 (37 is the spin count) and JvLabel1..3 (index 47..49).
constexpr Rect CounterLabel(int index) {
    if (index == 0) return {1007, 112, kLabelWidth, kLabelHeight};
    if (index <= 36) {
        const int column = ColumnOf(index), row = RowOf(index);
        return {kLabelColumnLeft[column], 147 + (row - 1) * kBoardRowStep, kLabelWidth, kLabelHeight};
    }
    if (index == 37) return {624, 626, 100, kLabelHeight};
    if (index <= 43) {  // in the lower part of the simple chance's box
        const Rect box = SimpleChanceBox(index - 38);
        return {box.left + 4, box.Bottom() - 32, box.width - 8, kLabelHeight};
    }
    if (index <= 46) return {kLabelColumnLeft[index - 44], 543, kLabelWidth, kLabelHeight};
    const Rect dozen = DozenBox(index - 47);  // JvLabel1..3 just above their dozen
    return {dozen.left, dozen.top - 19, 60, 16};
}

inline constexpr Rect kStringGrid1{641, 130, 67, 423};
inline constexpr Rect kListBox1{736, 590, 401, 186};
inline constexpr Rect kEdit1{632, 680, 91, 37};
inline constexpr Rect kImage37{632, 736, 94, 30};
inline constexpr Rect kGerade{32, 368, 105, 30};
inline constexpr Rect kUngerade{496, 368, 105, 30};
inline constexpr Rect kBannerWerbung{637, 8, 508, 81};

}  // namespace zentora::table
