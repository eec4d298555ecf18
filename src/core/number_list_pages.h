// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pages of the number list editor: seven one-row grids that show the permanence by spin number
// (1 the oldest spin), the paging buttons and the deletion of one spin. Only the page shown is ever
// computed, so a page costs the same however long the permanence is.

#include <array>
#include <cstdint>
#include <optional>

#include "core/permanence.h"

namespace zentora {

inline constexpr int kListGridCount = 7;
inline constexpr int kListGridMaxWidth = 760;  // pixels of one grid at most
// The page that ends at 0 shows spins 1..210: seven grids at the narrowest width.
inline constexpr std::int64_t kListFirstPageEnd = 210;

// Column width in pixels for a page whose last spin number is n.
int ListColumnWidth(std::int64_t n);
inline int ListColumnsPerGrid(int columnWidth) {
    return kListGridMaxWidth / columnWidth;
}
inline int ListGridPixelWidth(int columnWidth, int columns) {
    return (columnWidth + 1) * columns + 3;
}

// One grid of a page; a grid without columns is hidden.
struct ListGrid {
    int columns = 0;
    std::int64_t firstSpin = 0;  // spin number in column 0

    bool Shown() const { return columns > 0; }
    std::int64_t LastSpin() const { return firstSpin + columns - 1; }
    std::int64_t SpinAt(int column) const { return firstSpin + column; }

    bool operator==(const ListGrid&) const = default;
};

struct ListPage {
    int columnWidth = 25;
    std::array<ListGrid, kListGridCount> grids{};

    // First and last spin number shown; 0 when nothing is shown.
    std::int64_t FirstShown() const { return grids[0].Shown() ? grids[0].firstSpin : 0; }
    std::int64_t LastShown() const;
    // The highest grid (0-based) that is shown, -1 when none is.
    int LastShownGrid() const;

    bool operator==(const ListPage&) const = default;
};

// The page that ends at spin number n of a permanence of `length` spins (n <= length).
ListPage NumberListPage(std::int64_t n, std::int64_t length);

// The last spin number of the page after the page that ends at n, at most length.
std::int64_t NextPageEnd(std::int64_t n, std::int64_t length);

enum class ListButton { Back, Forward, First, Last, Back10000, Forward10000 };

// Where the page ends after a paging button; nothing when the button leaves the page as it is.
std::optional<std::int64_t> ListPageEndAfter(ListButton button, const ListPage& page, std::int64_t length);

// Which buttons the editor shows when it opens on a permanence of `length` spins.
struct ListButtonsShown {
    bool paging = false;  // "Zurück", "Vorwärts", "Anfang", "Ende"
    bool jumps = false;   // the two "10000" buttons
    bool remove = false;  // "Zahl entfernen"
};
ListButtonsShown ListButtonsOnShow(std::int64_t length);

struct ListDeletion {
    bool deleted = false;
    ListPage page;                  // the page shown afterwards
    int focusGrid = -1;             // grid (0-based) that gets row 1 and the focus; -1 none
    bool selectLastColumn = false;  // select the last column of focusGrid
};

// Deletes the spin with the given spin number from the permanence and works out the page after it.
// A spin number outside 1..length deletes nothing and leaves the page as it is.
ListDeletion DeleteListSpin(Permanence& permanence, const ListPage& page, std::int64_t spinNumber);

}  // namespace zentora
