// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_list_pages.h"

#include <algorithm>

namespace zentora {

int ListColumnWidth(std::int64_t n) {
    if (n <= 999) return 25;
    if (n <= 9999) return 30;
    if (n <= 99999) return 35;
    if (n <= 999999) return 40;
    if (n <= 9999999) return 45;
    return 51;
}

std::int64_t ListPage::LastShown() const {
    const int g = LastShownGrid();
    return g < 0 ? 0 : grids[g].LastSpin();
}

int ListPage::LastShownGrid() const {
    for (int g = kListGridCount - 1; g >= 0; --g)
        if (grids[g].Shown()) return g;
    return -1;
}

ListPage NumberListPage(std::int64_t n, std::int64_t length) {
    ListPage page;
    page.columnWidth = ListColumnWidth(n);
    const int r = ListColumnsPerGrid(page.columnWidth);
    if (length < kListGridCount * r) {
        // The whole permanence fits, so the page always shows all of it: a page ending before the last
        // spin would leave the later spins unreachable (no paging button could bring them back).
        const std::int64_t f = length / r;
        const int m = static_cast<int>(length % r);
        for (int g = 0; g < f; ++g) page.grids[g] = {r, std::int64_t{g} * r + 1};
        if (m > 0) page.grids[f] = {m, f * r + 1};
        return page;
    }
    const std::int64_t end = std::max(n, kListFirstPageEnd);
    const std::int64_t first = end - std::int64_t{kListGridCount} * r + 1;
    for (int g = 0; g < kListGridCount; ++g) page.grids[g] = {r, first + std::int64_t{g} * r};
    return page;
}

std::int64_t NextPageEnd(std::int64_t n, std::int64_t length) {
    const int w1 = std::min(ListColumnWidth(n), 45);
    const std::int64_t c = n + kListGridCount * ListColumnsPerGrid(w1);
    const int w2 = ListColumnWidth(c);
    const std::int64_t next = (w1 == w2) ? c : n + kListGridCount * ListColumnsPerGrid(w2);
    return std::min(next, length);
}

std::optional<std::int64_t> ListPageEndAfter(ListButton button, const ListPage& page, std::int64_t length) {
    const std::int64_t a = page.FirstShown();
    const std::int64_t z = page.LastShown();
    switch (button) {
        case ListButton::Back:
            return std::max<std::int64_t>(a - 1, 0);
        case ListButton::Forward:
            if (z < length) return NextPageEnd(z, length);
            return std::nullopt;
        case ListButton::First:
            return 0;
        case ListButton::Last:
            return length;
        case ListButton::Back10000:
            return std::max<std::int64_t>(a - 10000, 0);
        case ListButton::Forward10000:
            return NextPageEnd(std::min(z + 10000, length), length);
    }
    return std::nullopt;
}

ListButtonsShown ListButtonsOnShow(std::int64_t length) {
    return {length >= 260, length > 10999, length > 0};
}

ListDeletion DeleteListSpin(Permanence& permanence, const ListPage& page, std::int64_t spinNumber) {
    ListDeletion result;
    result.page = page;
    const auto length = static_cast<std::int64_t>(permanence.size());
    if (spinNumber < 1 || spinNumber > length) return result;

    // A grid that holds a single spin loses it: the one spin fewer always comes off the end of the page.
    for (int g = kListGridCount - 1; g >= 0; --g) {
        if (result.page.grids[g].columns == 1) {
            result.page.grids[g] = {};
            break;
        }
    }

    permanence.RemoveAt(static_cast<std::size_t>(length - spinNumber));
    result.deleted = true;

    const int g = result.page.LastShownGrid();
    if (g < 0) return result;
    const std::int64_t newLength = length - 1;
    result.page = NumberListPage(std::min(result.page.grids[g].LastSpin(), newLength), newLength);
    result.focusGrid = g;
    const ListGrid& grid = result.page.grids[g];
    result.selectLastColumn = grid.Shown() && spinNumber == grid.LastSpin() + 1;
    return result;
}

}  // namespace zentora
